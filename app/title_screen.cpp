#include "app/title_screen.h"

#include <allegro.h>

#include <string>

#include "core/game_types.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/black_fade.h"
#include "play/round_loop.h"

namespace {

const int CELL = 16;
const int FADE_STEP = 8;
const int FULLY_SHOWN = 255;
const int MENU_NONE = 0;
const int MENU_EXIT = 4;

struct MenuItem {
    const char* text;
    int x;
    int y;
};
// In the order the zones are tested; item i answers i + 1.
const MenuItem MENU_ITEMS[4] = {
    {"Marathon Game", 216, 240},
    {"2-Minute Game", 216, 272},
    {"5-Minute Game", 216, 304},
    {"Exit", 288, 336},
};

// The copyright sign and a leading blank keep the line centred on the screen:
// 20 cells from x = 152 end at x = 472.
const char* const MAKERS_NOTICE = " \xA9 2026 Ostwick Team";

bool insideItem(const MenuItem& item, int x, int y) {
    int width = CELL * static_cast<int>(std::string(item.text).size());
    return x >= item.x && x < item.x + width && y >= item.y && y < item.y + CELL;
}

// The menu item under a point: 1 to 3 for the game modes, MENU_EXIT for "Exit",
// MENU_NONE for none.
int menuItemAt(int x, int y) {
    for (int i = 0; i < 4; ++i) {
        if (insideItem(MENU_ITEMS[i], x, y)) return i + 1;
    }
    return MENU_NONE;
}

// Logo, items and the two green lines at the foot of the title.
void drawTitleElements(BITMAP* dest) {
    if (game_logo_runs)
        draw_rle_sprite(dest, game_logo_runs, 154, 0);
    else
        draw_sprite(dest, game_logo, 154, 0);
    for (const MenuItem& item : MENU_ITEMS) bitmap_font->draw(dest, item.text, item.x, item.y);
    bitmap_font->drawGreen(dest, MAKERS_NOTICE, 152, 432);
    bitmap_font->drawGreen(dest, "Released by Holtrane", 136, 448);
}

// The item under the mouse drawn again in green.
void drawMenuHover(BITMAP* dest, int x, int y) {
    int item = menuItemAt(x, y);
    if (item == MENU_NONE) return;
    const MenuItem& hovered = MENU_ITEMS[item - 1];
    bitmap_font->drawGreen(dest, hovered.text, hovered.x, hovered.y);
}

// ESC quits, a click on a game mode returns that mode, a click on "Exit" quits.
int menuInput(bool& running_flag, bool& esc, bool& click) {
    poll_keyboard();
    poll_mouse();
    if (pressedOnce(key[KEY_ESC], esc)) {
        running_flag = false;
        return FrontEnd;
    }
    if (pressedOnce(mouse_b & 1, click)) {
        int item = menuItemAt(mouse_x, mouse_y);
        if (item >= Marathon && item <= FiveMinute) return item;
        if (item == MENU_EXIT) {
            running_flag = false;
            return FrontEnd;
        }
    }
    return FrontEnd;
}

void fadeInPass(BITMAP* buffer) {
    fade_alpha += FADE_STEP;
    blit(title_background, buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    drawTitleElements(buffer);
    fadeTowardBlack(buffer, SCREEN_WIDTH, SCREEN_HEIGHT, fade_alpha);
}

void livePass(BITMAP* buffer) {
    blit(title_background, buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    int mode = menuInput(running, esc_latch, click_latch);
    // The round begins with the next pass; this one still shows the title.
    if (mode != FrontEnd) startRound(static_cast<GameMode>(mode));
    drawTitleElements(buffer);
    drawMenuHover(buffer, mouse_x, mouse_y);
}

}  // namespace

void titlePass(BITMAP* buffer) {
    // No input is read while the title fades in.
    if (fade_alpha < FULLY_SHOWN) {
        fadeInPass(buffer);
    } else {
        livePass(buffer);
    }
}
