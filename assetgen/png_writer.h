// Writes a 24-bit RGB (or 32-bit RGBA) PNG, compressed by our own small deflate, so the
// generator needs no image library or outside tool for its contact sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width*height*3 bytes, rows top to bottom. Returns false on a write error.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
// `rgba` holds width*height*4 bytes, alpha not premultiplied.
bool writePngWithAlpha(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

uint32_t crc32Of(const uint8_t* data, size_t length, uint32_t crc = 0);
uint32_t adler32Of(const uint8_t* data, size_t length);
