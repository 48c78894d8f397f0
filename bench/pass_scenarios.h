// The measured passes of the benchmark, one function each.
//
// Every pass ends with the real frame tail (presentFrame), exactly as the main
// loop runs it, so each row of the table is a whole frame's cost.
#pragma once

class FrameStats;

// The bare frame tail: cursor, blit of the back buffer to the screen, clear.
void measureFloor(FrameStats& stats, int frames);

// What a simulated round went through, to show the load was realistic.
struct RoundSummary {
    int finalScore = 0;
    int shipsLost = 0;
    double meanEnemies = 0;
    int mostEnemies = 0;
    int framesPlayed = 0;
};

// A seeded marathon round with the scripted player. Lost ships are replaced
// between frames, so the round never ends and every frame is one of play.
RoundSummary measureTypicalPlay(FrameStats& stats, unsigned seed, int frames);

// The full field of WorstCaseField, inside the backdrop's dip or outside it,
// and optionally inside the fade of the end of a round. Returns the smallest
// field any measured frame started with.
struct FieldCount;
FieldCount measureWorstCase(FrameStats& stats, int frames, bool dip, bool fade);

// A front-end pass held on one screen: screen_timer is set before each pass
// to firstTimer (frontEndPass adds one), within the screen's own span.
// fadeIn keeps the title in its fade-in, else the title is live with the
// mouse over the first menu item (its hover feedback drawn).
void measureFrontEnd(FrameStats& stats, int frames, int firstTimer, bool fadeIn);

// An intro pass with a maker's logo fully shown.
void measureIntro(FrameStats& stats, int frames);
