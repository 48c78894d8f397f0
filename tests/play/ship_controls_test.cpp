// The ship's controls: movement and its priorities, the field clamp, aim,
// the fire cadence, volleys, the laser pool and the hit sequence.
#include <functional>

#include "core/whole_fixed.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class ShipTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        freshShip();
        gryffon->reset();
        gryffon->setPosition(301, 221);
        drawUntilHitCounter(-1, scratch);
    }
    void steer() { steerShip(gryffon, fire_counter, right_click_latch, sound_bank); }
    void moveWith(int k, int x = 301, int y = 221) {
        gryffon->setPosition(x, y);
        key[k] = 1;
        steer();
        key[k] = 0;
    }
    // Lasers placed by one volley, in slot order, as headings in whole units.
    std::vector<int> volleyHeadings() {
        std::vector<int> headings;
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i)
            if (gryffon->getLaser(i)->isActive()) headings.push_back(fixtoi(gryffon->getLaser(i)->getAngle()));
        return headings;
    }
    void clearLasers() {
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    }
    // Points that make a shape, placed in one go.
    void gainShape(int shape) {
        static const int points[5][4][2] = {{},
                                            {{90, 180}, {40, 280}, {140, 280}, {-1, -1}},
                                            {{260, 370}, {380, 370}, {380, 430}, {260, 430}},
                                            {{500, 180}, {600, 180}, {550, 280}, {-1, -1}},
                                            {{316, 180}, {316, 240}, {316, 300}, {-1, -1}}};
        for (const auto& p : points[shape])
            if (p[0] >= 0) gryffon->addPoint(p[0], p[1]);
        ASSERT_EQ(gryffon->getActiveShape(), shape);
    }
};

// Keys (arrows, keypad, WASD) and the stick move 4 pixels, left and up winning
// a tie; the stick needs more than 75 or a digital direction.
TEST_F(ShipTest, EveryMovementKeyAndStickMovesFourPixelsWithLeftAndUpWinning) {
    JOYSTICK_AXIS_INFO* axis = joy[0].stick[0].axis;
    const struct {
        std::vector<int> keys;
        std::function<void()> stick;
        int x, y;
    } cases[] = {
        {{KEY_LEFT}, {}, 297, 221},  {{KEY_4_PAD}, {}, 297, 221}, {{KEY_A}, {}, 297, 221},
        {{KEY_RIGHT}, {}, 305, 221}, {{KEY_6_PAD}, {}, 305, 221}, {{KEY_D}, {}, 305, 221},
        {{KEY_UP}, {}, 301, 217},    {{KEY_8_PAD}, {}, 301, 217}, {{KEY_W}, {}, 301, 217},
        {{KEY_DOWN}, {}, 301, 225},  {{KEY_2_PAD}, {}, 301, 225}, {{KEY_S}, {}, 301, 225},
        {{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}, {}, 297, 217},
        {{}, [&] { axis[0].pos = -75, axis[1].pos = 75; }, 301, 221},
        {{}, [&] { axis[0].pos = -76, axis[1].pos = 76; }, 297, 225},
        {{}, [&] { axis[0].d2 = 1, axis[1].d1 = 1; }, 305, 217},
        {{}, [&] { axis[0].d1 = 1, axis[1].d2 = 1; }, 297, 225},
    };
    for (const auto& c : cases) {
        testing_support::releaseAllInput();
        gryffon->setPosition(301, 221);
        for (int k : c.keys) key[k] = 1;
        if (c.stick) c.stick();
        steer();
        EXPECT_EQ(gryffon->getX(), c.x) << &c - cases;
        EXPECT_EQ(gryffon->getY(), c.y) << &c - cases;
    }
}

TEST_F(ShipTest, TheShipStaysInsideTheField) {
    const int cases[][5] = {{KEY_RIGHT, 606, 100, 608, 100}, {KEY_RIGHT, 608, 100, 608, 100},
                            {KEY_UP, 100, 0, 100, 0},        {KEY_LEFT, 2, 100, 0, 100},
                            {KEY_DOWN, 100, 440, 100, 442}};
    for (const auto& c : cases) {
        moveWith(c[0], c[1], c[2]);
        EXPECT_EQ(gryffon->getX(), c[3]) << c[1] << "," << c[2];
        EXPECT_EQ(gryffon->getY(), c[4]) << c[1] << "," << c[2];
    }
}

