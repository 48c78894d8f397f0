// The graphic library's sharing, counting and ordering rules, on real files,
// and the in-place fade toward black.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

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

TEST_F(GraphicLibraryTest, RemovalKeepsOrderAndReacquireAppendsAtTheEnd) {
    BITMAP* red = library.acquire("red.bmp");
    BITMAP* green = library.acquire("green.bmp");
    BITMAP* blue = library.acquire("blue.bmp");
    library.acquire("blue.bmp");
    ASSERT_EQ(library.entryCount(), 3);

    library.release(green);
    ASSERT_EQ(library.entryCount(), 2);
    EXPECT_EQ(library.nameAt(0), "red.bmp");
    EXPECT_EQ(library.nameAt(1), "blue.bmp");
    EXPECT_EQ(library.countAt(0), 1);
    EXPECT_EQ(library.countAt(1), 2);

    BITMAP* green_again = library.acquire("green.bmp");
    ASSERT_NE(green_again, nullptr);
    EXPECT_EQ(getpixel(green_again, 0, 0), makecol(0, 255, 0));
    ASSERT_EQ(library.entryCount(), 3);
    EXPECT_EQ(library.nameAt(2), "green.bmp");
    EXPECT_EQ(library.countAt(2), 1);

    library.release(red);
    library.release(blue);
    library.release(blue);
    library.release(green_again);
    EXPECT_EQ(library.entryCount(), 0);
}

TEST_F(GraphicLibraryTest, TwoSpellingsOfOneFileAreTwoEntries) {
    ASSERT_EQ(symlink("red.bmp", "RED.bmp"), 0);
    BITMAP* lower = library.acquire("red.bmp");
    BITMAP* upper = library.acquire("RED.bmp");
    BITMAP* dotted = library.acquire("./red.bmp");
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(dotted, nullptr);
    EXPECT_NE(lower, upper);
    EXPECT_NE(lower, dotted);
    ASSERT_EQ(library.entryCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(library.countAt(i), 1);
    library.release(lower);
    library.release(upper);
    library.release(dotted);
    EXPECT_EQ(library.entryCount(), 0);
}

TEST_F(GraphicLibraryTest, MissingFileIsNeverRecordedAndIsTriedAgain) {
    BITMAP* red = library.acquire("red.bmp");
    EXPECT_EQ(library.acquire("late.bmp"), nullptr);
    EXPECT_EQ(library.acquire("late.bmp"), nullptr);
    ASSERT_EQ(library.entryCount(), 1);
    EXPECT_EQ(library.countAt(0), 1);

    // The file turns up: the next acquire loads it, so the failures left no trace.
    folder.writeImage("late.bmp", makecol(0, 0, 255));
    BITMAP* late = library.acquire("late.bmp");
    ASSERT_NE(late, nullptr);
    ASSERT_EQ(library.entryCount(), 2);
    EXPECT_EQ(library.countAt(1), 1);
    library.release(red);
    library.release(late);
}

TEST_F(GraphicLibraryTest, NullUnknownAndSurplusReleasesChangeNothing) {
    BITMAP* red = library.acquire("red.bmp");
    BITMAP* green = library.acquire("green.bmp");
    BITMAP* stranger = create_bitmap(8, 8);

    library.release(nullptr);
    library.release(stranger);
    ASSERT_EQ(library.entryCount(), 2);
    EXPECT_EQ(library.countAt(0), 1);
    EXPECT_EQ(library.countAt(1), 1);
    // The stranger was not freed by the library: it can still be drawn on.
    putpixel(stranger, 1, 1, makecol(1, 2, 3));
    destroy_bitmap(stranger);

    library.release(red);
    library.release(red);  // one too many: the entry is already gone
    ASSERT_EQ(library.entryCount(), 1);
    EXPECT_EQ(library.nameAt(0), "green.bmp");
    EXPECT_EQ(library.countAt(0), 1);
    library.release(green);
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
