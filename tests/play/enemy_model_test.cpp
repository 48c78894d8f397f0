// The behaviour every kind shares: hit points and the explosion, headings,
// flight and body animation, hit boxes, shot numbering and shot drawing.
#include <gtest/gtest.h>

#include "core/whole_fixed.h"
#include "core/game_types.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

// Hit boxes of each kind placed at (10, 10), edges included, and its shots:
// distinct numbered objects, null outside the kind's range.
TEST(EnemyModel, EveryKindHasItsHitBoxAndNumberedShots) {
    GraphicLibrary library;
    const double boxes[][2] = {{18, 39}, {14, 43}, {14, 43}, {20, 95}, {11, 104}};
    std::vector<KindFacts> kinds = allKinds();
    for (size_t k = 0; k < kinds.size(); ++k) {
        SCOPED_TRACE(kinds[k].name);
        Enemy* enemy = kinds[k].make(&library);
        enemy->setPosition(10, 10);
        EXPECT_EQ(std::vector<double>({enemy->hitLeft(), enemy->hitRight(), enemy->hitTop(), enemy->hitBottom()}),
                  std::vector<double>({boxes[k][0], boxes[k][1], boxes[k][0], boxes[k][1]}));
        EXPECT_EQ(enemy->getShot(-1), nullptr);
        EXPECT_EQ(enemy->getShot(kinds[k].shots), nullptr);
        for (int i = 0; i < kinds[k].shots; ++i) {
            ASSERT_NE(enemy->getShot(i), nullptr) << i;
            for (int j = 0; j < i; ++j) EXPECT_NE(enemy->getShot(i), enemy->getShot(j));
        }
        retire(enemy, &library);
    }
}

TEST(EnemyModel, ReleasingEveryKindEmptiesTheLibrary) {
    GraphicLibrary library;
    std::vector<Enemy*> enemies;
    for (const KindFacts& facts : allKinds()) enemies.push_back(facts.make(&library));
    // Pawn and shadow share the explosion and bullet images: the counts must add up.
    EXPECT_GT(library.entryCount(), 0);
    for (Enemy* enemy : enemies) {
        SCOPED_TRACE(enemy->getKind());
        retire(enemy, &library);
    }
    EXPECT_EQ(library.entryCount(), 0);
}

TEST(EnemyModel, HitPointsBelowOneStartTheExplosionOnce) {
    GraphicLibrary library;
    Pawn pawn(&library);
    pawn.setPosition(100, 100);
    pawn.setVelocity(3, 0);
    pawn.setHitPoints(0);
    EXPECT_EQ(pawn.getExplosionCounter(), 1);
    pawn.setHitPoints(-1);
    EXPECT_EQ(pawn.getHitPoints(), -1);
    EXPECT_EQ(pawn.getExplosionCounter(), 1);

    BITMAP* canvas = create_bitmap(640, 480);
    pawn.draw(canvas);
    pawn.draw(canvas);
    pawn.setHitPoints(-2);
    EXPECT_EQ(pawn.getExplosionCounter(), 3) << "a further hit must not restart the explosion";

    // Frozen while exploding: neither placing nor flying moves it.
    pawn.setPosition(5, 6);
    pawn.update();
    EXPECT_EQ(pawn.getX(), 100.0);
    EXPECT_EQ(pawn.getY(), 100.0);
    EXPECT_EQ(pawn.getAnimCounter(), 0);
    destroy_bitmap(canvas);
    pawn.releaseGraphics(&library);
}

// Headings wrap into -128..127 (entry headings may start outside it); a turn
// recomputes the velocity, setAngle alone does not; heading 0 flies up.
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

TEST(EnemyModel, TurningWrapsTheHeadingAndRecomputesTheVelocity) {
    GraphicLibrary library;
    Shadow shadow(&library);  // speed 2
    const int turns[][3] = {{127, 2, -127}, {-127, -2, 127}, {250, 2, -4}, {126, 2, -128}, {-128, -1, 127}};
    for (const auto& t : turns) {
        shadow.setAngle(wholeFixed(t[0]));
        shadow.turn(t[1]);
        EXPECT_EQ(shadow.getAngle(), wholeFixed(t[2])) << t[0] << " turned by " << t[1];
    }
    shadow.setAngle(wholeFixed(62));
    shadow.setVelocity(9, 9);
    shadow.turn(2);
    EXPECT_NEAR(shadow.getVX(), 2.0, 1e-4);
    EXPECT_NEAR(shadow.getVY(), 0.0, 1e-4);
    shadow.setAngle(wholeFixed(0));
    EXPECT_NEAR(shadow.getVX(), 2.0, 1e-4) << "setAngle alone keeps the velocity";
    shadow.setVelocityFromAngle();
    EXPECT_NEAR(shadow.getVY(), -2.0, 1e-9);
    shadow.setAngle(wholeFixed(32));
    shadow.setVelocityFromAngle();
    double diagonal = fixtof(fixsin(wholeFixed(32))) * 2.0;
    EXPECT_DOUBLE_EQ(shadow.getVX(), diagonal) << "computed in double, not in fixed point";
    EXPECT_DOUBLE_EQ(shadow.getVY(), -diagonal);
    shadow.releaseGraphics(&library);
}