TEST_F(ShipTest, AimFollowsTheMouseClockwiseFromUpAndIsHeldWhileNotControllable) {
    gryffon->setPosition(100, 100);  // centre (118, 118)
    const int aims[][3] = {{118, 118, 0}, {200, 118, 64}, {118, 300, 128}, {0, 118, -64}};
    for (const auto& aim : aims) {
        mouse_x = aim[0], mouse_y = aim[1];
        steer();
        EXPECT_EQ(gryffon->getAngle(), wholeFixed(aim[2])) << aim[0] << "," << aim[1];
    }
    gryffon->takeHit();
    drawUntilHitCounter(74, scratch);
    gryffon->setAngle(wholeFixed(10));
    EXPECT_EQ(fixtoi(gryffon->getAngle()), -64);
    gryffon->draw(scratch);  // 75: controllable again, though not yet blinking
    gryffon->setAngle(wholeFixed(10));
    EXPECT_EQ(fixtoi(gryffon->getAngle()), 10);
}

TEST_F(ShipTest, HoldingFireShootsAtOnceThenEverySixthOrFourthFrame) {
    auto firingFrames = [&](int frames) {
        std::vector<int> fired;
        for (int f = 0; f < frames; ++f) {
            int before = countActiveLasers();
            steer();
            if (countActiveLasers() > before) fired.push_back(f);
        }
        return fired;
    };
    mouse_b = 1;
    EXPECT_EQ(firingFrames(13), (std::vector<int>{0, 6, 12}));
    mouse_b = 0;
    steer();
    EXPECT_EQ(fire_counter, -1);
    mouse_b = 1;
    EXPECT_EQ(firingFrames(2), (std::vector<int>{0}));  // a new press fires at once

    mouse_b = 0;
    steer();
    clearLasers();
    gainShape(SHAPE_VERTICAL_LINE);
    mouse_b = 1;
    EXPECT_EQ(firingFrames(9), (std::vector<int>{0, 4, 8}));
}

TEST_F(ShipTest, EachShapeFiresItsOwnVolleyFromTheGunPoint) {
    gryffon->setPosition(200, 100);
    gryffon->setAngle(wholeFixed(10));
    gryffon->fire(sound_bank);
    EXPECT_EQ(volleyHeadings(), (std::vector<int>{10}));
    GryffonLaser* first = gryffon->getLaser(0);
    EXPECT_DOUBLE_EQ(first->getX(), 211.0);
    EXPECT_DOUBLE_EQ(first->getY(), 111.0);
    EXPECT_NEAR(first->getVX(), 8 * fixtof(fixsin(wholeFixed(10))), 1e-9);
    EXPECT_NEAR(first->getVY(), -8 * fixtof(fixcos(wholeFixed(10))), 1e-9);

    const struct {
        int shape;
        std::vector<int> headings;
    } volleys[] = {{SHAPE_RECTANGLE, {74, 138, 202, 266}}, {SHAPE_V, {2, 10, 18}}, {SHAPE_TRIANGLE, {10, -22, 42}}};
    for (const auto& volley : volleys) {
        freshShip();
        flyingShipAt(200, 100);
        gryffon->setAngle(wholeFixed(10));
        gainShape(volley.shape);
        gryffon->fire(sound_bank);
        EXPECT_EQ(volleyHeadings(), volley.headings) << "shape " << volley.shape;
    }
}

TEST_F(ShipTest, TheTriangleSweepSwingsBetween24And96UnitsInStepsOf8) {
    gainShape(SHAPE_TRIANGLE);
    std::vector<int> offsets;
    for (int volley = 0; volley < 20; ++volley) {
        gryffon->fire(sound_bank);
        offsets.push_back(gryffon->getSweepOffset());
        clearLasers();
    }
    EXPECT_EQ(offsets, (std::vector<int>{-32, -24, -32, -40, -48, -56, -64, -72, -80, -88, -96, -88, -80, -72, -64,
                                         -56, -48, -40, -32, -24}));
}

TEST_F(ShipTest, AnEmptyPoolCutsTheVolleyShort) {
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(true);
    gryffon->fire(sound_bank);
    EXPECT_EQ(countActiveLasers(), GRYFFON_LASER_COUNT);

    gainShape(SHAPE_RECTANGLE);
    gryffon->setAngle(0);
    gryffon->getLaser(7)->setActive(false);
    gryffon->getLaser(31)->setActive(false);
    gryffon->fire(sound_bank);
    EXPECT_EQ(countActiveLasers(), GRYFFON_LASER_COUNT);
    EXPECT_EQ(fixtoi(gryffon->getLaser(7)->getAngle()), 64);
    EXPECT_EQ(fixtoi(gryffon->getLaser(31)->getAngle()), 128);
}

TEST_F(ShipTest, LasersRetireJustOutsideTheWideField) {
    struct Case { double x, y; bool staysActive; };
    const Case cases[] = {{649.5, 100, true}, {650, 100, false}, {-15.5, 100, true}, {-16, 100, false},
                          {100, -16, false}, {100, -15.5, true},  {100, 479.5, true}, {100, 480, false}};
    for (const Case& c : cases) {
        GryffonLaser* laser = gryffon->getLaser(0);
        laser->setPosition(c.x, c.y);
        laser->setVelocity(0, 0);
        laser->setActive(true);
        gryffon->update();
        EXPECT_EQ(laser->isActive(), c.staysActive) << c.x << "," << c.y;
    }
    GryffonLaser* laser = gryffon->getLaser(0);
    laser->setPosition(641.5, 100);
    laser->setVelocity(8, 0);
    laser->setActive(true);
    gryffon->update();  // the move comes before the bounds test
    EXPECT_TRUE(laser->isActive());
    EXPECT_DOUBLE_EQ(laser->getX(), 649.5);
    gryffon->update();
    EXPECT_FALSE(laser->isActive());
}

