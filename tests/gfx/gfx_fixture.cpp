#include "gfx_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/zenvar-gfx-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a scratch folder");
    root = pattern;
}

ScratchFolder::~ScratchFolder() {
    leave();
    std::string command = "rm -rf '" + root + "'";
    if (std::system(command.c_str()) != 0) return;
}

void ScratchFolder::writeImage(const std::string& name, int colour, int width, int height) const {
    BITMAP* image = create_bitmap(width, height);
    clear_to_color(image, colour);
    writeBitmap(name, image);
    destroy_bitmap(image);
}

void ScratchFolder::writeBitmap(const std::string& name, BITMAP* bitmap) const {
    std::string full = file(name);
    std::string folder = full.substr(0, full.rfind('/'));
    std::string command = "mkdir -p '" + folder + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("mkdir failed");
    if (save_bmp(full.c_str(), bitmap, nullptr) != 0) throw std::runtime_error("save_bmp failed");
}

void ScratchFolder::enter() {
    char here[4096];
    if (!getcwd(here, sizeof here)) throw std::runtime_error("getcwd failed");
    previous = here;
    if (chdir(root.c_str()) != 0) throw std::runtime_error("chdir failed");
}

void ScratchFolder::leave() {
    if (previous.empty()) return;
    if (chdir(previous.c_str()) != 0) return;
    previous.clear();
}
