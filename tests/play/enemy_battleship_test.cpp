// The big battleship's laser stream: one laser per call from a pool of 25.
#include <gtest/gtest.h>

#include "core/whole_fixed.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

TEST(BattleshipStream, LasersLeaveInOrderOneFrameApartAndPauseWhenAllFly) {
    GraphicLibrary library;
    BigBattleship ship(&library);
    ship.setPosition(272, 384);  // muzzle at (316, 428), heading up
    for (int frame = 0; frame < 25; ++frame) {
        ship.fire(nullptr);
        ship.updateShots();
        EXPECT_EQ(activeShots(&ship).size(), static_cast<size_t>(frame + 1));
    }
    for (int i = 0; i < 25; ++i) {
        EXPECT_NEAR(ship.getShot(i)->getY(), 428.0 - 4.0 * (25 - i), 1e-4) << i;
        EXPECT_EQ(ship.getShot(i)->getX(), 316.0) << i;
    }
    // All in flight: the stream pauses until the first laser leaves the top edge.
    int paused = 0;
    while (ship.getShot(0)->isActive()) {
        ship.fire(nullptr);
        ship.updateShots();
        ++paused;
    }
    // Laser 0 is at 328 and is retired on reaching -16 or less: 86 more frames.
    EXPECT_EQ(paused, 86);
    ship.fire(nullptr);
    EXPECT_TRUE(ship.getShot(0)->isActive());
    EXPECT_EQ(ship.getShot(0)->getY(), 428.0);
    ship.releaseGraphics(&library);
}

TEST(BattleshipStream, ReusesTheLowestNumberedIdleLaser) {
    GraphicLibrary library;
    BigBattleship ship(&library);
    ship.setPosition(100, 100);
    ship.setAngle(wholeFixed(128));
    for (int frame = 0; frame < 25; ++frame) ship.fire(nullptr);
    ship.getShot(17)->setPosition(100, 478);
    ship.getShot(9)->setPosition(100, 477);
    ship.getShot(9)->setVelocity(0, 2);
    ship.updateShots();
    EXPECT_FALSE(ship.getShot(17)->isActive());
    EXPECT_TRUE(ship.getShot(9)->isActive());
    ship.getShot(9)->setActive(false);

    ship.fire(nullptr);
    EXPECT_TRUE(ship.getShot(9)->isActive());
    EXPECT_EQ(ship.getShot(9)->getY(), 144.0);
    EXPECT_NEAR(ship.getShot(9)->getVY(), 4.0, 1e-4);
    EXPECT_EQ(ship.getShot(9)->getAngle(), wholeFixed(128));
    EXPECT_FALSE(ship.getShot(17)->isActive());
    ship.fire(nullptr);
    EXPECT_TRUE(ship.getShot(17)->isActive());
    ship.releaseGraphics(&library);
}
