// The round loop: starting a round and running one frame of play.
#pragma once

#include "app/game_types.h"

struct BITMAP;

void startRound(GameMode mode);
void runPlayFrame(BITMAP* buffer);
// Delete every enemy and gem of the round (end of round, shut-down).
void clearRoundObjects();
