// HeadlessGame: the game's long-lived objects, made without a display.
//
// The benchmark runs the real Allegro under SYSTEM_NONE: memory bitmaps only, a
// memory bitmap standing in for the screen, and the frame_wait_override seam so
// presentFrame and every rest return at once. Frame times are then the pure
// drawing and logic cost of a pass, without vsync or the wait for the tick.
// The 16-bit colour layout is forced to the one a real screen mode sets, so
// loaded art and drawn colours are the same as in the running game.
#pragma once

#include <string>

struct BITMAP;

class HeadlessGame {
public:
    // Changes to the run folder, starts Allegro and creates every program-wide
    // object start-up creates. Returns false (with a message) when it cannot.
    bool start(const std::string& runFolder);
    void stop();

    BITMAP* stage() const { return stageScreen; }

private:
    bool loadScreenArt();

    BITMAP* stageScreen = nullptr;
};
