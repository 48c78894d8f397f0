#include "asset_files.h"

namespace {
void series(std::vector<ExpectedPicture>& list, const std::string& prefix, int count, int w, int h, bool keyed) {
    for (int i = 1; i <= count; ++i) list.push_back({prefix + std::to_string(i) + ".bmp", w, h, keyed});
}
}  // namespace

std::vector<ExpectedPicture> expectedPictures() {
    std::vector<ExpectedPicture> list = {
        {"backgrounds/gamebg.bmp", 1360, 480, false},
        {"backgrounds/titlebg.bmp", 640, 480, false},
        {"logo/holtrane.bmp", 640, 480, false},
        {"logo/ostwick.bmp", 640, 480, false},
        {"font/font.bmp", 768, 16, false},
        {"font/fontgreen.bmp", 768, 16, false},
        {"sprites/bullets/gryffonlaser.bmp", 17, 17, true},
        {"sprites/bullets/enemybullet1.bmp", 9, 9, true},
        {"sprites/bullets/enemybullet2.bmp", 9, 9, true},
        {"sprites/bullets/enemylaser.bmp", 9, 9, true},
        {"sprites/blade/bladechain.bmp", 9, 9, true},
    };
    series(list, "cursors/cursor", 4, 17, 17, true);
    series(list, "sprites/gryffon/gryffon", 3, 38, 38, true);
    series(list, "sprites/gryffon/gryffonexplode", 5, 38, 38, true);
    series(list, "sprites/mini-star/mini-star", 2, 9, 9, true);
    series(list, "sprites/pawn/pawn", 2, 38, 38, true);
    series(list, "sprites/shadow/shadow", 2, 38, 38, true);
    series(list, "sprites/blade/blade", 2, 38, 38, true);
    series(list, "sprites/enemyexplosion/enemyexplosion", 4, 38, 38, true);
    series(list, "sprites/wyvern/wyvern", 2, 96, 96, true);
    series(list, "sprites/wyvern/wyvernexplosion", 9, 96, 96, true);
    series(list, "sprites/bigbattleship/bigbattleship", 2, 96, 96, true);
    series(list, "sprites/bigbattleship/bigbattleshipexplosion", 11, 96, 96, true);
    series(list, "sprites/gem/gem", 5, 8, 8, false);
    return list;
}

std::vector<std::string> expectedSamples() {
    return {"shot", "die", "enemybullet", "enemylaser", "enemydie", "enemybigdie",
            "three", "two", "one", "go", "gem", "extralife"};
}
