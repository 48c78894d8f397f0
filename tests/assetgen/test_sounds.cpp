// The samples as players hear them: short 16-bit mono, levelled without
// clipping, offset or clicks; the effects balanced by loudness, the kill never
// quieter than the gem.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
// The longest each may last: a ship loss may ring for two seconds, the big
// blast plays at 80 % speed and must still stay under them.
const struct { const char* name; double longest; bool effect; } SAMPLES[] = {
    {"shot", 1, true}, {"die", 2, true}, {"enemybullet", 1, true}, {"enemylaser", 1, true}, {"enemydie", 1, true},
    {"enemybigdie", 1.6, true}, {"gem", 1, true}, {"extralife", 1, true},
    {"three", 1, false}, {"two", 1, false}, {"one", 1, false}, {"go", 1, false}};

struct Wav {
    int rate = 1;
    std::vector<double> samples;  // -1..1
};

// The sample as the game loads it (Allegro keeps 16-bit sound unsigned).
Wav wavOf(const std::string& name) {
    Wav wav;
    SAMPLE* sample = load_sample(("sfx/" + name + ".wav").c_str());
    if (!sample || sample->bits != 16 || sample->stereo || (sample->freq != 22050 && sample->freq != 44100))
        return ADD_FAILURE() << name << " is no 16-bit mono sample at 22050 or 44100 Hz", destroy_sample(sample), wav;
    wav.rate = sample->freq;
    const uint16_t* data = static_cast<const uint16_t*>(sample->data);
    for (unsigned long i = 0; i < sample->len; ++i) wav.samples.push_back((data[i] - 32768) / 32768.0);
    destroy_sample(sample);
    return wav;
}

struct Biquad {  // one second-order filter section (direct form I)
    double b0, b1, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        return x2 = x1, x1 = x, y2 = y1, y1 = y;
    }
};

// Loudness as a listener meets it (ITU BS.1770 K-weighting: a high shelf and
// a low cut), the loudest 400 ms of the sample, in LUFS.
double peakMomentaryLoudness(const Wav& wav) {
    double w = 2 * M_PI * 1681.974 / wav.rate, q = 0.7071752, a = std::pow(10, 3.99984 / 40), c = std::cos(w);
    double al = std::sin(w) / (2 * q), sa = 2 * std::sqrt(a) * al, n = (a + 1) - (a - 1) * c + sa;
    Biquad shelf{a * ((a + 1) + (a - 1) * c + sa) / n, -2 * a * ((a - 1) + (a + 1) * c) / n,
                 a * ((a + 1) + (a - 1) * c - sa) / n, 2 * ((a - 1) - (a + 1) * c) / n,
                 ((a + 1) - (a - 1) * c - sa) / n};
    w = 2 * M_PI * 38.13547 / wav.rate, c = std::cos(w), al = std::sin(w) / (2 * 0.5003270), n = 1 + al;
    Biquad low_cut{(1 + c) / 2 / n, -(1 + c) / n, (1 + c) / 2 / n, -2 * c / n, (1 - al) / n};
    size_t window = size_t(wav.rate * 0.4);
    std::vector<double> energy(std::max(window, wav.samples.size()) + 1, 0.0);  // running sum, zero-padded
    for (size_t i = 0; i + 1 < energy.size(); ++i) {
        double k = low_cut.run(shelf.run(i < wav.samples.size() ? wav.samples[i] : 0));
        energy[i + 1] = energy[i] + k * k;
    }
    double loudest = 0;
    for (size_t end = window; end < energy.size(); ++end)
        loudest = std::max(loudest, energy[end] - energy[end - window]);
    return -0.691 + 10 * std::log10(loudest / window + 1e-12);
}
}  // namespace

TEST(Sounds, EverySampleIsShortAndLevelledWithoutClippingOffsetOrClicks) {
    for (const auto& s : SAMPLES) {
        Wav wav = wavOf(s.name);
        double peak = 0, sum = 0, squares = 0, n = double(wav.samples.size()), seconds = n / wav.rate;
        for (double v : wav.samples) peak = std::max(peak, std::fabs(v)), sum += v, squares += v * v;
        EXPECT_TRUE(seconds > 0.05 && seconds < s.longest) << s.name << " lasts " << seconds << " s";
        EXPECT_LT(peak, 0.98) << s.name << " reaches full scale";
        EXPECT_GT(std::sqrt(squares / n), 0.03) << s.name << " is nearly silent";
        EXPECT_LT(std::fabs(sum / n), 0.01) << s.name << " has a DC offset";
        bool quiet_ends = n > 100 && std::fabs(wav.samples.front()) < 0.009 && std::fabs(wav.samples.back()) < 0.009;
        EXPECT_TRUE(quiet_ends) << s.name << " clicks";
    }
}

TEST(Sounds, EffectsAreBalancedByLoudnessAndTheKillIsNotTheQuietest) {
    double lowest = 1e9, highest = -1e9, kill = peakMomentaryLoudness(wavOf("enemydie"));
    for (const auto& s : SAMPLES) {
        if (!s.effect) continue;
        double loudness = peakMomentaryLoudness(wavOf(s.name));
        lowest = std::min(lowest, loudness), highest = std::max(highest, loudness);
        RecordProperty(s.name, std::to_string(loudness));
    }
    EXPECT_LE(highest - lowest, 6.0) << "effects spread from " << lowest << " to " << highest << " LUFS";
    EXPECT_GE(kill, peakMomentaryLoudness(wavOf("gem"))) << "the enemy kill is quieter than the gem chime";
}
