// The title menu: the game logo, the three game modes and "Exit".
//
// The menu is drawn from one table of items, so the zones that take clicks,
// the texts that are drawn and the hover highlight can never disagree.
#pragma once

struct BITMAP;

// The menu item under a point: 1 to 3 for the game modes, MENU_EXIT for "Exit",
// MENU_NONE for none.
const int MENU_NONE = 0;
const int MENU_EXIT = 4;
int menuItemAt(int x, int y);

// Logo, items and the two green lines at the foot of the title.
void drawTitleElements(BITMAP* dest);
// The item under the mouse drawn again in green.
void drawMenuHover(BITMAP* dest, int x, int y);
// One title pass: the fade-in while fade_alpha is below 255, then the live menu.
void titlePass(BITMAP* buffer);
