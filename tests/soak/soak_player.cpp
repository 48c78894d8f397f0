// The soak's player. Not a good player, but a restless one on every screen:
// it waits on the title or lets the attract cycle run, picks a mode, flies
// with every key family and the joystick, fires in bursts, right-clicks points
// and whole shapes, pauses (holding P on purpose), presses ESC now and then,
// and types names with the mouse.
#include <allegro.h>

#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "play/round_state.h"
#include "scores/score_table.h"
#include "soak/soak.h"

namespace {
const int KEY_FAMILIES[3][4] = {{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN},
                                {KEY_4_PAD, KEY_6_PAD, KEY_8_PAD, KEY_2_PAD},
                                {KEY_A, KEY_D, KEY_W, KEY_S}};
// The controls screen's shapes (star corners + 4).
const int SHAPE_POINTS[4][4][2] = {{{94, 184}, {44, 284}, {144, 284}, {-1, -1}},
                                   {{264, 374}, {384, 434}, {264, 434}, {384, 374}},
                                   {{554, 284}, {504, 184}, {604, 184}, {-1, -1}},
                                   {{320, 184}, {320, 244}, {320, 304}, {-1, -1}}};
enum Screen { INTRO, TITLE, ATTRACT, COUNTDOWN, PLAY, PAUSED, ENDING, NAME_ENTRY };
unsigned state = 1;
Screen last_screen = INTRO;
int title_wait = -1, movement_left = 0, fire_left = 0, name_clicks_left = -1;
// Pause plan: 1 holding P since the press, 2 released, 3 pressing to resume.
int pause_phase = 0, pause_left = 0;
struct Click { int x, y, button; };
Click queue[16];
int queued = 0, click_phase = 0;

int clampTo(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }
void setStick(int axis, int direction) {
    joy[0].stick[0].axis[axis].pos = direction * 128;
    joy[0].stick[0].axis[axis].d1 = direction < 0;
    joy[0].stick[0].axis[axis].d2 = direction > 0;
}
// xorshift32: the game's own rand() sequence stays untouched by the player.
int roll(int n) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<int>(state % static_cast<unsigned>(n));
}

Screen currentScreen() {
    if (intro_frame >= 0) return INTRO;
    if (game_mode == FrontEnd) return screen_timer < CONTROLS_FIRST_PASS ? TITLE : ATTRACT;
    if (end_counter > 300) return NAME_ENTRY;
    if (paused) return PAUSED;
    if (end_counter >= 0) return ENDING;
    return intro_counter == 0 ? COUNTDOWN : PLAY;
}

void queueClick(int x, int y, int button) {
    if (queued < 16) queue[queued++] = {x, y, button};
}

// Presses the head of the queue for two frames, releases it for two.
bool runClickQueue() {
    if (queued == 0) return false;
    mouse_x = queue[0].x;
    mouse_y = queue[0].y;
    mouse_b = click_phase < 2 ? mouse_b | queue[0].button : mouse_b & ~queue[0].button;
    if (++click_phase == 4) {
        click_phase = 0;
        for (int i = 1; i < queued; ++i) queue[i - 1] = queue[i];
        queued -= 1;
    }
    return true;
}

void steerMouse() {
    mouse_x = roll(40) == 0 ? roll(640) : clampTo(mouse_x + roll(17) - 8, 0, 639);
    mouse_y = roll(40) == 0 ? roll(480) : clampTo(mouse_y + roll(17) - 8, 0, 479);
}

// Waits a while (sometimes through the attract cycle), then picks a mode;
// rarely quits with Exit or ESC (the soak restarts the loop).
void actTitle() {
    key[KEY_ESC] = 0;
    if (runClickQueue() || fade_alpha < 255) return;
    if (title_wait < 0) title_wait = roll(8) == 0 ? 1300 + roll(300) : roll(240);
    if (title_wait-- > 0) return steerMouse();
    int choice = roll(100), mode = 1 + roll(3);
    if (choice < 2) return queueClick(288 + roll(64), 336 + roll(16), 1);
    if (choice < 4) key[KEY_ESC] = 1;
    // Half the rounds may enter a name: any score beats a fifth row of -1.
    if (roll(2) == 0) scoreTableFor(mode).scores[4] = -1;
    if (choice >= 4) queueClick(216 + roll(208), 240 + 32 * (mode - 1) + roll(16), 1);
}

