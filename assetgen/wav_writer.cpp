#include "assetgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
uint32_t get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t get32(const uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }
}  // namespace

std::vector<uint8_t> wavBytes(const PcmSound& sound) {
    uint32_t data_size = uint32_t(sound.samples.size() * 2);
    std::vector<uint8_t> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, 36 + data_size);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, uint32_t(sound.rate));
    put32(out, uint32_t(sound.rate * 2));
    put16(out, 2);
    put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, data_size);
    for (double s : sound.samples) {
        long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        put16(out, uint32_t(int16_t(v)) & 0xFFFF);
    }
    return out;
}

bool readWav(const std::string& path, PcmSound& sound) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    int channels = 0, bits = 0;
    for (size_t pos = 12; pos + 8 <= bytes.size();) {
        uint32_t size = get32(&bytes[pos + 4]);
        const uint8_t* body = &bytes[pos + 8];
        size_t avail = std::min<size_t>(size, bytes.size() - pos - 8);
        if (std::memcmp(&bytes[pos], "fmt ", 4) == 0 && avail >= 16) {
            if (get16(body) != 1) return false;
            channels = int(get16(body + 2));
            sound.rate = int(get32(body + 4));
            bits = int(get16(body + 14));
        } else if (std::memcmp(&bytes[pos], "data", 4) == 0 && channels > 0) {
            int width = bits / 8;
            if (width != 1 && width != 2) return false;
            // Streamed output may leave the data size unset: take what is there.
            if (size == 0 || size == 0xFFFFFFFFu) avail = bytes.size() - pos - 8;
            size_t frames = avail / (width * channels);
            sound.samples.assign(frames, 0.0);
            for (size_t i = 0; i < frames; ++i) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    const uint8_t* p = body + (i * channels + c) * width;
                    sum += width == 1 ? (p[0] - 128) / 128.0 : int16_t(get16(p)) / 32768.0;
                }
                sound.samples[i] = sum / channels;
            }
            return true;
        }
        pos += 8 + size + (size & 1);
    }
    return false;
}
