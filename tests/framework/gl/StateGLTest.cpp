// Matrix, viewport, depth and polygon state.

#include "framework/gl/State.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "framework/Camera.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

class StateGLTest : public GlTest {};

std::array<float, 16> matrix(GLenum which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

GLint matrixMode() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    return mode;
}

TEST_F(StateGLTest, WindowMatricesAreOrthographicPixels) {
    // glOrtho(0, w, bottom, top, -1, 1): x scale 2/w, y scale 2/(top - bottom),
    // y offset -(top + bottom)/(top - bottom), z scale -1.
    const struct {
        const char* name;
        bool originUpperLeft;
        float yScale, yOffset;
    } cases[] = {
        {"origin upper left", true, -2.0f / 300.0f, 1.0f},
        {"origin lower left", false, 2.0f / 300.0f, -1.0f},
    };
    gl::pushMatrices();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gl::setWindowMatrices(400, 300, c.originUpperLeft);
        EXPECT_EQ(matrixMode(), GL_MODELVIEW);
        const std::array<float, 16> p = matrix(GL_PROJECTION_MATRIX);
        EXPECT_FLOAT_EQ(p[0], 2.0f / 400.0f);
        EXPECT_FLOAT_EQ(p[5], c.yScale);
        EXPECT_FLOAT_EQ(p[10], -1.0f);
        EXPECT_FLOAT_EQ(p[12], -1.0f);
        EXPECT_FLOAT_EQ(p[13], c.yOffset);
        EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), Matrix44f::identity().m);
    }
    gl::popMatrices();
}

TEST_F(StateGLTest, CameraMatricesAreLoadedUnchanged) {
    gl::pushMatrices();
    const CameraPersp camera(875, 700, 60, 10, 1000);
    gl::setCameraMatrices(camera);
    EXPECT_EQ(matrixMode(), GL_MODELVIEW);
    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), camera.getProjectionMatrix().m);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), camera.getModelViewMatrix().m);
    gl::popMatrices();
}

TEST_F(StateGLTest, PushAndPopRestoreBothStacks) {
    gl::setWindowMatrices(10, 10);
    const std::array<float, 16> projection = matrix(GL_PROJECTION_MATRIX);
    gl::pushMatrices();
    gl::setWindowMatrices(20, 40);
    gl::translate(Vec2f(3, 4));
    gl::scale(Vec3f(2, 2, 2));
    gl::popMatrices();
    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), Matrix44f::identity().m);
    EXPECT_EQ(matrixMode(), GL_MODELVIEW);

    gl::pushModelView();
    gl::multiplyModelView(Matrix44f::translation(Vec3f(1, 2, 3)));
    gl::translate(Vec3f(1, 0, 0));
    EXPECT_FLOAT_EQ(matrix(GL_MODELVIEW_MATRIX)[12], 2.0f);
    EXPECT_FLOAT_EQ(matrix(GL_MODELVIEW_MATRIX)[14], 3.0f);
    gl::popModelView();
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), Matrix44f::identity().m);
}

TEST_F(StateGLTest, ViewportDepthAndWireframe) {
    const Area saved = gl::getViewport();
    gl::setViewport(Area(10, 20, 110, 70));
    EXPECT_EQ(gl::getViewport(), Area(10, 20, 110, 70));
    gl::setViewport(saved);

    gl::setDepthTest(true);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
    gl::setDepthTest(false);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);

    GLboolean mask = GL_TRUE;
    gl::setDepthWrite(false);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_FALSE);
    // Clearing with depth turns depth writes back on, or the depth clear would do nothing.
    gl::clear(ColorA(0, 0, 0, 1), true);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);

    GLint modes[2] = {0, 0};
    gl::setWireframe(true);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_EQ(modes[1], GL_LINE);
    gl::setWireframe(false);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
}

}  // namespace
}  // namespace reef::test
