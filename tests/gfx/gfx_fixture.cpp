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
    if (!previous.empty() && chdir(previous.c_str()) != 0) return;
    if (std::system(("rm -rf '" + root + "'").c_str()) != 0) return;
}

void ScratchFolder::writeImage(const std::string& name, int colour, int width, int height) const {
    std::string full = root + "/" + name;
    if (std::system(("mkdir -p '" + full.substr(0, full.rfind('/')) + "'").c_str()) != 0) throw std::runtime_error("mkdir");
    BITMAP* image = create_bitmap(width, height);
    clear_to_color(image, colour);
    int failed = save_bmp(full.c_str(), image, nullptr);
    destroy_bitmap(image);
    if (failed) throw std::runtime_error("cannot write " + full);
}

void ScratchFolder::enter() {
    char here[4096];
    if (!getcwd(here, sizeof here)) throw std::runtime_error("getcwd failed");
    previous = here;
    if (chdir(root.c_str()) != 0) throw std::runtime_error("chdir failed");
}
