#include "core/game_files.h"

#include <allegro.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>

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
}  // namespace

void enterGameFolder() {
    if (access(GAME_FILE_MARK, R_OK) == 0) return;
    std::string folder = executableFolder();
    if (!folder.empty() && chdir(folder.c_str()) != 0) std::perror(folder.c_str());
}

BITMAP* loadPicture(const std::string& path) {
    BITMAP* picture = load_bitmap(path.c_str(), nullptr);
    if (!picture) std::fprintf(stderr, "Zenvar: missing picture %s/%s\n", currentFolder().c_str(), path.c_str());
    return picture;
}
