#include "scores/name_entry.h"

#include <allegro.h>

#include <string>

#include "core/frame_clock.h"
#include "core/game_types.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"

namespace {

const int CELL = 16;
const int NAME_LENGTH = 3;
const int KEYBOARD_X = 168;
const int KEYBOARD_Y = 240;
const int CELLS_PER_ROW = 19;
const char* const LETTER_ROWS[2] = {"ABCDEFGHIJKLMNOPQRS", "TUVWXYZ0123456789.!"};

const int SWEEP_STEP = 3;
const int SWEEP_START = -12;
const int SWEEP_END = 1200;  // far past the screen, so the bar rests a while between sweeps

struct Button {
    const char* text;
    int x;
    int y;
};
const Button DELETE_BUTTON = {"Delete", 272, 288};
const Button END_BUTTON = {"END!", 288, 304};

bool overButton(const Button& button, int x, int y) {
    int width = CELL * static_cast<int>(std::string(button.text).size());
    return x >= button.x && x < button.x + width && y >= button.y && y < button.y + CELL;
}

// A letter cell under the mouse: its character and top-left corner.
struct LetterCell {
    char letter = 0;  // 0 when the mouse is over no cell
    int x = 0;
    int y = 0;
};

LetterCell letterAt(int x, int y) {
    LetterCell cell;
    if (x < KEYBOARD_X || x >= KEYBOARD_X + CELL * CELLS_PER_ROW) return cell;
    if (y < KEYBOARD_Y || y >= KEYBOARD_Y + 2 * CELL) return cell;
    int column = (x - KEYBOARD_X) / CELL;
    int line = (y - KEYBOARD_Y) / CELL;
    cell.letter = LETTER_ROWS[line][column];
    cell.x = KEYBOARD_X + CELL * column;
    cell.y = KEYBOARD_Y + CELL * line;
    return cell;
}

// Draws the first zone under the mouse again in green.
void drawHover(BITMAP* buffer, int x, int y) {
    LetterCell cell = letterAt(x, y);
    if (cell.letter) {
        bitmap_font->drawGreen(buffer, std::string(1, cell.letter), cell.x, cell.y);
    } else if (overButton(DELETE_BUTTON, x, y)) {
        bitmap_font->drawGreen(buffer, DELETE_BUTTON.text, DELETE_BUTTON.x, DELETE_BUTTON.y);
    } else if (overButton(END_BUTTON, x, y)) {
        bitmap_font->drawGreen(buffer, END_BUTTON.text, END_BUTTON.x, END_BUTTON.y);
    }
}

}  // namespace

NameEntry::NameEntry(ScoreTable& table, int row) : table(table), row(row) {}

void NameEntry::sweepLightBar(BITMAP* buffer) {
    sweepX += SWEEP_STEP;
    if (sweepX >= SWEEP_END) sweepX = SWEEP_START;
    const int bottom = SCREEN_HEIGHT - 1;
    vline(buffer, sweepX, 0, bottom, makecol(255, 255, 255));
    const int glow[3] = {makecol(170, 170, 255), makecol(100, 100, 255), makecol(30, 30, 255)};
    for (int distance = 1; distance <= 3; ++distance) {
        vline(buffer, sweepX + distance, 0, bottom, glow[distance - 1]);
        vline(buffer, sweepX - distance, 0, bottom, glow[distance - 1]);
    }
}

void NameEntry::nameEntryClick() {
    poll_mouse();
    if (!pressedOnce(mouse_b & 1, click_latch)) return;  // a held button counts once
    char* name = table.names[row];
    LetterCell cell = letterAt(mouse_x, mouse_y);
    if (cursorPosition < NAME_LENGTH && cell.letter) {
        name[cursorPosition] = cell.letter;
        cursorPosition += 1;
    }
    if (cursorPosition > 0 && overButton(DELETE_BUTTON, mouse_x, mouse_y)) {
        name[cursorPosition - 1] = ' ';
        cursorPosition -= 1;
    }
    if (overButton(END_BUTTON, mouse_x, mouse_y)) done = true;
}

void NameEntry::draw(BITMAP* buffer) {
    bitmap_font->drawGreen(buffer, "Enter Your Name\n---------------", 200, 32);
    bitmap_font->draw(buffer, std::string(table.names[row], NAME_LENGTH), 296, 64);
    bitmap_font->draw(buffer, LETTER_ROWS[0], KEYBOARD_X, KEYBOARD_Y);
    bitmap_font->draw(buffer, LETTER_ROWS[1], KEYBOARD_X, KEYBOARD_Y + CELL);
    bitmap_font->draw(buffer, DELETE_BUTTON.text, DELETE_BUTTON.x, DELETE_BUTTON.y);
    bitmap_font->draw(buffer, END_BUTTON.text, END_BUTTON.x, END_BUTTON.y);
    drawHover(buffer, mouse_x, mouse_y);
}

void enterName(int score, ScoreTable& table, BITMAP* buffer, BITMAP** cursor_images) {
    int row = insertScore(table, score);
    if (row < 0) return;
    NameEntry entry(table, row);
    // Done is tested at the top, so the pass that clicks END! is still shown.
    while (!entry.isDone() && !shellShouldStop()) {
        entry.sweepLightBar(buffer);
        entry.nameEntryClick();
        entry.draw(buffer);
        presentFrame(buffer, cursor_images);
    }
}
