// The soak: the real game headless for many simulated frames, with a seeded
// restless player and the game's invariants checked after every frame and
// every round. Each check reads only program-wide state and public accessors.
#pragma once
#include <string>

// Start-up and shut-down as the game does them, on a headless Allegro whose
// timer driver only records which callbacks are installed.
bool startSoakShell();
int stopSoakShell();  // bitmaps the graphic library still holds
bool roundClockInstalled();
long liveAllocations();  // blocks from operator new not yet given back

// The invariants; each returns "" when it holds, else what went wrong.
void rememberShipEntries();
void soakRoundStarted();
std::string checkFrame();
std::string checkRoundOver(long live_allocations);

// The player: seeded random input written into Allegro's key[], mouse and
// joystick state once per frame, telling its screen from program-wide state.
// False when the game did something a player can tell is wrong.
void seedSoakPlayer(unsigned seed);
bool soakPlayerActs(std::string& problem);
extern long names_typed, pauses_taken, shapes_drawn, escapes_pressed;
