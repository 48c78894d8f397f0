// Front end: the logo intro, the title menu and the attract cycle of controls,
// credits and score screens. Each call is one pass of the main loop.
#pragma once

class SoundBank;

void introStep(struct BITMAP* buffer);
void frontEndPass(struct BITMAP* buffer);
int menuInput(bool& running_flag, bool& esc, bool& click);
void attractInput(bool& running_flag, bool& esc, bool& click, int& timer, SoundBank* sounds);
