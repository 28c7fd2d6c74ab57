// Framebuffers: default format, lazy multisample resolve, sample clamping,
// completeness errors, binding restored, GL objects released.

#include "framework/gl/Fbo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/gl/FboException.h"
#include "framework/gl/Renderbuffer.h"
#include "tests/framework/gl/GlTestUtil.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

using gl::Fbo;

class FboGLTest : public GlTest {};

GLint boundFramebuffer() {
    GLint id = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &id);
    return id;
}

// Clears the bound framebuffer to one colour.
void clearTo(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::vector<uint8_t> firstTexel(const gl::Texture& texture) {
    std::vector<uint8_t> texels = readTexels(texture, GL_RGBA, 4);
    texels.resize(4);
    return texels;
}

const std::vector<uint8_t> kRed = {255, 0, 0, 255};
const std::vector<uint8_t> kGreen = {0, 255, 0, 255};
const std::vector<uint8_t> kBlue = {0, 0, 255, 255};

TEST_F(FboGLTest, DefaultFormatHasAnRgba8ColourTextureAndA24BitDepthTexture) {
    const Fbo fbo(32, 16);
    ASSERT_TRUE(fbo);
    EXPECT_EQ(fbo.getBounds(), Area(0, 0, 32, 16));
    EXPECT_EQ(fbo.getResolveId(), 0u);

    const gl::Texture color = fbo.getTexture(0);
    ASSERT_TRUE(color);
    EXPECT_EQ(color.getWidth(), 32);
    EXPECT_EQ(texLevelParameter(color, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
    const gl::Texture depth = fbo.getDepthTexture();
    ASSERT_TRUE(depth);
    EXPECT_EQ(texLevelParameter(depth, GL_TEXTURE_DEPTH_SIZE), 24);
    for (const gl::Texture* texture : {&color, &depth}) {
        EXPECT_EQ(texParameter(*texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(*texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(*texture, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
        EXPECT_EQ(texParameter(*texture, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    }

    // Drawing into it reaches the texture directly.
    fbo.bindFramebuffer();
    clearTo(0, 0, 1);
    Fbo::unbindFramebuffer();
    EXPECT_EQ(firstTexel(fbo.getTexture()), kBlue);
}

TEST_F(FboGLTest, MultisampledFboResolvesOncePerBind) {
    Fbo::Format format;
    format.samples = 4;
    const Fbo fbo(8, 8, format);
    ASSERT_NE(fbo.getResolveId(), 0u);
    EXPECT_FALSE(fbo.getDepthTexture());

    fbo.bindFramebuffer();
    clearTo(1, 0, 0);
    Fbo::unbindFramebuffer();
    EXPECT_EQ(firstTexel(fbo.getTexture(0)), kRed);

    // Drawn into without bindFramebuffer(): no resolve, the texture keeps red.
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo.getId());
    clearTo(0, 1, 0);
    Fbo::unbindFramebuffer();
    EXPECT_EQ(firstTexel(fbo.getTexture(0)), kRed);

    // A bind makes the next request resolve the green drawn meanwhile.
    fbo.bindFramebuffer();
    Fbo::unbindFramebuffer();
    EXPECT_EQ(firstTexel(fbo.getTexture(0)), kGreen);

    // bindTexture resolves too, and leaves unit 0 active.
    fbo.bindFramebuffer();
    clearTo(0, 0, 1);
    Fbo::unbindFramebuffer();
    fbo.bindTexture(1);
    EXPECT_EQ(firstTexel(fbo.getTexture(0)), kBlue);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
}

TEST_F(FboGLTest, ResolveRestoresTheBoundFramebuffer) {
    Fbo::Format format;
    format.samples = 4;
    const Fbo multisampled(4, 4, format);
    const Fbo other(4, 4);
    multisampled.bindFramebuffer();
    other.bindFramebuffer();
    multisampled.getTexture();
    EXPECT_EQ(static_cast<GLuint>(boundFramebuffer()), other.getId());
    Fbo::unbindFramebuffer();
}

TEST_F(FboGLTest, MoreSamplesThanTheMaximumUseTheMaximum) {
    const int maxSamples = Fbo::getMaxSamples();
    if (maxSamples == 0) {
        GTEST_SKIP() << "no multisample framebuffers on this GL";
    }
    Fbo::Format format;
    format.samples = maxSamples + 8;
    const Fbo fbo(4, 4, format);
    EXPECT_EQ(fbo.getFormat().samples, maxSamples);

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo.getId());
    GLint renderbuffer = 0;
    glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                             GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT,
                                             &renderbuffer);
    Fbo::unbindFramebuffer();
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, static_cast<GLuint>(renderbuffer));
    GLint samples = 0;
    glGetRenderbufferParameterivEXT(GL_RENDERBUFFER_EXT, GL_RENDERBUFFER_SAMPLES_EXT, &samples);
    EXPECT_EQ(samples, maxSamples);

    const gl::Renderbuffer alone(4, 4, GL_RGBA8, maxSamples + 1);
    EXPECT_EQ(alone.getSamples(), maxSamples);
}

TEST_F(FboGLTest, CreationRestoresTheBoundFramebuffer) {
    const Fbo outer(4, 4);
    outer.bindFramebuffer();
    Fbo::Format multisampled;
    multisampled.samples = 2;
    const Fbo inner(4, 4);
    const Fbo innerMultisampled(4, 4, multisampled);
    EXPECT_EQ(static_cast<GLuint>(boundFramebuffer()), outer.getId());
    Fbo::unbindFramebuffer();
}

TEST_F(FboGLTest, IncompleteFramebuffersThrowWithTheReason) {
    Fbo::Format nothingAttached;
    nothingAttached.numColorBuffers = 0;
    nothingAttached.depthBuffer = false;
    const struct {
        const char* name;
        int width, height;
        Fbo::Format format;
        const char* message;
    } cases[] = {
        {"no attachments", 4, 4, nothingAttached, "Framebuffer incomplete: missing attachment"},
        {"zero size", 0, 0, Fbo::Format(), "Framebuffer incomplete: duplicate attachment"},
    };
    const Fbo outer(4, 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        outer.bindFramebuffer();
        try {
            Fbo fbo(c.width, c.height, c.format);
            ADD_FAILURE() << "no exception";
        } catch (const gl::FboExceptionInvalidSpecification& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(static_cast<GLuint>(boundFramebuffer()), outer.getId());
    }
    Fbo::unbindFramebuffer();
}

TEST_F(FboGLTest, DepthOnlyFramebufferIsComplete) {
    Fbo::Format format;
    format.numColorBuffers = 0;
    const Fbo fbo(8, 8, format);
    EXPECT_TRUE(fbo.getDepthTexture());
}

TEST_F(FboGLTest, LastHandleReleasesEveryGlObject) {
    const struct {
        const char* name;
        int samples;
        bool depthAsTexture;
    } cases[] = {
        {"single-sampled, depth texture", 0, true},
        {"single-sampled, depth renderbuffer", 0, false},
        {"multisampled", 4, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fbo::Format format;
        format.samples = c.samples;
        format.depthBufferAsTexture = c.depthAsTexture;
        format.numColorBuffers = 2;
        Fbo fbo(4, 4, format);
        const GLuint framebuffer = fbo.getId();
        const GLuint resolve = fbo.getResolveId();
        const GLuint color0 = fbo.getTexture(0).getId();
        const GLuint color1 = fbo.getTexture(1).getId();
        const GLuint depth = fbo.getDepthTexture().getId();

        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
        GLint renderbuffer = 0;
        const GLenum renderbufferAttachment =
            c.samples > 0 ? GL_COLOR_ATTACHMENT0_EXT : GL_DEPTH_ATTACHMENT_EXT;
        glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, renderbufferAttachment,
                                                 GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT,
                                                 &renderbuffer);
        Fbo::unbindFramebuffer();

        Fbo copy = fbo;
        fbo.reset();
        EXPECT_EQ(glIsFramebufferEXT(framebuffer), GL_TRUE);
        copy.reset();
        EXPECT_EQ(glIsFramebufferEXT(framebuffer), GL_FALSE);
        if (resolve != 0) {
            EXPECT_EQ(glIsFramebufferEXT(resolve), GL_FALSE);
        }
        EXPECT_EQ(glIsTexture(color0), GL_FALSE);
        EXPECT_EQ(glIsTexture(color1), GL_FALSE);
        if (depth != 0) {
            EXPECT_EQ(glIsTexture(depth), GL_FALSE);
        }
        if (c.samples > 0 || !c.depthAsTexture) {
            EXPECT_EQ(glIsRenderbufferEXT(static_cast<GLuint>(renderbuffer)), GL_FALSE);
        }
    }
}

}  // namespace
}  // namespace reef::test
