// Every sample as the game plays it: a 16-bit mono PCM WAV that Allegro
// loads, short enough, below full scale, with no offset and
// silent ends so it never clicks.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "asset_files.h"

namespace {
struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

bool readWav(const std::string& path, Wav& wav) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (bytes.size() < 12 || std::memcmp(&bytes[0], "RIFF", 4) || std::memcmp(&bytes[8], "WAVE", 4)) return false;
    for (size_t pos = 12; pos + 8 <= bytes.size();) {
        uint32_t size = le32(&bytes[pos + 4]);
        if (pos + 8 + size > bytes.size()) return false;
        const uint8_t* body = &bytes[pos + 8];
        if (!std::memcmp(&bytes[pos], "fmt ", 4)) {
            wav.format = le16(body), wav.channels = le16(body + 2);
            wav.rate = int(le32(body + 4)), wav.bits = le16(body + 14);
        } else if (!std::memcmp(&bytes[pos], "data", 4)) {
            for (uint32_t i = 0; i + 1 < size; i += 2) wav.samples.push_back(int16_t(le16(body + i)));
            return wav.format != 0;
        }
        pos += 8 + size + (size & 1);
    }
    return false;
}

double maxSeconds(const std::string& name) {
    if (name == "die") return 2.0;
    if (name == "enemybigdie") return 2.0 * 0.8;  // played at 80 % speed, still under 2 s
    return 1.0;
}
}  // namespace

TEST(Sounds, EverySampleIsA16BitMonoWavThatAllegroLoads) {
    for (const std::string& name : expectedSamples()) {
        std::string path = "sfx/" + name + ".wav";
        Wav wav;
        ASSERT_TRUE(readWav(path, wav)) << path;
        EXPECT_EQ(wav.format, 1) << path;
        EXPECT_EQ(wav.channels, 1) << path;
        EXPECT_EQ(wav.bits, 16) << path;
        EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << path;
        double seconds = double(wav.samples.size()) / wav.rate;
        EXPECT_LT(seconds, maxSeconds(name)) << path;
        EXPECT_GT(seconds, 0.05) << path;
        SAMPLE* sample = load_sample(path.c_str());
        ASSERT_NE(sample, nullptr) << path;
        EXPECT_EQ(sample->bits, 16) << path;
        EXPECT_EQ(sample->stereo, 0) << path;
        EXPECT_EQ(sample->len, wav.samples.size()) << path;
        destroy_sample(sample);
    }
}

TEST(Sounds, EverySampleIsLevelledWithoutClippingOffsetOrClicks) {
    for (const std::string& name : expectedSamples()) {
        std::string path = "sfx/" + name + ".wav";
        Wav wav;
        ASSERT_TRUE(readWav(path, wav)) << path;
        ASSERT_GT(wav.samples.size(), 100u) << path;
        double peak = 0, sum = 0, squares = 0;
        for (int16_t s : wav.samples) {
            peak = std::max(peak, std::fabs(double(s)));
            sum += s;
            squares += double(s) * s;
        }
        double n = double(wav.samples.size());
        EXPECT_LT(peak, 32767 * 0.98) << path << " reaches full scale";
        EXPECT_GT(std::sqrt(squares / n), 32767 * 0.03) << path << " is nearly silent";
        EXPECT_LT(std::fabs(sum / n), 32767 * 0.01) << path << " has a DC offset";
        EXPECT_LT(std::abs(wav.samples.front()), 300) << path << " starts with a click";
        EXPECT_LT(std::abs(wav.samples.back()), 300) << path << " ends with a click";
    }
}

namespace {
// Share of a sample's energy below about 250 Hz (a one-pole low-pass split).
double lowBandShare(const Wav& wav) {
    double k = std::exp(-2 * M_PI * 250.0 / wav.rate), low = 0, low_energy = 0, energy = 0;
    for (int16_t s : wav.samples) {
        low = k * low + (1 - k) * s;
        low_energy += low * low;
        energy += double(s) * s;
    }
    return energy > 0 ? low_energy / energy : 0;
}
}  // namespace

TEST(Sounds, BlastsAreDeepAndLongAndZapsAreBrightAndShort) {
    Wav shot, big, die;
    ASSERT_TRUE(readWav("sfx/shot.wav", shot));
    ASSERT_TRUE(readWav("sfx/enemybigdie.wav", big));
    ASSERT_TRUE(readWav("sfx/die.wav", die));
    EXPECT_GT(lowBandShare(big), 0.5) << "the big blast is not deep";
    EXPECT_LT(lowBandShare(shot), 0.2) << "the shot is dull";
    EXPECT_GT(big.samples.size(), shot.samples.size() * 4);
    EXPECT_GT(die.samples.size(), shot.samples.size() * 4);
}

