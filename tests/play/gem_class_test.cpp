// The gem's glint and its images.
#include <gtest/gtest.h>

#include "core/game_types.h"
#include "play/enemy_fixture.h"
#include "play/gem.h"

using namespace enemy_testing;

TEST(GemClass, GlintsThroughItsFiveImagesEveryTwentyFiveDraws) {
    PrivateArt art;
    art.markNumbered("sprites/gem/gem", 5);
    GraphicLibrary library;
    Gem gem(&library);
    EXPECT_FALSE(gem.isActive());
    gem.setPosition(30, 40);
    gem.setActive(true);
    NumberedImages images(&library, "sprites/gem/gem", 5);
    ASSERT_TRUE(images.allLoaded());
    ASSERT_TRUE(images.allDistinct(false, 0));
    auto pictures = images.pictures(30, 40, false, 0);

    // Phase after each draw: 1, 2, ... 24, 0, 1, ...: image 0 up to phase 17,
    // then two phases each for images 1 to 3 and one for image 4.
    std::vector<int> shown, expected;
    for (int draw = 1; draw <= 50; ++draw) {
        shown.push_back(whichPicture([&](BITMAP* dest) { gem.draw(dest); }, pictures));
        expected.push_back(draw % 25 < 18 ? 0 : (draw % 25 - 16) / 2);
    }
    EXPECT_EQ(shown, expected);

    // An inactive gem draws nothing but keeps glinting.
    gem.setActive(false);
    int before = gem.getAnimCounter();
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { gem.draw(dest); }, pictures), -1);
    EXPECT_EQ(gem.getAnimCounter(), before + 1);

    gem.releaseGraphics(&library);
}

TEST(GemClass, ReleasingAndMissingImagesLeaveNothingBehind) {
    {
        GraphicLibrary library;
        Gem gem(&library);
        gem.releaseGraphics(&library);
        EXPECT_EQ(library.entryCount(), 0);
    }
    for (const char* removed : {"sprites/gem/gem1.bmp", "sprites/gem/gem3.bmp", "sprites/gem/gem5.bmp"}) {
        SCOPED_TRACE(removed);
        PrivateArt art;
        ASSERT_TRUE(art.remove(removed));
        GraphicLibrary library;
        int code = 0;
        try {
            Gem gem(&library);
            gem.releaseGraphics(&library);
        } catch (int thrown) {
            code = thrown;
        }
        EXPECT_EQ(code, ERR_GRAPHIC_MISSING);
        EXPECT_EQ(library.entryCount(), 0);
    }
}
