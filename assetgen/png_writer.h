// Writes a 24-bit RGB PNG with stored (uncompressed) deflate blocks. The
// contact sheet is only looked at, never shipped with the game, so size does
// not matter and the generator needs no image library or outside tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width*height*3 bytes, rows top to bottom. Returns false on a write error.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

uint32_t crc32Of(const uint8_t* data, size_t length, uint32_t crc = 0);
uint32_t adler32Of(const uint8_t* data, size_t length);
