// The blade's chain: where the links hang while it flies, how the chain
// dissolves when it explodes, and that nothing but update moves a link.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "core/whole_fixed.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

namespace {

// A blade placed and aimed as the round loop does it.
Blade* placedBlade(GraphicLibrary* library, double x, double y, int heading) {
    Blade* blade = new Blade(library);
    blade->setPosition(x, y);
    blade->setAngle(wholeFixed(heading));
    blade->setVelocityFromAngle();
    return blade;
}

}  // namespace

// No link waits in the corner before the blade flies; then on a straight
// course link m hangs where the blade's centre was 2m updates ago, or at the start.
TEST(BladeChain, OnAStraightCourseLinksFollowEightPixelsApart) {
    GraphicLibrary library;
    Blade* blade = placedBlade(&library, 300, 400, 0);  // velocity (0, -4)
    EXPECT_TRUE(activeShots(blade).empty());
    for (int n = 1; n <= 29; ++n) {
        blade->update();
        if (n != 1 && n != 28 && n != 29) continue;
        SCOPED_TRACE(n);
        for (int m = 0; m < Blade::LINKS; ++m) {
            EXPECT_TRUE(blade->getShot(m)->isActive()) << m;
            EXPECT_EQ(blade->getShot(m)->getX(), 312.0) << m;
            EXPECT_EQ(blade->getShot(m)->getY(), 412.0 - 4.0 * std::max(0, n - 2 * m)) << m;
            EXPECT_EQ(blade->getShot(m)->getAngle(), 0) << m;
        }
    }
    retire(blade, &library);
}

TEST(BladeChain, EveryLinkLiesOnTheBladesOwnPathFromTheFirstFrame) {
    GraphicLibrary library;
    Blade* blade = placedBlade(&library, 250.6, 180.3, 64);
    std::set<std::pair<int, int>> path;
    path.insert({250 + 12, 180 + 12});
    for (int frame = 0; frame < 60; ++frame) {
        blade->turn(frame < 30 ? 3 : -2);
        blade->update();
        path.insert({static_cast<int>(blade->getX()) + 12, static_cast<int>(blade->getY()) + 12});
        for (int m = 0; m < Blade::LINKS; ++m) {
            EnemyShot* link = blade->getShot(m);
            ASSERT_TRUE(link->isActive());
            std::pair<int, int> at(static_cast<int>(link->getX()), static_cast<int>(link->getY()));
            ASSERT_TRUE(path.count(at)) << "frame " << frame << " link " << m << " at " << at.first << ","
                                        << at.second;
        }
    }
    retire(blade, &library);
}

TEST(BladeChain, DissolvesFromTheBladeOutwardAndKeepsLinkZeroToTheEnd) {
    GraphicLibrary library;
    Blade* blade = placedBlade(&library, 200, 200, 64);
    for (int n = 0; n < 30; ++n) blade->update();
    std::vector<std::pair<double, double>> hung;
    for (int m = 0; m < Blade::LINKS; ++m) hung.push_back({blade->getShot(m)->getX(), blade->getShot(m)->getY()});

    blade->setHitPoints(0);
    BITMAP* canvas = create_bitmap(640, 480);
    for (int frame = 1; frame <= 19; ++frame) {
        blade->update();
        blade->draw(canvas);
        for (int m = 0; m < Blade::LINKS; ++m) {
            bool shouldBeActive = m == 0 || m > frame;
            EXPECT_EQ(blade->getShot(m)->isActive(), shouldBeActive) << "frame " << frame << " link " << m;
            EXPECT_EQ(blade->getShot(m)->getX(), hung[m].first) << "links stay where the blade was hit";
        }
    }
    EXPECT_TRUE(blade->isFinished());
    EXPECT_TRUE(blade->getShot(0)->isActive());
    destroy_bitmap(canvas);
    retire(blade, &library);
}

TEST(BladeChain, FireAndShotMovementNeverTouchTheLinks) {
    GraphicLibrary library;
    Blade* blade = placedBlade(&library, 300, 300, 192);
    for (int n = 0; n < 10; ++n) blade->update();
    // Give the links velocities so that moving them by velocity would show.
    for (int m = 0; m < Blade::LINKS; ++m) blade->getShot(m)->setVelocity(5, -5);
    blade->getShot(3)->setActive(false);
    std::vector<std::pair<double, double>> before;
    for (int m = 0; m < Blade::LINKS; ++m) before.push_back({blade->getShot(m)->getX(), blade->getShot(m)->getY()});

    for (int n = 0; n < 5; ++n) {
        blade->fire(nullptr);
        blade->updateShots();
    }
    for (int m = 0; m < Blade::LINKS; ++m) {
        EXPECT_EQ(blade->getShot(m)->getX(), before[m].first) << m;
        EXPECT_EQ(blade->getShot(m)->getY(), before[m].second) << m;
        EXPECT_EQ(blade->getShot(m)->getAngle(), 0) << m;
        EXPECT_EQ(blade->getShot(m)->isActive(), m != 3) << m;
    }
    retire(blade, &library);
}
