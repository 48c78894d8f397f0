#include "core/game_files.h"

#include <allegro.h>

#include <cstdio>

#include "core/platform.h"
#include "core/true_colour_bmp.h"

namespace {
// Any picture every run loads tells the game's own folder from a stranger's.
const char* const GAME_FILE_MARK = "backgrounds/titlebg.bmp";

void sayMissing(const std::string& path) {
    std::fprintf(stderr, "Zenvar: missing picture %s/%s\n", currentFolder().c_str(), path.c_str());
}
}  // namespace

void enterGameFolder() {
    if (mayReadFile(GAME_FILE_MARK)) return;
    std::string folder = executableFolder();
    if (!folder.empty()) enterFolder(folder);
}

bool pictureFileReadable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        sayMissing(path);
        return false;
    }
    std::fclose(file);
    return true;
}

BITMAP* loadPicture(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {  // not tried a second time by Allegro's loader
        sayMissing(path);
        return nullptr;
    }
    BITMAP* picture = readTrueColourBmp(file);
    std::fclose(file);
    if (!picture) picture = load_bitmap(path.c_str(), nullptr);
    if (!picture) sayMissing(path);
    return picture;
}

void destroyAndForget(BITMAP*& picture) {
    if (picture) destroy_bitmap(picture);
    picture = nullptr;
}
