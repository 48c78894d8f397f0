// The ship's point store and shape recogniser.
//
// Points are integers in screen pixels (y grows downwards). The recogniser
// orders the points by height and then applies loose tolerances of about 30
// pixels, so hand-placed clicks need not be exact.
#include <cstdlib>

#include "play/gryffon.h"

namespace {
const int LEVEL_TOLERANCE = 30;  // how far a "level" pair or "upright" side may lean
const int MIN_WIDTH = 25;        // narrowest rectangle, V or triangle base
const int MIN_DEPTH = 40;        // how far the V's tip or the triangle's base lies below
const int LINE_STEP = 20;        // least vertical gap between points of a vertical line

// Orders the indices so that idx[0] is the highest point on screen.
void orderByHeight(const int* py, int n, int* idx) {
    for (int i = 0; i < n; ++i) idx[i] = i;
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            if (py[idx[j]] < py[idx[i]]) {
                int swap = idx[i];
                idx[i] = idx[j];
                idx[j] = swap;
            }
}

// Splits a pair of indices into its left and right point.
void leftRight(const int* px, int a, int b, int& left, int& right) {
    if (px[a] < px[b]) {
        left = a;
        right = b;
    } else {
        left = b;
        right = a;
    }
}

// A level pair (left, right) and a third point roughly midway across; depth is
// the vertical gap between the pair and the third point, measured at the left point.
bool pairAndApex(const int* px, const int* py, int left, int right, int apex, int depth) {
    return depth >= MIN_DEPTH && std::abs(py[left] - py[right]) <= LEVEL_TOLERANCE &&
           std::abs(std::abs(px[left] - px[apex]) - std::abs(px[right] - px[apex])) <= LEVEL_TOLERANCE &&
           std::abs(px[right] - px[left]) >= MIN_WIDTH;
}
}  // namespace

void Gryffon::clearPoints() {
    for (int i = 0; i < GRYFFON_POINT_COUNT; ++i) {
        pointX[i] = -1;
        pointY[i] = -1;
    }
}

void Gryffon::addPoint(int px, int py) {
    if (!isControllable() || activeShape != SHAPE_NONE) return;
    for (int i = 0; i < GRYFFON_POINT_COUNT; ++i) {
        if (pointX[i] != -1) continue;
        pointX[i] = px;
        pointY[i] = py;
        pointsTimer = POINTS_DURATION;
        break;
    }
    activeShape = recognizeShape();
    if (activeShape != SHAPE_NONE) {
        shapeTimer = SHAPE_DURATION;
        pointsTimer = 0;
        clearPoints();
    }
}

int Gryffon::recognizeShape() const {
    int px[GRYFFON_POINT_COUNT];
    int py[GRYFFON_POINT_COUNT];
    int n = 0;
    for (int i = 0; i < GRYFFON_POINT_COUNT; ++i) {
        if (pointX[i] < 0) continue;
        px[n] = pointX[i];
        py[n] = pointY[i];
        ++n;
    }
    if (n == 4) return recognizeRectangle(px, py);
    if (n == 3) return recognizeThreePoints(px, py);
    return SHAPE_NONE;
}

// Two level pairs above each other with upright sides. Height is not tested,
// so four points in a flat row still make a rectangle.
int Gryffon::recognizeRectangle(const int* px, const int* py) const {
    int idx[4];
    orderByHeight(py, 4, idx);
    int tl, tr, bl, br;
    leftRight(px, idx[0], idx[1], tl, tr);
    leftRight(px, idx[2], idx[3], bl, br);
    bool level = std::abs(py[tl] - py[tr]) <= LEVEL_TOLERANCE && std::abs(py[bl] - py[br]) <= LEVEL_TOLERANCE;
    bool upright = std::abs(px[tl] - px[bl]) <= LEVEL_TOLERANCE && std::abs(px[tr] - px[br]) <= LEVEL_TOLERANCE;
    bool wide = std::abs(px[tr] - px[tl]) >= MIN_WIDTH;
    return level && upright && wide ? SHAPE_RECTANGLE : SHAPE_NONE;
}

// V first, then triangle, then vertical line. Depths are measured from the left
// point of the level pair only.
int Gryffon::recognizeThreePoints(const int* px, const int* py) const {
    int idx[3];
    orderByHeight(py, 3, idx);
    int left, right;
    leftRight(px, idx[0], idx[1], left, right);
    int bottom = idx[2];
    if (pairAndApex(px, py, left, right, bottom, py[bottom] - py[left])) return SHAPE_V;

    leftRight(px, idx[1], idx[2], left, right);
    int top = idx[0];
    if (pairAndApex(px, py, left, right, top, py[left] - py[top])) return SHAPE_TRIANGLE;

    int middle = idx[1];
    bool spaced = py[bottom] - py[middle] >= LINE_STEP && py[middle] - py[top] >= LINE_STEP;
    bool straight = std::abs(px[middle] - px[top]) <= LEVEL_TOLERANCE &&
                    std::abs(px[middle] - px[bottom]) <= LEVEL_TOLERANCE;
    return spaced && straight ? SHAPE_VERTICAL_LINE : SHAPE_NONE;
}

void Gryffon::advanceShapeTimers() {
    if (pointsTimer > 0) {
        pointsTimer -= 1;
        if (pointsTimer == 0) clearPoints();
    }
    if (shapeTimer < 1)
        activeShape = SHAPE_NONE;
    else
        shapeTimer -= 1;
}

// The stars twinkle with a period of six frames while the points timer runs.
void Gryffon::drawPoints(BITMAP* dest) {
    BITMAP* star = pointsTimer % 6 < 3 ? pointSprites[0] : pointSprites[1];
    for (int i = 0; i < GRYFFON_POINT_COUNT; ++i)
        if (pointX[i] != -1) draw_sprite(dest, star, pointX[i] - 4, pointY[i] - 4);
}
