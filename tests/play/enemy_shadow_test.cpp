// The shadow's three bullets: one per call, first idle one first.
#include <gtest/gtest.h>

#include "play/enemy_fixture.h"

using namespace enemy_testing;

TEST(ShadowFiring, LaunchesOneBulletPerCallUpToThree) {
    GraphicLibrary library;
    Shadow shadow(&library);
    shadow.setPosition(100, 100);
    shadow.fire(nullptr);
    EXPECT_EQ(activeShots(&shadow), std::vector<int>({0}));
    EXPECT_EQ(shadow.getShot(0)->getX(), 115.0);
    EXPECT_EQ(shadow.getShot(0)->getY(), 115.0);
    shadow.fire(nullptr);
    EXPECT_EQ(activeShots(&shadow), std::vector<int>({0, 1}));
    shadow.fire(nullptr);
    EXPECT_EQ(activeShots(&shadow), std::vector<int>({0, 1, 2}));

    shadow.updateShots();
    shadow.fire(nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(shadow.getShot(i)->getY(), 111.0, 1e-4) << "no bullet relaunched while all fly";

    // Bullet 0 leaves the field while bullet 1 still flies: bullet 0 goes next.
    shadow.getShot(0)->setPosition(100, -13);
    shadow.getShot(2)->setActive(false);
    shadow.updateShots();
    EXPECT_EQ(activeShots(&shadow), std::vector<int>({1}));
    shadow.fire(nullptr);
    EXPECT_EQ(activeShots(&shadow), std::vector<int>({0, 1}));
    EXPECT_EQ(shadow.getShot(0)->getY(), 115.0);
    shadow.releaseGraphics(&library);
}
