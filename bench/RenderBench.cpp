// The procedural noise: the whole 256 x 256 image made at start-up (budget:
// 150 ms in a Release build), and single fbm evaluations of 40 octaves.

#include <benchmark/benchmark.h>

#include "render/NoiseTexture.h"
#include "render/PerlinNoise.h"

namespace {

void BM_MakeNoiseImage(benchmark::State& state) {
    for (auto _ : state) {
        reef::Channel8u image = thalorin::makeNoiseImage();
        benchmark::DoNotOptimize(image.getData());
    }
}
BENCHMARK(BM_MakeNoiseImage)->Unit(benchmark::kMillisecond);

// Fractions with a full mantissa: about 27 octaves run before both
// coordinates turn integral and the rest add exact zeros.
void BM_Fbm40Octaves(benchmark::State& state) {
    const thalorin::PerlinNoise noise(40);
    float x = 0.1234567f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise.fbm(reef::Vec2f(x, 0.7654321f)));
        x += 1e-3f;
    }
}
BENCHMARK(BM_Fbm40Octaves);

}  // namespace
