// The ship: movement and the field clamp, the laser edges, and the
// tolerances of the shapes its points make.
#include <functional>

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
};

// Every key family and the stick move 4 pixels, left and up winning a tie, the
// stick needing more than 75 or a digital direction; the field clamps the ship.
TEST_F(ShipTest, MovementKeysAndStickMoveFourPixelsInsideTheField) {
    JOYSTICK_AXIS_INFO* axis = joy[0].stick[0].axis;
    const struct { std::vector<int> keys; std::function<void()> stick; int fromX, fromY, x, y; } cases[] = {
        {{KEY_4_PAD, KEY_D}, {}, 301, 221, 297, 221},
        {{KEY_W, KEY_2_PAD}, {}, 301, 221, 301, 217},
        {{}, [&] { axis[0].pos = -75, axis[1].pos = 75; }, 301, 221, 301, 221},
        {{}, [&] { axis[0].pos = -76, axis[1].pos = 76; }, 301, 221, 297, 225},
        {{}, [&] { axis[0].d2 = 1, axis[1].d1 = 1; }, 301, 221, 305, 217},
        {{KEY_RIGHT}, {}, 606, 100, 608, 100},
        {{KEY_LEFT, KEY_UP}, {}, 2, 2, 0, 0},
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

// Where a drawn shape stops counting: depths, widths, arm lengths, leaning.
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
        for (const Point& p : c.points) gryffon->addPoint(p.x, p.y);
        EXPECT_EQ(gryffon->getActiveShape(), c.shape) << c.what;
    }
}

}  // namespace
