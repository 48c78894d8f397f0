// The two music pieces. The game piece loops for as long as a round lasts,
// so it ends exactly on a bar line with a turnaround and fill that lead back
// into its first bar, and no note rings across the loop point. The title
// piece plays once: an intro, the theme, a second theme, the theme in full
// and a held final chord.
#pragma once

#include <cstdint>
#include <vector>

class AssetOutput;

std::vector<uint8_t> composeMarathonMusic();
std::vector<uint8_t> composeTitleMusic();
void makeMusic(AssetOutput& out);
