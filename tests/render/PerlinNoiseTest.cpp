// Fractal noise: lattice zeros, the octave sum, range, periodicity, continuity
// and determinism, and no overflow for coordinates far from the origin.

#include "render/PerlinNoise.h"

#include <gtest/gtest.h>

#include <cmath>

namespace thalorin {
namespace {

using reef::Vec2f;

TEST(PerlinNoise, IsZeroOnEveryLatticePoint) {
    const PerlinNoise noise(40);
    const struct {
        const char* name;
        float x, y;
    } cases[] = {
        {"origin", 0, 0},          {"inside the table", 3, 7},
        {"negative", -5, -200},    {"past the table's wrap", 256, 511},
        {"far away", 1e6f, -3e7f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(noise.noise(c.x, c.y), 0.0f);
        EXPECT_EQ(noise.fbm(Vec2f(c.x, c.y)), 0.0f);
    }
}

TEST(PerlinNoise, FbmSumsOctavesOfHalvingAmplitudeAndDoublingFrequency) {
    const PerlinNoise one(1);
    const PerlinNoise three(3);
    const Vec2f points[] = {{0.3f, 1.7f}, {12.25f, -4.6f}, {200.9f, 3.1f}};
    for (const Vec2f& p : points) {
        SCOPED_TRACE(::testing::Message() << p.x << ", " << p.y);
        EXPECT_EQ(one.fbm(p), 0.5f * one.noise(p.x, p.y));
        float sum = 0;
        sum += 0.5f * three.noise(p.x, p.y);
        sum += 0.25f * three.noise(p.x * 2, p.y * 2);
        sum += 0.125f * three.noise(p.x * 4, p.y * 4);
        EXPECT_EQ(three.fbm(p), sum);
    }
}

TEST(PerlinNoise, StaysWithinRangeAndIsNotFlat) {
    const PerlinNoise noise(40);
    float largest = 0;
    for (int i = 0; i < 200; ++i) {
        for (int j = 0; j < 200; ++j) {
            const float x = i * 0.0731f - 3;
            const float y = j * 0.0917f - 5;
            const float n = noise.noise(x, y);
            const float f = noise.fbm(Vec2f(x, y));
            ASSERT_LE(std::fabs(n), 1.0f) << x << ", " << y;
            ASSERT_LE(std::fabs(f), 1.0f) << x << ", " << y;
            largest = std::fmax(largest, std::fabs(n));
        }
    }
    // Gradient noise of this kind reaches well past 0.5 somewhere in 200 cells.
    EXPECT_GT(largest, 0.5f);
}

TEST(PerlinNoise, RepeatsEvery256CellsIncludingNegativeCoordinates) {
    const PerlinNoise noise(1);
    // Dyadic fractions: adding 256 keeps every bit of the cell offset.
    const float xs[] = {0.375f, 17.5f, 255.75f};
    const float y = 2.625f;
    for (const float x : xs) {
        SCOPED_TRACE(x);
        EXPECT_EQ(noise.noise(x + 256, y), noise.noise(x, y));
        EXPECT_EQ(noise.noise(x - 256, y), noise.noise(x, y));
        EXPECT_EQ(noise.noise(y, x - 512), noise.noise(y, x));
    }
}

TEST(PerlinNoise, IsContinuousAcrossCellBorders) {
    const PerlinNoise noise(1);
    const float eps = 1e-3f;
    for (int cell = -3; cell <= 3; ++cell) {
        SCOPED_TRACE(cell);
        const float border = static_cast<float>(cell);
        const float along = 0.37f + cell;
        // The corners' gradients have length at most sqrt(2): the value moves
        // by at most about 3 * eps across the border.
        EXPECT_NEAR(noise.noise(border - eps, along), noise.noise(border + eps, along), 4 * eps);
        EXPECT_NEAR(noise.noise(along, border - eps), noise.noise(along, border + eps), 4 * eps);
    }
}

TEST(PerlinNoise, SameSeedSameValuesOtherSeedOtherValues) {
    const PerlinNoise a(40), b(40), other(40, 533);
    bool differs = false;
    for (int i = 0; i < 64; ++i) {
        const Vec2f p(i * 0.173f, i * 0.311f + 0.5f);
        EXPECT_EQ(a.fbm(p), b.fbm(p));
        differs = differs || a.fbm(p) != other.fbm(p);
    }
    EXPECT_TRUE(differs);
}

TEST(PerlinNoise, FarCoordinatesAndManyOctavesStayFinite) {
    const struct {
        const char* name;
        int octaves;
        Vec2f p;
    } cases[] = {
        {"beyond the int range", 40, {3e12f, 0.3f}},
        {"negative beyond the int range", 40, {0.7f, -5e15f}},
        {"255 octaves", 255, {0.1f, 0.2f}},
        {"255 octaves from a small fraction", 255, {1e-30f, 3.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const float value = PerlinNoise(static_cast<uint8_t>(c.octaves)).fbm(c.p);
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_LE(std::fabs(value), 1.0f);
    }
}

}  // namespace
}  // namespace thalorin
