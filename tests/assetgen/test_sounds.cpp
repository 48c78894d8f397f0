// Every sample as the game plays it: a 16-bit mono PCM WAV that Allegro
// loads, short enough, normalised below full scale, with no offset and
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
        EXPECT_GT(peak, 32767 * 0.5) << path << " is not normalised";
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
