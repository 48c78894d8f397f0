#include "assetgen/deflate.h"

#include <algorithm>

namespace {
const int LENGTH_BASE[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int LENGTH_EXTRA[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int DIST_BASE[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                           193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int DIST_EXTRA[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const int WINDOW = 32768, MAX_MATCH = 258, MIN_MATCH = 3, CHAIN = 48, HASH_BITS = 15;

class BitWriter {
public:
    void bits(uint32_t value, int count) {  // least significant bit first
        for (int i = 0; i < count; ++i) put((value >> i) & 1);
    }
    void code(uint32_t code, int length) {  // Huffman codes go most significant bit first
        for (int i = length - 1; i >= 0; --i) put((code >> i) & 1);
    }
    std::vector<uint8_t> finish() {
        if (used) out.push_back(current);
        return out;
    }

private:
    void put(int bit) {
        current |= uint8_t(bit << used);
        if (++used == 8) out.push_back(current), current = 0, used = 0;
    }
    std::vector<uint8_t> out;
    uint8_t current = 0;
    int used = 0;
};

void literalOrLength(BitWriter& w, int symbol) {
    if (symbol < 144) w.code(0x30 + symbol, 8);
    else if (symbol < 256) w.code(0x190 + symbol - 144, 9);
    else if (symbol < 280) w.code(symbol - 256, 7);
    else w.code(0xC0 + symbol - 280, 8);
}

void match(BitWriter& w, int length, int distance) {
    int l = 28;
    while (LENGTH_BASE[l] > length) --l;
    literalOrLength(w, 257 + l);
    w.bits(length - LENGTH_BASE[l], LENGTH_EXTRA[l]);
    int d = 29;
    while (DIST_BASE[d] > distance) --d;
    w.code(d, 5);
    w.bits(distance - DIST_BASE[d], DIST_EXTRA[d]);
}

uint32_t hashAt(const std::vector<uint8_t>& data, size_t i) {
    uint32_t h = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    return (h * 2654435761u) >> (32 - HASH_BITS);
}
}  // namespace

std::vector<uint8_t> deflateFixed(const std::vector<uint8_t>& data) {
    BitWriter w;
    w.bits(1, 1);  // final block
    w.bits(1, 2);  // fixed Huffman codes
    std::vector<int> head(1 << HASH_BITS, -1), prev(data.size(), -1);
    auto insert = [&](size_t i) {
        if (i + MIN_MATCH > data.size()) return;
        uint32_t h = hashAt(data, i);
        prev[i] = head[h];
        head[h] = int(i);
    };
    size_t i = 0;
    while (i < data.size()) {
        int best_len = 0, best_dist = 0;
        if (i + MIN_MATCH <= data.size()) {
            int candidate = head[hashAt(data, i)];
            int limit = int(std::min<size_t>(MAX_MATCH, data.size() - i));
            for (int steps = 0; candidate >= 0 && steps < CHAIN; ++steps, candidate = prev[candidate]) {
                if (int(i) - candidate > WINDOW - 1) break;
                int len = 0;
                while (len < limit && data[candidate + len] == data[i + len]) ++len;
                if (len > best_len) best_len = len, best_dist = int(i) - candidate;
                if (len == limit) break;
            }
        }
        if (best_len >= MIN_MATCH) {
            match(w, best_len, best_dist);
            for (int k = 0; k < best_len; ++k) insert(i + k);
            i += best_len;
        } else {
            literalOrLength(w, data[i]);
            insert(i);
            ++i;
        }
    }
    literalOrLength(w, 256);  // end of block
    return w.finish();
}
