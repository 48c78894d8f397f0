// The title theme: a four-bar lead motif in A minor over Am-F-C-G and its
// answering variant. (The in-game piece has a theme of its own.)
#pragma once

#include <vector>

#include "assetgen/music_arranger.h"

// Four bars over Am | F | C | G.
const std::vector<MelodyNote>& mainMotif();
// Four bars over Am | F | C | G, ending open on the dominant side.
const std::vector<MelodyNote>& answerMotif();
