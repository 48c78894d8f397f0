// A missing sprite makes an enemy's constructor throw error 40 after giving
// back everything it had already acquired, whichever group the file is in.
#include <gtest/gtest.h>

#include "core/game_types.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

namespace {

int constructionError(const KindFacts& kind, GraphicLibrary* library) {
    try {
        Enemy* enemy = kind.make(library);
        retire(enemy, library);
    } catch (int code) {
        return code;
    }
    return 0;
}

}  // namespace

TEST(EnemyMissingArt, EveryKindThrows40AndLeavesTheLibraryEmpty) {
    const std::vector<KindFacts> kinds = allKinds();
    const struct {
        int kind;  // in allKinds()
        const char* removed;
    } cases[] = {
        {0, "sprites/pawn/pawn2.bmp"}, {0, "sprites/enemyexplosion/enemyexplosion1.bmp"}, {0, "sprites/bullets/enemybullet1.bmp"},
        {1, "sprites/shadow/shadow1.bmp"}, {1, "sprites/enemyexplosion/enemyexplosion4.bmp"}, {1, "sprites/bullets/enemybullet1.bmp"},
        {2, "sprites/blade/bladechain.bmp"}, {2, "sprites/blade/blade2.bmp"}, {2, "sprites/enemyexplosion/enemyexplosion3.bmp"},
        {3, "sprites/wyvern/wyvern1.bmp"}, {3, "sprites/wyvern/wyvernexplosion6.bmp"}, {3, "sprites/wyvern/wyvernexplosion9.bmp"}, {3, "sprites/bullets/enemybullet2.bmp"},
        {4, "sprites/bigbattleship/bigbattleship2.bmp"}, {4, "sprites/bigbattleship/bigbattleshipexplosion2.bmp"}, {4, "sprites/bigbattleship/bigbattleshipexplosion11.bmp"}, {4, "sprites/bullets/enemylaser.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << kinds[c.kind].name << " without " << c.removed);
        PrivateArt art;
        ASSERT_TRUE(art.remove(c.removed));
        GraphicLibrary library;
        EXPECT_EQ(constructionError(kinds[c.kind], &library), ERR_GRAPHIC_MISSING);
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
