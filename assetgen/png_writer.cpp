#include "assetgen/png_writer.h"

#include <cstdio>

#include "assetgen/deflate.h"

uint32_t crc32Of(const uint8_t* data, size_t length, uint32_t crc) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32Of(const uint8_t* data, size_t length) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < length; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

namespace {
void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void appendChunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& body) {
    putBig32(file, uint32_t(body.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    file.insert(file.end(), typed.begin(), typed.end());
    putBig32(file, crc32Of(typed.data(), typed.size()));
}
}  // namespace

namespace {
// colour_type 2 is RGB, 6 is RGB with alpha.
bool writePixels(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels, int channels,
                 uint8_t colour_type) {
    size_t row = size_t(width) * channels;
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (row + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), pixels.begin() + y * row, pixels.begin() + (y + 1) * row);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    std::vector<uint8_t> packed = deflateFixed(raw);
    z.insert(z.end(), packed.begin(), packed.end());
    putBig32(z, adler32Of(raw.data(), raw.size()));

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(width));
    putBig32(header, uint32_t(height));
    header.insert(header.end(), {8, colour_type, 0, 0, 0});  // 8 bits per channel
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", z);
    appendChunk(file, "IEND", {});

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    return writePixels(path, width, height, rgb, 3, 2);
}

bool writePngWithAlpha(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    return writePixels(path, width, height, rgba, 4, 6);
}
