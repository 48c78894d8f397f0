// The sound bank without a sound device (the game runs silent and reads no
// file) and with a stand-in sound card that records what each effect starts.
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "support/recording_sound.h"
#include "support/scratch_folder.h"

namespace {

// Each effect's file and the speed it starts at; the music has no file here.
const struct { void (SoundBank::*play)(); const char* file; int permille; } OPERATIONS[] = {
    {&SoundBank::playShot, "shot", 1000}, {&SoundBank::playDie, "die", 1000},
    {&SoundBank::playEnemyBullet, "enemybullet", 1000}, {&SoundBank::playEnemyLaser, "enemylaser", 1000},
    {&SoundBank::playEnemyDie, "enemydie", 1000}, {&SoundBank::playEnemyBigDie, "enemybigdie", 800},
    {&SoundBank::playThree, "three", 1000}, {&SoundBank::playTwo, "two", 1000}, {&SoundBank::playOne, "one", 1000},
    {&SoundBank::playGo, "go", 1000}, {&SoundBank::playGem, "gem", 1000},
    {&SoundBank::playExtraLife, "extralife", 1000}, {&SoundBank::playGameMusic, nullptr, 0},
    {&SoundBank::playTitleMusic, nullptr, 0}, {&SoundBank::stopMusic, nullptr, 0}};

// Headless Allegro has no sound driver, like a machine without a sound card: no
// operation may load a file or reach the MIDI player, whose timer is never installed.
TEST(SilentSoundBank, EveryOperationIsHarmlessAndNoFileIsNeeded) {
    testing_support::ScratchFolder empty;
    empty.enter();
    SoundBank* bank = new SoundBank();
    EXPECT_FALSE(bank->isEnabled());
    EXPECT_NO_THROW(bank->load());
    for (const auto& operation : OPERATIONS) (bank->*operation.play)();
    bank->unload();
    delete bank;
}

// Each effect starts its own file at the speed it was recorded at, but the big
// explosion, which plays at 80 %: lower and longer.
TEST(SoundBankEffects, EachPlaysItsOwnFileAndTheBigExplosionPlaysLower) {
    testing_support::installRecordingSoundCard();
    SoundBank* bank = new SoundBank();
    ASSERT_TRUE(bank->isEnabled());
    bank->load();
    for (const auto& effect : OPERATIONS) {
        if (!effect.file) continue;
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
