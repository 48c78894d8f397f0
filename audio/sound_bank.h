// SoundBank: the single owner of the game's samples and music.
//
// When no sound device can be installed the bank is disabled and every
// operation, load included, does nothing: the game then runs silent. When the
// music cannot start (no patch set), the effects play without it.
#pragma once

struct SAMPLE;
struct MIDI;

class SoundBank {
public:
    // Six voices mix the effects. The music needs one voice per note it holds
    // (both pieces hold up to 11 at once), with room for notes dying away.
    static constexpr int EFFECT_VOICES = 6;
    static constexpr int MUSIC_VOICES = 16;

    SoundBank();   // install_sound with music, else with the effects alone
    ~SoundBank();  // remove_sound, only when enabled

    void load();   // throws ERR_SOUND_MISSING at the first missing file
    void unload();

    void playShot();
    void playDie();
    void playEnemyBullet();
    void playEnemyLaser();
    void playEnemyDie();
    void playEnemyBigDie();
    void playThree();
    void playTwo();
    void playOne();
    void playGo();
    void playGem();
    void playExtraLife();
    void playGameMusic();
    void playTitleMusic();
    void stopMusic();

    bool isEnabled() const { return enabled; }

private:
    void playSample(SAMPLE* sample, int frequency);

    SAMPLE* shot = nullptr;
    SAMPLE* die = nullptr;
    SAMPLE* enemyBullet = nullptr;
    SAMPLE* enemyLaser = nullptr;
    SAMPLE* enemyDie = nullptr;
    SAMPLE* enemyBigDie = nullptr;
    SAMPLE* three = nullptr;
    SAMPLE* two = nullptr;
    SAMPLE* one = nullptr;
    SAMPLE* go = nullptr;
    SAMPLE* gem = nullptr;
    SAMPLE* extraLife = nullptr;
    MIDI* gameMusic = nullptr;
    MIDI* titleMusic = nullptr;
    bool enabled = false;
};
