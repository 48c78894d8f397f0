// A scratch folder under /tmp for graphics tests that load files by path: they
// write the images they need there and work from it, away from the run folder.
#pragma once

#include <allegro.h>

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();  // returns to the previous folder and removes this one
    // A one-colour image, in a sub-folder if the name has one.
    void writeImage(const std::string& name, int colour, int width = 16, int height = 16) const;
    void enter();  // makes the folder the working directory

private:
    std::string root, previous;
};
