#pragma once
// Small helpers shared by the GL tests: reading texels and pixels back, and a
// one-pixel image source of any layout.

#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/gl/Texture.h"
#include "framework/image/ImageSource.h"

namespace reef::test {

// Level 0 of the texture in `format` (GL_RGBA, GL_RGB, GL_LUMINANCE...), 8-bit.
// Leaves the texture bound to its target on the active unit.
inline std::vector<uint8_t> readTexels(const gl::Texture& texture, GLenum format, int channels) {
    std::vector<uint8_t> texels(static_cast<size_t>(texture.getWidth()) * texture.getHeight() *
                                channels);
    glBindTexture(texture.getTarget(), texture.getId());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(texture.getTarget(), 0, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// RGBA of one pixel of the bound read framebuffer (y = 0 is the bottom row).
inline std::array<uint8_t, 4> readPixel(int x, int y) {
    std::array<uint8_t, 4> rgba{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

inline GLint texLevelParameter(const gl::Texture& texture, GLenum parameter) {
    GLint value = 0;
    glBindTexture(texture.getTarget(), texture.getId());
    glGetTexLevelParameteriv(texture.getTarget(), 0, parameter, &value);
    return value;
}

inline GLint texParameter(const gl::Texture& texture, GLenum parameter) {
    GLint value = 0;
    glBindTexture(texture.getTarget(), texture.getId());
    glGetTexParameteriv(texture.getTarget(), parameter, &value);
    return value;
}

// A width x 1 image of any layout, filled from raw bytes: stands in for
// codecs that deliver blue-green-red orders or float pixels.
class RawImageSource : public ImageSource {
public:
    RawImageSource(int32_t width, ColorModel model, DataType type, ChannelOrder order,
                   std::vector<uint8_t> bytes)
        : bytes_(std::move(bytes)) {
        setSize(width, 1);
        setColorModel(model);
        setDataType(type);
        setChannelOrder(order);
    }
    void load(ImageTarget& target) override {
        convertRow(bytes_.data(), target, target.getRowPointer(0));
    }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace reef::test
