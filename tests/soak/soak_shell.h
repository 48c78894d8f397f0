// The soak's stand-in for the game's start-up: the real program-wide objects
// (graphic library, font, silent sound bank, ship, screen art, score tables)
// on a headless Allegro, with no wall clock anywhere.
//
// The library runs under SYSTEM_NONE, where installing Allegro's own timer
// crashes, so a do-nothing timer driver takes its place: it only records which
// callbacks the game installs. The soak then plays the 1 Hz clock of the timed
// modes itself, one tick per 60 simulated frames, and can check that the game
// installs and removes that clock exactly when it claims to.
#pragma once

class SoakShell {
public:
    // Loads everything the real start-up loads; false (with a message on
    // stderr) when an asset is missing or the run folder cannot be found.
    bool start();
    // Releases everything in the order of the real shut-down; returns how many
    // bitmaps the graphic library still held once every owner had let go.
    int stop();

    // True while the game has the 1 Hz round clock installed.
    static bool roundClockInstalled();
    // One tick of the round clock, if it is installed.
    static void tickRoundClock();
};