TEST_F(ShipTest, AHitRunsExplosionHiddenBlinkingAndBackToFlying) {
    EXPECT_TRUE(gryffon->isVulnerable());
    gryffon->addPoint(10, 10);
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getLives(), 2);
    EXPECT_EQ(gryffon->getHitCounter(), 0);
    EXPECT_EQ(gryffon->getPointX(0), -1);
    EXPECT_EQ(gryffon->getPointsTimer(), -1);
    EXPECT_FALSE(gryffon->isVulnerable());
    gryffon->takeHit();  // not flying: nothing happens
    EXPECT_EQ(gryffon->getLives(), 2);
    EXPECT_EQ(gryffon->getHitCounter(), 0);

    gryffon->addPoint(50, 50);  // not controllable while exploding
    EXPECT_EQ(gryffon->getPointX(0), -1);
    drawUntilHitCounter(75, scratch);
    gryffon->addPoint(50, 50);
    EXPECT_EQ(gryffon->getPointX(0), 50);
    drawUntilHitCounter(199, scratch);
    EXPECT_FALSE(gryffon->isVulnerable());
    gryffon->draw(scratch);
    EXPECT_EQ(gryffon->getHitCounter(), -1);
    EXPECT_TRUE(gryffon->isVulnerable());

    gryffon->takeHit();
    drawUntilHitCounter(-1, scratch);
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getLives(), 0);
    for (int i = 0; i < 250; ++i) gryffon->draw(scratch);
    EXPECT_EQ(gryffon->getHitCounter(), 20);  // the last ship stays gone
    EXPECT_FALSE(gryffon->isVulnerable());
}

TEST_F(ShipTest, TheExplosionShowsItsFiveImagesFourCountsEachThenNothing) {
    gryffon->setPosition(100, 100);
    gryffon->setAngle(0);
    gryffon->takeHit();
    BITMAP* expected = create_bitmap(640, 480);
    BITMAP* images[5];
    for (int i = 0; i < 5; ++i)
        images[i] = graphic_library->acquire("sprites/gryffon/gryffonexplode" + std::to_string(i + 1) + ".bmp");
    for (int count = 1; count <= 24; ++count) {
        clear_bitmap(scratch);
        clear_bitmap(expected);
        gryffon->draw(scratch);
        ASSERT_EQ(gryffon->getHitCounter(), count);
        if (count < 20) rotateSprite(expected, images[count / 4], 100, 100, 0);
        EXPECT_TRUE(sameRegion(scratch, expected, 90, 90, 60, 60)) << "count " << count;
    }
    for (BITMAP* image : images) graphic_library->release(image);
    destroy_bitmap(expected);
}

TEST_F(ShipTest, ThrustShowsOneFrameAfterMovementStartsAndTheIdleSpriteReturnsAtRest) {
    steer();  // at rest: both idle marks set
    EXPECT_EQ(gryffon->getFrame(), 2);
    key[KEY_LEFT] = 1;
    steer();
    EXPECT_EQ(gryffon->getFrame(), 2);  // the marks still read "at rest" on this first move
    steer();
    EXPECT_EQ(gryffon->getFrame(), 0);
    std::vector<int> frames;
    for (int i = 0; i < 7; ++i) {
        gryffon->draw(scratch);
        frames.push_back(gryffon->getFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 1, 0, 0}));
    key[KEY_LEFT] = 0;
    key[KEY_UP] = 1;
    steer();  // switching axes reads both marks set for a moment: idle sprite
    EXPECT_EQ(gryffon->getFrame(), 2);
    steer();
    EXPECT_EQ(gryffon->getFrame(), 0);
    key[KEY_UP] = 0;
    steer();
    EXPECT_EQ(gryffon->getFrame(), 2);
}

TEST_F(ShipTest, ARespawnedShipBlinksThreeFramesOnThreeOff) {
    gryffon->setPosition(100, 100);
    gryffon->reset();  // count 75
    std::vector<bool> shown;
    for (int i = 0; i < 12; ++i) {
        clear_bitmap(scratch);
        gryffon->draw(scratch);
        shown.push_back(regionHasPaint(scratch, 100, 100, 37, 37));
    }
    // Counts 76..87: visible where count mod 6 < 3.
    EXPECT_EQ(shown, (std::vector<bool>{0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0}));
}

}  // namespace
