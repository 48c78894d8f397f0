#include "assetgen/sound_effects.h"

#include <cmath>
#include <string>

#include "assetgen/asset_output.h"
#include "assetgen/synth.h"

namespace {
PcmSound blank(double seconds) {
    PcmSound s;
    s.rate = SAMPLE_RATE;
    s.samples.assign(size_t(samplesFor(seconds)), 0.0);
    return s;
}

// Filtered noise with a falling cut-off and a low thump: the core of every blast.
void addBlast(PcmSound& s, uint32_t seed, double cutoff_from, double cutoff_to, double body_seconds, double thump_hz,
              double crackle) {
    Prng rng(seed);
    ResonantFilter filter, rumble;
    Oscillator thump;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double noise = rng.range(-1, 1);
        // Crackle: sparse pops fed through the same filter as the roar, so they thud rather than click.
        if (rng.unit() < crackle * decay(t, body_seconds * 0.3)) noise += rng.range(-6, 6);
        double cutoff = glide(t, cutoff_from, cutoff_to, body_seconds);
        double v = filter.lowPass(noise, cutoff, 0.3) * attackDecay(t, 0.004, body_seconds * 0.35);
        v += rumble.lowPass(noise, 120, 0.5) * 1.6 * attackDecay(t, 0.01, body_seconds * 0.5);
        v += thump.sine(glide(t, thump_hz, thump_hz * 0.4, 0.4)) * 0.9 * decay(t, 0.14);
        s.samples[i] += v;
    }
}
}  // namespace

PcmSound shotSound() {
    // A bright zap: a narrow pulse diving in pitch, with a hiss at the start.
    PcmSound s = blank(0.17);
    Oscillator osc, sub;
    ResonantFilter filter;
    Prng rng(101);
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double hz = glide(t, 1900, 240, 0.15);
        double v = osc.square(hz, 0.28) * 0.6 + sub.sine(hz * 0.5) * 0.4;
        v += rng.range(-1, 1) * 0.4 * decay(t, 0.01);
        v = filter.lowPass(v, glide(t, 7000, 900, 0.15), 0.4);
        s.samples[i] = v * attackDecay(t, 0.002, 0.06);
    }
    finishSound(s, 0.85);
    return s;
}

PcmSound shipExplosionSound() {
    // Losing a ship: a dark, muffled blast under a wavering tone that sinks
    // like a power failing, so it can never pass for a kill.
    PcmSound s = blank(1.7);
    addBlast(s, 202, 1400, 90, 1.3, 70, 0.0);
    Oscillator tone, sub, wobble;
    ResonantFilter filter;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double hz = glide(t, 880, 55, 1.3) * (1 + 0.03 * wobble.sine(7));
        double v = tone.square(hz, 0.5) * 0.5 + sub.triangle(hz * 0.5) * 0.8;
        s.samples[i] += filter.lowPass(v, 2200, 0.3) * 0.9 * attackDecay(t, 0.02, 0.6);
    }
    finishSound(s, 0.89, 2, 60);
    return s;
}

PcmSound enemyBulletSound() {
    // A soft low "pew", so the enemies' many shots do not drown the player's.
    PcmSound s = blank(0.13);
    Oscillator osc;
    ResonantFilter filter;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double v = osc.triangle(glide(t, 1100, 420, 0.11));
        s.samples[i] = filter.lowPass(v, 2500, 0.5) * attackDecay(t, 0.003, 0.045);
    }
    finishSound(s, 0.8);
    return s;
}

PcmSound enemyLaserSound() {
    // A buzzing beam with a wobble, ring-modulated for a hard metallic edge.
    PcmSound s = blank(0.36);
    Oscillator saw, ring, wobble;
    ResonantFilter filter;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double hz = glide(t, 1300, 380, 0.3) * (1 + 0.04 * wobble.sine(28));
        double v = saw.saw(hz) * (0.6 + 0.4 * ring.sine(hz * 1.51));
        v = filter.lowPass(v, glide(t, 5000, 1200, 0.3), 0.6);
        s.samples[i] = v * attackDecay(t, 0.004, 0.12);
    }
    finishSound(s, 0.85);
    return s;
}

