// Every file the generator writes, as the game loads it: two runs write the
// same bytes as the build's run folder, exactly the files the game asks for,
// pictures at their sizes in 24 bits, sprites with a transparent ring and a key
// that survives the game's 16-bit mode, short 16-bit mono samples, and music
// Allegro reads.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "picture.h"

namespace fs = std::filesystem;

namespace {
struct PictureSeries {
    std::string name;
    int frames;  // files name1.bmp..nameN.bmp; 0: a single name.bmp
    int width, height;
    bool keyed;  // drawn as a sprite: its outer ring must be transparent
} const PICTURES[] = {
    {"backgrounds/gamebg", 0, 1360, 480, false}, {"backgrounds/titlebg", 0, 640, 480, false},
    {"logo/holtrane", 0, 640, 480, false}, {"logo/ostwick", 0, 640, 480, false},
    {"font/font", 0, 768, 16, false}, {"font/fontgreen", 0, 768, 16, false},
    {"sprites/bullets/gryffonlaser", 0, 17, 17, true}, {"sprites/bullets/enemybullet", 2, 9, 9, true},
    {"sprites/bullets/enemylaser", 0, 9, 9, true}, {"sprites/blade/bladechain", 0, 9, 9, true},
    {"cursors/cursor", 4, 17, 17, true}, {"sprites/gryffon/gryffon", 3, 38, 38, true},
    {"sprites/gryffon/gryffonexplode", 5, 38, 38, true}, {"sprites/mini-star/mini-star", 2, 9, 9, true},
    {"sprites/pawn/pawn", 2, 38, 38, true}, {"sprites/shadow/shadow", 2, 38, 38, true},
    {"sprites/blade/blade", 2, 38, 38, true}, {"sprites/enemyexplosion/enemyexplosion", 4, 38, 38, true},
    {"sprites/wyvern/wyvern", 2, 96, 96, true}, {"sprites/wyvern/wyvernexplosion", 9, 96, 96, true},
    {"sprites/bigbattleship/bigbattleship", 2, 96, 96, true},
    {"sprites/bigbattleship/bigbattleshipexplosion", 11, 96, 96, true}, {"sprites/gem/gem", 5, 8, 8, false},
};
// The samples and the longest each may last: a ship loss may ring for two
// seconds, the big blast plays at 80 % speed and must still stay under them.
const std::map<std::string, double> SAMPLES = {
    {"shot", 1}, {"die", 2}, {"enemybullet", 1}, {"enemylaser", 1}, {"enemydie", 1}, {"enemybigdie", 1.6},
    {"three", 1}, {"two", 1}, {"one", 1}, {"go", 1}, {"gem", 1}, {"extralife", 1}};

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Relative path -> bytes of every file the generator writes into a fresh folder.
std::map<std::string, std::string> generateIntoFreshFolder() {
    char pattern[] = "/tmp/zenvar-assets-XXXXXX";
    fs::path folder = mkdtemp(pattern), generator = fs::current_path() / ".." / "assetgen" / "zenvar-assetgen";
    EXPECT_EQ(std::system(("'" + generator.string() + "' '" + folder.string() + "' > /dev/null").c_str()), 0);
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = contentsOf(entry.path());
    fs::remove_all(folder);
    return files;
}

// A sprite shows no box (a transparent outer ring) and, loaded in the game's
// 16-bit mode, exactly its magenta pixels are the mask: near-magenta paint
// would turn into holes.
void checkSprite(const std::string& path) {
    BITMAP *bmp = stored(path), *loaded = load_bitmap(path.c_str(), nullptr);
    ASSERT_NE(loaded, nullptr) << path;
    int ring_ink = 0, mismatches = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            ring_ink += !isMagenta(bmp, x, y) && (x == 0 || y == 0 || x == bmp->w - 1 || y == bmp->h - 1);
            mismatches += (getpixel(loaded, x, y) == bitmap_mask_color(loaded)) != isMagenta(bmp, x, y);
        }
    EXPECT_TRUE(ring_ink == 0 && mismatches == 0 && inkCount(bmp) > 4) << path << ": " << ring_ink << " ink on the ring, "
                                                                        << mismatches << " mask errors";
    destroy_bitmap(loaded);
}
}  // namespace

TEST(Generator, TwoRunsWriteTheSameFilesAsTheRunFolder) {
    std::map<std::string, std::string> a = generateIntoFreshFolder(), b = generateIntoFreshFolder();
    std::set<std::string> expected = {"contact_sheet.png", "logo/zenvarlogo.bmp", "music/title.mid", "music/marathon.mid"}, written;
    for (const PictureSeries& p : PICTURES)
        for (int i = p.frames ? 1 : 0; i <= p.frames; ++i) expected.insert(p.name + (i ? std::to_string(i) : "") + ".bmp");
    for (const auto& sample : SAMPLES) expected.insert("sfx/" + sample.first + ".wav");
    for (const char* size : {"16", "24", "32", "48", "64", "128", "256"})
        expected.insert(std::string("icons/hicolor/") + size + "x" + size + "/apps/zenvar.png");
    expected.insert("icons/zenvar.xpm");
    for (const auto& file : a) {
        written.insert(file.first);
        EXPECT_TRUE(b.count(file.first) && b[file.first] == file.second) << file.first << " differs between runs";
        EXPECT_TRUE(contentsOf(file.first) == file.second) << file.first << " in the run folder is stale";
    }
    EXPECT_EQ(written, expected);
}

TEST(Generator, PicturesSamplesAndMusicLoadAsTheGameNeedsThem) {
    for (const PictureSeries& p : PICTURES)
        for (int i = p.frames ? 1 : 0; i <= p.frames; ++i) {
            std::string path = p.name + (i ? std::to_string(i) : "") + ".bmp";
            BITMAP* bmp = stored(path);
            EXPECT_EQ(bitmap_color_depth(bmp), 24) << path;
            EXPECT_TRUE(bmp->w == p.width && bmp->h == p.height) << path;
            if (p.keyed) checkSprite(path);
        }
    for (const auto& expected : SAMPLES) {
        std::string path = "sfx/" + expected.first + ".wav";
        SAMPLE* sample = load_sample(path.c_str());
        ASSERT_NE(sample, nullptr) << path;
        EXPECT_TRUE(sample->bits == 16 && !sample->stereo) << path;
        EXPECT_TRUE(sample->freq == 22050 || sample->freq == 44100) << path;
        double seconds = double(sample->len) / sample->freq;
        EXPECT_TRUE(seconds > 0.05 && seconds < expected.second) << path << " lasts " << seconds << " s";
        destroy_sample(sample);
    }
    for (const char* path : {"music/title.mid", "music/marathon.mid"}) {
        MIDI* midi = load_midi(path);
        EXPECT_NE(midi, nullptr) << path;
        if (midi) destroy_midi(midi);
    }
}
