// The sound bank without a sound device (the game runs silent and reads no
// file) and with a stand-in sound card that records what each effect starts.
#include <gtest/gtest.h>
#include <unistd.h>

#include "audio/sound_bank.h"
#include "support/recording_sound.h"

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

// Each effect starts its own file at the speed it was recorded at, but the big
// explosion, which plays at 80 %: lower and longer.
TEST(SoundBankEffects, EachPlaysItsOwnFileAndTheBigExplosionPlaysLower) {
    testing_support::installRecordingSoundCard();
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
        (bank->*effect.play)();
        ASSERT_FALSE(testing_support::soundsStarted().empty()) << effect.file;
        EXPECT_EQ(testing_support::soundsStarted().back().name, effect.file);
        EXPECT_EQ(testing_support::soundsStarted().back().permille, effect.permille) << effect.file;
    }
    EXPECT_EQ(testing_support::soundsStarted().size(), 12u);
    bank->unload();
    delete bank;
    testing_support::removeRecordingSoundCard();
}

}  // namespace
