// Front end: the logo intro, the title menu and the attract cycle of controls,
// credits and score screens. Each call is one pass of the main loop.
//
// Nothing here keeps state of its own: which screen a pass draws follows from
// the program-wide counters (intro_frame, screen_timer, fade_alpha), so a round
// that ends only has to reset them to bring the player back to the title. Every
// screen is drawn at fixed coordinates into the back buffer; the frame tail adds
// the cursor and shows it.
#pragma once

struct BITMAP;
class SoundBank;

// Passes of the attract cycle, by screen_timer after its increment.
const int CONTROLS_FIRST_PASS = 400;
const int CREDITS_FIRST_PASS = 800;
const int SCORES_FIRST_PASS = 1200;
const int PASSES_PER_SCORE_SCREEN = 100;
const int LAST_CYCLE_PASS = 1499;
const int INTRO_PASSES = 280;
const char* const DEVELOPER_LOGO_FILE = "logo/ostwick.bmp";
const char* const TITLE_BACKGROUND_FILE = "backgrounds/titlebg.bmp";

void introStep(BITMAP* buffer);
// The title's picture is resident only while the front end is up: a front-end
// pass reads it when it is away, after the intro or a round, and the shell puts
// it away for a round, whose backdrop is twice its size.
void putTitlePictureAway();
// The logo an intro pass shows, blitted whole at the top left; null for none.
BITMAP* introLogoForPass(int pass);
void frontEndPass(BITMAP* buffer);
// ESC quits; a click anywhere goes back to the title and restarts its music.
void attractInput(bool& running_flag, bool& esc, bool& click, int& timer, SoundBank* sounds);
