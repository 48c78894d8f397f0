// The icons the desktop shows: PNGs with transparency at every theme size and
// the XPM the game compiles in for its window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {
std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned big32(const std::string& bytes, size_t at) {
    unsigned v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// The quoted strings of an XPM, in order.
std::vector<std::string> xpmStrings(const std::string& text) {
    std::vector<std::string> strings;
    std::regex quoted("\"([^\"]*)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), quoted), end; it != end; ++it) strings.push_back((*it)[1]);
    return strings;
}
}  // namespace

TEST(Icons, EveryThemeSizeIsAnRgbaPngOfThatSize) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        std::string dim = std::to_string(size) + "x" + std::to_string(size);
        std::string png = contentsOf("icons/hicolor/" + dim + "/apps/zenvar.png");
        ASSERT_GT(png.size(), 33u) << dim << " icon missing";
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(big32(png, 16), unsigned(size));
        EXPECT_EQ(big32(png, 20), unsigned(size));
        EXPECT_EQ(png[24], 8) << "bits per channel";
        EXPECT_EQ(png[25], 6) << dim << " should carry alpha";
    }
}

TEST(Icons, TheWindowIconIsTheMirroredShipOnARoundBadge) {
    std::vector<std::string> xpm = xpmStrings(contentsOf("icons/zenvar.xpm"));
    ASSERT_FALSE(xpm.empty());
    int width = 0, height = 0, colours = 0, chars = 0;
    ASSERT_EQ(std::sscanf(xpm[0].c_str(), "%d %d %d %d", &width, &height, &colours, &chars), 4);
    ASSERT_EQ(width, 48);
    ASSERT_EQ(height, 48);
    ASSERT_EQ(chars, 2);
    ASSERT_EQ(xpm.size(), size_t(1 + colours + height));

    std::map<std::string, std::string> colour_of;
    for (int i = 1; i <= colours; ++i) colour_of[xpm[i].substr(0, 2)] = xpm[i].substr(5);
    auto pixel = [&](int x, int y) { return colour_of.at(xpm[1 + colours + y].substr(x * 2, 2)); };
    for (int y = 0; y < height; ++y) ASSERT_EQ(xpm[1 + colours + y].size(), size_t(width * 2)) << "row " << y;

    // Round: the corners are see-through, the middle of each edge is not.
    EXPECT_EQ(pixel(0, 0), "None");
    EXPECT_EQ(pixel(47, 47), "None");
    EXPECT_EQ(pixel(3, 3), "None");
    EXPECT_NE(pixel(24, 2), "None");
    EXPECT_NE(pixel(2, 24), "None");
    // The ship is symmetric about the vertical axis, and so is the whole picture's outline.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            EXPECT_EQ(pixel(x, y) == "None", pixel(width - 1 - x, y) == "None") << x << "," << y;
    // A shaded ship, not a flat disc: many colours inside the badge.
    std::set<std::string> inside;
    for (int y = 12; y < 36; ++y)
        for (int x = 12; x < 36; ++x) inside.insert(pixel(x, y));
    EXPECT_GT(inside.size(), 100u);
}
