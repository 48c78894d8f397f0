// Building blocks for the game's sound effects: oscillators, noise, a
// resonant filter, envelopes, and the finishing pass every sample gets
// (DC removed, peak normalised below full scale, short fades so nothing
// clicks), then levelling by loudness. All at 22050 Hz; noise comes from the seeded generator, so a
// sample is the same on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/prng.h"
#include "assetgen/wav_writer.h"

const int SAMPLE_RATE = 22050;

// Oscillator phase kept across samples so sweeping pitches stay smooth.
class Oscillator {
public:
    double sine(double hz);
    double square(double hz, double duty = 0.5);
    double saw(double hz);
    double triangle(double hz);

private:
    double advance(double hz);
    double phase = 0;
};

// Chamberlin state-variable filter: low-pass and band-pass outputs.
class ResonantFilter {
public:
    // `cutoff` in Hz, `resonance` 0 (none) .. 0.95.
    double lowPass(double input, double cutoff, double resonance);
    double bandPass() const { return band; }

private:
    double low = 0, band = 0;
};

int samplesFor(double seconds);
double decay(double t, double time_constant);  // exp(-t / tc)
double attackDecay(double t, double attack, double time_constant);
// Exponential glide from `from` to `to` over `seconds`.
double glide(double t, double from, double to, double seconds);
double noteHz(int midi_note);

// DC removal, normalisation to `peak`, fades in and out (milliseconds).
void finishSound(PcmSound& sound, double peak = 0.89, double fade_in_ms = 2.0, double fade_out_ms = 12.0);

// How loud the sound's loudest 400 ms are to a listener, in LUFS: energy
// after the ear's weighting (a lift above 1.7 kHz, a cut below 40 Hz).
double loudestMoment(const PcmSound& sound);
// Sets a finished sound to `lufs` by loudness rather than by peak, so a short
// crack and a long roar sit together in the mix. A soft limiter keeps the
// peak under `peak` when a sound needs more level than its peaks allow.
void levelToLoudness(PcmSound& sound, double lufs, double peak = 0.89);
