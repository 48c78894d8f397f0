// The front end's world for headless tests: plain-coloured stand-ins for the
// title art, the logos and the stars, the test glyph font, a silent sound bank
// and a player ship, so a pass can run and its picture can be read back.
#pragma once

#include <gtest/gtest.h>
#include <allegro.h>

#include <string>

#include "support/glyph_font.h"

using testing_support::Ink;
using testing_support::textAt;

// Colours of the stand-in art, as 16-bit pixels.
int titleBackgroundColour();
int gameLogoColour();
int publisherLogoColour();
int developerLogoColour();
int starColour(int image);

class FrontEndTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Back to the state after the intro, for a second case inside one test.
    void restart();

    // One front-end pass on a cleared buffer, as the frame tail leaves it.
    void pass();
    // Sets screen_timer so that the next pass() is the one with that timer.
    void jumpTo(int timer);
    // The title is fully faded in, as after its first 32 passes.
    void skipFade();
    void mouseAt(int x, int y, bool pressed = false);
    // Fresh maker logos for the intro (it destroys them at its end).
    void makeLogos();

    BITMAP* buffer = nullptr;
};
