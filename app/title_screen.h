// The title menu: the game logo, the three game modes and "Exit".
//
// The menu is drawn from one table of items, so the zones that take clicks,
// the texts that are drawn and the hover highlight can never disagree.
#pragma once

struct BITMAP;

// One title pass: the fade-in while fade_alpha is below 255, then the live menu.
void titlePass(BITMAP* buffer);
