// The autopilot: a test and demo hook that flies the ship by itself.
//
// It is not part of the game players run: it lives in its own build of the
// game, `zenvar-autopilot`, which the end-to-end runs and the headless demo
// start to play rounds long enough to reach the clock's end without a human. It never changes a rule of the game: it writes the same
// keyboard and mouse state a player produces, from the same program-wide state
// a player sees, and only while a round is being played. Menus, the pause and
// name entry are left to the real mouse and keyboard.
//
// It takes over the frame wait (frame_wait_override), which gives it one call
// per pass on the main thread, where reading enemies and shots is safe; it
// then waits for the 60 Hz tick (or the countdown's and pause's own rests)
// just as the normal frame tail does.
#pragma once

// Hands the frame wait to the autopilot; called once start-up has finished.
void startAutopilot();

class Autopilot {
public:
    // Chooses this frame's steering, aim and fire and writes them as input.
    void steer();
    // Lets go of every key and button the autopilot held.
    void letGo();

private:
    void chooseMove(int& dx, int& dy) const;
    bool chooseTarget(int& x, int& y) const;
    void pressDirection(int dx, int dy);
    bool placeShapePoint();

    int frames = 0;
    int shape_step = -1;  // which point of the next shape is being placed, -1 none
    bool holding = false;
};
