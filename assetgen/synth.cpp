#include "assetgen/synth.h"

#include <algorithm>
#include <cmath>

double Oscillator::advance(double hz) {
    double p = phase;
    phase += hz / SAMPLE_RATE;
    phase -= std::floor(phase);
    return p;
}

double Oscillator::sine(double hz) { return std::sin(2 * M_PI * advance(hz)); }
double Oscillator::square(double hz, double duty) { return advance(hz) < duty ? 1.0 : -1.0; }
double Oscillator::saw(double hz) { return 2.0 * advance(hz) - 1.0; }
double Oscillator::triangle(double hz) {
    double p = advance(hz);
    return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
}

double ResonantFilter::lowPass(double input, double cutoff, double resonance) {
    double f = 2 * std::sin(M_PI * std::min(cutoff, SAMPLE_RATE * 0.2) / SAMPLE_RATE);
    double q = 1.0 - std::clamp(resonance, 0.0, 0.95);
    // Two passes per sample keep the filter stable at high cut-offs.
    for (int i = 0; i < 2; ++i) {
        double high = input - low - q * band;
        band += f * 0.5 * high;
        low += f * 0.5 * band;
    }
    return low;
}

int samplesFor(double seconds) { return int(std::lround(seconds * SAMPLE_RATE)); }
double decay(double t, double time_constant) { return std::exp(-t / time_constant); }
double attackDecay(double t, double attack, double time_constant) {
    return t < attack ? t / attack : decay(t - attack, time_constant);
}
double glide(double t, double from, double to, double seconds) {
    double k = std::min(1.0, t / seconds);
    return from * std::pow(to / from, k);
}
double noteHz(int midi_note) { return 440.0 * std::pow(2.0, (midi_note - 69) / 12.0); }

void finishSound(PcmSound& sound, double peak, double fade_in_ms, double fade_out_ms) {
    std::vector<double>& s = sound.samples;
    if (s.empty()) return;
    // A gentle high-pass (about 20 Hz) takes out DC and sub-audio drift.
    double prev_in = 0, prev_out = 0, k = std::exp(-2 * M_PI * 20.0 / sound.rate);
    for (double& v : s) {
        double out = k * (prev_out + v - prev_in);
        prev_in = v;
        prev_out = out;
        v = out;
    }
    double mean = 0;
    for (double v : s) mean += v;
    mean /= double(s.size());
    for (double& v : s) v -= mean;
    size_t in = std::min(s.size(), size_t(fade_in_ms * sound.rate / 1000));
    size_t out = std::min(s.size(), size_t(fade_out_ms * sound.rate / 1000));
    for (size_t i = 0; i < in; ++i) s[i] *= double(i) / in;
    for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= double(i) / out;
    double top = 0;
    for (double v : s) top = std::max(top, std::fabs(v));
    if (top > 0)
        for (double& v : s) v *= peak / top;
}
