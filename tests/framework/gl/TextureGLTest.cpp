// Textures from sizes, channels and images: internal formats, texel order,
// parameters, shared-handle lifetime.

#include "framework/gl/Texture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <memory>

#include "framework/gl/Extensions.h"
#include "framework/image/ImageIoException.h"
#include "framework/image/ImageSourceFile.h"
#include "tests/framework/gl/GlTestUtil.h"
#include "tests/framework/image/TestImages.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

using gl::Texture;

class TextureGLTest : public GlTest {};

ImageSourceRef decodedPng(const PngDescription& png) {
    const std::vector<uint8_t> bytes = encodePng(png);
    return std::make_shared<ImageSourceFile>(bytes.data(), bytes.size());
}

PngDescription pngOf(int colorType, int bitDepth, std::vector<uint8_t> firstPixel) {
    PngDescription png;
    png.colorType = colorType;
    png.bitDepth = bitDepth;
    png.rows = std::move(firstPixel);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png.paletteRgb = {10, 20, 30, 40, 50, 60};
    }
    return png;
}

TEST_F(TextureGLTest, InternalFormatFollowsTheImageLayout) {
    const struct {
        const char* name;
        ImageSourceRef image;
        GLint internalFormat;
    } cases[] = {
        {"8-bit RGB", decodedPng(pngOf(PNG_COLOR_TYPE_RGB, 8, {1, 2, 3})), GL_RGB8},
        {"8-bit RGBA", decodedPng(pngOf(PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 4})), GL_RGBA8},
        {"16-bit RGB", decodedPng(pngOf(PNG_COLOR_TYPE_RGB, 16, {0, 1, 0, 2, 0, 3})), GL_RGB16},
        {"16-bit RGBA", decodedPng(pngOf(PNG_COLOR_TYPE_RGBA, 16, {0, 1, 0, 2, 0, 3, 0, 4})),
         GL_RGBA16},
        {"8-bit grey", decodedPng(pngOf(PNG_COLOR_TYPE_GRAY, 8, {7})), GL_LUMINANCE8},
        {"16-bit grey", decodedPng(pngOf(PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x34})), GL_LUMINANCE16},
        {"8-bit grey-alpha", decodedPng(pngOf(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {7, 9})),
         GL_LUMINANCE8_ALPHA8},
        {"palette", decodedPng(pngOf(PNG_COLOR_TYPE_PALETTE, 8, {1})), GL_RGB8},
        {"BGRA",
         std::make_shared<RawImageSource>(1, ImageIo::CM_RGB, ImageIo::UINT8, ImageIo::BGRA,
                                          std::vector<uint8_t>{3, 2, 1, 4}),
         GL_RGBA8},
        {"BGRX",
         std::make_shared<RawImageSource>(1, ImageIo::CM_RGB, ImageIo::UINT8, ImageIo::BGRX,
                                          std::vector<uint8_t>{3, 2, 1, 0}),
         GL_RGB8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Texture texture(c.image);
        EXPECT_EQ(texture.getInternalFormat(), c.internalFormat);
        EXPECT_EQ(texLevelParameter(texture, GL_TEXTURE_INTERNAL_FORMAT), c.internalFormat);
        EXPECT_EQ(texture.getWidth(), 1);
        EXPECT_EQ(texture.getHeight(), 1);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    }
}

TEST_F(TextureGLTest, FloatImagesUseFloatFormatsWhenAvailable) {
    const ImageSourceRef image = std::make_shared<RawImageSource>(
        1, ImageIo::CM_RGB, ImageIo::FLOAT32, ImageIo::RGB, std::vector<uint8_t>(12, 0));
    const Texture texture(image);
    EXPECT_EQ(texture.getInternalFormat(),
              gl::isExtensionAvailable("GL_ARB_texture_float") ? GL_RGB32F_ARB : GL_RGB);
}

