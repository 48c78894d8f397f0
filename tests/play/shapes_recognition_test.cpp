// Point placing and shape recognition: every shape in every order of its
// points, the tolerances at their edges, and the life of the point store.
#include <algorithm>
#include <vector>

#include "round_fixture.h"

namespace {
using namespace round_testing;

struct Point { int x, y; };

class ShapesTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        freshShip();
        drawUntilHitCounter(-1, scratch);
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
    // A ship with nothing placed and no shape.
    void clearShip() {
        gryffon->reset();
        drawUntilHitCounter(-1, scratch);
    }
};

TEST_F(ShapesTest, EachControlsScreenShapeIsRecognisedInEveryOrderOfItsPoints) {
    struct Example { std::vector<Point> points; int shape; };
    const Example examples[] = {
        {{{90, 180}, {40, 280}, {140, 280}}, SHAPE_TRIANGLE},
        {{{500, 180}, {600, 180}, {550, 280}}, SHAPE_V},
        {{{316, 180}, {316, 240}, {316, 300}}, SHAPE_VERTICAL_LINE},
        {{{260, 370}, {380, 370}, {380, 430}, {260, 430}}, SHAPE_RECTANGLE},
    };
    for (const Example& example : examples) {
        std::vector<int> order(example.points.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        int orders = 0;
        do {
            clearShip();
            std::vector<Point> points;
            for (int i : order) points.push_back(example.points[i]);
            std::vector<int> shapes = place(points);
            std::vector<int> expected(points.size(), SHAPE_NONE);
            expected.back() = example.shape;
            EXPECT_EQ(shapes, expected) << "shape " << example.shape << " order " << orders;
            EXPECT_EQ(storedPoints(), 0);
            EXPECT_EQ(gryffon->getShapeTimer(), SHAPE_DURATION);
            EXPECT_EQ(gryffon->getPointsTimer(), 0);
            ++orders;
        } while (std::next_permutation(order.begin(), order.end()));
        EXPECT_EQ(orders, example.points.size() == 4 ? 24 : 6);
    }
}

TEST_F(ShapesTest, TolerancesHoldAtTheirEdges) {
    struct Case { std::vector<Point> points; int shape; const char* what; };
    const Case cases[] = {
        {{{0, 0}, {100, 0}, {50, 40}}, SHAPE_V, "V exactly 40 deep"},
        {{{0, 0}, {100, 0}, {50, 39}}, SHAPE_NONE, "V 39 deep"},
        {{{0, 0}, {25, 0}, {12, 40}}, SHAPE_V, "V 25 wide"},
        {{{0, 0}, {24, 0}, {12, 40}}, SHAPE_NONE, "V 24 wide"},
        {{{0, 0}, {100, 30}, {50, 80}}, SHAPE_V, "V pair 30 off level"},
        {{{0, 0}, {100, 31}, {50, 80}}, SHAPE_NONE, "V pair 31 off level, no other shape"},
        {{{0, 0}, {100, 0}, {65, 40}}, SHAPE_V, "V arms differing by 30"},
        {{{0, 0}, {100, 0}, {66, 40}}, SHAPE_NONE, "V arms differing by 32"},
        {{{50, 0}, {0, 40}, {100, 40}}, SHAPE_TRIANGLE, "triangle 40 tall"},
        {{{50, 1}, {0, 40}, {100, 40}}, SHAPE_NONE, "triangle 39 tall"},
        // Depth counts from the left point only: the right one may sit lower.
        {{{50, 0}, {0, 10}, {100, 40}}, SHAPE_NONE, "triangle's left point too high"},
        {{{50, 0}, {0, 40}, {100, 70}}, SHAPE_TRIANGLE, "triangle's right point 30 lower"},
        {{{10, 0}, {40, 50}, {10, 100}}, SHAPE_VERTICAL_LINE, "line leaning 30"},
        {{{10, 0}, {41, 50}, {10, 100}}, SHAPE_NONE, "line leaning 31"},
        {{{10, 0}, {10, 19}, {10, 40}}, SHAPE_NONE, "line with a 19 gap"},
        {{{10, 0}, {10, 20}, {10, 40}}, SHAPE_VERTICAL_LINE, "line with 20 gaps"},
        {{{0, 100}, {100, 100}, {0, 101}, {100, 101}}, SHAPE_RECTANGLE, "flat rectangle"},
        {{{0, 0}, {100, 0}, {30, 20}, {130, 50}}, SHAPE_RECTANGLE, "leaning rectangle at the edge"},
        {{{0, 0}, {100, 0}, {31, 20}, {130, 50}}, SHAPE_NONE, "leaning rectangle past the edge"},
        {{{0, 0}, {24, 0}, {0, 200}, {24, 200}}, SHAPE_NONE, "rectangle 24 wide"},
    };
    for (const Case& c : cases) {
        clearShip();
        EXPECT_EQ(place(c.points).back(), c.shape) << c.what;
    }
}

TEST_F(ShapesTest, TheNarrowRectangleIsAVOnItsThirdPoint) {
    EXPECT_EQ(place({{100, 100}, {128, 100}, {100, 150}}), (std::vector<int>{0, 0, SHAPE_V}));
    gryffon->addPoint(128, 150);  // a shape is active: nothing is stored
    EXPECT_EQ(storedPoints(), 0);
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_V);
}

