// The ship: movement and the field clamp, aim, the fire cadence, volleys and
// the laser pool, the hit sequence, and the points that make shapes.
#include <algorithm>
#include <functional>

#include "core/whole_fixed.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

struct Point { int x, y; };

class ShipTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        freshShip();
        flyingShipAt(301, 221);
    }
    void steer() { steerShip(gryffon, fire_counter, right_click_latch, sound_bank); }
    std::vector<int> volleyHeadings() {
        std::vector<int> headings;
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i)
            if (gryffon->getLaser(i)->isActive()) headings.push_back(fixtoi(gryffon->getLaser(i)->getAngle()));
        return headings;
    }
    // Places the points one by one; returns the shape after each point.
    std::vector<int> place(const std::vector<Point>& points) {
        std::vector<int> shapes;
        for (const Point& p : points) {
            gryffon->addPoint(p.x, p.y);
            shapes.push_back(gryffon->getActiveShape());
        }
        return shapes;
    }
    int storedPoints() {
        int n = 0;
        for (int i = 0; i < GRYFFON_POINT_COUNT; ++i) n += gryffon->getPointX(i) != -1;
        return n;
    }
};

// The shapes of the controls screen, by shape id.
const std::vector<Point> SHAPE_POINTS[5] = {{},
                                            {{90, 180}, {40, 280}, {140, 280}},
                                            {{260, 370}, {380, 370}, {380, 430}, {260, 430}},
                                            {{500, 180}, {600, 180}, {550, 280}},
                                            {{316, 180}, {316, 240}, {316, 300}}};

// Keys and stick move 4 pixels, left and up winning a tie, the stick needing
// more than 75 or a digital direction; the ship stays inside the field.
TEST_F(ShipTest, MovementKeysAndStickMoveFourPixelsInsideTheField) {
    JOYSTICK_AXIS_INFO* axis = joy[0].stick[0].axis;
    const struct {
        std::vector<int> keys;
        std::function<void()> stick;
        int fromX, fromY, x, y;
    } cases[] = {
        {{KEY_4_PAD, KEY_D}, {}, 301, 221, 297, 221},
        {{KEY_W, KEY_2_PAD}, {}, 301, 221, 301, 217},
        {{KEY_A, KEY_6_PAD}, {}, 301, 221, 297, 221},
        {{KEY_8_PAD, KEY_S}, {}, 301, 221, 301, 217},
        {{}, [&] { axis[0].pos = -75, axis[1].pos = 75; }, 301, 221, 301, 221},
        {{}, [&] { axis[0].pos = -76, axis[1].pos = 76; }, 301, 221, 297, 225},
        {{}, [&] { axis[0].d2 = 1, axis[1].d1 = 1; }, 301, 221, 305, 217},
        {{KEY_RIGHT}, {}, 606, 100, 608, 100},  {{KEY_LEFT, KEY_UP}, {}, 2, 2, 0, 0},
        {{KEY_DOWN}, {}, 100, 440, 100, 442},
    };
    for (const auto& c : cases) {
        testing_support::releaseAllInput();
        gryffon->setPosition(c.fromX, c.fromY);
        for (int k : c.keys) key[k] = 1;
        if (c.stick) c.stick();
        steer();
        EXPECT_EQ(gryffon->getX(), c.x) << &c - cases;
        EXPECT_EQ(gryffon->getY(), c.y) << &c - cases;
    }
}

// Aim turns clockwise from up towards the mouse; it is held while the ship is
// not controllable (hit counts 0..74).
TEST_F(ShipTest, AimFollowsTheMouseAndIsHeldWhileNotControllable) {
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
    mouse_b = 1;
    EXPECT_EQ(firingFrames(2), (std::vector<int>{0}));  // a new press fires at once
    mouse_b = 0;
    steer();
    place(SHAPE_POINTS[SHAPE_VERTICAL_LINE]);
    mouse_b = 1;
    EXPECT_EQ(firingFrames(9), (std::vector<int>{0, 4, 8}));
}

// Lasers leave the gun point at 8 pixels a frame; each shape fires its own
// volley; the triangle's side lasers sweep between 24 and 96 units.
TEST_F(ShipTest, EachShapeFiresItsOwnVolley) {
    gryffon->setPosition(200, 100);
    gryffon->setAngle(wholeFixed(10));
    gryffon->fire(sound_bank);
    EXPECT_EQ(volleyHeadings(), (std::vector<int>{10}));
    GryffonLaser* first = gryffon->getLaser(0);
    EXPECT_DOUBLE_EQ(first->getX(), 211.0);
    EXPECT_DOUBLE_EQ(first->getY(), 111.0);
    EXPECT_NEAR(first->getVX(), 8 * fixtof(fixsin(wholeFixed(10))), 1e-9);

    const struct { int shape; std::vector<int> headings; } volleys[] = {
        {SHAPE_RECTANGLE, {74, 138, 202, 266}}, {SHAPE_V, {2, 10, 18}}, {SHAPE_TRIANGLE, {10, -22, 42}}};
    for (const auto& volley : volleys) {
        freshShip();
        flyingShipAt(200, 100);
        gryffon->setAngle(wholeFixed(10));
        place(SHAPE_POINTS[volley.shape]);
        gryffon->fire(sound_bank);
        EXPECT_EQ(volleyHeadings(), volley.headings) << "shape " << volley.shape;
    }
    std::vector<int> offsets;
    for (int volley = 0; volley < 11; ++volley) {
        gryffon->fire(sound_bank);
        offsets.push_back(gryffon->getSweepOffset());
    }
    EXPECT_EQ(offsets, (std::vector<int>{-24, -32, -40, -48, -56, -64, -72, -80, -88, -96, -88}));
}

