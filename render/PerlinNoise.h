#pragma once
// Deterministic fractal noise: improved gradient noise on the z = 0 plane,
// summed over octaves of halving amplitude and doubling frequency. The same
// octave count and seed give bit-identical results on every run.

#include <array>
#include <cstdint>

#include "framework/math/Vector.h"

namespace thalorin {

class PerlinNoise {
public:
    explicit PerlinNoise(uint8_t octaves, uint32_t seed = 532);

    // Sum over the octaves of 0.5^(k+1) * noise(p * 2^k); within (-1, 1).
    float fbm(const reef::Vec2f& p) const;
    // One octave: 0 on every integer lattice point, within [-1, 1].
    float noise(float x, float y) const;

    uint8_t getOctaves() const { return octaves_; }

private:
    uint8_t octaves_;
    // Random bytes (not a permutation), the first 256 repeated so that the
    // corner lookups never need to wrap.
    std::array<uint8_t, 512> table_;
};

}  // namespace thalorin
