#include "assetgen/countdown_voice.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "assetgen/asset_output.h"
#include "assetgen/synth.h"

namespace {
PcmSound resampled(const PcmSound& in, int rate) {
    if (in.rate == rate || in.samples.empty()) return in;
    PcmSound out;
    out.rate = rate;
    size_t n = size_t(double(in.samples.size()) * rate / in.rate);
    out.samples.resize(n);
    for (size_t i = 0; i < n; ++i) {
        double pos = double(i) * in.rate / rate;
        size_t a = size_t(pos);
        double f = pos - a;
        double va = in.samples[std::min(a, in.samples.size() - 1)];
        double vb = in.samples[std::min(a + 1, in.samples.size() - 1)];
        out.samples[i] = va + (vb - va) * f;
    }
    return out;
}

void trimSilence(PcmSound& s) {
    double peak = 0;
    for (double v : s.samples) peak = std::max(peak, std::fabs(v));
    double threshold = peak * 0.03;
    size_t first = 0, last = s.samples.size();
    while (first < last && std::fabs(s.samples[first]) < threshold) ++first;
    while (last > first && std::fabs(s.samples[last - 1]) < threshold) --last;
    size_t margin = size_t(s.rate * 0.01);
    first = first > margin ? first - margin : 0;
    last = std::min(s.samples.size(), last + margin);
    s.samples = std::vector<double>(s.samples.begin() + first, s.samples.begin() + last);
}
}  // namespace

PcmSound announcerTreatment(const PcmSound& speech) {
    PcmSound s = resampled(speech, SAMPLE_RATE);
    trimSilence(s);
    // Low cut around 140 Hz for a tighter, radio-like voice.
    double k = std::exp(-2 * M_PI * 140.0 / SAMPLE_RATE), prev_in = 0, prev_out = 0;
    for (double& v : s.samples) {
        double out = k * (prev_out + v - prev_in);
        prev_in = v, prev_out = out, v = out;
    }
    double peak = 0;
    for (double v : s.samples) peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (double& v : s.samples) v = std::tanh(1.8 * v / peak) / std::tanh(1.8);
    // Slap-back echo: 70 ms later, quieter, with a short tail added for it.
    size_t delay = size_t(0.07 * SAMPLE_RATE);
    size_t original = s.samples.size();
    s.samples.resize(original + delay * 2, 0.0);
    for (size_t i = original + delay * 2; i-- > delay;) s.samples[i] += 0.28 * s.samples[i - delay];
    finishSound(s, 0.89, 4, 30);
    return s;
}

PcmSound speakWord(const std::string& word, const std::string& temp_folder) {
    if (std::system("command -v espeak-ng >/dev/null 2>&1") != 0)
        throw std::runtime_error("espeak-ng is needed to voice the count-down; install the espeak-ng package");
    std::string path = temp_folder + "/zenvar-voice-" + std::to_string(getpid()) + "-" + word + ".wav";
    std::string command = "espeak-ng -v en-us -s 150 -p 30 -a 180 -w '" + path + "' '" + word + "' 2>/dev/null";
    PcmSound speech;
    bool ok = std::system(command.c_str()) == 0 && readWav(path, speech) && !speech.samples.empty();
    std::remove(path.c_str());
    if (!ok) throw std::runtime_error("espeak-ng could not voice \"" + word + "\"");
    return speech;
}

void makeCountdownVoice(AssetOutput& out) {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp";
    const char* words[] = {"three", "two", "one", "go"};
    for (const char* word : words) {
        PcmSound voice = announcerTreatment(speakWord(word, folder));
        out.saveBytes(std::string("sfx/") + word + ".wav", wavBytes(voice));
    }
}