// Lasers move first, then retire outside x -16..650, y -16..480.
TEST_F(ShipTest, LasersRetireJustOutsideTheWideField) {
    const struct { double x, y; bool staysActive; } cases[] = {
        {641.5, 100, true}, {642, 100, false}, {-7.5, 100, true}, {-8, 100, false},
        {100, -8, false},   {100, -7.5, true}, {100, 471.5, true}, {100, 472, false}};
    GryffonLaser* laser = gryffon->getLaser(0);
    for (const auto& c : cases) {
        laser->setPosition(c.x, c.y);
        laser->setVelocity(c.x > 600 ? 8 : c.x < 0 ? -8 : 0, c.y < 0 ? -8 : c.y > 400 ? 8 : 0);
        laser->setActive(true);
        gryffon->update();
        EXPECT_EQ(laser->isActive(), c.staysActive) << c.x << "," << c.y;
    }
}

// Explosion (counts 0-19), hidden (to 75), blinking (76-199), flying again;
// nothing hits it meanwhile, and the last ship stays gone.
TEST_F(ShipTest, AHitRunsExplosionHiddenBlinkingAndBackToFlying) {
    gryffon->addPoint(10, 10);
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getLives(), 2);
    EXPECT_EQ(gryffon->getPointX(0), -1);
    EXPECT_FALSE(gryffon->isVulnerable());
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getLives(), 2);
    drawUntilHitCounter(199, scratch);
    EXPECT_FALSE(gryffon->isVulnerable());
    gryffon->draw(scratch);
    EXPECT_EQ(gryffon->getHitCounter(), -1);
    gryffon->takeHit();
    drawUntilHitCounter(-1, scratch);
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getLives(), 0);
    for (int i = 0; i < 250; ++i) gryffon->draw(scratch);
    EXPECT_EQ(gryffon->getHitCounter(), 20);
    EXPECT_FALSE(gryffon->isVulnerable());
}

TEST_F(ShipTest, EachShapeIsRecognisedInEveryOrderOfItsPoints) {
    for (int shape = SHAPE_TRIANGLE; shape <= SHAPE_VERTICAL_LINE; ++shape) {
        std::vector<int> order(SHAPE_POINTS[shape].size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        do {
            flyingShipAt(301, 221);
            std::vector<Point> points;
            for (int i : order) points.push_back(SHAPE_POINTS[shape][i]);
            std::vector<int> expected(points.size(), SHAPE_NONE);
            expected.back() = shape;
            EXPECT_EQ(place(points), expected) << "shape " << shape;
            EXPECT_EQ(storedPoints(), 0);
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

TEST_F(ShipTest, ShapeTolerancesHoldAtTheirEdges) {
    const struct { std::vector<Point> points; int shape; const char* what; } cases[] = {
        {{{0, 0}, {100, 0}, {50, 40}}, SHAPE_V, "V exactly 40 deep"},
        {{{0, 0}, {100, 0}, {50, 39}}, SHAPE_NONE, "V 39 deep"},
        {{{0, 0}, {24, 0}, {12, 40}}, SHAPE_NONE, "V 24 wide"},
        {{{0, 0}, {100, 0}, {66, 40}}, SHAPE_NONE, "V arms differing by 32"},
        {{{50, 0}, {0, 40}, {100, 40}}, SHAPE_TRIANGLE, "triangle 40 tall"},
        {{{50, 1}, {0, 40}, {100, 40}}, SHAPE_NONE, "triangle 39 tall"},
        {{{50, 0}, {0, 10}, {100, 40}}, SHAPE_NONE, "depth counts from the left point"},
        {{{10, 0}, {41, 50}, {10, 100}}, SHAPE_NONE, "line leaning 31"},
        {{{10, 0}, {10, 20}, {10, 40}}, SHAPE_VERTICAL_LINE, "line with 20 gaps"},
        {{{0, 100}, {100, 100}, {0, 101}, {100, 101}}, SHAPE_RECTANGLE, "flat rectangle"},
        {{{0, 0}, {100, 0}, {31, 20}, {130, 50}}, SHAPE_NONE, "leaning rectangle past the edge"},
        {{{100, 100}, {128, 100}, {100, 150}, {128, 150}}, SHAPE_V, "narrow rectangle: a V at its third"},
    };
    for (const auto& c : cases) {
        flyingShipAt(301, 221);
        EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
        EXPECT_EQ(place(c.points).back(), c.shape) << c.what;
    }
}

// Points last 200 frames, shapes 1500; a fifth point is ignored; a hit clears
// both and nothing is placed until count 75.
TEST_F(ShipTest, PointsAndShapesExpireAndAHitClearsThem) {
    place({{0, 0}, {300, 10}, {10, 300}, {200, 200}});
    gryffon->addPoint(400, 400);
    EXPECT_EQ(gryffon->getPointX(3), 200);
    for (int i = 0; i < POINTS_DURATION - 1; ++i) gryffon->update();
    EXPECT_EQ(storedPoints(), 4);
    gryffon->update();
    EXPECT_EQ(storedPoints(), 0);

    place(SHAPE_POINTS[SHAPE_VERTICAL_LINE]);
    for (int i = 0; i < SHAPE_DURATION; ++i) gryffon->update();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_VERTICAL_LINE);
    gryffon->update();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);

    place(SHAPE_POINTS[SHAPE_VERTICAL_LINE]);
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
    drawUntilHitCounter(74, scratch);
    gryffon->addPoint(10, 10);
    EXPECT_EQ(storedPoints(), 0);
    gryffon->draw(scratch);
    gryffon->addPoint(10, 10);
    EXPECT_EQ(storedPoints(), 1);
}

}  // namespace
