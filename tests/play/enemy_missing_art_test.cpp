// A missing sprite makes an enemy's constructor throw error 40 after giving
// back everything it had already acquired, whichever group the file is in.
#include <gtest/gtest.h>

#include "app/game_types.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

namespace {

struct MissingCase {
    const char* kind;
    std::function<Enemy*(GraphicLibrary*)> make;
    const char* removed;
};

int constructionError(const MissingCase& c, GraphicLibrary* library) {
    try {
        Enemy* enemy = c.make(library);
        retire(enemy, library);
    } catch (int code) {
        return code;
    }
    return 0;
}

}  // namespace

TEST(EnemyMissingArt, EveryKindThrows40AndLeavesTheLibraryEmpty) {
    auto pawn = [](GraphicLibrary* l) -> Enemy* { return new Pawn(l); };
    auto shadow = [](GraphicLibrary* l) -> Enemy* { return new Shadow(l); };
    auto blade = [](GraphicLibrary* l) -> Enemy* { return new Blade(l); };
    auto wyvern = [](GraphicLibrary* l) -> Enemy* { return new Wyvern(l); };
    auto battleship = [](GraphicLibrary* l) -> Enemy* { return new BigBattleship(l); };
    const MissingCase cases[] = {
        {"pawn", pawn, "sprites/pawn/pawn2.bmp"},
        {"pawn", pawn, "sprites/enemyexplosion/enemyexplosion1.bmp"},
        {"pawn", pawn, "sprites/bullets/enemybullet1.bmp"},
        {"shadow", shadow, "sprites/shadow/shadow1.bmp"},
        {"shadow", shadow, "sprites/enemyexplosion/enemyexplosion4.bmp"},
        {"shadow", shadow, "sprites/bullets/enemybullet1.bmp"},
        {"blade", blade, "sprites/blade/bladechain.bmp"},
        {"blade", blade, "sprites/blade/blade2.bmp"},
        {"blade", blade, "sprites/enemyexplosion/enemyexplosion3.bmp"},
        {"wyvern", wyvern, "sprites/wyvern/wyvern1.bmp"},
        {"wyvern", wyvern, "sprites/wyvern/wyvernexplosion6.bmp"},
        {"wyvern", wyvern, "sprites/wyvern/wyvernexplosion9.bmp"},
        {"wyvern", wyvern, "sprites/bullets/enemybullet2.bmp"},
        {"big battleship", battleship, "sprites/bigbattleship/bigbattleship2.bmp"},
        {"big battleship", battleship, "sprites/bigbattleship/bigbattleshipexplosion2.bmp"},
        {"big battleship", battleship, "sprites/bigbattleship/bigbattleshipexplosion11.bmp"},
        {"big battleship", battleship, "sprites/bullets/enemylaser.bmp"},
    };
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " without " << c.removed);
        PrivateArt art;
        ASSERT_TRUE(art.remove(c.removed));
        GraphicLibrary library;
        EXPECT_EQ(constructionError(c, &library), ERR_GRAPHIC_MISSING);
        EXPECT_EQ(library.entryCount(), 0);
    }
}

TEST(EnemyMissingArt, AFailedConstructionLeavesOtherOwnersCountsAlone) {
    PrivateArt art;
    ASSERT_TRUE(art.remove("sprites/bullets/enemybullet1.bmp"));
    GraphicLibrary library;
    Blade blade(&library);
    int entries = library.entryCount();
    std::vector<int> counts;
    for (int i = 0; i < entries; ++i) counts.push_back(library.countAt(i));
    // The pawn shares the blade's explosion images, then fails on its bullet.
    EXPECT_THROW(Pawn pawn(&library), int);
    ASSERT_EQ(library.entryCount(), entries);
    for (int i = 0; i < entries; ++i) EXPECT_EQ(library.countAt(i), counts[i]) << library.nameAt(i);
    blade.releaseGraphics(&library);
    EXPECT_EQ(library.entryCount(), 0);
}
