// Name entry: the modal on-screen keyboard that writes a three-character name
// into the row a qualifying score takes in its table. Mouse only.
//
// The screen runs its own loop inside the end of a round, paced and presented
// like the main loop. Letters go straight into the table row as they are
// clicked, so whatever the row holds when the loop ends is the name; closing the
// window ends the loop too and keeps the letters typed so far.
#pragma once

#include "scores/score_table.h"

struct BITMAP;

// Places the score in the table and lets the player spell the row's name.
// A score that does not qualify returns at once and leaves the table alone.
void enterName(int score, ScoreTable& table, BITMAP* buffer, BITMAP** cursor_images);

// One open name entry screen: which row it fills and how far the name has got.
class NameEntry {
public:
    NameEntry(ScoreTable& table, int row);

    // The light bar that sweeps across the screen, three pixels per pass.
    void sweepLightBar(BITMAP* buffer);
    // The mouse step of one pass: a new left click types, deletes or finishes.
    void nameEntryClick();
    // Heading, the name so far, the keyboard, the buttons and the hover highlight.
    void draw(BITMAP* buffer);

    bool isDone() const { return done; }

private:
    ScoreTable& table;
    int row;
    int cursorPosition = 0;
    bool done = false;
    int sweepX = -12;
};
