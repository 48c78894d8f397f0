// Every file the generator writes, as the game loads it: two runs write the same bytes the run folder
// holds, pictures at their sizes in 24 bits, sprites keyed as the game's 16-bit mode needs, the icon.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <regex>
#include <set>
#include <vector>

#include "picture.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {
using Files = std::map<std::string, std::string>;  // relative path -> bytes

void readInto(Files& files, const fs::path& top, const fs::path& base) {
    if (!fs::is_directory(top)) return void(files[fs::relative(top, base).string()] = contentsOf(top));
    for (const auto& entry : fs::recursive_directory_iterator(top))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), base).string()] = contentsOf(entry.path());
}

Files generateIntoFreshFolder() {
    testing_support::ScratchFolder folder;
    fs::path generator = fs::current_path() / ".." / "assetgen" / "zenvar-assetgen";
    EXPECT_EQ(std::system(("'" + generator.string() + "' '" + folder.path + "' > /dev/null").c_str()), 0);
    Files files;
    readInto(files, folder.path, folder.path);
    return files;
}

// The paths whose bytes differ, or that only one side has.
std::string differing(const Files& a, const Files& b) {
    std::string names;
    for (const auto& file : a)
        if (!b.count(file.first) || b.at(file.first) != file.second) names += file.first + " ";
    for (const auto& file : b) names += a.count(file.first) ? "" : file.first + " ";
    return names;
}
}  // namespace

// Besides determinism: a file the generator no longer writes, still lying in
// the run folder from an older build, would hide from the loading checks.
TEST(Generator, TwoRunsWriteTheSameFilesAsTheRunFolderHolds) {
    Files a = generateIntoFreshFolder(), held;
    std::set<std::string> tops;  // where the generator writes
    for (const auto& file : a) tops.insert(file.first.substr(0, file.first.find('/')));
    for (const std::string& top : tops) readInto(held, top, ".");
    EXPECT_EQ(differing(a, generateIntoFreshFolder()), "") << "differ between two runs";
    EXPECT_EQ(differing(a, held), "") << "differ in the run folder";
}

// A sprite shows no box (a transparent outer ring) and, loaded in the game's 16-bit mode, exactly
// its magenta pixels are the mask: near-magenta paint would turn into holes.
TEST(Generator, PicturesLoadAtTheirSizesAndSpritesKeepTheirMask) {
    for (const PictureSeries& p : PICTURES)
        for (const std::string& path : pathsOf(p)) {
            BITMAP* bmp = stored(path);
            EXPECT_TRUE(bitmap_color_depth(bmp) == 24 && bmp->w == p.width && bmp->h == p.height) << path;
            if (!p.keyed) continue;
            BITMAP* loaded = load_bitmap(path.c_str(), nullptr);
            ASSERT_NE(loaded, nullptr) << path;
            int ring_ink = 0, mismatches = 0;
            for (int y = 0; y < bmp->h; ++y)
                for (int x = 0; x < bmp->w; ++x) {
                    ring_ink += !isMagenta(bmp, x, y) && (x == 0 || y == 0 || x == bmp->w - 1 || y == bmp->h - 1);
                    mismatches += (getpixel(loaded, x, y) == bitmap_mask_color(loaded)) != isMagenta(bmp, x, y);
                }
            EXPECT_TRUE(ring_ink == 0 && mismatches == 0 && inkCount(bmp) > 4)
                << path << ": " << ring_ink << " ink on the ring, " << mismatches << " mask errors";
            destroy_bitmap(loaded);
        }
}

// The window's icon is compiled in as XPM text: every row as wide as its header says.
TEST(Generator, TheWindowIconIsAWellFormedXpm) {
    std::string text = contentsOf("icons/zenvar.xpm");
    std::vector<std::string> xpm;  // its quoted strings, in order
    std::regex quoted("\"([^\"]*)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), quoted), end; it != end; ++it) xpm.push_back((*it)[1]);
    int width = 0, height = 0, colours = 0, chars = 0;
    ASSERT_TRUE(!xpm.empty() && std::sscanf(xpm[0].c_str(), "%d %d %d %d", &width, &height, &colours, &chars) == 4);
    ASSERT_TRUE(width > 0 && xpm.size() == size_t(1 + colours + height)) << xpm[0];
    for (int y = 0; y < height; ++y) ASSERT_EQ(xpm[1 + colours + y].size(), size_t(width * chars)) << "row " << y;
}
