// Scratch folders of real bitmap files for the graphics kit tests.
//
// The graphic library and the font read files by path, so each test writes the
// images it needs into a fresh folder under /tmp and works from there; the run
// folder's own assets are never touched.
#pragma once

#include <allegro.h>

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    // Writes a 16x16 image filled with one colour, in a sub-folder if the name has one.
    void writeImage(const std::string& name, int colour, int width = 16, int height = 16) const;
    void writeBitmap(const std::string& name, BITMAP* bitmap) const;
    // Makes the folder the working directory until leave() or destruction.
    void enter();
    void leave();

private:
    std::string root;
    std::string previous;
};
