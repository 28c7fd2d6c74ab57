// Drawing from client arrays, read back from a framebuffer: texture
// orientation under window matrices, restored state, meshes and solids.

#include "framework/gl/Draw.h"

#include <gtest/gtest.h>
#include <png.h>

#include <memory>

#include "framework/gl/Fbo.h"
#include "framework/gl/State.h"
#include "framework/image/ImageSourceFile.h"
#include "model/TriangleMesh.h"
#include "tests/framework/gl/GlTestUtil.h"
#include "tests/framework/image/TestImages.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

constexpr int kSize = 8;

// Draws into an 8 x 8 single-sampled target under window matrices.
class DrawGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        Fbo::Format format;
        format.minFilter = GL_NEAREST;
        format.magFilter = GL_NEAREST;
        target_ = gl::Fbo(kSize, kSize, format);
        target_.bindFramebuffer();
        gl::setViewport(target_.getBounds());
        gl::pushMatrices();
        gl::clear(ColorA(0, 0, 0, 1));
        glColor4f(1, 1, 1, 1);
    }
    void TearDown() override {
        gl::popMatrices();
        gl::Fbo::unbindFramebuffer();
        gl::setViewport(Area(0, 0, kGlTestWindowWidth, kGlTestWindowHeight));
        target_.reset();
        GlTest::TearDown();
    }

    using Fbo = gl::Fbo;
    gl::Fbo target_;
};

// A 2 x 2 texture whose first row is red and second row blue.
gl::Texture redOverBlue() {
    PngDescription png;
    png.width = 2;
    png.height = 2;
    png.colorType = PNG_COLOR_TYPE_RGB;
    png.rows = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    const std::vector<uint8_t> bytes = encodePng(png);
    gl::Texture::Format format;
    format.minFilter = GL_NEAREST;
    format.magFilter = GL_NEAREST;
    return gl::Texture(std::make_shared<ImageSourceFile>(bytes.data(), bytes.size()), format);
}

const std::array<uint8_t, 4> kRed = {255, 0, 0, 255};
const std::array<uint8_t, 4> kBlue = {0, 0, 255, 255};
const std::array<uint8_t, 4> kGreen = {0, 255, 0, 255};
const std::array<uint8_t, 4> kWhite = {255, 255, 255, 255};
const std::array<uint8_t, 4> kBlack = {0, 0, 0, 255};

TEST_F(DrawGLTest, TextureFirstRowLandsAtTheTopUnderUpperLeftWindowMatrices) {
    const struct {
        const char* name;
        bool originUpperLeft;
        std::array<uint8_t, 4> top, bottom;
    } cases[] = {
        {"origin upper left", true, kRed, kBlue},
        {"origin lower left", false, kBlue, kRed},
    };
    const gl::Texture texture = redOverBlue();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gl::setWindowMatrices(kSize, kSize, c.originUpperLeft);
        gl::drawTexture(texture, Rectf(0, 0, kSize, kSize));
        // glReadPixels counts rows from the bottom.
        EXPECT_EQ(readPixel(3, kSize - 1), c.top);
        EXPECT_EQ(readPixel(3, 0), c.bottom);
    }
}

TEST_F(DrawGLTest, DrawTextureRestoresBindingEnableAndClientArrays) {
    const gl::Texture texture = redOverBlue();
    const gl::Texture other(2, 2);
    glBindTexture(GL_TEXTURE_2D, other.getId());
    glEnableClientState(GL_VERTEX_ARRAY);
    gl::setWindowMatrices(kSize, kSize);
    gl::drawTexture(texture);

    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), other.getId());
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_COORD_ARRAY), GL_FALSE);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The 2 x 2 texture covered only the top-left 2 x 2 pixels.
    EXPECT_EQ(readPixel(0, kSize - 1), kRed);
    EXPECT_EQ(readPixel(kSize - 1, 0), kBlack);
}

TEST_F(DrawGLTest, DrawRectCoversTheTarget) {
    gl::setWindowMatrices(kSize, kSize);
    gl::drawRect(Rectf(0, 0, kSize, kSize));
    EXPECT_EQ(readPixel(0, 0), kWhite);
    EXPECT_EQ(readPixel(kSize - 1, kSize - 1), kWhite);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_COORD_ARRAY), GL_FALSE);
}

TEST_F(DrawGLTest, DrawMeshUsesItsColoursAndDisablesItsArrays) {
    gl::setWindowMatrices(kSize, kSize);
    thalorin::TriangleMesh mesh;
    const Vec3f positions[3] = {
        {-kSize, -kSize, 0}, {3 * kSize, -kSize, 0}, {-kSize, 3 * kSize, 0}};
    mesh.appendPositions(positions, 3);
    // A normal array shorter than the positions is left out rather than over-read.
    const Vec3f oneNormal(0, 0, 1);
    mesh.appendNormals(&oneNormal, 1);
    const uint32_t indices[3] = {0, 1, 2};
    mesh.appendIndices(indices, 3);
    glColor4f(0, 1, 0, 1);
    gl::drawMesh(mesh);
    EXPECT_EQ(readPixel(4, 4), kGreen);
    for (GLenum array :
         {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY}) {
        EXPECT_EQ(glIsEnabled(array), GL_FALSE);
    }
}

TEST_F(DrawGLTest, SolidsDrawWithoutErrorsAndLeaveArraysDisabled) {
    gl::setWindowMatrices(kSize, kSize);
    gl::drawCube(Vec3f(4, 4, 0), Vec3f(4, 4, 1));
    EXPECT_EQ(readPixel(4, 4), kWhite);
    gl::clear(ColorA(0, 0, 0, 1));
    // Flattened so that the sphere stays inside the window matrices' depth range of -1 .. 1.
    gl::pushModelView();
    gl::scale(Vec3f(1, 1, 0.1f));
    gl::drawSphere(Vec3f(4, 4, 0), 3.0f, 12);
    gl::popModelView();
    EXPECT_EQ(readPixel(4, 4), kWhite);
    gl::drawSphere(Vec3f(4, 4, 0), 3.0f, -1);
    gl::drawCylinder(1, 1, 4, 12, 1);
    gl::drawArrow(Vec3f(1, 1, 0), Vec3f(6, 6, 0), 1.0f, 0.5f);
    for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY}) {
        EXPECT_EQ(glIsEnabled(array), GL_FALSE);
    }
}

}  // namespace
}  // namespace reef::test
