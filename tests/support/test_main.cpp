// Test entry point: headless Allegro, then every test of the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "support/headless.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (const char* run_dir = std::getenv("ZENVAR_RUN_DIR")) {
        if (chdir(run_dir) != 0) return 2;
    }
    testing_support::initHeadlessAllegro();
    return RUN_ALL_TESTS();
}
