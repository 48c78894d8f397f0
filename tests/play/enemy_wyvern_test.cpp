// The wyvern's three-way volleys and the groups they are launched from.
#include <gtest/gtest.h>

#include "core/whole_fixed.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

TEST(WyvernVolley, ThreeBulletsFanOutFortyFiveDegreesAndAreDrawnAtTheHeading) {
    PrivateArt art;
    art.markNumbered("sprites/bullets/enemybullet", 2);
    GraphicLibrary library;
    Wyvern wyvern(&library);
    wyvern.setPosition(200, 150);
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({0, 3, 6}));
    struct Flight { int shot; double vx, vy; };
    const Flight headingUp[] = {{0, 0, -4}, {3, 2.83, -2.83}, {6, -2.83, -2.83}};
    for (const Flight& f : headingUp) {
        SCOPED_TRACE(f.shot);
        EnemyShot* bullet = wyvern.getShot(f.shot);
        EXPECT_EQ(bullet->getX(), 244.0);
        EXPECT_EQ(bullet->getY(), 194.0);
        EXPECT_NEAR(bullet->getVX(), f.vx, 0.005);
        EXPECT_NEAR(bullet->getVY(), f.vy, 0.005);
        EXPECT_EQ(bullet->getAngle(), 0);
    }

    // Facing right, the right-hand bullet heads down-right and all are drawn facing right.
    wyvern.setAngle(wholeFixed(64));
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({0, 1, 3, 4, 6, 7}));
    const Flight headingRight[] = {{1, 4, 0}, {4, 2.83, 2.83}, {7, 2.83, -2.83}};
    for (const Flight& f : headingRight) {
        SCOPED_TRACE(f.shot);
        EXPECT_NEAR(wyvern.getShot(f.shot)->getVX(), f.vx, 0.005);
        EXPECT_NEAR(wyvern.getShot(f.shot)->getVY(), f.vy, 0.005);
        EXPECT_EQ(wyvern.getShot(f.shot)->getAngle(), wholeFixed(64));
    }

    // A side bullet really is drawn turned to the heading, not to its own direction.
    NumberedImages bullet(&library, "sprites/bullets/enemybullet", 2);
    std::vector<std::function<void(BITMAP*)>> candidates = bullet.pictures(50, 60, true, wholeFixed(64));
    candidates.push_back(bullet.pictures(50, 60, true, wholeFixed(96))[1]);  // its own direction
    wyvern.getShot(4)->setPosition(50.5, 60.5);
    EXPECT_EQ(whichPicture([&](BITMAP* dest) { wyvern.getShot(4)->draw(dest); }, candidates), 1);
    wyvern.releaseGraphics(&library);
}

TEST(WyvernVolley, AGroupIsReusedOnlyWhenAllThreeOfItsBulletsAreIdle) {
    GraphicLibrary library;
    Wyvern wyvern(&library);
    wyvern.setPosition(100, 100);
    for (int volley = 0; volley < 4; ++volley) wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern).size(), 9u);

    // Group 0 has two bullets back, but its left-hand one still flies.
    wyvern.getShot(0)->setActive(false);
    wyvern.getShot(3)->setActive(false);
    wyvern.getShot(6)->setPosition(10, 10);
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({1, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(wyvern.getShot(6)->getX(), 10.0);

    // A group further on that is wholly idle is used even when an earlier one is half busy.
    wyvern.getShot(2)->setActive(false);
    wyvern.getShot(5)->setActive(false);
    wyvern.getShot(8)->setActive(false);
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern), std::vector<int>({1, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(wyvern.getShot(8)->getX(), 144.0);

    wyvern.getShot(6)->setActive(false);
    wyvern.fire(nullptr);
    EXPECT_EQ(activeShots(&wyvern).size(), 9u);
    EXPECT_EQ(wyvern.getShot(6)->getX(), 144.0);
    wyvern.releaseGraphics(&library);
}