TEST_F(TextureGLTest, BlueGreenRedPixelsArriveAsRedGreenBlue) {
    const struct {
        const char* name;
        ImageIo::ChannelOrder order;
        std::vector<uint8_t> pixel;
    } cases[] = {
        {"BGR", ImageIo::BGR, {30, 20, 10}},
        {"BGRX", ImageIo::BGRX, {30, 20, 10, 99}},
        {"BGRA", ImageIo::BGRA, {30, 20, 10, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Texture texture(
            std::make_shared<RawImageSource>(1, ImageIo::CM_RGB, ImageIo::UINT8, c.order, c.pixel));
        const std::vector<uint8_t> rgb = readTexels(texture, GL_RGB, 3);
        EXPECT_EQ(rgb, (std::vector<uint8_t>{10, 20, 30}));
    }
}

TEST_F(TextureGLTest, ImageRowsKeepTheirOrder) {
    // 1 x 2 grey image: 200 on top. Texel row 0 (v = 0) is the image's top row.
    PngDescription png = pngOf(PNG_COLOR_TYPE_GRAY, 8, {200, 50});
    png.height = 2;
    const Texture texture(decodedPng(png));
    const std::vector<uint8_t> texels = readTexels(texture, GL_LUMINANCE, 1);
    EXPECT_EQ(texels, (std::vector<uint8_t>{200, 50}));
}

TEST_F(TextureGLTest, ExplicitInternalFormatWins) {
    Texture::Format format;
    format.internalFormat = GL_RGBA8;
    format.wrapS = GL_REPEAT;
    format.magFilter = GL_NEAREST;
    const Texture texture(decodedPng(pngOf(PNG_COLOR_TYPE_GRAY, 8, {7})), format);
    EXPECT_EQ(texture.getInternalFormat(), GL_RGBA8);
    EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
}

TEST_F(TextureGLTest, IllegalColorModelIsRefusedBeforeAnyUpload) {
    const ImageSourceRef image = std::make_shared<RawImageSource>(
        1, ImageIo::CM_UNKNOWN, ImageIo::UINT8, ImageIo::RGB, std::vector<uint8_t>(3, 0));
    EXPECT_THROW(Texture texture(image), ImageIoExceptionIllegalColorModel);
}

TEST_F(TextureGLTest, FromSizeAndFromChannel) {
    const Texture empty(16, 8);
    EXPECT_EQ(empty.getWidth(), 16);
    EXPECT_EQ(empty.getHeight(), 8);
    EXPECT_EQ(empty.getInternalFormat(), GL_RGBA);
    EXPECT_FLOAT_EQ(empty.getMaxU(), 1.0f);

    Channel8u channel(3, 2);
    const uint8_t values[6] = {1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 6; ++i) {
        channel.setValue(i % 3, i / 3, values[i]);
    }
    const Texture fromChannel(channel);
    EXPECT_EQ(fromChannel.getInternalFormat(), GL_LUMINANCE);
    EXPECT_EQ(readTexels(fromChannel, GL_LUMINANCE, 1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    GLint rowLength = -1;
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    EXPECT_EQ(rowLength, 0);
}

TEST_F(TextureGLTest, CopiesShareAndTheLastHandleDeletes) {
    Texture empty;
    EXPECT_FALSE(empty);

    Texture first(4, 4);
    const GLuint id = first.getId();
    ASSERT_TRUE(first);
    {
        const Texture copy = first;
        EXPECT_EQ(copy.getId(), id);
        first.reset();
        EXPECT_EQ(glIsTexture(id), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(id), GL_FALSE);
}

TEST_F(TextureGLTest, BindLeavesUnitZeroActive) {
    const Texture texture(2, 2);
    texture.bind(2);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE2);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.getId());
    glActiveTexture(GL_TEXTURE0);
    texture.unbind(2);
    glActiveTexture(GL_TEXTURE2);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(TextureGLTest, TexCoordsForArea) {
    const Texture texture(200, 100);
    const Rectf coords = texture.texCoordsForArea(Area(50, 25, 100, 100));
    EXPECT_FLOAT_EQ(coords.x1, 0.25f);
    EXPECT_FLOAT_EQ(coords.y1, 0.25f);
    EXPECT_FLOAT_EQ(coords.x2, 0.5f);
    EXPECT_FLOAT_EQ(coords.y2, 1.0f);
}

}  // namespace
}  // namespace reef::test
