#pragma once
// A shared handle to an OpenGL texture: copies share the texture, the last
// handle deletes it, an empty handle tests false. Creation leaves the new
// texture bound to its target and GL_UNPACK_ALIGNMENT at 1.

#include <epoxy/gl.h>

#include <cstdint>
#include <memory>

#include "framework/image/ChannelT.h"
#include "framework/image/ImageSource.h"
#include "framework/math/Area.h"

namespace reef::gl {

class Texture {
public:
    struct Format {
        GLenum target = GL_TEXTURE_2D;
        GLenum wrapS = GL_CLAMP_TO_EDGE;
        GLenum wrapT = GL_CLAMP_TO_EDGE;
        GLenum minFilter = GL_LINEAR;
        GLenum magFilter = GL_LINEAR;
        // -1: chosen from the source.
        GLint internalFormat = -1;
    };

    Texture() = default;
    // Storage without data; internal format GL_RGBA unless the format names one.
    Texture(int width, int height, Format format);
    Texture(int width, int height);
    // Uploaded as GL_LUMINANCE; internal format GL_LUMINANCE unless the format names one.
    Texture(const Channel8u& channel, Format format);
    explicit Texture(const Channel8u& channel);
    // Internal format chosen from the image's colour model, component type and
    // alpha unless the format names one. Throws ImageIoExceptionIllegalColorModel
    // for an image that is neither RGB nor grey.
    Texture(ImageSourceRef imageSource, Format format);
    explicit Texture(ImageSourceRef imageSource);
    // Takes ownership of a texture name the caller generated.
    Texture(GLenum target, GLuint textureId, int width, int height);

    explicit operator bool() const { return static_cast<bool>(obj_); }
    void reset() { obj_.reset(); }

    // Binds to `unit`, leaving unit 0 active.
    void bind(GLuint unit = 0) const;
    void unbind(GLuint unit = 0) const;
    // Enables the target and binds on the active unit.
    void bindEnabled() const;

    // Act on whatever texture is bound to the target; they do not bind.
    void setWrapS(GLenum mode) const;
    void setWrapT(GLenum mode) const;
    void setMinFilter(GLenum filter) const;
    void setMagFilter(GLenum filter) const;

    int getWidth() const;
    int getHeight() const;
    Area getBounds() const { return Area(0, 0, getWidth(), getHeight()); }
    GLuint getId() const;
    GLenum getTarget() const;
    GLint getInternalFormat() const;
    // 1 for GL_TEXTURE_2D, the size in pixels for other targets.
    float getMaxU() const;
    float getMaxV() const;

    // Texture coordinates of a pixel area: divided by the size for
    // GL_TEXTURE_2D, unchanged for other targets.
    Rectf texCoordsForArea(const Area& area) const;

    // Internal format chosen for an image without an explicit one.
    static GLint chooseInternalFormat(const ImageIo& image);

private:
    struct Obj;

    void init(const Format& format, int width, int height, GLint internalFormat);
    void setParameters(const Format& format) const;

    std::shared_ptr<Obj> obj_;
};

}  // namespace reef::gl
