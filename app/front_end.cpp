#include "app/front_end.h"

#include <allegro.h>

#include "app/attract_screens.h"
#include "core/game_files.h"
#include "core/game_types.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "app/title_screen.h"
#include "audio/sound_bank.h"
#include "gfx/black_fade.h"

namespace {

const int FADE_STEP = 8;
const int FULLY_SHOWN = 255;

struct LogoTiming {
    int first_pass;  // the logo appears on this pass
    int rise_until;  // alpha rises on passes before this one
    int hold_until;  // alpha holds at 255 up to this pass, then falls
};
const LogoTiming PUBLISHER = {1, 30, 109};
const LogoTiming DEVELOPER = {140, 170, 249};

void fadeLogo(BITMAP* buffer, BITMAP* logo, const LogoTiming& timing, int pass) {
    if (pass < timing.rise_until) {
        fade_alpha += FADE_STEP;
    } else if (pass > timing.hold_until) {
        fade_alpha -= FADE_STEP;
    } else {
        fade_alpha = FULLY_SHOWN;
    }
    // The first pass draws over the start-up grid; every later one over the
    // black of a cleared buffer, where the logo can be faded in place.
    if (pass == 1) {
        set_trans_blender(0, 0, 0, fade_alpha);
        draw_trans_sprite(buffer, logo, 0, 0);
        return;
    }
    blit(logo, buffer, 0, 0, 0, 0, logo->w, logo->h);
    fadeTowardBlack(buffer, logo->w, logo->h, fade_alpha);
}

// Each logo fills the screen: the developer's is read only once the
// publisher's has faded out and gone, so the intro never holds both.
void handOverLogos() {
    destroyAndForget(publisher_logo);
    if (!developer_logo) developer_logo = loadPicture(DEVELOPER_LOGO_FILE);
    if (!developer_logo) throw ERR_GRAPHIC_MISSING;
}

void endIntro() {
    destroyAndForget(publisher_logo);
    destroyAndForget(developer_logo);
    intro_frame = -1;
    fade_alpha = 0;
    click_latch = true;  // a button held through the intro waits for a new press on the title
    sound_bank->playTitleMusic();
}

// The score table an attract pass shows, by its place in the cycle.
int scoreScreenMode(int timer) {
    int screen = (timer - SCORES_FIRST_PASS) / PASSES_PER_SCORE_SCREEN;
    if (screen == 0) return Marathon;
    if (screen == 1) return TwoMinute;
    return FiveMinute;
}

}  // namespace

BITMAP* introLogoForPass(int pass) {
    if (pass < PUBLISHER.first_pass || pass >= INTRO_PASSES) return nullptr;
    return pass < DEVELOPER.first_pass ? publisher_logo : developer_logo;
}

void introStep(BITMAP* buffer) {
    intro_frame += 1;
    int pass = intro_frame;
    if (pass == DEVELOPER.first_pass) handOverLogos();
    if (pass < DEVELOPER.first_pass) {
        fadeLogo(buffer, publisher_logo, PUBLISHER, pass);
    } else if (pass < INTRO_PASSES) {
        fadeLogo(buffer, developer_logo, DEVELOPER, pass);
    }
    if (pass == INTRO_PASSES) endIntro();
}

void putTitlePictureAway() { destroyAndForget(title_background); }

void frontEndPass(BITMAP* buffer) {
    if (!title_background) title_background = loadPicture(TITLE_BACKGROUND_FILE);
    if (!title_background) throw ERR_GRAPHIC_MISSING;
    screen_timer += 1;
    int timer = screen_timer;
    if (timer < CONTROLS_FIRST_PASS) {
        titlePass(buffer);
        return;
    }
    attractInput(running, esc_latch, click_latch, screen_timer, sound_bank);
    if (timer < CREDITS_FIRST_PASS) {
        // The stars follow the timer as it stands now: a click has just reset it.
        drawControlsScreen(buffer, screen_timer);
    } else if (timer < SCORES_FIRST_PASS) {
        drawCreditsScreen(buffer);
    } else {
        drawScoreScreen(buffer, scoreScreenMode(timer));
        if (screen_timer == LAST_CYCLE_PASS) screen_timer = 0;
    }
}

void attractInput(bool& running_flag, bool& esc, bool& click, int& timer, SoundBank* sounds) {
    poll_keyboard();
    poll_mouse();
    if (pressedOnce(key[KEY_ESC], esc)) running_flag = false;
    if (pressedOnce(mouse_b & 1, click)) {
        timer = 0;
        sounds->playTitleMusic();
    }
}
