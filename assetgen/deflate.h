// A small deflate compressor (one block with the fixed Huffman codes and a
// hash-chain LZ77 search), enough to keep the contact sheet PNG small without
// an outside library. Output is a raw deflate stream, without zlib framing.
#pragma once

#include <cstdint>
#include <vector>

std::vector<uint8_t> deflateFixed(const std::vector<uint8_t>& data);
