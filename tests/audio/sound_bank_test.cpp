// The sound bank with a stand-in sound card that records what each effect starts.
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "support/recording_sound.h"

namespace {

// Each effect starts its own file as recorded, but the big explosion plays at 80 %: lower and longer.
TEST(SoundBankEffects, EachPlaysItsOwnFileAndTheBigExplosionPlaysLower) {
    testing_support::installRecordingSoundCard();
    SoundBank* bank = new SoundBank();
    ASSERT_TRUE(bank->isEnabled());
    bank->load();
    for (void (SoundBank::*play)() : {&SoundBank::playShot, &SoundBank::playDie, &SoundBank::playEnemyBullet,
                                      &SoundBank::playEnemyLaser, &SoundBank::playEnemyDie, &SoundBank::playEnemyBigDie,
                                      &SoundBank::playThree, &SoundBank::playTwo, &SoundBank::playOne,
                                      &SoundBank::playGo, &SoundBank::playGem, &SoundBank::playExtraLife})
        (bank->*play)();
    std::string heard;
    for (const auto& sound : testing_support::soundsStarted())
        heard += sound.name + std::to_string(sound.permille) + " ";
    EXPECT_EQ(heard, "shot1000 die1000 enemybullet1000 enemylaser1000 enemydie1000 enemybigdie800 three1000 two1000 "
                     "one1000 go1000 gem1000 extralife1000 ");
    bank->unload();
    delete bank;
    testing_support::removeRecordingSoundCard();
}

}  // namespace
