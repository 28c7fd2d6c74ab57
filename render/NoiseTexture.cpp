#include "render/NoiseTexture.h"

#include <cassert>
#include <vector>

#include "render/PerlinNoise.h"

namespace thalorin {

reef::Channel8u makeNoiseImage() {
    constexpr int size = kNoiseTextureSize;
    const PerlinNoise noise(40);
    reef::Channel8u channel(size, size);

    // First pass: the values and their range. The second pass takes the stored
    // values; computing them again would give the same bits.
    std::vector<float> values(static_cast<size_t>(size) * size);
    float lo = 10001;
    float hi = -1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const reef::Vec2f p(static_cast<float>(x) * 5 / 256, static_cast<float>(y) * 5 / 256);
            const float v = noise.fbm(p) * 255;
            values[static_cast<size_t>(y) * size + x] = v;
            if (v < lo) {
                lo = v;
            }
            if (v > hi) {
                hi = v;
            }
        }
    }

    assert(hi > lo && "the noise image cannot be flat");

    // Second pass: stretch to 0..255, truncating.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float v = values[static_cast<size_t>(y) * size + x];
            channel.setValue(
                x, y, static_cast<unsigned char>(static_cast<int>((v - lo) * 255 / (hi - lo))));
        }
    }

    // Mirror pass: columns 128..255 repeat columns 128..1.
    for (int x = size / 2; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            channel.setValue(x, y, channel.getValue(size - x, y));
        }
    }
    return channel;
}

reef::gl::Texture makeNoiseTexture() {
    return reef::gl::Texture(makeNoiseImage(), reef::gl::Texture::Format());
}

}  // namespace thalorin
