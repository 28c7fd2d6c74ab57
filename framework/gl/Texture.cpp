#include "framework/gl/Texture.h"

#include <utility>

#include "framework/gl/Extensions.h"
#include "framework/gl/ImageTargetGLTexture.h"
#include "framework/image/ImageIoException.h"

namespace reef::gl {

struct Texture::Obj {
    Obj() = default;
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;
    ~Obj() {
        if (textureId != 0) {
            glDeleteTextures(1, &textureId);
        }
    }

    int width = 0;
    int height = 0;
    float maxU = 1.0f;
    float maxV = 1.0f;
    GLint internalFormat = 0;
    GLenum target = GL_TEXTURE_2D;
    GLuint textureId = 0;
};

namespace {

template <typename T>
void uploadImage(ImageSource& source, GLenum target, GLint internalFormat, GLenum layout,
                 GLenum type) {
    ImageTargetGLTexture<T> pixels(source.getWidth(), source.getHeight(),
                                   source.getColorModel() == ImageIo::CM_GRAY, source.hasAlpha());
    source.load(pixels);
    glTexImage2D(target, 0, internalFormat, source.getWidth(), source.getHeight(), 0, layout, type,
                 pixels.getData());
}

}  // namespace

Texture::Texture(int width, int height) : Texture(width, height, Format()) {}

Texture::Texture(const Channel8u& channel) : Texture(channel, Format()) {}

Texture::Texture(ImageSourceRef imageSource) : Texture(std::move(imageSource), Format()) {}

Texture::Texture(int width, int height, Format format) {
    init(format, width, height, format.internalFormat == -1 ? GL_RGBA : format.internalFormat);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(obj_->target, 0, obj_->internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

Texture::Texture(const Channel8u& channel, Format format) {
    init(format, channel.getWidth(), channel.getHeight(),
         format.internalFormat == -1 ? GL_LUMINANCE : format.internalFormat);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, channel.getRowLength());
    glTexImage2D(obj_->target, 0, obj_->internalFormat, channel.getWidth(), channel.getHeight(), 0,
                 GL_LUMINANCE, GL_UNSIGNED_BYTE, channel.getData());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

Texture::Texture(ImageSourceRef imageSource, Format format) {
    if (!imageSource) {
        throw ImageIoExceptionFailedLoad("no image to make a texture from");
    }
    if (imageSource->getDataType() == ImageIo::DATA_UNKNOWN) {
        throw ImageIoExceptionFailedLoad("image component type is unknown");
    }
    // Chosen before any GL object exists, so a refused image leaves nothing behind.
    const GLint internalFormat =
        format.internalFormat == -1 ? chooseInternalFormat(*imageSource) : format.internalFormat;
    const bool gray = imageSource->getColorModel() == ImageIo::CM_GRAY;
    const bool alpha = imageSource->hasAlpha();
    const GLenum layout =
        gray ? (alpha ? GL_LUMINANCE_ALPHA : GL_LUMINANCE) : (alpha ? GL_RGBA : GL_RGB);

    init(format, imageSource->getWidth(), imageSource->getHeight(), internalFormat);
    switch (imageSource->getDataType()) {
        case ImageIo::UINT8:
            uploadImage<uint8_t>(*imageSource, obj_->target, internalFormat, layout,
                                 GL_UNSIGNED_BYTE);
            break;
        case ImageIo::UINT16:
            uploadImage<uint16_t>(*imageSource, obj_->target, internalFormat, layout,
                                  GL_UNSIGNED_SHORT);
            break;
        case ImageIo::FLOAT32:
        case ImageIo::DATA_UNKNOWN:  // refused above
            uploadImage<float>(*imageSource, obj_->target, internalFormat, layout, GL_FLOAT);
            break;
    }
}

Texture::Texture(GLenum target, GLuint textureId, int width, int height)
    : obj_(std::make_shared<Obj>()) {
    obj_->target = target;
    obj_->textureId = textureId;
    obj_->width = width;
    obj_->height = height;
    obj_->maxU = target == GL_TEXTURE_2D ? 1.0f : static_cast<float>(width);
    obj_->maxV = target == GL_TEXTURE_2D ? 1.0f : static_cast<float>(height);
}

void Texture::init(const Format& format, int width, int height, GLint internalFormat) {
    obj_ = std::make_shared<Obj>();
    obj_->target = format.target;
    obj_->width = width;
    obj_->height = height;
    obj_->internalFormat = internalFormat;
    obj_->maxU = format.target == GL_TEXTURE_2D ? 1.0f : static_cast<float>(width);
    obj_->maxV = format.target == GL_TEXTURE_2D ? 1.0f : static_cast<float>(height);
    glGenTextures(1, &obj_->textureId);
    glBindTexture(obj_->target, obj_->textureId);
    setParameters(format);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void Texture::setParameters(const Format& format) const {
    setWrapS(format.wrapS);
    setWrapT(format.wrapT);
    setMinFilter(format.minFilter);
    setMagFilter(format.magFilter);
}

GLint Texture::chooseInternalFormat(const ImageIo& image) {
    const bool alpha = image.hasAlpha();
    const bool floats = isExtensionAvailable("GL_ARB_texture_float");
    switch (image.getColorModel()) {
        case ImageIo::CM_RGB:
            switch (image.getDataType()) {
                case ImageIo::UINT8:
                    return alpha ? GL_RGBA8 : GL_RGB8;
                case ImageIo::UINT16:
                    return alpha ? GL_RGBA16 : GL_RGB16;
                default:
                    if (floats) {
                        return alpha ? GL_RGBA32F_ARB : GL_RGB32F_ARB;
                    }
                    return alpha ? GL_RGBA : GL_RGB;
            }
        case ImageIo::CM_GRAY:
            switch (image.getDataType()) {
                case ImageIo::UINT8:
                    return alpha ? GL_LUMINANCE8_ALPHA8 : GL_LUMINANCE8;
                case ImageIo::UINT16:
                    return alpha ? GL_LUMINANCE16_ALPHA16 : GL_LUMINANCE16;
                default:
                    if (floats) {
                        return alpha ? GL_LUMINANCE_ALPHA32F_ARB : GL_LUMINANCE32F_ARB;
                    }
                    return alpha ? GL_LUMINANCE_ALPHA : GL_LUMINANCE;
            }
        case ImageIo::CM_UNKNOWN:
            break;
    }
    throw ImageIoExceptionIllegalColorModel("image colour model is neither RGB nor grey");
}

void Texture::bind(GLuint unit) const {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(getTarget(), getId());
    glActiveTexture(GL_TEXTURE0);
}

void Texture::unbind(GLuint unit) const {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(getTarget(), 0);
    glActiveTexture(GL_TEXTURE0);
}

void Texture::bindEnabled() const {
    glEnable(getTarget());
    glBindTexture(getTarget(), getId());
}

void Texture::setWrapS(GLenum mode) const {
    glTexParameteri(getTarget(), GL_TEXTURE_WRAP_S, static_cast<GLint>(mode));
}
void Texture::setWrapT(GLenum mode) const {
    glTexParameteri(getTarget(), GL_TEXTURE_WRAP_T, static_cast<GLint>(mode));
}
void Texture::setMinFilter(GLenum filter) const {
    glTexParameteri(getTarget(), GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
}
void Texture::setMagFilter(GLenum filter) const {
    glTexParameteri(getTarget(), GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
}

int Texture::getWidth() const {
    return obj_ ? obj_->width : 0;
}
int Texture::getHeight() const {
    return obj_ ? obj_->height : 0;
}
GLuint Texture::getId() const {
    return obj_ ? obj_->textureId : 0;
}
GLenum Texture::getTarget() const {
    return obj_ ? obj_->target : GLenum(GL_TEXTURE_2D);
}
GLint Texture::getInternalFormat() const {
    return obj_ ? obj_->internalFormat : 0;
}
float Texture::getMaxU() const {
    return obj_ ? obj_->maxU : 1.0f;
}
float Texture::getMaxV() const {
    return obj_ ? obj_->maxV : 1.0f;
}

Rectf Texture::texCoordsForArea(const Area& area) const {
    const Rectf pixels(static_cast<float>(area.x1), static_cast<float>(area.y1),
                       static_cast<float>(area.x2), static_cast<float>(area.y2));
    if (getTarget() != GL_TEXTURE_2D) {
        return pixels;
    }
    const float w = static_cast<float>(getWidth());
    const float h = static_cast<float>(getHeight());
    return Rectf(pixels.x1 / w, pixels.y1 / h, pixels.x2 / w, pixels.y2 / h);
}

}  // namespace reef::gl
