// The graphic library's sharing, counting and ordering rules, on real files,
// and the in-place fade toward black.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "gfx/black_fade.h"
#include "gfx/graphic_library.h"
#include "gfx_fixture.h"
#include "support/headless.h"

namespace {

class GraphicLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.writeImage("red.bmp", makecol(255, 0, 0));
        folder.writeImage("green.bmp", makecol(0, 255, 0));
        folder.writeImage("blue.bmp", makecol(0, 0, 255));
        folder.enter();
    }
    ScratchFolder folder;
    GraphicLibrary library;
};

// One path, one bitmap, alive until its last user lets it go.
TEST_F(GraphicLibraryTest, SamePathSharesOneBitmapUntilTheLastRelease) {
    BITMAP* first = library.acquire("red.bmp");
    BITMAP* second = library.acquire("red.bmp");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    ASSERT_EQ(library.entryCount(), 1);
    EXPECT_EQ(library.countAt(0), 2);
    EXPECT_EQ(library.nameAt(0), "red.bmp");

    library.release(first);
    ASSERT_EQ(library.entryCount(), 1);
    EXPECT_EQ(library.countAt(0), 1);
    // Still a live bitmap for the remaining user.
    EXPECT_EQ(getpixel(second, 3, 3), makecol(255, 0, 0));

    library.release(second);
    EXPECT_EQ(library.entryCount(), 0);
}

// Entries keep their order when one goes and a returning file joins the end; a
// missing file (tried again later), null, a stranger's bitmap or one release
// too many change nothing.
TEST_F(GraphicLibraryTest, OrderSurvivesReleasesAndBadRequestsChangeNothing) {
    BITMAP* red = library.acquire("red.bmp");
    BITMAP* green = library.acquire("green.bmp");
    BITMAP* blue = library.acquire("blue.bmp");
    library.acquire("blue.bmp");
    EXPECT_EQ(library.acquire("late.bmp"), nullptr);
    BITMAP* stranger = create_bitmap(8, 8);
    library.release(nullptr);
    library.release(stranger);
    destroy_bitmap(stranger);
    library.release(green);
    library.release(red);
    library.release(red);
    folder.writeImage("late.bmp", makecol(0, 0, 255));
    BITMAP* late = library.acquire("late.bmp");
    green = library.acquire("green.bmp");
    EXPECT_EQ(getpixel(green, 0, 0), makecol(0, 255, 0));
    std::string entries;
    for (int i = 0; i < library.entryCount(); ++i) entries += library.nameAt(i) + std::to_string(library.countAt(i)) + " ";
    EXPECT_EQ(entries, "blue.bmp2 late.bmp1 green.bmp1 ");
    for (BITMAP* bitmap : {blue, blue, late, green}) library.release(bitmap);
    EXPECT_EQ(library.entryCount(), 0);
}

// Every 16-bit colour (the mask colour too) at every alpha the blender takes:
// the same bits as draw_trans_sprite onto black.
TEST(BlackFadeTest, MatchesTheTranslucentSpriteOverBlackAtEveryAlpha) {
    BITMAP* every_colour = create_bitmap_ex(16, 256, 256);
    BITMAP* expected = create_bitmap_ex(16, 256, 256);
    BITMAP* faded = create_bitmap_ex(16, 256, 256);
    for (int c = 0; c < 65536; ++c) reinterpret_cast<uint16_t*>(every_colour->line[c / 256])[c % 256] = c;
    for (int alpha = 0; alpha <= 256; ++alpha) {
        clear_bitmap(expected);
        set_trans_blender(0, 0, 0, alpha);
        draw_trans_sprite(expected, every_colour, 0, 0);
        blit(every_colour, faded, 0, 0, 0, 0, 256, 256);
        fadeTowardBlack(faded, 256, 256, alpha);
        int differing = 0;
        for (int y = 0; y < 256; ++y) differing += memcmp(expected->line[y], faded->line[y], 512) != 0;
        EXPECT_EQ(differing, 0) << "alpha " << alpha;
    }
    destroy_bitmap(every_colour);
    destroy_bitmap(expected);
    destroy_bitmap(faded);
}

}  // namespace
