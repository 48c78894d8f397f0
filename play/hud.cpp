#include "play/hud.h"

#include <allegro.h>

#include <string>

#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/black_fade.h"
#include "play/gryffon.h"
#include "play/round_state.h"

namespace {
const int DIP_START = 500;
const int DIP_LENGTH = 64;
const int WRAP_FROM = BACKGROUND_WIDTH - SCREEN_WIDTH;  // 720

// Full height, from the backdrop's column source_x to the screen's dest_x;
// during the dip (alpha 0..256) faded on the way.
void copyBackgroundPart(BITMAP* dest, int source_x, int dest_x, int width, int alpha) {
    if (alpha < 0)
        blit(game_background, dest, source_x, 0, dest_x, 0, width, SCREEN_HEIGHT);
    else
        copyFadedTowardBlack(game_background, source_x, 0, dest, dest_x, 0, width, SCREEN_HEIGHT, alpha);
}

// The view scrolls through the wide picture; past the wrap its start shows again on the right.
void copyBackground(BITMAP* dest, int alpha) {
    copyBackgroundPart(dest, background_scroll, 0, SCREEN_WIDTH, alpha);
    if (background_scroll > WRAP_FROM)
        copyBackgroundPart(dest, 0, BACKGROUND_WIDTH - background_scroll, background_scroll - WRAP_FROM, alpha);
}

void showCountdownDigit(BITMAP* buffer, const char* digit, int x, void (SoundBank::*play)()) {
    bitmap_font->draw(buffer, digit, x, 224);
    copyToScreen(buffer);
    (sound_bank->*play)();
    waitMilliseconds(750);
}

// Strength of the backdrop (0 black .. 256 full) for a frame, or -1 when the
// frame is outside the dip and the backdrop is copied straight.
int backdropDipAlpha(int frame) {
    int t = frame % 1000 - DIP_START;
    if (t < 0 || t >= DIP_LENGTH) return -1;
    return t < 32 ? 256 - 8 * t : 8 * t - 256;
}
}  // namespace

void drawBackdrop(BITMAP* buffer) { copyBackground(buffer, backdropDipAlpha(frame_count)); }

namespace {
// The name the banner shows for a shape id; empty for none.
const char* shapeBannerName(int shape) {
    switch (shape) {
        case SHAPE_TRIANGLE: return "TRIANGLE";
        case SHAPE_RECTANGLE: return "SQUARE";
        case SHAPE_V: return "V-FIRE";
        case SHAPE_VERTICAL_LINE: return "V-LINE";
        default: return "";
    }
}
}  // namespace

// Blinks 8 frames on, 8 off; the frame it stops (-1) still shows the name.
void shapeBannerStep(BITMAP* buffer) {
    if (banner_timer < 0) return;
    banner_timer += 1;
    if (banner_timer > 400) banner_timer = -1;
    if (banner_timer % 16 >= 8 || current_shape == SHAPE_NONE) return;
    int x = current_shape == SHAPE_TRIANGLE ? 256 : 272;
    bitmap_font->draw(buffer, shapeBannerName(current_shape), x, 0);
}

void drawHud(BITMAP* buffer) {
    bitmap_font->drawGreen(buffer, "Score", 0, 0);
    bitmap_font->draw(buffer, std::to_string(gryffon->getScore()), 0, 16);
    if (gryffon->getLives() <= 0) return;
    bitmap_font->drawGreen(buffer, "Rest", 0, 464);
    bitmap_font->draw(buffer, std::to_string(gryffon->getLives() - 1), 80, 464);
}

// The digits pile up on the buffer, so the screen shows 3, then 3 2, then 3 2 1.
void countdownStep(BITMAP* buffer) {
    if (intro_counter == 0) {
        showCountdownDigit(buffer, "3", 280, &SoundBank::playThree);
        if (!shellShouldStop()) showCountdownDigit(buffer, "2", 312, &SoundBank::playTwo);
        if (!shellShouldStop()) showCountdownDigit(buffer, "1", 344, &SoundBank::playOne);
        intro_counter = 1;
    }
    if (intro_counter < 1) return;
    if (intro_counter == 1) {
        sound_bank->playGo();
        if (game_mode == TwoMinute || game_mode == FiveMinute) startRoundClock();
    }
    bitmap_font->draw(buffer, "GO!!", 4 * intro_counter - 68, 224);
    intro_counter += 1;
}

void drawTimer(BITMAP* buffer) {
    if (game_mode == Marathon || seconds_left < 0) return;
    bitmap_font->draw(buffer, "TIME " + std::to_string(seconds_left.load()), 512, 464);
}
