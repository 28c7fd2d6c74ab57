// The noise texture: the noise image uploaded as an 8-bit luminance texture
// with the default format.

#include "render/NoiseTexture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/framework/gl/GlTestUtil.h"
#include "tests/support/GlTestEnvironment.h"

namespace thalorin {
namespace {

using reef::test::readTexels;
using reef::test::texLevelParameter;
using reef::test::texParameter;

class NoiseTextureGLTest : public GlTest {};

TEST_F(NoiseTextureGLTest, UploadsTheNoiseImageAsLuminanceWithTheDefaultFormat) {
    const reef::gl::Texture texture = makeNoiseTexture();
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture.getWidth(), 256);
    EXPECT_EQ(texture.getHeight(), 256);
    EXPECT_EQ(texture.getInternalFormat(), GL_LUMINANCE);
    EXPECT_EQ(texParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(texLevelParameter(texture, GL_TEXTURE_WIDTH), 256);

    const std::vector<uint8_t> texels = readTexels(texture, GL_LUMINANCE, 1);
    const reef::Channel8u image = makeNoiseImage();
    EXPECT_EQ(std::memcmp(texels.data(), image.getData(), texels.size()), 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace
}  // namespace thalorin
