#include "bench/scripted_player.h"

#include <allegro.h>

namespace {
const int STEER_PERIOD = 45;
const int AIM_PERIOD = 30;
const int SHAPE_PERIOD = 600;
const int CLICK_SPACING = 12;  // frames between the clicks of one shape
const int CLICK_HOLD = 5;      // frames a click holds the right button

struct ShapePoints {
    int count;
    int x[4];
    int y[4];
};
// The four shapes as the controls screen shows them.
const ShapePoints SHAPES[4] = {
    {3, {90, 40, 140, 0}, {180, 280, 280, 0}},
    {4, {260, 380, 260, 380}, {370, 430, 430, 370}},
    {3, {550, 500, 600, 0}, {280, 180, 180, 0}},
    {3, {316, 316, 316, 0}, {180, 240, 300, 0}},
};

// Key pairs per compass direction: horizontal, vertical (0 for none).
const int DIRECTION_KEYS[9][2] = {
    {0, 0},        {0, KEY_UP},          {KEY_RIGHT, KEY_UP}, {KEY_RIGHT, 0},      {KEY_RIGHT, KEY_DOWN},
    {0, KEY_DOWN}, {KEY_LEFT, KEY_DOWN}, {KEY_LEFT, 0},       {KEY_LEFT, KEY_UP},
};

int approach(int from, int to, int step) {
    if (from < to) return from + step < to ? from + step : to;
    return from - step > to ? from - step : to;
}
}  // namespace

ScriptedPlayer::ScriptedPlayer(unsigned seed) : state(seed * 2654435761u + 1) {}

unsigned ScriptedPlayer::nextRandom(unsigned range) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % range;
}

void ScriptedPlayer::releaseAll() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mouse_b = 0;
}

void ScriptedPlayer::apply(int frame) {
    steer(frame);
    if (!drawShape(frame)) aim(frame);
    fire();
}

void ScriptedPlayer::steer(int frame) {
    if (frame % STEER_PERIOD == 0) direction = nextRandom(9);
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_UP] = key[KEY_DOWN] = 0;
    for (int k : DIRECTION_KEYS[direction]) {
        if (k) key[k] = 1;
    }
}

void ScriptedPlayer::aim(int frame) {
    if (frame % AIM_PERIOD == 0) {
        targetX = nextRandom(640);
        targetY = nextRandom(480);
    }
    aimX = approach(aimX, targetX, 12);
    aimY = approach(aimY, targetY, 12);
    mouse_x = aimX;
    mouse_y = aimY;
}

void ScriptedPlayer::fire() {
    // Bursts: the button changes state about every forty frames.
    if (nextRandom(40) == 0) firing = !firing;
    mouse_b = (mouse_b & ~1) | (firing ? 1 : 0);
}

// Right-clicks the points of the shape of this period; true while it clicks.
bool ScriptedPlayer::drawShape(int frame) {
    int inPeriod = frame % SHAPE_PERIOD;
    const ShapePoints& shape = SHAPES[(frame / SHAPE_PERIOD) % 4];
    int click = inPeriod / CLICK_SPACING;
    mouse_b &= ~2;
    if (click >= shape.count) return false;
    mouse_x = shape.x[click];
    mouse_y = shape.y[click];
    if (inPeriod % CLICK_SPACING < CLICK_HOLD) mouse_b |= 2;
    return true;
}
