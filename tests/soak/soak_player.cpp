#include "soak/soak_player.h"

#include <allegro.h>

#include "app/front_end.h"
#include "core/program.h"
#include "scores/score_table.h"
#include "core/shell_state.h"
#include "play/round_state.h"

namespace {

const int LEFT_BUTTON = 1;
const int RIGHT_BUTTON = 2;

// Key families for the four directions: left, right, up, down.
const int KEY_FAMILIES[3][4] = {
    {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN},
    {KEY_4_PAD, KEY_6_PAD, KEY_8_PAD, KEY_2_PAD},
    {KEY_A, KEY_D, KEY_W, KEY_S},
};

// The four shapes as the controls screen draws them (point star corners + 4).
const int SHAPE_POINTS[4][4][2] = {
    {{94, 184}, {44, 284}, {144, 284}, {-1, -1}},
    {{264, 374}, {384, 434}, {264, 434}, {384, 374}},
    {{554, 284}, {504, 184}, {604, 184}, {-1, -1}},
    {{320, 184}, {320, 244}, {320, 304}, {-1, -1}},
};

int clampTo(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

void setJoystick(int axis, int direction) {
    JOYSTICK_AXIS_INFO& info = joy[0].stick[0].axis[axis];
    info.pos = direction * 128;
    info.d1 = direction < 0;
    info.d2 = direction > 0;
}

}  // namespace

SoakPlayer::SoakPlayer(unsigned seed) : state(seed ? seed : 1) {}

int SoakPlayer::roll(int n) {
    // xorshift32: the game's own rand() sequence stays untouched by the player.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<int>(state % static_cast<unsigned>(n));
}

SoakPlayer::Screen SoakPlayer::currentScreen() {
    if (intro_frame >= 0) return INTRO;
    if (game_mode == FrontEnd) return screen_timer < CONTROLS_FIRST_PASS ? TITLE : ATTRACT;
    if (end_counter > 300) return NAME_ENTRY;
    if (paused) return PAUSED;
    if (end_counter >= 0) return ENDING;
    if (intro_counter == 0) return COUNTDOWN;
    return PLAY;
}

void SoakPlayer::releaseEverything() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mouse_b = 0;
    setJoystick(0, 0);
    setJoystick(1, 0);
    queued = 0;
    click_phase = 0;
}

bool SoakPlayer::act() {
    Screen screen = currentScreen();
    if (last_screen == PAUSED && screen != PAUSED && pause_phase == 1) {
        problem = "the pause ended while P was still held from the press that started it";
        return false;
    }
    if (screen != PAUSED && last_screen != PAUSED && pause_phase != 0) pause_phase = 0;
    if (screen != last_screen && screen != PAUSED && last_screen != PAUSED) releaseEverything();
    last_screen = screen;
    switch (screen) {
        case INTRO:
        case COUNTDOWN:
            break;
        case TITLE:
            actTitle();
            break;
        case ATTRACT:
            actAttract();
            break;
        case PLAY:
            actPlay();
            break;
        case PAUSED:
            return actPaused();
        case ENDING:
            steerMouse();
            break;
        case NAME_ENTRY:
            actNameEntry();
            break;
    }
    return true;
}

void SoakPlayer::queueClick(int x, int y, int button) {
    if (queued == QUEUE_SIZE) return;
    queue[queued++] = {x, y, button};
}

bool SoakPlayer::runClickQueue() {
    if (queued == 0) return false;
    const Click& click = queue[0];
    mouse_x = click.x;
    mouse_y = click.y;
    if (click_phase < 2)
        mouse_b |= click.button;
    else
        mouse_b &= ~click.button;
    click_phase += 1;
    if (click_phase == 4) {
        click_phase = 0;
        for (int i = 1; i < queued; ++i) queue[i - 1] = queue[i];
        queued -= 1;
    }
    return true;
}

// The live title: wait a while (sometimes long enough for the attract cycle),
// then pick a mode; rarely quit with Exit or ESC (the soak restarts the loop).
void SoakPlayer::actTitle() {
    key[KEY_ESC] = 0;
    if (runClickQueue()) return;
    if (fade_alpha < 255) return;
    if (title_wait < 0) title_wait = roll(8) == 0 ? 1300 + roll(300) : roll(240);
    if (title_wait-- > 0) {
        steerMouse();
        return;
    }
    title_wait = -1;
    int choice = roll(100);
    if (choice < 2) {
        queueClick(288 + roll(64), 336 + roll(16), LEFT_BUTTON);
        quits += 1;
    } else if (choice < 4) {
        key[KEY_ESC] = 1;
        quits += 1;
    } else {
        int mode = 1 + roll(3);
        // Half the rounds may enter a name: any score beats a fifth row of -1.
        if (roll(2) == 0) scoreTableFor(mode).scores[4] = -1;
        queueClick(216 + roll(208), 240 + 32 * (mode - 1) + roll(16), LEFT_BUTTON);
    }
}

