// Enemies: what every kind shares (hit box, shots, explosion, flight, its art
// coming and going) and how each kind fires. Gems share the art handling.
#include <gtest/gtest.h>

#include <set>

#include "core/game_types.h"
#include "core/whole_fixed.h"
#include "play/enemy_fixture.h"
#include "play/gem.h"

using namespace enemy_testing;

TEST(EnemyModel, EveryKindHasItsHitBoxShotsAndExplosionAndGivesItsArtBack) {
    GraphicLibrary library;
    BITMAP* canvas = create_bitmap(640, 480);
    std::vector<Enemy*> alive;  // all kinds at once: shared images are counted, not doubled
    for (const KindFacts& kind : allKinds()) alive.push_back(kind.make(&library));
    for (const KindFacts& kind : allKinds()) {
        SCOPED_TRACE(kind.name);
        Enemy* enemy = kind.make(&library);
        enemy->setPosition(10, 10);
        enemy->setVelocity(0.5, 1.25);
        EXPECT_EQ(std::vector<double>({enemy->hitLeft(), enemy->hitRight(), enemy->hitTop(), enemy->hitBottom()}),
                  std::vector<double>({kind.boxLeft, kind.boxRight, kind.boxLeft, kind.boxRight}));
        std::set<EnemyShot*> shots;
        for (int i = -1; i <= kind.shots; ++i) shots.insert(enemy->getShot(i));
        EXPECT_EQ(shots.size(), static_cast<size_t>(kind.shots + 1));  // one null for both ends
        for (int frame = 1; frame <= 5; ++frame) enemy->update();
        EXPECT_EQ(enemy->getX(), 12.5);
        EXPECT_EQ(enemy->getY(), 16.25);
        EXPECT_EQ(enemy->getAnimCounter(), 1);
        // Five draws per explosion image, then finished; frozen meanwhile, and a
        // further hit does not restart it.
        enemy->setHitPoints(0);
        for (int frame = 1; frame < 5 * kind.explosionImages; ++frame) {
            ASSERT_FALSE(enemy->isFinished()) << frame;
            enemy->draw(canvas);
            enemy->setHitPoints(-1);
            enemy->update();
            enemy->setPosition(0, 0);
        }
        EXPECT_TRUE(enemy->isFinished());
        EXPECT_EQ(enemy->getX(), 12.5);
        retire(enemy, &library);
    }
    for (Enemy* enemy : alive) retire(enemy, &library);
    EXPECT_EQ(library.entryCount(), 0);
    destroy_bitmap(canvas);
}

// A missing file: error 40, and everything acquired so far given back without
// touching what other owners hold.
TEST(EnemyModel, MissingArtThrows40AndLeavesOtherOwnersAlone) {
    for (const KindFacts& kind : allKinds()) {
        SCOPED_TRACE(kind.name);
        PrivateArt art;
        ASSERT_TRUE(art.remove(kind.artFile));
        GraphicLibrary library;
        EXPECT_THROW(retire(kind.make(&library), &library), int);
        EXPECT_EQ(library.entryCount(), 0);
    }
    PrivateArt art;
    ASSERT_TRUE(art.remove("sprites/bullets/enemybullet1.bmp"));
    GraphicLibrary library;
    Blade blade(&library);
    std::vector<int> counts;
    for (int i = 0; i < library.entryCount(); ++i) counts.push_back(library.countAt(i));
    try {
        Pawn pawn(&library);  // shares the blade's explosion, then fails on its bullet
    } catch (int code) {
        EXPECT_EQ(code, ERR_GRAPHIC_MISSING);
    }
    std::vector<int> after;
    for (int i = 0; i < library.entryCount(); ++i) after.push_back(library.countAt(i));
    EXPECT_EQ(after, counts);
    blade.releaseGraphics(&library);
    ASSERT_TRUE(art.remove("sprites/gem/gem3.bmp"));
    EXPECT_THROW(Gem gem(&library), int);
    EXPECT_EQ(library.entryCount(), 0);
}

