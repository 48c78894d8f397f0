// WorstCaseField: the busiest play frame the game's pools allow.
//
// All 35 enemy slots hold big battleships fully on screen, each with all 25 of
// its lasers in flight; all 50 of the ship's lasers fly; all ten gem slots hold
// a visible gem; the shape banner, the HUD and the clock show; and the frame
// count sits in the backdrop's dip, where the backdrop goes through a
// temporary bitmap and a translucent blend. The field is topped up before each
// frame (positions, hit points, lasers, gem ages, lives), so every measured
// frame is as full as the first; nothing is ever allowed to finish.
#pragma once

struct BITMAP;

struct FieldCount {
    int battleships = 0;  // in a slot and not exploding
    int enemyLasers = 0;  // in flight
    int shipLasers = 0;   // in flight
    int gems = 0;         // in a slot, at a visible age
    int enemyLasersAtEnd = 0;  // still in flight once the frame is over
};

class WorstCaseField {
public:
    static const int COLUMNS = 7;
    static const int ROWS = 5;

    // Fills the slots, gives the ship a shape and holds the fire button.
    void build();
    // Restores the full field; dip selects a frame count inside the dip, fade
    // an end-of-round counter inside the fade (the round then takes no input).
    void refill(int frame, bool dip, bool fade);
    // What the field holds right now (read after refill, before the frame).
    static FieldCount count();
    // Deletes every enemy and gem it made and lets go of the input.
    void tearDown();

private:
    void refillEnemy(int slot);
    void refillShipLasers();
    void refillGems();
};
