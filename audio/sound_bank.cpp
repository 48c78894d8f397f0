#include "audio/sound_bank.h"

#include <allegro.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/game_types.h"
#include "core/platform.h"

namespace {
const int NORMAL_PITCH = 1000;
const int LOW_PITCH = 800;

void sayMissing(const char* path) {
    char folder[1024];
    if (!getcwd(folder, sizeof folder)) std::strcpy(folder, ".");
    std::fprintf(stderr, "Zenvar: missing sound %s/%s\n", folder, path);
}

SAMPLE* loadSampleOrThrow(const char* path) {
    SAMPLE* sample = load_sample(path);
    if (!sample) {
        sayMissing(path);
        throw ERR_SOUND_MISSING;
    }
    return sample;
}

MIDI* loadMidiOrThrow(const char* path) {
    MIDI* midi = load_midi(path);
    if (!midi) {
        sayMissing(path);
        throw ERR_SOUND_MISSING;
    }
    return midi;
}

// Allegro's DIGMID synthesiser plays the music on digital voices, one per
// sounding note, and takes as many as the MIDI reservation gives it.
bool installWithMusic() {
    reserve_voices(SoundBank::EFFECT_VOICES, SoundBank::MUSIC_VOICES);
    return install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0;
}

// A MIDI driver that cannot start (no patch set, a broken allegro.cfg) fails
// install_sound as a whole; the effects are still worth having.
bool installEffectsOnly() {
    reserve_voices(SoundBank::EFFECT_VOICES, 0);
    return install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0;
}

// The build links the instruments of Debian's freepats into patches/ beside
// the game. When freepats is removed later the links lead nowhere, yet DIGMID
// still starts and plays silence: look for the instruments ourselves.
// Returns the first instrument the index names that cannot be read, or "".
std::string firstMissingInstrument() {
    char executable[1024], folder[1024];
    get_executable_name(executable, sizeof executable);
    replace_filename(folder, executable, "", sizeof folder);
    FILE* index = std::fopen((std::string(folder) + "default.cfg").c_str(), "r");
    if (!index) return "";
    char line[1024];
    std::string missing;
    while (missing.empty() && std::fgets(line, sizeof line, index)) {
        int number;
        char name[512];
        if (std::sscanf(line, "%d %511s", &number, name) != 2 || std::strstr(name, "multipatch")) continue;
        std::string path = std::string(folder) + name;
        if (path.find(".pat") == std::string::npos) path += ".pat";
        if (access(path.c_str(), R_OK) != 0) missing = name;
    }
    std::fclose(index);
    return missing;
}

void stopAndDestroy(SAMPLE*& sample) {
    if (!sample) return;
    stop_sample(sample);
    destroy_sample(sample);
    sample = nullptr;
}
}  // namespace

SoundBank::SoundBank() {
    holdAlsaMessages();
    bool music = installWithMusic();
    char music_failure[ALLEGRO_ERROR_SIZE];
    std::strncpy(music_failure, allegro_error, sizeof music_failure - 1);
    music_failure[sizeof music_failure - 1] = '\0';
    std::string missing = music && midi_driver->id == MIDI_DIGMID ? firstMissingInstrument() : "";
    if (!missing.empty()) {
        remove_sound();
        music = false;
        std::snprintf(music_failure, sizeof music_failure, "instrument %s cannot be read (freepats removed?)",
                      missing.c_str());
    }
    enabled = music || installEffectsOnly();
    releaseAlsaMessages(enabled);
    if (!enabled) return;  // no sound device at all: silent, as the player expects
    if (!music) std::fprintf(stderr, "Zenvar: the music is off: %s\n", music_failure);
    set_volume(255, 190);
}

SoundBank::~SoundBank() {
    if (enabled) remove_sound();
}

void SoundBank::load() {
    if (!enabled) return;
    shot = loadSampleOrThrow("sfx/shot.wav");
    die = loadSampleOrThrow("sfx/die.wav");
    enemyBullet = loadSampleOrThrow("sfx/enemybullet.wav");
    enemyLaser = loadSampleOrThrow("sfx/enemylaser.wav");
    enemyDie = loadSampleOrThrow("sfx/enemydie.wav");
    enemyBigDie = loadSampleOrThrow("sfx/enemybigdie.wav");
    three = loadSampleOrThrow("sfx/three.wav");
    two = loadSampleOrThrow("sfx/two.wav");
    one = loadSampleOrThrow("sfx/one.wav");
    go = loadSampleOrThrow("sfx/go.wav");
    gem = loadSampleOrThrow("sfx/gem.wav");
    extraLife = loadSampleOrThrow("sfx/extralife.wav");
    gameMusic = loadMidiOrThrow("music/marathon.mid");
    titleMusic = loadMidiOrThrow("music/title.mid");
}

void SoundBank::unload() {
    if (!enabled) return;
    stopAndDestroy(shot);
    stopAndDestroy(die);
    stopAndDestroy(enemyBullet);
    stopAndDestroy(enemyLaser);
    stopAndDestroy(enemyDie);
    stopAndDestroy(enemyBigDie);
    stopAndDestroy(three);
    stopAndDestroy(two);
    stopAndDestroy(one);
    stopAndDestroy(go);
    stopAndDestroy(gem);
    stopAndDestroy(extraLife);
    stop_midi();
    if (gameMusic) destroy_midi(gameMusic);
    if (titleMusic) destroy_midi(titleMusic);
    gameMusic = nullptr;
    titleMusic = nullptr;
}

// Restarting instead of overlapping: a four-laser volley is heard as one shot.
void SoundBank::playSample(SAMPLE* sample, int frequency) {
    if (!enabled || !sample) return;
    stop_sample(sample);
    play_sample(sample, 255, 128, frequency, 0);
}

void SoundBank::playShot() { playSample(shot, NORMAL_PITCH); }
void SoundBank::playDie() { playSample(die, NORMAL_PITCH); }
void SoundBank::playEnemyBullet() { playSample(enemyBullet, NORMAL_PITCH); }
void SoundBank::playEnemyLaser() { playSample(enemyLaser, NORMAL_PITCH); }
void SoundBank::playEnemyDie() { playSample(enemyDie, NORMAL_PITCH); }
void SoundBank::playEnemyBigDie() { playSample(enemyBigDie, LOW_PITCH); }
void SoundBank::playThree() { playSample(three, NORMAL_PITCH); }
void SoundBank::playTwo() { playSample(two, NORMAL_PITCH); }
void SoundBank::playOne() { playSample(one, NORMAL_PITCH); }
void SoundBank::playGo() { playSample(go, NORMAL_PITCH); }
void SoundBank::playGem() { playSample(gem, NORMAL_PITCH); }
void SoundBank::playExtraLife() { playSample(extraLife, NORMAL_PITCH); }

void SoundBank::playGameMusic() {
    if (enabled && gameMusic) play_midi(gameMusic, 1);
}

void SoundBank::playTitleMusic() {
    if (enabled && titleMusic) play_midi(titleMusic, 0);
}

void SoundBank::stopMusic() {
    if (enabled) stop_midi();
}
