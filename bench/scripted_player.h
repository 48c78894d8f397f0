// ScriptedPlayer: a repeatable player for long simulated rounds.
//
// It writes Allegro's input state (key[], mouse position and buttons) before
// each frame, as a person would hold them: it steers in one direction for a
// while, sweeps the aim towards a wandering target, fires in long bursts and,
// every ten seconds, right-clicks the points of one of the four shapes in turn.
// It draws from its own generator, so the game's rand() sequence, and with it
// every spawn, depends only on the round's seed.
#pragma once

class ScriptedPlayer {
public:
    explicit ScriptedPlayer(unsigned seed);

    // Sets the input for the given frame of the round (1 = first frame).
    void apply(int frame);
    // Lets go of every key and button.
    static void releaseAll();

private:
    unsigned nextRandom(unsigned range);
    void steer(int frame);
    void aim(int frame);
    void fire();
    bool drawShape(int frame);

    unsigned state;
    int direction = 0;      // 0 none, 1..8 the eight compass directions
    int targetX = 320, targetY = 240;
    int aimX = 320, aimY = 240;
    bool firing = true;
};
