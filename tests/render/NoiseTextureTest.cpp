// The noise image: size, determinism, the mirror pass and the stretched range.

#include "render/NoiseTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace thalorin {
namespace {

TEST(NoiseImage, IsBitIdenticalFromOneComputationToTheNext) {
    const reef::Channel8u first = makeNoiseImage();
    const reef::Channel8u second = makeNoiseImage();
    ASSERT_EQ(first.getWidth(), 256);
    ASSERT_EQ(first.getHeight(), 256);
    EXPECT_EQ(first.getRowBytes(), 256u);
    EXPECT_EQ(std::memcmp(first.getData(), second.getData(), 256 * 256), 0);
}

TEST(NoiseImage, RightHalfMirrorsTheLeftHalf) {
    const reef::Channel8u image = makeNoiseImage();
    for (int y = 0; y < 256; ++y) {
        ASSERT_EQ(image.getValue(255, y), image.getValue(1, y)) << "row " << y;
        for (int x = 129; x < 256; ++x) {
            ASSERT_EQ(image.getValue(x, y), image.getValue(256 - x, y)) << x << ", " << y;
        }
    }
}

TEST(NoiseImage, SpansTheByteRangeAndIsNotFlat) {
    const reef::Channel8u image = makeNoiseImage();
    const unsigned char* begin = image.getData();
    const unsigned char* end = begin + 256 * 256;
    // The stretch maps the lowest value to 0 and the highest to 255. The
    // mirror pass could overwrite them were they in the right half; with seed
    // 532 both lie in the left half, so the finished image holds both.
    EXPECT_EQ(*std::min_element(begin, end), 0);
    EXPECT_EQ(*std::max_element(begin, end), 255);
    // Neighbouring rows differ: the image is noise, not stripes.
    EXPECT_NE(std::memcmp(image.getData(), image.getData() + 256, 256), 0);
}

}  // namespace
}  // namespace thalorin
