#include "autopilot/autopilot.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <cmath>
#include <cstdlib>

#include "core/frame_clock.h"
#include "core/shell_state.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/gryffon.h"
#include "play/round_state.h"
#include "core/program.h"

namespace {

const int COUNTDOWN_REST_MS = 750;
const int PAUSE_REST_MS = 10;
const int LOOK_AHEAD_FRAMES = 24;
const int SHIP_STEP = 4;
const int SHIP_HALF = 18;
const int SHAPE_EVERY = 900;  // frames between two drawn shapes

// A triangle drawn around the middle of the field, as on the controls screen.
const int TRIANGLE[3][2] = {{320, 120}, {250, 260}, {390, 260}};

struct Threat {
    double x, y, vx, vy, radius;
};
const int MOST_THREATS = 35 * 26;

Autopilot the_pilot;
Autopilot* pilot = nullptr;

int gatherThreats(Threat* out) {
    int n = 0;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy) continue;
        if (enemy->getHitPoints() > 0)
            out[n++] = {enemy->getX() + enemy->getWidth() / 2.0, enemy->getY() + enemy->getHeight() / 2.0,
                        enemy->getVX(), enemy->getVY(), enemy->getWidth() / 2.0 - enemy->getHitInset()};
        for (int s = 0; s < enemy->getShotCount(); ++s) {
            EnemyShot* shot = enemy->getShot(s);
            if (shot && shot->isActive()) out[n++] = {shot->getX() + 4, shot->getY() + 4, shot->getVX(), shot->getVY(), 5};
        }
    }
    return n;
}

// Written where Allegro keeps the pointer between polls as well as where the
// game reads it, so the next poll_mouse keeps what the autopilot chose.
void setMouse(int x, int y, int buttons) {
    _mouse_x = mouse_x = x;
    _mouse_y = mouse_y = y;
    _mouse_b = mouse_b = buttons;
}

double clampTo(double v, double low, double high) { return v < low ? low : (v > high ? high : v); }

// How close the nearest threat comes if the ship keeps moving by (dx, dy);
// nearer moments count for more.
double worstGap(const Threat* threats, int n, double cx, double cy, int dx, int dy) {
    double worst = 1e9;
    for (int k = 1; k <= LOOK_AHEAD_FRAMES; ++k) {
        double sx = clampTo(cx + dx * SHIP_STEP * k, SHIP_HALF, 640 - SHIP_HALF);
        double sy = clampTo(cy + dy * SHIP_STEP * k, SHIP_HALF, 480 - SHIP_HALF);
        for (int i = 0; i < n; ++i) {
            double px = threats[i].x + threats[i].vx * k, py = threats[i].y + threats[i].vy * k;
            double gap = std::hypot(px - sx, py - sy) - threats[i].radius - 15 - k * 0.5;
            if (gap < worst) worst = gap;
        }
    }
    return worst;
}

// The tick the normal frame tail waits for, or the rest a blocking wait asked for.
void autopilotWait() {
    if (pilot && game_mode != FrontEnd && end_counter == -1 && !paused && intro_counter != 0) pilot->steer();
    else if (pilot) pilot->letGo();
    if (paused) {
        rest(PAUSE_REST_MS);
        return;
    }
    if (game_mode != FrontEnd && intro_counter == 0) {
        rest(COUNTDOWN_REST_MS);
        return;
    }
    while (!frame_ready && !close_requested) rest(1);
}

}  // namespace

void startAutopilot() {
    pilot = &the_pilot;
    frame_wait_override = autopilotWait;
}

void Autopilot::chooseMove(int& dx, int& dy) const {
    static Threat threats[MOST_THREATS];
    int n = gatherThreats(threats);
    double cx = gryffon->getX() + SHIP_HALF, cy = gryffon->getY() + SHIP_HALF;
    double best = -1e18;
    dx = dy = 0;
    for (int mx = -1; mx <= 1; ++mx) {
        for (int my = -1; my <= 1; ++my) {
            // Prefer the middle of the field, where there is room to turn.
            double centre = -0.02 * (std::fabs(cx + mx * 40 - 320) + std::fabs(cy + my * 40 - 240));
            double score = std::fmin(worstGap(threats, n, cx, cy, mx, my), 60) + centre;
            if (score > best) {
                best = score;
                dx = mx;
                dy = my;
            }
        }
    }
}

// Aims a little ahead of the nearest enemy still flying.
bool Autopilot::chooseTarget(int& x, int& y) const {
    double cx = gryffon->getX() + SHIP_HALF, cy = gryffon->getY() + SHIP_HALF;
    double nearest = 1e18;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy || enemy->getHitPoints() <= 0) continue;
        double ex = enemy->getX() + enemy->getWidth() / 2.0, ey = enemy->getY() + enemy->getHeight() / 2.0;
        double distance = std::hypot(ex - cx, ey - cy);
        if (distance >= nearest) continue;
        nearest = distance;
        x = static_cast<int>(clampTo(ex + enemy->getVX() * distance / 8, 0, 639));
        y = static_cast<int>(clampTo(ey + enemy->getVY() * distance / 8, 0, 479));
    }
    return nearest < 1e18;
}

// Polled keyboards copy Allegro's own key state into key[] on every poll, so
// both are written, as with the mouse.
void Autopilot::pressDirection(int dx, int dy) {
    _key[KEY_LEFT] = key[KEY_LEFT] = dx < 0;
    _key[KEY_RIGHT] = key[KEY_RIGHT] = dx > 0;
    _key[KEY_UP] = key[KEY_UP] = dy < 0;
    _key[KEY_DOWN] = key[KEY_DOWN] = dy > 0;
}

// Every so often the three points of a triangle, one right-click each:
// two frames down, two frames up.
bool Autopilot::placeShapePoint() {
    if (shape_step < 0 && frames % SHAPE_EVERY == SHAPE_EVERY - 1) shape_step = 0;
    if (shape_step < 0) return false;
    int point = shape_step / 4;
    setMouse(TRIANGLE[point][0], TRIANGLE[point][1], (shape_step % 4 < 2) ? 2 : 0);
    shape_step += 1;
    if (shape_step == 12) shape_step = -1;
    return true;
}

void Autopilot::steer() {
    holding = true;
    frames += 1;
    int dx, dy;
    chooseMove(dx, dy);
    pressDirection(dx, dy);
    if (placeShapePoint()) return;
    int x = 320, y = 0;
    bool target = chooseTarget(x, y);
    setMouse(x, y, target ? 1 : 0);
}

void Autopilot::letGo() {
    if (!holding) return;
    holding = false;
    pressDirection(0, 0);
    _mouse_b = mouse_b = 0;
    shape_step = -1;
}
