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

namespace {
// One second-order filter section.
struct Biquad {
    double b0, b1, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

Biquad highShelf(double rate, double hz, double q, double gain_db) {
    double a = std::pow(10, gain_db / 40), w = 2 * M_PI * hz / rate, c = std::cos(w);
    double s = std::sin(w) / (2 * q) * 2 * std::sqrt(a), n = (a + 1) - (a - 1) * c + s;
    return {a * ((a + 1) + (a - 1) * c + s) / n, -2 * a * ((a - 1) + (a + 1) * c) / n,
            a * ((a + 1) + (a - 1) * c - s) / n, 2 * ((a - 1) - (a + 1) * c) / n, ((a + 1) - (a - 1) * c - s) / n};
}

Biquad highPass(double rate, double hz, double q) {
    double w = 2 * M_PI * hz / rate, c = std::cos(w), al = std::sin(w) / (2 * q), n = 1 + al;
    return {(1 + c) / 2 / n, -(1 + c) / n, (1 + c) / 2 / n, -2 * c / n, (1 - al) / n};
}
}  // namespace

double loudestMoment(const PcmSound& sound) {
    Biquad shelf = highShelf(sound.rate, 1681.974, 0.7071752, 3.99984), cut = highPass(sound.rate, 38.13547, 0.500327);
    size_t window = size_t(sound.rate * 0.4), n = std::max(window, sound.samples.size());
    std::vector<double> energy(n + 1, 0.0);  // running sum; a short sound is heard against silence
    for (size_t i = 0; i < n; ++i) {
        double k = cut.run(shelf.run(i < sound.samples.size() ? sound.samples[i] : 0));
        energy[i + 1] = energy[i] + k * k;
    }
    double loudest = 0;
    for (size_t end = window; end <= n; ++end) loudest = std::max(loudest, energy[end] - energy[end - window]);
    return -0.691 + 10 * std::log10(loudest / double(window) + 1e-12);
}

void levelToLoudness(PcmSound& sound, double lufs, double peak) {
    std::vector<double> dry = sound.samples;
    double gain = 1;
    for (int pass = 0; pass < 12; ++pass) {
        for (size_t i = 0; i < dry.size(); ++i) sound.samples[i] = peak * std::tanh(dry[i] * gain / peak);
        double short_by = lufs - loudestMoment(sound);
        if (std::fabs(short_by) < 0.05) break;
        gain *= std::pow(10, short_by / 20);
    }
}
