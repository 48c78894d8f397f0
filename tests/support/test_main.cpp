// Test entry point: headless Allegro, then every test of the program (ctest runs it in the run folder).
#include <gtest/gtest.h>

#include "support/headless.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::initHeadlessAllegro();
    return RUN_ALL_TESTS();
}
