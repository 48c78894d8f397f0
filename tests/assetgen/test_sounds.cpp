// The sound effects as players hear them: levelled without clipping, offset or
// clicks, balanced by loudness with the kill never quieter than the gem.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {
const char* const EFFECTS[] = {"shot", "die", "enemybullet", "enemylaser", "enemydie", "enemybigdie", "gem", "extralife"};

struct Wav {
    int rate = 1;
    std::vector<double> samples;  // -1..1
};

// The sample as the game loads it (Allegro keeps 16-bit sound unsigned).
Wav wavOf(const std::string& name) {
    Wav wav;
    SAMPLE* sample = load_sample(("sfx/" + name + ".wav").c_str());
    if (!sample || sample->bits != 16) return ADD_FAILURE() << name << " is not a 16-bit sample", wav;
    wav.rate = sample->freq;
    for (unsigned long i = 0; i < sample->len; ++i) wav.samples.push_back((static_cast<uint16_t*>(sample->data)[i] - 32768) / 32768.0);
    destroy_sample(sample);
    return wav;
}

// One second-order filter section (direct form I).
struct Biquad {
    double b0, b1, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

// Loudness as a listener meets it (ITU BS.1770 K-weighting: a high shelf and
// a low cut), the loudest 400 ms of the sample, in LUFS.
double peakMomentaryLoudness(const Wav& wav) {
    double w = 2 * M_PI * 1681.974 / wav.rate, q = 0.7071752, a = std::pow(10, 3.99984 / 40), c = std::cos(w);
    double al = std::sin(w) / (2 * q), sa = 2 * std::sqrt(a) * al, n0 = (a + 1) - (a - 1) * c + sa;
    Biquad shelf{a * ((a + 1) + (a - 1) * c + sa) / n0, -2 * a * ((a - 1) + (a + 1) * c) / n0,
                 a * ((a + 1) + (a - 1) * c - sa) / n0, 2 * ((a - 1) - (a + 1) * c) / n0, ((a + 1) - (a - 1) * c - sa) / n0};
    w = 2 * M_PI * 38.13547 / wav.rate, c = std::cos(w), al = std::sin(w) / (2 * 0.5003270);
    Biquad low_cut{(1 + c) / 2 / (1 + al), -(1 + c) / (1 + al), (1 + c) / 2 / (1 + al), -2 * c / (1 + al), (1 - al) / (1 + al)};
    size_t window = size_t(wav.rate * 0.4);
    std::vector<double> energy(std::max(window, wav.samples.size()) + 1, 0.0);  // running sum, zero-padded
    for (size_t i = 0; i + 1 < energy.size(); ++i) {
        double k = low_cut.run(shelf.run(i < wav.samples.size() ? wav.samples[i] : 0));
        energy[i + 1] = energy[i] + k * k;
    }
    double loudest = 0;
    for (size_t end = window; end < energy.size(); ++end) loudest = std::max(loudest, energy[end] - energy[end - window]);
    return -0.691 + 10 * std::log10(loudest / window + 1e-12);
}

}  // namespace

TEST(Sounds, EverySampleIsLevelledWithoutClippingOffsetOrClicks) {
    for (const char* name : {"shot", "die", "enemybullet", "enemylaser", "enemydie", "enemybigdie", "three", "two",
                             "one", "go", "gem", "extralife"}) {
        Wav wav = wavOf(name);
        double peak = 0, sum = 0, squares = 0, n = double(wav.samples.size());
        for (double s : wav.samples) peak = std::max(peak, std::fabs(s)), sum += s, squares += s * s;
        EXPECT_LT(peak, 0.98) << name << " reaches full scale";
        EXPECT_GT(std::sqrt(squares / n), 0.03) << name << " is nearly silent";
        EXPECT_LT(std::fabs(sum / n), 0.01) << name << " has a DC offset";
        EXPECT_TRUE(n > 100 && std::fabs(wav.samples.front()) < 0.009 && std::fabs(wav.samples.back()) < 0.009) << name << " clicks";
    }
}

TEST(Sounds, EffectsAreBalancedByLoudnessAndTheKillIsNotTheQuietest) {
    double lowest = 1e9, highest = -1e9, kill = peakMomentaryLoudness(wavOf("enemydie"));
    for (const char* name : EFFECTS) {
        double loudness = peakMomentaryLoudness(wavOf(name));
        lowest = std::min(lowest, loudness), highest = std::max(highest, loudness);
        RecordProperty(name, std::to_string(loudness));
    }
    EXPECT_LE(highest - lowest, 6.0) << "effects spread from " << lowest << " to " << highest << " LUFS";
    EXPECT_GE(kill, peakMomentaryLoudness(wavOf("gem"))) << "the enemy kill is quieter than the gem chime";
}