PcmSound enemyExplosionSound() {
    // The kill, the sound heard most: a quick bright crack of shrapnel over a
    // short punch, crisp rather than deep.
    PcmSound s = blank(0.5);
    Prng rng(303);
    ResonantFilter body, hiss;
    Oscillator crunch, thump;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double noise = rng.range(-1, 1);
        if (rng.unit() < 0.08 * decay(t, 0.05)) noise += rng.range(-3, 3);
        double low = body.lowPass(noise, glide(t, 6000, 800, 0.25), 0.3);
        double crack = noise - hiss.lowPass(noise, 2500, 0.0);  // what the low-pass leaves out
        double v = low * attackDecay(t, 0.003, 0.12) + crack * 0.6 * attackDecay(t, 0.001, 0.05);
        v += crunch.square(glide(t, 420, 70, 0.2), 0.4) * 0.35 * decay(t, 0.07);
        v += thump.sine(glide(t, 150, 60, 0.15)) * 0.5 * decay(t, 0.08);
        s.samples[i] = v;
    }
    finishSound(s, 0.89, 2, 40);
    return s;
}

PcmSound bigExplosionSound() {
    // Deep and long; the game plays it a little slowed, which deepens it further.
    PcmSound s = blank(1.5);
    addBlast(s, 404, 1800, 60, 1.2, 60, 0.04);
    addBlast(s, 405, 700, 50, 1.4, 45, 0.0);
    finishSound(s, 0.89, 2, 80);
    return s;
}

PcmSound gemSound() {
    // Two bell strikes a fourth apart, with a faint bright partial.
    PcmSound s = blank(0.55);
    Oscillator a1, a2, b1, b2;
    double f1 = noteHz(91), f2 = noteHz(96);  // G6, C7
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        double v = (a1.sine(f1) + 0.3 * a2.sine(f1 * 2.76)) * attackDecay(t, 0.002, 0.09);
        double t2 = t - 0.07;
        double w = t2 > 0 ? (b1.sine(f2) + 0.3 * b2.sine(f2 * 2.76)) * attackDecay(t2, 0.002, 0.16) : 0;
        s.samples[i] = v * 0.7 + w;
    }
    finishSound(s, 0.85, 1, 30);
    return s;
}

PcmSound extraLifeSound() {
    // A rising major arpeggio that lands on a held, vibrato top note.
    const int notes[] = {72, 76, 79, 84, 88, 91};
    const double step = 0.085;
    PcmSound s = blank(0.95);
    Oscillator lead, octave, vibrato;
    ResonantFilter filter;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = double(i) / SAMPLE_RATE;
        int n = std::min(5, int(t / step));
        double since = t - n * step;
        double hz = noteHz(notes[n]) * (n == 5 ? 1 + 0.008 * vibrato.sine(6) : 1.0);
        double env = n < 5 ? attackDecay(since, 0.004, 0.08) * 0.8 + 0.2 : attackDecay(since, 0.004, 0.22);
        double v = lead.square(hz, 0.25) * 0.6 + octave.triangle(hz * 2) * 0.3;
        s.samples[i] = filter.lowPass(v, 6000, 0.2) * env;
    }
    finishSound(s, 0.85, 2, 40);
    return s;
}

void makeSoundEffects(AssetOutput& out) {
    // Loudness of each effect (LUFS): the kill, the losses and the rewards
    // lead, the endless shots sit a little back, all within a few LU.
    struct Effect {
        const char* name;
        PcmSound (*make)();
        double lufs;
    } const effects[] = {
        {"shot", shotSound, -16},          {"die", shipExplosionSound, -12},
        {"enemybullet", enemyBulletSound, -17}, {"enemylaser", enemyLaserSound, -16},
        {"enemydie", enemyExplosionSound, -13}, {"enemybigdie", bigExplosionSound, -12.5},
        {"gem", gemSound, -15},            {"extralife", extraLifeSound, -13},
    };
    for (const Effect& e : effects) {
        PcmSound sound = e.make();
        levelToLoudness(sound, e.lufs);
        out.saveBytes(std::string("sfx/") + e.name + ".wav", wavBytes(sound));
    }
}
