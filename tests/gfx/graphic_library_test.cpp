// The graphic library's sharing and counting, and the picture loader, on the run folder's files.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/game_files.h"
#include "gfx/graphic_library.h"
#include "support/scratch_folder.h"

namespace {

std::string entriesOf(const GraphicLibrary& library) {
    std::string entries;
    for (int i = 0; i < library.entryCount(); ++i) entries += library.nameAt(i) + std::to_string(library.countAt(i)) + " ";
    return entries;
}

// One path, one bitmap, alive until its last user lets it go.
TEST(GraphicLibrary, SharesOneBitmapPerPathUntilItsLastUserLetsGo) {
    const std::string star = "sprites/mini-star/mini-star1.bmp", other = "sprites/mini-star/mini-star2.bmp";
    GraphicLibrary library;
    BITMAP* shared = library.acquire(star);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(library.acquire(star), shared);
    BITMAP* second = library.acquire(other);
    library.release(shared);
    EXPECT_EQ(entriesOf(library), star + "1 " + other + "1 ");
    library.release(shared);
    library.release(second);
    EXPECT_EQ(entriesOf(library), "");
}

bool samePictures(BITMAP* a, BITMAP* b) {
    if (!a || !b) return a == b;
    if (a->w != b->w || a->h != b->h || bitmap_color_depth(a) != bitmap_color_depth(b)) return false;
    for (int y = 0; y < a->h; ++y)
        if (memcmp(a->line[y], b->line[y], static_cast<size_t>(a->w) * ((bitmap_color_depth(a) + 7) / 8)) != 0)
            return false;
    return true;
}

// Every picture the game ships comes out of the game's own 24-bit reader exactly as Allegro's
// loader gives it, and so do the files it leaves to Allegro (cut short, 8 bits, missing).
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
