// The samples as players hear them: short 16-bit mono, levelled without clipping, offset or
// clicks; the effects balanced by loudness, the kill never quieter than the gem.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>

#include "assetgen/synth.h"

namespace {
// The longest each may last: a ship loss may ring for 2 s; the big blast, played at 80 % speed, stays under them.
const struct { const char* name; double longest; bool effect; } SAMPLES[] = {
    {"shot", 1, true}, {"die", 2, true}, {"enemybullet", 1, true}, {"enemylaser", 1, true}, {"enemydie", 1, true},
    {"enemybigdie", 1.6, true}, {"gem", 1, true}, {"extralife", 1, true},
    {"three", 1, false}, {"two", 1, false}, {"one", 1, false}, {"go", 1, false}};

// The sample as the game loads it (Allegro keeps 16-bit sound unsigned).
PcmSound wavOf(const std::string& name) {
    PcmSound wav;
    SAMPLE* sample = load_sample(("sfx/" + name + ".wav").c_str());
    if (!sample || sample->bits != 16 || sample->stereo || (sample->freq != 22050 && sample->freq != 44100))
        return ADD_FAILURE() << name << " is no 16-bit mono sample at 22050 or 44100 Hz", destroy_sample(sample), wav;
    wav.rate = sample->freq;
    const uint16_t* data = static_cast<const uint16_t*>(sample->data);
    for (unsigned long i = 0; i < sample->len; ++i) wav.samples.push_back((data[i] - 32768) / 32768.0);
    destroy_sample(sample);
    return wav;
}
}  // namespace

// The effects are measured with the generator's own loudness meter.
TEST(Sounds, SamplesAreShortCleanAndTheEffectsBalancedByLoudness) {
    std::map<std::string, double> loudness;
    double lowest = 1e9, highest = -1e9;
    for (const auto& s : SAMPLES) {
        PcmSound wav = wavOf(s.name);
        double peak = 0, sum = 0, squares = 0, n = double(wav.samples.size()), seconds = n / wav.rate;
        for (double v : wav.samples) peak = std::max(peak, std::fabs(v)), sum += v, squares += v * v;
        EXPECT_TRUE(seconds > 0.05 && seconds < s.longest) << s.name << " lasts " << seconds << " s";
        EXPECT_LT(peak, 0.98) << s.name << " reaches full scale";
        EXPECT_GT(std::sqrt(squares / n), 0.03) << s.name << " is nearly silent";
        EXPECT_LT(std::fabs(sum / n), 0.01) << s.name << " has a DC offset";
        bool quiet_ends = n > 100 && std::fabs(wav.samples.front()) < 0.009 && std::fabs(wav.samples.back()) < 0.009;
        EXPECT_TRUE(quiet_ends) << s.name << " clicks";
        double level = loudness[s.name] = loudestMoment(wav);
        if (s.effect) lowest = std::min(lowest, level), highest = std::max(highest, level);
    }
    EXPECT_LE(highest - lowest, 6.0) << "effects spread from " << lowest << " to " << highest << " LUFS";
    EXPECT_GE(loudness["enemydie"], loudness["gem"]) << "the enemy kill is quieter than the gem chime";
}