TEST(EnemyModel, FlightMovesByTheVelocityAndAlternatesTheBodyEveryTwoFrames) {
    PrivateArt art;
    for (const KindFacts& facts : allKinds()) art.markNumbered(facts.bodyStem, 2);
    GraphicLibrary library;
    for (const KindFacts& facts : allKinds()) {
        SCOPED_TRACE(facts.name);
        Enemy* enemy = facts.make(&library);
        NumberedImages body(&library, facts.bodyStem, 2);
        ASSERT_TRUE(body.allLoaded());
        ASSERT_TRUE(body.allDistinct(true, wholeFixed(64)));
        enemy->setAngle(wholeFixed(64));
        enemy->setPosition(40.75, 30.5);
        enemy->setVelocity(0.5, 1.25);
        // Phases after each update: 1, 2, 3, 0, 1; drawn at the truncated position.
        const int expectedImage[] = {0, 1, 1, 0, 0};
        for (int frame = 0; frame < 5; ++frame) {
            enemy->update();
            double x = 40.75 + 0.5 * (frame + 1), y = 30.5 + 1.25 * (frame + 1);
            EXPECT_DOUBLE_EQ(enemy->getX(), x);
            EXPECT_DOUBLE_EQ(enemy->getY(), y);
            EXPECT_EQ(enemy->getAnimCounter(), (frame + 1) % 4);
            int drawn = whichPicture([&](BITMAP* dest) { enemy->draw(dest); },
                                     body.pictures(static_cast<int>(x), static_cast<int>(y), true, wholeFixed(64)));
            EXPECT_EQ(drawn, expectedImage[frame]) << "frame " << frame;
        }
        retire(enemy, &library);
    }
}

// Draws an enemy's explosion to the end and checks which image each frame shows.
static void checkExplosion(const KindFacts& facts, Enemy* enemy, GraphicLibrary* library) {
    NumberedImages images(library, facts.explosionStem, facts.explosionImages);
    ASSERT_TRUE(images.allLoaded());
    ASSERT_TRUE(images.allDistinct(facts.explosionTurnsWithHeading, wholeFixed(64)));
    const fixed heading = wholeFixed(64);
    enemy->setPosition(40, 40);
    enemy->setAngle(heading);
    enemy->setHitPoints(0);
    auto pictures = images.pictures(40, 40, facts.explosionTurnsWithHeading, heading);

    const int drawnFrames = 4 + 5 * (facts.explosionImages - 1);
    std::vector<int> shown;
    for (int frame = 1; frame <= drawnFrames; ++frame) {
        EXPECT_FALSE(enemy->isFinished()) << "frame " << frame;
        shown.push_back(whichPicture([&](BITMAP* dest) { enemy->draw(dest); }, pictures));
    }
    std::vector<int> expected;
    for (int frame = 1; frame <= drawnFrames; ++frame) expected.push_back(frame / 5);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(enemy->getExplosionCounter(), 5 * facts.explosionImages);
    EXPECT_TRUE(enemy->isFinished());
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { enemy->draw(dest); }, pictures), -1)
        << "nothing is drawn once the explosion is over";
    EXPECT_TRUE(enemy->isFinished());
}

TEST(EnemyModel, ExplosionShowsEachImageFiveFramesAndThenFinishes) {
    PrivateArt art;
    for (const KindFacts& facts : allKinds()) art.markNumbered(facts.explosionStem, facts.explosionImages);
    GraphicLibrary library;
    for (const KindFacts& facts : allKinds()) {
        SCOPED_TRACE(facts.name);
        Enemy* enemy = facts.make(&library);
        checkExplosion(facts, enemy, &library);
        retire(enemy, &library);
    }
}

TEST(EnemyShotClass, LaunchAimsAtFourPixelsPerFrameAndDrawsOnlyInFlight) {
    PrivateArt art;
    art.mark("sprites/bullets/enemylaser.bmp", 1);
    GraphicLibrary library;
    EnemyShot shot(&library, "sprites/bullets/enemylaser.bmp");
    EXPECT_FALSE(shot.isActive());
    shot.launch(50.5, 60.25, wholeFixed(10), wholeFixed(64));
    EXPECT_TRUE(shot.isActive());
    EXPECT_NEAR(shot.getVX(), 4.0, 1e-4);
    EXPECT_NEAR(shot.getVY(), 0.0, 1e-4);

    BITMAP* sprite = library.acquire("sprites/bullets/enemylaser.bmp");
    auto rotatedAt = [&](int x, int y) {
        return std::vector<std::function<void(BITMAP*)>>{
            [=](BITMAP* dest) { rotateSprite(dest, sprite, x, y, wholeFixed(10)); }};
    };
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { shot.draw(dest); }, rotatedAt(50, 60)), 0);
    // Truncation goes towards zero, also left of the screen edge.
    shot.setPosition(-3.75, 20.9);
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { shot.draw(dest); }, rotatedAt(-3, 20)), 0);
    shot.setActive(false);
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { shot.draw(dest); }, rotatedAt(-3, 20)), -1);

    library.release(sprite);
    shot.releaseGraphics(&library);
    EXPECT_EQ(library.entryCount(), 0);
}

TEST(EnemyShotClass, MissingSpriteThrows40AndKeepsNothing) {
    GraphicLibrary library;
    int code = 0;
    try {
        EnemyShot shot(&library, "sprites/bullets/no-such-shot.bmp");
    } catch (int thrown) {
        code = thrown;
    }
    EXPECT_EQ(code, ERR_GRAPHIC_MISSING);
    EXPECT_EQ(library.entryCount(), 0);
}
