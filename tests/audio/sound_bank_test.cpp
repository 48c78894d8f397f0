// The sound bank without a sound device (the game runs silent and reads no
// file) and with a stand-in sound card that records what each effect starts.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "audio/sound_bank.h"

namespace {

// Headless Allegro has no sound driver, exactly like a machine without a sound
// card: install_sound fails, and no operation may load a file or reach the
// MIDI player, which runs on a timer the silent game never installs.
TEST(SilentSoundBank, EveryOperationIsHarmlessAndNoFileIsNeeded) {
    char empty[] = "/tmp/zenvar-audio-XXXXXX", here[4096];
    ASSERT_TRUE(mkdtemp(empty) && getcwd(here, sizeof here) && chdir(empty) == 0);  // not one sample exists
    SoundBank* bank = new SoundBank();
    EXPECT_FALSE(bank->isEnabled());
    EXPECT_NO_THROW(bank->load());
    for (void (SoundBank::*play)() :
         {&SoundBank::playShot, &SoundBank::playDie, &SoundBank::playEnemyBullet, &SoundBank::playEnemyLaser,
          &SoundBank::playEnemyDie, &SoundBank::playEnemyBigDie, &SoundBank::playThree, &SoundBank::playTwo,
          &SoundBank::playOne, &SoundBank::playGo, &SoundBank::playGem, &SoundBank::playExtraLife,
          &SoundBank::playGameMusic, &SoundBank::playTitleMusic, &SoundBank::stopMusic, &SoundBank::unload})
        (bank->*play)();
    delete bank;
    ASSERT_EQ(chdir(here), 0);
    rmdir(empty);
}

// The last sample a voice was given and the speed it was set to.
const SAMPLE* voice_sample = nullptr;
int voice_frequency = 0;
DIGI_DRIVER recorder = {
    AL_ID('R', 'E', 'C', 'D'), "recorder", "recorder", "recorder", 8, 0, 8, 8,
    [](int input) { return int(!input); }, [](int, int voices) { return recorder.voices = voices, 0; }, [](int) {},
    [](int) { return 0; }, [] { return 255; }, nullptr, nullptr, [] { return 0; },
    [](int, const SAMPLE* sample) { voice_sample = sample; }, [](int) {}, [](int) {}, [](int) {}, [](int, int) {},
    [](int) { return 0; }, [](int, int) {}, [](int) { return 255; }, [](int, int) {}, [](int, int, int) {}, [](int) {},
    [](int) { return voice_frequency; }, [](int, int f) { voice_frequency = f; }, [](int, int, int) {}, [](int) {},
    [](int) { return 128; }, [](int, int) {}, [](int, int, int) {}, [](int) {},
    [](int, int, int) {}, [](int, int, int) {}, [](int, int, int) {},
    0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
_DRIVER_INFO recorder_list[] = {{AL_ID('R', 'E', 'C', 'D'), &recorder, TRUE}, {0, nullptr, 0}};

// Each effect starts its own file at the speed it was recorded at, but the big
// explosion, which plays at 80 %: lower and longer.
TEST(SoundBankEffects, EachPlaysItsOwnFileAndTheBigExplosionPlaysLower) {
    _DRIVER_INFO* (*system_list)() = system_driver->digi_drivers;
    system_driver->digi_drivers = [] { return recorder_list; };
    SoundBank* bank = new SoundBank();
    ASSERT_TRUE(bank->isEnabled());
    bank->load();
    const struct { void (SoundBank::*play)(); const char* file; int permille; } effects[] = {
        {&SoundBank::playShot, "shot", 1000}, {&SoundBank::playDie, "die", 1000},
        {&SoundBank::playEnemyBullet, "enemybullet", 1000}, {&SoundBank::playEnemyLaser, "enemylaser", 1000},
        {&SoundBank::playEnemyDie, "enemydie", 1000}, {&SoundBank::playEnemyBigDie, "enemybigdie", 800},
        {&SoundBank::playThree, "three", 1000}, {&SoundBank::playTwo, "two", 1000}, {&SoundBank::playOne, "one", 1000},
        {&SoundBank::playGo, "go", 1000}, {&SoundBank::playGem, "gem", 1000},
        {&SoundBank::playExtraLife, "extralife", 1000}};
    for (const auto& effect : effects) {
        SAMPLE* own = load_sample(("sfx/" + std::string(effect.file) + ".wav").c_str());
        ASSERT_NE(own, nullptr) << effect.file;
        voice_sample = nullptr;
        (bank->*effect.play)();
        ASSERT_NE(voice_sample, nullptr) << effect.file;
        EXPECT_TRUE(voice_sample->len == own->len && !std::memcmp(voice_sample->data, own->data, own->len * 2)) << effect.file;
        EXPECT_EQ(voice_frequency, own->freq * effect.permille / 1000) << effect.file;
        destroy_sample(own);
    }
    bank->unload();
    delete bank;
    system_driver->digi_drivers = system_list;
}

}  // namespace
