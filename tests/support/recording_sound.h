// A stand-in sound card: while it is installed a SoundBank starts as on a machine with sound,
// and every voice started is remembered by its file in sfx/ and its speed (1000: as recorded).
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct StartedSound {
    std::string name;  // "enemybigdie" for sfx/enemybigdie.wav; "?" for another sample
    int permille;
};

// In place of the headless system's (no) sound drivers until removed; starts the record afresh.
void installRecordingSoundCard();
void removeRecordingSoundCard();
// What was started since the card went in or the last clear.
std::vector<StartedSound>& soundsStarted();

}  // namespace testing_support