TEST_F(ShapesTest, AFifthClickChangesNothing) {
    place({{0, 0}, {300, 10}, {10, 300}, {200, 200}});
    ASSERT_EQ(storedPoints(), 4);
    ASSERT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
    for (int i = 0; i < 50; ++i) gryffon->update();
    gryffon->addPoint(400, 400);
    EXPECT_EQ(storedPoints(), 4);
    EXPECT_EQ(gryffon->getPointX(3), 200);
    EXPECT_EQ(gryffon->getPointsTimer(), POINTS_DURATION - 50);
}

TEST_F(ShapesTest, PointsVanishAfter200FramesAndShapesAfter1500) {
    place({{0, 100}, {200, 300}});
    EXPECT_EQ(gryffon->getPointX(0), 0);  // x = 0 is a real point
    for (int i = 0; i < POINTS_DURATION - 1; ++i) gryffon->update();
    EXPECT_EQ(storedPoints(), 2);
    gryffon->update();
    EXPECT_EQ(storedPoints(), 0);

    place({{316, 180}, {316, 240}, {316, 300}});
    for (int i = 0; i < SHAPE_DURATION; ++i) gryffon->update();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_VERTICAL_LINE);
    gryffon->update();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
    EXPECT_EQ(place({{5, 5}}).back(), SHAPE_NONE);
    EXPECT_EQ(storedPoints(), 1);
}

TEST_F(ShapesTest, AHitClearsPointsAndShapeAndNothingIsPlacedUntilCount75) {
    place({{316, 180}, {316, 240}, {316, 300}});
    gryffon->takeHit();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
    gryffon->update();
    EXPECT_EQ(gryffon->getActiveShape(), SHAPE_NONE);
    EXPECT_EQ(gryffon->getPointsTimer(), -1);
    drawUntilHitCounter(74, scratch);
    gryffon->addPoint(10, 10);
    EXPECT_EQ(storedPoints(), 0);
    gryffon->draw(scratch);
    gryffon->addPoint(10, 10);
    EXPECT_EQ(storedPoints(), 1);
}

TEST_F(ShapesTest, StarsTwinkleAroundEachPointWhileTheShipIsDrawn) {
    BITMAP* stars[2] = {graphic_library->acquire("sprites/mini-star/mini-star1.bmp"),
                        graphic_library->acquire("sprites/mini-star/mini-star2.bmp")};
    gryffon->setPosition(500, 400);
    place({{100, 50}});
    BITMAP* expected = create_bitmap(640, 480);
    for (int frame = 0; frame < 6; ++frame) {
        int timer = gryffon->getPointsTimer();
        clear_bitmap(scratch);
        clear_bitmap(expected);
        gryffon->draw(scratch);
        draw_sprite(expected, stars[timer % 6 < 3 ? 0 : 1], 96, 46);
        EXPECT_TRUE(sameRegion(scratch, expected, 80, 30, 40, 40)) << "timer " << timer;
        gryffon->update();
    }
    destroy_bitmap(expected);
    graphic_library->release(stars[0]);
    graphic_library->release(stars[1]);
}

}  // namespace
