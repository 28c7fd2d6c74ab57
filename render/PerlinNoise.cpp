#include "render/PerlinNoise.h"

#include <cmath>
#include <random>

namespace thalorin {
namespace {

float fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

float lerp(float t, float a, float b) {
    return a + t * (b - a);
}

// The reference three-dimensional gradient function with z = 0.
float grad(int hash, float x, float y) {
    const int h = hash & 15;
    const float u = h < 8 ? x : y;
    const float v = h < 4 ? y : (h == 12 || h == 14 ? x : 0.0f);
    return ((h & 1) == 0 ? u : -u) + ((h & 2) == 0 ? v : -v);
}

// floor(f) & 255 for an integral float. Beyond the int range the float is a
// multiple of 256, and converting it would be undefined.
int latticeIndex(float integral) {
    return std::fabs(integral) < 2147483648.0f ? static_cast<int>(integral) & 255 : 0;
}

}  // namespace

PerlinNoise::PerlinNoise(uint8_t octaves, uint32_t seed) : octaves_(octaves) {
    std::mt19937 random(seed);
    for (size_t i = 0; i < 256; ++i) {
        table_[i] = table_[i + 256] = static_cast<uint8_t>(random() & 0xFF);
    }
}

float PerlinNoise::fbm(const reef::Vec2f& p) const {
    float sum = 0;
    float amplitude = 0.5f;
    float x = p.x;
    float y = p.y;
    for (int octave = 0; octave < octaves_; ++octave) {
        // Once both coordinates are integral they stay so under doubling, and
        // every remaining octave adds an exact zero: stopping changes no bit
        // of the sum, and keeps the coordinates far from overflow.
        if (x == std::floor(x) && y == std::floor(y)) {
            break;
        }
        sum += amplitude * noise(x, y);
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
    }
    return sum;
}

float PerlinNoise::noise(float x, float y) const {
    const float floorX = std::floor(x);
    const float floorY = std::floor(y);
    const int X = latticeIndex(floorX);
    const int Y = latticeIndex(floorY);
    const float fx = x - floorX;
    const float fy = y - floorY;
    const float u = fade(fx);
    const float w = fade(fy);
    const int A = table_[X] + Y;
    const int B = table_[X + 1] + Y;
    return lerp(w, lerp(u, grad(table_[table_[A]], fx, fy), grad(table_[table_[B]], fx - 1, fy)),
                lerp(u, grad(table_[table_[A + 1]], fx, fy - 1),
                     grad(table_[table_[B + 1]], fx - 1, fy - 1)));
}

}  // namespace thalorin
