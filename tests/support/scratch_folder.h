// A folder of its own under /tmp for tests that read or write files by path.
#pragma once

#include <string>

namespace testing_support {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();  // back to `home` and the folder removed with all it holds
    void enter();      // makes it the working directory
    // A one-colour picture, in a sub-folder when the name has one.
    void writeImage(const std::string& name, int colour, int width = 16, int height = 16) const;

    std::string path, home;  // home: the working directory it was made in
};

}  // namespace testing_support