namespace {
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
                 a * ((a + 1) + (a - 1) * c - sa) / n0, 2 * ((a - 1) - (a + 1) * c) / n0,
                 ((a + 1) - (a - 1) * c - sa) / n0};
    w = 2 * M_PI * 38.13547 / wav.rate, c = std::cos(w), al = std::sin(w) / (2 * 0.5003270);
    Biquad low_cut{(1 + c) / 2 / (1 + al), -(1 + c) / (1 + al), (1 + c) / 2 / (1 + al), -2 * c / (1 + al),
                   (1 - al) / (1 + al)};
    size_t window = size_t(wav.rate * 0.4);
    std::vector<double> energy(std::max(window, wav.samples.size()) + 1, 0.0);  // running sum, zero-padded
    for (size_t i = 0; i + 1 < energy.size(); ++i) {
        double k = low_cut.run(shelf.run(i < wav.samples.size() ? wav.samples[i] / 32768.0 : 0));
        energy[i + 1] = energy[i] + k * k;
    }
    double loudest = 0;
    for (size_t end = window; end < energy.size(); ++end) loudest = std::max(loudest, energy[end] - energy[end - window]);
    return -0.691 + 10 * std::log10(loudest / window + 1e-12);
}

// The sample's spectrum in 24 bands spaced evenly in pitch from 80 Hz to
// 10 kHz, as dB of each band's share of the total (2048-point Hann frames).
std::vector<double> bandSpectrum(const Wav& wav) {
    const int size = 2048;
    std::vector<double> bins(size / 2, 0.0), cosines(size), sines(size);
    for (int i = 0; i < size; ++i) cosines[i] = std::cos(2 * M_PI * i / size), sines[i] = std::sin(2 * M_PI * i / size);
    std::vector<double> frame(size);
    for (size_t start = 0; start < wav.samples.size(); start += size) {
        for (int i = 0; i < size; ++i)
            frame[i] = start + i < wav.samples.size() ? wav.samples[start + i] * (0.5 - 0.5 * cosines[i]) : 0;
        for (int k = 1; k < size / 2; ++k) {
            double re = 0, im = 0;
            for (int i = 0; i < size; ++i) re += frame[i] * cosines[(k * i) % size], im += frame[i] * sines[(k * i) % size];
            bins[k] += re * re + im * im;
        }
    }
    std::vector<double> bands(24, 1e-9);
    double total = 0;
    for (int k = 1; k < size / 2; ++k) {
        double band = std::floor(24 * std::log(k * double(wav.rate) / size / 80) / std::log(10000.0 / 80));
        if (band >= 0 && band < 24) bands[size_t(band)] += bins[k], total += bins[k];
    }
    for (double& b : bands) b = 10 * std::log10(b / total);
    return bands;
}
}  // namespace

TEST(Sounds, EffectsAreBalancedByLoudnessAndTheKillIsNotTheQuietest) {
    const char* effects[] = {"shot", "die", "enemybullet", "enemylaser", "enemydie", "enemybigdie", "gem", "extralife"};
    double lowest = 1e9, highest = -1e9, kill = 0, gem = 0;
    for (const char* name : effects) {
        Wav wav;
        ASSERT_TRUE(readWav(std::string("sfx/") + name + ".wav", wav)) << name;
        double loudness = peakMomentaryLoudness(wav);
        lowest = std::min(lowest, loudness), highest = std::max(highest, loudness);
        if (!std::strcmp(name, "enemydie")) kill = loudness;
        if (!std::strcmp(name, "gem")) gem = loudness;
        RecordProperty(name, std::to_string(loudness));
    }
    EXPECT_LE(highest - lowest, 6.0) << "effects spread from " << lowest << " to " << highest << " LUFS";
    EXPECT_GE(kill, gem) << "the enemy kill is quieter than the gem chime";
}

TEST(Sounds, LosingAShipSoundsUnlikeAKill) {
    Wav die, kill;
    ASSERT_TRUE(readWav("sfx/die.wav", die));
    ASSERT_TRUE(readWav("sfx/enemydie.wav", kill));
    std::vector<double> a = bandSpectrum(die), b = bandSpectrum(kill);
    double squares = 0;
    for (size_t i = 0; i < a.size(); ++i) squares += (a[i] - b[i]) * (a[i] - b[i]);
    RecordProperty("distance", std::to_string(std::sqrt(squares / a.size())));
    EXPECT_GE(std::sqrt(squares / a.size()), 10.0) << "dB apart across 24 bands";
}
