#include "support/scratch_folder.h"

#include <allegro.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

ScratchFolder::ScratchFolder() : home(fs::current_path()) {
    char pattern[] = "/tmp/zenvar-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a scratch folder");
    path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(home, ignored);
    fs::remove_all(path, ignored);
}

void ScratchFolder::enter() { fs::current_path(path); }

void ScratchFolder::writeImage(const std::string& name, int colour, int width, int height) const {
    fs::path file = fs::path(path) / name;
    fs::create_directories(file.parent_path());
    BITMAP* image = create_bitmap(width, height);
    clear_to_color(image, colour);
    int failed = save_bmp(file.c_str(), image, nullptr);
    destroy_bitmap(image);
    if (failed) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace testing_support
