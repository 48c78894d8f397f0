#include "assetgen/prng.h"

#include <cmath>

Prng::Prng(uint32_t seed) : state(uint64_t(seed) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

uint32_t Prng::next() {
    // splitmix64
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

double Prng::unit() { return next() / 4294967296.0; }

double Prng::range(double lo, double hi) { return lo + (hi - lo) * unit(); }

int Prng::below(int n) { return n <= 0 ? 0 : int(next() % uint32_t(n)); }

namespace {
double latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double smooth(double t) { return t * t * (3 - 2 * t); }

int wrap(int v, int period) {
    if (period <= 0) return v;
    int m = v % period;
    return m < 0 ? m + period : m;
}
}  // namespace

double valueNoise(double x, double y, uint32_t seed, int period_x) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = smooth(x - x0), fy = smooth(y - y0);
    int xa = wrap(x0, period_x), xb = wrap(x0 + 1, period_x);
    double a = latticeValue(xa, y0, seed), b = latticeValue(xb, y0, seed);
    double c = latticeValue(xa, y0 + 1, seed), d = latticeValue(xb, y0 + 1, seed);
    double top = a + (b - a) * fx, bottom = c + (d - c) * fx;
    return top + (bottom - top) * fy;
}

double fractalNoise(double x, double y, uint32_t seed, int octaves, int period_x) {
    double sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int o = 0; o < octaves; ++o) {
        int period = period_x > 0 ? period_x * (1 << o) : 0;
        sum += amplitude * valueNoise(x * frequency, y * frequency, seed + 101u * o, period);
        total += amplitude;
        amplitude *= 0.5;
        frequency *= 2;
    }
    return sum / total;
}