// Every kind that shoots fires only while alive with the whole sprite on screen.
TEST(EnemyFiring, FiresOnlyWhileAliveAndWhollyOnScreen) {
    GraphicLibrary library;
    for (const KindFacts& kind : allKinds()) {
        if (kind.shots == Blade::LINKS) continue;  // the blade's chain is not fired
        Enemy* probe = kind.make(&library);
        const double right = 640 - probe->getWidth(), bottom = 480 - probe->getHeight();
        retire(probe, &library);
        const struct { double x, y; bool fires; } cases[] = {
            {right, bottom, true},  {0, 0, true},        {right + 1, bottom, false},
            {right, bottom + 1, false}, {-0.5, 100, false}, {100, -0.5, false}};
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << kind.name << " at " << c.x << "," << c.y);
            Enemy* enemy = kind.make(&library);
            enemy->setPosition(c.x, c.y);
            enemy->fire(nullptr);
            EXPECT_EQ(!activeShots(enemy).empty(), c.fires);
            for (int i = 0; i < enemy->getShotCount(); ++i) enemy->getShot(i)->setActive(false);
            enemy->setHitPoints(0);
            enemy->fire(nullptr);
            EXPECT_TRUE(activeShots(enemy).empty()) << "an exploding enemy does not fire";
            retire(enemy, &library);
        }
    }
}

// A shot moves first and is retired once it reaches an edge of the field.
TEST(EnemyFiring, ShotsRetireOnTheFieldEdgesExactly) {
    GraphicLibrary library;
    Pawn pawn(&library);
    EnemyShot* bullet = pawn.getShot(0);
    const struct { double x, y, vx, vy; bool staysActive; } cases[] = {
        {636, 100, 4, 0, false}, {635.5, 100, 4, 0, true},  {100, -12, 0, -4, false}, {100, -11.5, 0, -4, true},
        {-12, 100, -4, 0, false}, {100, 476, 0, 4, false}, {100, 475.5, 0, 4, true}};
    for (const auto& c : cases) {
        bullet->setPosition(c.x, c.y);
        bullet->setVelocity(c.vx, c.vy);
        bullet->setActive(true);
        pawn.updateShots();
        EXPECT_EQ(bullet->getX(), c.x + c.vx);
        EXPECT_EQ(bullet->isActive(), c.staysActive) << c.x << "," << c.y;
    }
    pawn.releaseGraphics(&library);
}

// Pawn, shadow and battleship launch one shot per call from the muzzle along
// the heading at 4 pixels a frame, into the lowest idle slot, none while all fly.
TEST(EnemyFiring, OneShotPerCallIntoTheLowestIdleSlot) {
    GraphicLibrary library;
    const struct { int kind; double muzzle; } cases[] = {{0, 15}, {1, 15}, {4, 44}};
    for (const auto& c : cases) {
        const KindFacts kind = allKinds()[c.kind];
        SCOPED_TRACE(kind.name);
        Enemy* enemy = kind.make(&library);
        enemy->setPosition(100, 100);
        enemy->setAngle(wholeFixed(64));
        for (int i = 0; i <= kind.shots; ++i) enemy->fire(nullptr);
        EXPECT_EQ(activeShots(enemy).size(), static_cast<size_t>(kind.shots));
        EnemyShot* last = enemy->getShot(kind.shots - 1);
        EXPECT_EQ(last->getX(), 100 + c.muzzle);
        EXPECT_EQ(last->getY(), 100 + c.muzzle);
        EXPECT_NEAR(last->getVX(), 4.0, 1e-4);
        EXPECT_EQ(last->getAngle(), wholeFixed(64));
        enemy->updateShots();
        enemy->getShot(0)->setActive(false);
        enemy->fire(nullptr);
        EXPECT_EQ(enemy->getShot(0)->getX(), 100 + c.muzzle);
        if (last != enemy->getShot(0)) {
            EXPECT_EQ(last->getX(), 104 + c.muzzle) << "a shot in flight stays";
        }
        retire(enemy, &library);
    }
}

