#include "core/game_files.h"

#include <allegro.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>

#include "core/true_colour_bmp.h"

namespace {
// Any picture every run loads tells the game's own folder from a stranger's.
const char* const GAME_FILE_MARK = "backgrounds/titlebg.bmp";

std::string executableFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) return "";
    std::string executable(path, static_cast<size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

std::string currentFolder() {
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) ? path : ".";
}

void sayMissing(const std::string& path) {
    std::fprintf(stderr, "Zenvar: missing picture %s/%s\n", currentFolder().c_str(), path.c_str());
}
}  // namespace

void enterGameFolder() {
    if (access(GAME_FILE_MARK, R_OK) == 0) return;
    std::string folder = executableFolder();
    if (!folder.empty() && chdir(folder.c_str()) != 0) std::perror(folder.c_str());
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