void actPlay() {
    key[KEY_P] = key[KEY_ESC] = 0;
    if (movement_left-- <= 0) {
        for (const auto& family : KEY_FAMILIES)
            for (int k : family) key[k] = 0;
        setStick(0, 0);
        setStick(1, 0);
        int family = roll(4);  // 3: the joystick
        for (int axis = 0; axis < 2; ++axis) {
            int direction = roll(3) - 1;
            if (family == 3) setStick(axis, direction);
            else if (direction != 0) key[KEY_FAMILIES[family][axis * 2 + (direction > 0)]] = 1;
        }
        movement_left = 5 + roll(60);
    }
    if (fire_left-- <= 0) {
        mouse_b ^= 1;
        fire_left = (mouse_b & 1) ? roll(150) : roll(60);
    }
    if (!runClickQueue()) {
        steerMouse();
        if (roll(500) == 0) {
            const int(*points)[2] = SHAPE_POINTS[roll(4)];
            int dx = roll(41) - 20, dy = roll(41) - 20;
            for (int i = 0; i < 4 && points[i][0] >= 0; ++i)
                queueClick(clampTo(points[i][0] + dx, 0, 639), clampTo(points[i][1] + dy, 0, 479), 2);
            shapes_drawn += 1;
        } else if (roll(200) == 0) {
            queueClick(roll(640), roll(480), 2);
        }
    }
    if (roll(6000) == 0) {
        key[KEY_P] = 1;
        pause_phase = 1;
        pause_left = 1 + roll(20);
        pauses_taken += 1;
    } else if (roll(12000) == 0) {
        key[KEY_ESC] = 1;
        escapes_pressed += 1;
    }
}

// Once per wait step of the pause: P held since the press must not resume;
// once let go, a new press must.
void actPaused() {
    if (pause_phase == 0) pause_phase = 2, pause_left = 0;  // paused by a P held from before
    key[KEY_P] = pause_phase != 2;
    if (pause_phase == 1 && pause_left-- <= 0)
        pause_phase = 2, pause_left = 1 + roll(20);
    else if (pause_phase == 2 && pause_left-- <= 0)
        pause_phase = 3;
}

// Letters, sometimes Delete, then END!; the keyboard must be ignored here.
void actNameEntry() {
    key[KEY_ESC] = roll(50) == 0;
    if (runClickQueue()) return;
    if (name_clicks_left < 0) name_clicks_left = roll(7);
    if (name_clicks_left-- == 0) {
        queueClick(288 + roll(64), 304 + roll(16), 1);
        names_typed += 1;
    } else if (roll(5) == 0) {
        queueClick(272 + roll(96), 288 + roll(16), 1);
    } else {
        queueClick(168 + roll(304), 240 + roll(32), 1);
    }
}
}  // namespace

long names_typed = 0, pauses_taken = 0, shapes_drawn = 0, escapes_pressed = 0;

void seedSoakPlayer(unsigned seed) { state = seed ? seed : 1; }

bool soakPlayerActs(std::string& problem) {
    Screen screen = currentScreen();
    if (last_screen == PAUSED && screen != PAUSED && pause_phase == 1) {
        problem = "the pause ended while P was still held from the press that started it";
        return false;
    }
    if (screen != PAUSED && last_screen != PAUSED) {
        pause_phase = 0;
        if (screen != last_screen) {  // a new screen starts with nothing held
            for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
            mouse_b = 0;
            setStick(0, 0);
            setStick(1, 0);
            queued = click_phase = 0;
        }
    }
    last_screen = screen;
    if (screen == TITLE) actTitle();
    if (screen == ATTRACT) {
        key[KEY_ESC] = roll(20000) == 0;
        if (!runClickQueue()) steerMouse();
        if (!queued && roll(300) == 0) queueClick(roll(640), roll(480), 1);
    }
    if (screen == PLAY) actPlay();
    if (screen == PAUSED) actPaused();
    if (screen == ENDING) steerMouse();
    if (screen == NAME_ENTRY) actNameEntry();
    return true;
}