// The wyvern fires a group of three (slots g, g+3, g+6), the side bullets 45
// degrees off the heading but drawn at it; a group is reused only when all
// three of its bullets are idle.
TEST(WyvernVolley, ThreeBulletsFanOutAndAGroupWaitsForAllThree) {
    GraphicLibrary library;
    Wyvern wyvern(&library);
    wyvern.setPosition(200, 150);
    wyvern.setAngle(wholeFixed(64));
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({0, 3, 6}));
    const struct { int shot; double vx, vy; } flights[] = {{0, 4, 0}, {3, 2.83, 2.83}, {6, 2.83, -2.83}};
    for (const auto& f : flights) {
        EnemyShot* bullet = wyvern.getShot(f.shot);
        EXPECT_EQ(bullet->getX(), 244.0);
        EXPECT_NEAR(bullet->getVX(), f.vx, 0.005) << f.shot;
        EXPECT_NEAR(bullet->getVY(), f.vy, 0.005) << f.shot;
        EXPECT_EQ(bullet->getAngle(), wholeFixed(64));
    }
    wyvern.fire(nullptr);
    wyvern.fire(nullptr);
    wyvern.getShot(0)->setActive(false);
    wyvern.getShot(3)->setActive(false);
    wyvern.getShot(2)->setActive(false);
    wyvern.getShot(5)->setActive(false);
    wyvern.getShot(8)->setActive(false);
    wyvern.fire(nullptr);  // group 0 still has bullet 6 out: group 2 goes
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({1, 2, 4, 5, 6, 7, 8}));
    wyvern.releaseGraphics(&library);
}

// On a straight course link m hangs where the blade's centre was 2m updates
// ago; when it explodes the chain dissolves from the blade outwards, link 0 last.
TEST(BladeChain, LinksFollowTheBladeAndDissolveOutwards) {
    GraphicLibrary library;
    Blade blade(&library);
    blade.setPosition(300, 400);
    blade.setVelocityFromAngle();  // heading 0: (0, -4)
    EXPECT_TRUE(activeShots(&blade).empty());
    for (int n = 1; n <= 28; ++n) blade.update();
    for (int m = 0; m < Blade::LINKS; ++m) {
        EXPECT_EQ(blade.getShot(m)->getX(), 312.0) << m;
        EXPECT_EQ(blade.getShot(m)->getY(), 412.0 - 4.0 * std::max(0, 28 - 2 * m)) << m;
    }
    blade.fire(nullptr);
    blade.updateShots();
    EXPECT_EQ(blade.getShot(0)->getY(), 300.0) << "nothing but update moves a link";
    blade.setHitPoints(0);
    BITMAP* canvas = create_bitmap(640, 480);
    for (int frame = 1; frame <= 19; ++frame) {
        blade.update();
        blade.draw(canvas);
        for (int m = 0; m < Blade::LINKS; ++m)
            EXPECT_EQ(blade.getShot(m)->isActive(), m == 0 || m > frame) << "frame " << frame << " link " << m;
    }
    destroy_bitmap(canvas);
    blade.releaseGraphics(&library);
}

// Where Allegro's rotate_sprite shifts nothing negative, rotateSprite draws its very pixels.
TEST(EnemyModel, RotateSpriteDrawsWhatAllegroDraws) {
    BITMAP* sprite = load_bitmap("sprites/gryffon/gryffon1.bmp", nullptr);
    BITMAP* ours = create_bitmap(640, 480);
    BITMAP* allegros = create_bitmap(640, 480);
    const int cases[][3] = {{0, 0, 0}, {5, 7, 64}, {600, 440, 37}, {300, 200, -100}};
    for (const auto& c : cases) {
        clear_bitmap(ours);
        clear_bitmap(allegros);
        rotateSprite(ours, sprite, c[0], c[1], wholeFixed(c[2]) + 0x4000);
        rotate_sprite(allegros, sprite, c[0], c[1], wholeFixed(c[2]) + 0x4000);
        int differ = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) differ += getpixel(ours, x, y) != getpixel(allegros, x, y);
        EXPECT_EQ(differ, 0) << c[0] << "," << c[1] << " at " << c[2];
    }
    destroy_bitmap(sprite);
    destroy_bitmap(ours);
    destroy_bitmap(allegros);
}
