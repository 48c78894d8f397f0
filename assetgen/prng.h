// A small seeded random generator and tileable value noise. Every asset is
// drawn from fixed seeds so two runs of the generator write identical files;
// the standard library's generators are not guaranteed to agree across builds.
#pragma once

#include <cstdint>

class Prng {
public:
    explicit Prng(uint32_t seed);
    uint32_t next();
    double unit();                     // [0, 1)
    double range(double lo, double hi);
    int below(int n);                  // [0, n)

private:
    uint64_t state;
};

// Smooth value noise in [0, 1] on a lattice that repeats every `period_x`
// lattice cells horizontally (0 = no repeat), so a backdrop can wrap around.
double valueNoise(double x, double y, uint32_t seed, int period_x = 0);
// Several octaves of valueNoise; the period doubles with each octave.
double fractalNoise(double x, double y, uint32_t seed, int octaves, int period_x = 0);
