#pragma once
// A shared handle to an OpenGL framebuffer object with colour textures and an
// optional depth texture or renderbuffer. A multisampled Fbo draws into
// multisampled renderbuffers and resolves them into its textures lazily: only
// after a bindFramebuffer(), and at most once per bind, when a texture is asked for.
// The last handle deletes the framebuffers, renderbuffers and textures.

#include <epoxy/gl.h>

#include <memory>

#include "framework/gl/Texture.h"
#include "framework/math/Area.h"

namespace reef::gl {

class Fbo {
public:
    struct Format {
        GLenum target = GL_TEXTURE_2D;
        GLenum colorInternalFormat = GL_RGBA8;
        GLenum depthInternalFormat = GL_DEPTH_COMPONENT24;
        int samples = 0;
        bool depthBuffer = true;
        // A multisampled Fbo's depth buffer is always a renderbuffer.
        bool depthBufferAsTexture = true;
        int numColorBuffers = 1;
        GLenum wrapS = GL_CLAMP_TO_EDGE;
        GLenum wrapT = GL_CLAMP_TO_EDGE;
        GLenum minFilter = GL_LINEAR;
        GLenum magFilter = GL_LINEAR;
    };

    Fbo() = default;
    // Throws FboExceptionInvalidSpecification when the framebuffer is incomplete.
    // The framebuffer bound before the call is bound again afterwards.
    Fbo(int width, int height, Format format);
    Fbo(int width, int height);

    explicit operator bool() const { return static_cast<bool>(obj_); }
    void reset() { obj_.reset(); }

    int getWidth() const;
    int getHeight() const;
    Area getBounds() const { return Area(0, 0, getWidth(), getHeight()); }
    // The format in force; samples clamped to getMaxSamples().
    const Format& getFormat() const;
    GLuint getId() const;
    // 0 unless multisampled.
    GLuint getResolveId() const;

    void bindFramebuffer() const;
    static void unbindFramebuffer();

    // Resolve first when needed; the texture is shared with the Fbo.
    Texture getTexture(int attachment = 0) const;
    // Empty unless the depth buffer is a texture.
    Texture getDepthTexture() const;
    // Resolve first when needed, then bind the colour texture to `unit`.
    void bindTexture(GLuint unit = 0, int attachment = 0) const;
    // Unbinds the format's target on the active unit.
    void unbindTexture() const;

    // GL_MAX_SAMPLES_EXT, or 0 without the multisample and blit extensions;
    // read once per process.
    static int getMaxSamples();

private:
    struct Obj;

    void resolveIfNeeded() const;

    std::shared_ptr<Obj> obj_;
};

}  // namespace reef::gl
