// The graphic library's sharing, counting and ordering rules on real files, the
// picture loader and the in-place fade toward black.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "core/game_files.h"
#include "gfx/black_fade.h"
#include "gfx/graphic_library.h"
#include "support/scratch_folder.h"

namespace {

std::string entriesOf(const GraphicLibrary& library) {
    std::string entries;
    for (int i = 0; i < library.entryCount(); ++i) entries += library.nameAt(i) + std::to_string(library.countAt(i)) + " ";
    return entries;
}

// One path, one bitmap, alive until its last user lets it go. Entries keep
// their order when one goes and a returning file joins the end; a missing file
// (tried again later), null, a stranger's bitmap or one release too many change nothing.
TEST(GraphicLibrary, SharesOneBitmapPerPathAndKeepsItsEntriesInOrder) {
    testing_support::ScratchFolder folder;
    folder.writeImage("red.bmp", makecol(255, 0, 0));
    folder.writeImage("green.bmp", makecol(0, 255, 0));
    folder.writeImage("blue.bmp", makecol(0, 0, 255));
    folder.enter();
    GraphicLibrary library;
    BITMAP* red = library.acquire("red.bmp");
    BITMAP* green = library.acquire("green.bmp");
    BITMAP* blue = library.acquire("blue.bmp");
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(library.acquire("blue.bmp"), blue);
    EXPECT_EQ(library.acquire("late.bmp"), nullptr);
    BITMAP* stranger = create_bitmap(8, 8);
    library.release(nullptr);
    library.release(stranger);
    destroy_bitmap(stranger);
    library.release(green);
    library.release(red);
    library.release(red);
    folder.writeImage("late.bmp", makecol(255, 255, 0));
    BITMAP* late = library.acquire("late.bmp");
    green = library.acquire("green.bmp");
    EXPECT_EQ(getpixel(green, 0, 0), makecol(0, 255, 0));
    EXPECT_EQ(entriesOf(library), "blue.bmp2 late.bmp1 green.bmp1 ");
    library.release(blue);
    EXPECT_EQ(entriesOf(library), "blue.bmp1 late.bmp1 green.bmp1 ");
    EXPECT_EQ(getpixel(blue, 3, 3), makecol(0, 0, 255)) << "still there for its other user";
    for (BITMAP* bitmap : {blue, late, green}) library.release(bitmap);
    EXPECT_EQ(entriesOf(library), "");
}

// Every 16-bit colour (the mask colour too) at every alpha the blender takes:
// the same bits as draw_trans_sprite onto black, faded in place or on the way
// to another bitmap (there in two parts, the second clipped at the edge).
TEST(BlackFadeTest, MatchesTheTranslucentSpriteOverBlackAtEveryAlpha) {
    BITMAP* every_colour = create_bitmap_ex(16, 256, 256);
    BITMAP* expected = create_bitmap_ex(16, 256, 256);
    BITMAP* faded = create_bitmap_ex(16, 256, 256);
    BITMAP* copied = create_bitmap_ex(16, 256, 256);
    for (int c = 0; c < 65536; ++c) reinterpret_cast<uint16_t*>(every_colour->line[c / 256])[c % 256] = c;
    for (int alpha = 0; alpha <= 256; ++alpha) {
        clear_bitmap(expected);
        set_trans_blender(0, 0, 0, alpha);
        draw_trans_sprite(expected, every_colour, 0, 0);
        blit(every_colour, faded, 0, 0, 0, 0, 256, 256);
        fadeTowardBlack(faded, 256, 256, alpha);
        clear_bitmap(copied);
        copyFadedTowardBlack(every_colour, 0, 0, copied, 0, 0, 100, 256, alpha);
        copyFadedTowardBlack(every_colour, 100, 0, copied, 100, 0, 999, 999, alpha);
        int differing = 0;
        for (int y = 0; y < 256; ++y)
            differing += memcmp(expected->line[y], faded->line[y], 512) != 0 ||
                         memcmp(expected->line[y], copied->line[y], 512) != 0;
        EXPECT_EQ(differing, 0) << "alpha " << alpha;
    }
    for (BITMAP* bitmap : {every_colour, expected, faded, copied}) destroy_bitmap(bitmap);
}

bool samePictures(BITMAP* a, BITMAP* b) {
    if (!a || !b) return a == b;
    if (a->w != b->w || a->h != b->h || bitmap_color_depth(a) != bitmap_color_depth(b)) return false;
    for (int y = 0; y < a->h; ++y)
        if (memcmp(a->line[y], b->line[y], static_cast<size_t>(a->w) * ((bitmap_color_depth(a) + 7) / 8)) != 0)
            return false;
    return true;
}

// The game's loader reads 24-bit pictures itself: every picture the game ships
// must come out exactly as Allegro's loader gives it, and so must the files it
// leaves to Allegro (one cut short, one at 8 bits, one missing).
TEST(PictureLoading, GivesAllegrosPixelsForEveryShippedPictureAndOddFile) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("."))
        if (entry.path().extension() == ".bmp") paths.push_back(std::filesystem::absolute(entry.path()).string());
    ASSERT_GE(paths.size(), 60u) << "run from the run folder";
    testing_support::ScratchFolder folder;
    std::filesystem::copy_file("backgrounds/titlebg.bmp", folder.path + "/cut.bmp");
    std::filesystem::resize_file(folder.path + "/cut.bmp", 300000);
    folder.enter();
    BITMAP* eight_bits = create_bitmap_ex(8, 20, 10);
    clear_to_color(eight_bits, 7);
    save_bmp("eight.bmp", eight_bits, default_palette);
    destroy_bitmap(eight_bits);
    for (const char* odd : {"cut.bmp", "eight.bmp", "missing.bmp"}) paths.push_back(odd);
    for (const std::string& path : paths) {
        BITMAP* ours = loadPicture(path);
        BITMAP* allegros = load_bitmap(path.c_str(), nullptr);
        EXPECT_TRUE(samePictures(ours, allegros)) << path;
        for (BITMAP* picture : {ours, allegros})
            if (picture) destroy_bitmap(picture);
    }
}

}  // namespace
