#include "support/scratch_folder.h"

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

}  // namespace testing_support