void SoakPlayer::actAttract() {
    key[KEY_ESC] = roll(20000) == 0;
    if (key[KEY_ESC]) quits += 1;
    if (runClickQueue()) return;
    steerMouse();
    if (roll(300) == 0) queueClick(roll(640), roll(480), LEFT_BUTTON);
}

void SoakPlayer::chooseMovement() {
    for (int k = 0; k < 3; ++k)
        for (int d = 0; d < 4; ++d) key[KEY_FAMILIES[k][d]] = 0;
    setJoystick(0, 0);
    setJoystick(1, 0);
    int family = roll(4);
    for (int axis = 0; axis < 2; ++axis) {
        int direction = roll(3) - 1;
        if (direction == 0) continue;
        if (family == 3) {
            setJoystick(axis, direction);
        } else {
            int which = axis * 2 + (direction > 0 ? 1 : 0);
            key[KEY_FAMILIES[family][which]] = 1;
        }
    }
    movement_left = 5 + roll(60);
}

void SoakPlayer::steerMouse() {
    if (roll(40) == 0) {
        mouse_x = roll(640);
        mouse_y = roll(480);
        return;
    }
    mouse_x = clampTo(mouse_x + roll(17) - 8, 0, 639);
    mouse_y = clampTo(mouse_y + roll(17) - 8, 0, 479);
}

void SoakPlayer::steerFire() {
    if (fire_left-- > 0) return;
    fire_held = !fire_held;
    fire_left = fire_held ? roll(150) : roll(60);
    if (fire_held)
        mouse_b |= LEFT_BUTTON;
    else
        mouse_b &= ~LEFT_BUTTON;
}

void SoakPlayer::queueShape() {
    const int(*points)[2] = SHAPE_POINTS[roll(4)];
    int dx = roll(41) - 20, dy = roll(41) - 20;
    for (int i = 0; i < 4 && points[i][0] >= 0; ++i)
        queueClick(clampTo(points[i][0] + dx, 0, 639), clampTo(points[i][1] + dy, 0, 479), RIGHT_BUTTON);
    shapes += 1;
}

void SoakPlayer::maybePlacePoints() {
    if (roll(500) == 0)
        queueShape();
    else if (roll(200) == 0)
        queueClick(roll(640), roll(480), RIGHT_BUTTON);
}

void SoakPlayer::actPlay() {
    key[KEY_P] = 0;
    key[KEY_ESC] = 0;
    if (movement_left-- <= 0) chooseMovement();
    steerFire();
    if (!runClickQueue()) {
        steerMouse();
        maybePlacePoints();
    }
    if (roll(6000) == 0) {
        key[KEY_P] = 1;
        pause_phase = 1;
        pause_left = 1 + roll(20);
        pauses += 1;
    } else if (roll(12000) == 0) {
        key[KEY_ESC] = 1;
        escapes += 1;
    }
}

// Called once per wait step of the pause. P held since the press must not
// resume; once let go, a new press must.
bool SoakPlayer::actPaused() {
    if (pause_phase == 0) {
        // Paused by a P the player did not plan (a held key from before): resume.
        pause_phase = 2;
        p_release_left = 0;
    }
    if (pause_phase == 1) {
        key[KEY_P] = 1;
        if (pause_left-- <= 0) {
            pause_phase = 2;
            p_release_left = 1 + roll(20);
        }
        return true;
    }
    if (pause_phase == 2) {
        key[KEY_P] = 0;
        if (p_release_left-- <= 0) pause_phase = 3;
        return true;
    }
    key[KEY_P] = 1;
    return true;
}

void SoakPlayer::actNameEntry() {
    key[KEY_ESC] = roll(50) == 0;  // the keyboard must be ignored here
    if (runClickQueue()) return;
    if (name_clicks_left < 0) name_clicks_left = roll(7);
    if (name_clicks_left == 0) {
        queueClick(288 + roll(64), 304 + roll(16), LEFT_BUTTON);
        name_clicks_left = -1;
        names += 1;
        return;
    }
    name_clicks_left -= 1;
    if (roll(5) == 0)
        queueClick(272 + roll(96), 288 + roll(16), LEFT_BUTTON);
    else
        queueClick(168 + roll(304), 240 + roll(32), LEFT_BUTTON);
}
