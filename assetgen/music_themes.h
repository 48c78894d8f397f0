// The Zenvar theme: a four-bar lead motif in A minor over Am-F-C-G, its
// answering variant, and a soaring second theme over Dm-Am-F-E. The title
// piece and the in-game piece are both built from these, so the game has
// one recognisable tune.
#pragma once

#include <vector>

#include "assetgen/music_arranger.h"

// Four bars over Am | F | C | G.
const std::vector<MelodyNote>& mainMotif();
// Four bars over Am | F | C | G, ending open on the dominant side.
const std::vector<MelodyNote>& answerMotif();
// Eight bars over Dm | Am | F | E | Dm | Am | Bb | E.
const std::vector<MelodyNote>& secondTheme();
// Four bars over Am | F | Dm | E, turning back to the start.
const std::vector<MelodyNote>& turnaround();
