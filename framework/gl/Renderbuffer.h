#pragma once
// A shared handle to an OpenGL renderbuffer (EXT_framebuffer_object); the
// last handle deletes it. Creation leaves the renderbuffer bound.

#include <epoxy/gl.h>

#include <memory>

namespace reef::gl {

class Renderbuffer {
public:
    Renderbuffer() = default;
    // More samples than Fbo::getMaxSamples() are silently clamped to it.
    Renderbuffer(int width, int height, GLenum internalFormat = GL_RGBA8, int samples = 0);

    explicit operator bool() const { return static_cast<bool>(obj_); }
    void reset() { obj_.reset(); }

    int getWidth() const;
    int getHeight() const;
    GLenum getInternalFormat() const;
    // The sample count asked of GL, after clamping.
    int getSamples() const;
    GLuint getId() const;

private:
    struct Obj;
    std::shared_ptr<Obj> obj_;
};

}  // namespace reef::gl
