// The pictures the game loads, with the sizes it relies on, and which of them
// are drawn with a transparent key. Kept apart from the generator so the tests
// check its output against what the game needs, not against itself.
#pragma once

#include <string>
#include <vector>

struct ExpectedPicture {
    std::string path;
    int width, height;
    bool keyed;  // drawn as a sprite: its outer ring must be transparent
};

std::vector<ExpectedPicture> expectedPictures();
std::vector<std::string> expectedSamples();
