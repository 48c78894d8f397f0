// The soak's player: seeded random input written straight into Allegro's
// key[], mouse and joystick state once per simulated frame.
//
// It is not a good player, but it behaves like a restless one on every screen:
// it waits on the title or lets the attract cycle run, picks a game mode, flies
// with every key family and the joystick, holds and releases fire, right-clicks
// single points and whole shapes, pauses (holding P on purpose to check that a
// held key does not resume), presses ESC now and then, and types names with the
// mouse. What it sees is only the program-wide state any screen exposes, so it
// knows which screen it is on without any hook in the game.
#pragma once

#include <string>

class SoakPlayer {
public:
    explicit SoakPlayer(unsigned seed);

    // One frame of input. Returns false, with violation() set, when the game
    // did something the player can tell is wrong (a held P ended the pause).
    bool act();
    const std::string& violation() const { return problem; }

    long pausesTaken() const { return pauses; }
    long escapesPressed() const { return escapes; }
    long shapesDrawn() const { return shapes; }
    long namesTyped() const { return names; }
    long quitsAsked() const { return quits; }

private:
    enum Screen { INTRO, TITLE, ATTRACT, COUNTDOWN, PLAY, PAUSED, ENDING, NAME_ENTRY };
    static Screen currentScreen();

    int roll(int n);
    void releaseEverything();
    void actTitle();
    void actAttract();
    void actPlay();
    bool actPaused();
    void actNameEntry();

    void chooseMovement();
    void steerMouse();
    void steerFire();
    void maybePlacePoints();
    void queueClick(int x, int y, int button);
    void queueShape();
    // Runs the head of the click queue; true while a click is in progress.
    bool runClickQueue();

    unsigned state;
    Screen last_screen = INTRO;
    std::string problem;

    // Title plans and movement.
    int title_wait = -1;
    int movement_left = 0;
    int fire_left = 0;
    bool fire_held = false;

    // Pause plan: hold P from the press, let go, then press again to resume.
    int pause_phase = 0;  // 0 none, 1 holding since the press, 2 released, 3 pressing to resume
    int pause_left = 0;
    int p_release_left = 0;

    // Name entry plan.
    int name_clicks_left = -1;

    // Queued clicks: press for two frames, release for two.
    struct Click {
        int x, y, button;
    };
    static const int QUEUE_SIZE = 16;
    Click queue[QUEUE_SIZE];
    int queued = 0;
    int click_phase = 0;

    long pauses = 0, escapes = 0, shapes = 0, names = 0, quits = 0;
};
