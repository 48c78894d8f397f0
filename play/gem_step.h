// Gems on the round's side: the drop when a laser kills an enemy, and the
// per-frame step that ages, collects, expires and draws the gems.
//
// Gems live in ten fixed slots of the round with an age beside each, so a full
// field simply skips the drop. Ages count frames since the drop; a gem blinks in
// its last part of life and goes at age 501.
#pragma once

struct BITMAP;
class Enemy;
class Gryffon;

const int GEM_LIFETIME = 500;
const int GEM_BLINK_AGE = 350;
const int GEM_POINTS = 100;

// Drops a gem for a laser kill: draws one gameRandom() % 20, below 8 drops.
void dropGem(const Enemy* enemy);
// Whether a gem of this age is drawn this frame.
bool gemVisibleAtAge(int age);
// Removes the gem in slot i, giving its images back.
void removeGem(int slot);
// The whole gem step for one frame.
void gemStep(BITMAP* buffer);
