// A folder of its own under /tmp for tests that read or write files by path.
#pragma once

#include <string>

namespace testing_support {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();  // back to `home` and the folder removed with all it holds
    void enter();      // makes it the working directory

    std::string path, home;  // home: the working directory it was made in
};

}  // namespace testing_support
