#include "support/recording_sound.h"

#include <allegro.h>

#include <cstring>
#include <map>

namespace testing_support {

namespace {
const SAMPLE* voice_samples[8] = {};
int voice_frequencies[8] = {};
std::vector<StartedSound> started;
_DRIVER_INFO* (*system_list)() = nullptr;

std::string nameOf(const SAMPLE* sample) {
    static std::map<std::string, SAMPLE*>& files = *new std::map<std::string, SAMPLE*>;  // kept to the end
    if (files.empty())
        for (const char* name : {"shot", "die", "enemybullet", "enemylaser", "enemydie", "enemybigdie", "three", "two",
                                 "one", "go", "gem", "extralife"})
            files[name] = load_sample((std::string("sfx/") + name + ".wav").c_str());
    for (const auto& file : files)
        if (file.second && file.second->len == sample->len && file.second->freq == sample->freq &&
            !std::memcmp(file.second->data, sample->data, sample->len * 2))
            return file.first;
    return "?";
}

void startVoice(int voice) {
    const SAMPLE* sample = voice_samples[voice];
    started.push_back({nameOf(sample), int(voice_frequencies[voice] * 1000LL / sample->freq)});
}

DIGI_DRIVER recorder = {
    AL_ID('R', 'E', 'C', 'D'), "recorder", "recorder", "recorder", 8, 0, 8, 8,
    [](int input) { return int(!input); }, [](int, int voices) { return recorder.voices = voices, 0; }, [](int) {},
    [](int) { return 0; }, [] { return 255; }, nullptr, nullptr, [] { return 0; },
    [](int voice, const SAMPLE* sample) { voice_samples[voice] = sample; }, [](int) {}, startVoice, [](int) {},
    [](int, int) {}, [](int) { return 0; }, [](int, int) {}, [](int) { return 255; }, [](int, int) {},
    [](int, int, int) {}, [](int) {}, [](int voice) { return voice_frequencies[voice]; },
    [](int voice, int frequency) { voice_frequencies[voice] = frequency; }, [](int, int, int) {}, [](int) {},
    [](int) { return 128; }, [](int, int) {}, [](int, int, int) {}, [](int) {},
    [](int, int, int) {}, [](int, int, int) {}, [](int, int, int) {},
    0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
_DRIVER_INFO recorder_list[] = {{AL_ID('R', 'E', 'C', 'D'), &recorder, TRUE}, {0, nullptr, 0}};
}  // namespace

void installRecordingSoundCard() {
    system_list = system_driver->digi_drivers;
    system_driver->digi_drivers = [] { return recorder_list; };
    started.clear();
}

void removeRecordingSoundCard() { system_driver->digi_drivers = system_list; }

std::vector<StartedSound>& soundsStarted() { return started; }

}  // namespace testing_support
