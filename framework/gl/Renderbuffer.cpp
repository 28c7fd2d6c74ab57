#include "framework/gl/Renderbuffer.h"

#include <algorithm>

#include "framework/gl/Fbo.h"

namespace reef::gl {

struct Renderbuffer::Obj {
    Obj() = default;
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;
    ~Obj() {
        if (id != 0) {
            glDeleteRenderbuffersEXT(1, &id);
        }
    }

    int width = 0;
    int height = 0;
    GLenum internalFormat = GL_RGBA8;
    int samples = 0;
    GLuint id = 0;
};

Renderbuffer::Renderbuffer(int width, int height, GLenum internalFormat, int samples)
    : obj_(std::make_shared<Obj>()) {
    obj_->width = width;
    obj_->height = height;
    obj_->internalFormat = internalFormat;
    glGenRenderbuffersEXT(1, &obj_->id);
    obj_->samples = std::min(samples, Fbo::getMaxSamples());
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, obj_->id);
    if (obj_->samples > 0) {
        glRenderbufferStorageMultisampleEXT(GL_RENDERBUFFER_EXT, obj_->samples, internalFormat,
                                            width, height);
    } else {
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, internalFormat, width, height);
    }
}

int Renderbuffer::getWidth() const {
    return obj_ ? obj_->width : 0;
}
int Renderbuffer::getHeight() const {
    return obj_ ? obj_->height : 0;
}
GLenum Renderbuffer::getInternalFormat() const {
    return obj_ ? obj_->internalFormat : 0;
}
int Renderbuffer::getSamples() const {
    return obj_ ? obj_->samples : 0;
}
GLuint Renderbuffer::getId() const {
    return obj_ ? obj_->id : 0;
}

}  // namespace reef::gl
