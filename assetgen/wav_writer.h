// 16-bit mono PCM WAV files: the only sample format the game's loader needs
// to accept. Also reads WAVs back (the speech tool's output) into floating
// point, mixing any channels down to mono.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PcmSound {
    int rate = 22050;
    std::vector<double> samples;  // -1..1
};

std::vector<uint8_t> wavBytes(const PcmSound& sound);
// Reads a PCM WAV (8 or 16 bits, any channel count). Returns false when the
// file is missing or not a PCM WAV.
bool readWav(const std::string& path, PcmSound& sound);
