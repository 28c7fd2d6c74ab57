#pragma once
// The procedural 256 x 256 fractal-noise image: 40 octaves, stretched over the
// full 0..255 range, its right half mirroring its left half so that it tiles
// almost seamlessly left to right.

#include "framework/gl/Texture.h"
#include "framework/image/ChannelT.h"

namespace thalorin {

constexpr int kNoiseTextureSize = 256;

// The image's bytes; no GL needed. Bit-identical from run to run.
reef::Channel8u makeNoiseImage();

// makeNoiseImage() uploaded with the default texture format (GL_LUMINANCE,
// linear, clamped). Needs a current GL context; leaves the texture bound.
reef::gl::Texture makeNoiseTexture();

}  // namespace thalorin
