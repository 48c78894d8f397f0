// The sound bank without a sound device: the game runs silent and reads no file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "audio/sound_bank.h"

namespace {

// Headless Allegro has no sound driver, exactly like a machine without a sound
// card: the voices the bank reserves cannot be had, so install_sound fails.
TEST(SilentSoundBank, EveryOperationIsHarmlessAndNoFileIsNeeded) {
    char pattern[] = "/tmp/zenvar-audio-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    // An empty folder: not one sample or piece exists, sfx/gem.wav included.
    ASSERT_EQ(chdir(pattern), 0);

    SoundBank* bank = new SoundBank();
    EXPECT_FALSE(bank->isEnabled());
    EXPECT_NO_THROW(bank->load());
    bank->playShot();
    bank->playShot();
    bank->playDie();
    bank->playEnemyBullet();
    bank->playEnemyLaser();
    bank->playEnemyDie();
    bank->playEnemyBigDie();
    bank->playThree();
    bank->playTwo();
    bank->playOne();
    bank->playGo();
    bank->playGem();
    bank->playExtraLife();
    // play_midi and stop_midi would crash without a timer: reaching the end proves they were skipped.
    bank->playGameMusic();
    bank->playTitleMusic();
    bank->stopMusic();
    bank->unload();
    delete bank;

    ASSERT_EQ(chdir(here), 0);
    rmdir(pattern);
}

}  // namespace
