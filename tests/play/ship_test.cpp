// The ship: movement and the field clamp, the tolerances of the shapes its
// points make, the hit boxes, extra ships and gem pickup.
#include <functional>

#include "round_fixture.h"

namespace {
using namespace round_testing;

using ShipTest = RoundTest;
using HitsTest = RoundTest;

// Every key family and the stick move 4 pixels, left and up winning a tie, the
// stick needing more than 75 or a digital direction; the field clamps the ship.
TEST_F(ShipTest, MovementKeysAndStickMoveFourPixelsInsideTheField) {
    JOYSTICK_AXIS_INFO* axis = joy[0].stick[0].axis;
    const struct { std::vector<int> keys; std::function<void()> stick; int fromX, fromY, x, y; } cases[] = {
        {{KEY_4_PAD, KEY_D}, {}, 301, 221, 297, 221},
        {{KEY_W, KEY_2_PAD}, {}, 301, 221, 301, 217},
        {{KEY_A}, {}, 301, 221, 297, 221},     {{KEY_6_PAD}, {}, 301, 221, 305, 221},
        {{KEY_D}, {}, 301, 221, 305, 221},     {{KEY_8_PAD}, {}, 301, 221, 301, 217},
        {{KEY_S}, {}, 301, 221, 301, 225},     {{KEY_2_PAD}, {}, 301, 221, 301, 225},
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
        steerShip(gryffon, fire_counter, right_click_latch, sound_bank);
        EXPECT_EQ(gryffon->getX(), c.x) << &c - cases;
        EXPECT_EQ(gryffon->getY(), c.y) << &c - cases;
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

// A shot (S) and a pawn (R) by top-left corner against the ship at (300, 300), hit box 304..333.
TEST_F(HitsTest, BoxesThatOnlyShareAnEdgeCollide) {
    flyingShipAt(300, 300);
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    EnemyShot* shot = pawn->getShot(0);
    shot->setActive(true);
    const struct { char what; double x, y; bool hits; } cases[] = {
        {'S', 333, 333, true}, {'S', 333.5, 310, false}, {'S', 296, 296, true}, {'S', 295.5, 310, false},
        {'S', 310, 295.5, false}, {'R', 325, 325, true}, {'R', 325.5, 300, false}, {'R', 275, 275, true},
        {'R', 274.5, 300, false}};
    for (const auto& c : cases) {
        if (c.what == 'S') shot->setPosition(c.x, c.y);
        if (c.what == 'R') pawn->setPosition(c.x, c.y);
        bool hits = c.what == 'S' ? shotHitsShip(gryffon, shot) : shipTouchesEnemy(gryffon, pawn);
        EXPECT_EQ(hits, c.hits) << c.what << " at " << c.x << "," << c.y;
    }
    retire(pawn);
}

// A laser kill that reaches 30000, then every further 50000, adds a ship, but
// not while the round ends; points from a gem wait for the next laser kill.
TEST_F(HitsTest, ExtraShipsComeAt30000ThenEvery50000ButNotWhileTheRoundEnds) {
    flyingShipAt(300, 300);
    srand(3);
    const struct { int scoreBefore, gemAt, endCounter, lives, nextBonus; } kills[] = {
        {29839, -1, -1, 3, 30000}, {29999, -1, -1, 4, 80000}, {79900, -1, -1, 5, 130000},
        {129900, -1, 40, 5, 130000}, {129950, 310, -1, 6, 180000}};
    for (const auto& k : kills) {
        gryffon->setScore(k.scoreBefore);
        end_counter = k.endCounter;
        if (k.gemAt > 0) {
            putGem(0, k.gemAt, k.gemAt);
            gemStep(buffer);
            hitPass();
            EXPECT_EQ(gryffon->getLives(), k.lives - 1);
        }
        enemy_slots[0] = makeEnemy<Pawn>(100, 100);
        laserAt(110, 110);
        hitPass();
        clearRoundObjects();
        EXPECT_EQ(gryffon->getLives(), k.lives) << k.scoreBefore;
        EXPECT_EQ(next_bonus, k.nextBonus) << k.scoreBefore;
    }
}

// The ship's box (+4..+33) against the gem's (+0..+7), for a hundred points;
// never while the ship explodes or hides (counts 0..75).
TEST_F(HitsTest, TheShipTakesGemsThatTouchItsBoxForAHundredPoints) {
    flyingShipAt(0, 0);
    const struct { int x, y, hitCounter; bool taken; } cases[] = {
        {33, 33, -1, true}, {34, 0, -1, false}, {0, 34, -1, false}, {-3, -3, -1, true},
        {-4, 10, -1, false}, {10, -4, -1, false}, {10, 10, 75, false}, {10, 10, 76, true}};
    for (const auto& c : cases) {
        clearRoundObjects();
        if (c.hitCounter >= 0) gryffon->takeHit(), drawUntilHitCounter(c.hitCounter, scratch);
        gryffon->setScore(1000);
        putGem(6, c.x, c.y);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[6] == nullptr, c.taken) << c.x << "," << c.y << " at count " << c.hitCounter;
        EXPECT_EQ(gryffon->getScore(), c.taken ? 1100 : 1000);
    }
}

}  // namespace
