// The icons the desktop shows: PNGs with transparency at every theme size and
// the XPM the game compiles in for its window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
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

// The window's icon as X reads it: 48 by 48, every row as wide as the header
// says, the corners see-through so the badge shows round.
TEST(Icons, TheWindowIconIsA48PixelXpmWithSeeThroughCorners) {
    std::vector<std::string> xpm = xpmStrings(contentsOf("icons/zenvar.xpm"));
    int width = 0, height = 0, colours = 0, chars = 0;
    ASSERT_TRUE(!xpm.empty() && std::sscanf(xpm[0].c_str(), "%d %d %d %d", &width, &height, &colours, &chars) == 4);
    ASSERT_TRUE(width == 48 && height == 48 && chars == 2 && xpm.size() == size_t(1 + colours + height));
    std::map<std::string, std::string> colour_of;
    for (int i = 1; i <= colours; ++i) colour_of[xpm[i].substr(0, 2)] = xpm[i].substr(5);
    for (int y = 0; y < height; ++y) ASSERT_EQ(xpm[1 + colours + y].size(), size_t(width * 2)) << "row " << y;
    for (int corner : {0, 47}) EXPECT_EQ(colour_of[xpm[1 + colours + corner].substr(corner * 2, 2)], "None");
    EXPECT_NE(colour_of[xpm[1 + colours + 24].substr(48, 2)], "None");
}
