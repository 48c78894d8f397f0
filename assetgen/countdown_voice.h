// The spoken count-down ("three", "two", "one", "go"). The words are voiced
// by the espeak-ng speech tool at generation time; everything after that is
// ours: the voice is resampled to the game's rate, trimmed of silence, given
// an announcer's treatment (low cut, a touch of drive and a short slap-back
// echo), levelled and faded at both ends.
#pragma once

#include <string>

#include "assetgen/wav_writer.h"

class AssetOutput;

// Turns raw speech into a finished count-down sample.
PcmSound announcerTreatment(const PcmSound& speech);
// Throws std::runtime_error with a clear message when espeak-ng is missing or fails.
PcmSound speakWord(const std::string& word, const std::string& temp_folder);
void makeCountdownVoice(AssetOutput& out);
