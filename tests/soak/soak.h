#pragma once
#include <string>

// The player: seeded random input written into Allegro's key[], mouse and
// joystick state once per frame, telling its screen from program-wide state.
// False when the game did something a player can tell is wrong.
void seedSoakPlayer(unsigned seed);
bool soakPlayerActs(std::string& problem);
extern long names_typed, pauses_taken, shapes_drawn, escapes_pressed;
