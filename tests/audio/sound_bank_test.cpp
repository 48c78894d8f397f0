// The sound bank without a sound device: the game runs silent and reads no file.
#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
