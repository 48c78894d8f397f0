#include "play/end_sequence.h"

#include <allegro.h>

#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/black_fade.h"
#include "play/gryffon.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/name_entry.h"
#include "scores/score_table.h"

namespace {
const int LETTER_COUNT = 8;
const int LETTER_Y = 224;
const char* const TIME_OVER[LETTER_COUNT] = {"T", "I", "M", "E", "O", "V", "E", "R"};
const char* const GAME_OVER[LETTER_COUNT] = {"G", "A", "M", "E", "O", "V", "E", "R"};
// Every letter leaves x = 4 together and stops where 4 x end_counter reaches its place.
const int LETTER_STOP[LETTER_COUNT] = {60, 64, 68, 72, 84, 88, 92, 96};

// x of end letter i (0..7) at the given end_counter.
int endLetterX(int letter, int counter) {
    int stop = LETTER_STOP[letter];
    return counter < stop ? 4 * counter : 4 * stop;
}

// The letter i shows: TIME OVER with ships left (time up), GAME OVER without.
const char* endLetter(int letter, bool livesLeft) { return livesLeft ? TIME_OVER[letter] : GAME_OVER[letter]; }

// Blend the buffer towards black: 255 - 4 x end_counter, then black.
void fadeBuffer(BITMAP* buffer, int counter) {
    int alpha = 255 - 4 * counter;
    if (alpha <= 0) {
        clear_bitmap(buffer);
        return;
    }
    fadeTowardBlack(buffer, SCREEN_WIDTH, SCREEN_HEIGHT, alpha);
}

// Name entry when it applies, then back to the front end with the field emptied.
void handOffToFrontEnd(BITMAP* buffer) {
    // The fire button may still be down: name entry and the title wait for a new press.
    click_latch = true;
    ScoreTable& table = scoreTableFor(game_mode);
    if (end_counter < END_COUNTER_ESC && scoreQualifies(table, gryffon->getScore()))
        enterName(gryffon->getScore(), table, buffer, cursors);
    end_counter = -1;
    screen_timer = 0;
    game_mode = FrontEnd;
    sound_bank->playTitleMusic();
    fade_alpha = 0;
    clearRoundObjects();
}
}  // namespace

void endSequenceStep(BITMAP* buffer) {
    if (end_counter < 0) return;
    if (end_counter == 0 && gryffon->getLives() > 0) gryffon->setPosition(1500, 1500);
    end_counter += 1;
    if (end_counter > END_SEQUENCE_FRAMES) {
        // This frame drew the field unfaded: it must not reach the screen.
        clear_bitmap(buffer);
        handOffToFrontEnd(buffer);
        return;
    }
    fadeBuffer(buffer, end_counter);
    bool livesLeft = gryffon->getLives() > 0;
    for (int i = 0; i < LETTER_COUNT; ++i)
        bitmap_font->draw(buffer, endLetter(i, livesLeft), endLetterX(i, end_counter), LETTER_Y);
}
