// Enemies: what every kind shares (hit box, shots, flight, explosion, its art
// coming and going). Gems share the art handling.
#include <filesystem>
#include <set>

#include "round_fixture.h"
#include "support/scratch_folder.h"

using namespace round_testing;
namespace fs = std::filesystem;

// A private copy of the run folder's sprites, the working folder while it lives.
struct PrivateArt : testing_support::ScratchFolder {
    PrivateArt() {
        fs::copy(fs::path(home) / "sprites", fs::path(path) / "sprites", fs::copy_options::recursive);
        enter();
    }
    bool remove(const std::string& file) { return fs::remove(fs::path(path) / file); }
};

// Five draws per explosion image, frozen meanwhile, and a further hit does not
// restart it; all kinds alive at once share images without doubling them.
TEST(EnemyModel, EveryKindHasItsHitBoxShotsAndExplosionAndGivesItsArtBack) {
    GraphicLibrary library;
    BITMAP* canvas = create_bitmap(640, 480);
    std::vector<Enemy*> alive;
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
    auto counts = [&] {
        std::vector<int> all;
        for (int i = 0; i < library.entryCount(); ++i) all.push_back(library.countAt(i));
        return all;
    };
    std::vector<int> before = counts();
    try {
        Pawn pawn(&library);  // shares the blade's explosion, then fails on its bullet
    } catch (int code) {
        EXPECT_EQ(code, ERR_GRAPHIC_MISSING);
    }
    EXPECT_EQ(counts(), before);
    blade.releaseGraphics(&library);
    ASSERT_TRUE(art.remove("sprites/gem/gem3.bmp"));
    EXPECT_THROW(Gem gem(&library), int);
    EXPECT_EQ(library.entryCount(), 0);
}
