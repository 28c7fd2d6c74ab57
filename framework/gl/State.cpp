#include "framework/gl/State.h"

#include <epoxy/gl.h>

namespace reef::gl {

void clear(const ColorA& color, bool clearDepth) {
    glClearColor(color.r, color.g, color.b, color.a);
    if (clearDepth) {
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else {
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

Area getViewport() {
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, v);
    return Area(v[0], v[1], v[0] + v[2], v[1] + v[3]);
}

void setViewport(const Area& area) {
    glViewport(area.x1, area.y1, area.x2 - area.x1, area.y2 - area.y1);
}

void setCameraMatrices(const Camera& camera) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(camera.getProjectionMatrix().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(camera.getModelViewMatrix().data());
}

void setWindowMatrices(int width, int height, bool originUpperLeft) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, originUpperLeft ? height : 0, originUpperLeft ? 0 : height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void pushMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void popMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void pushModelView() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void popModelView() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void multiplyModelView(const Matrix44f& matrix) {
    glMatrixMode(GL_MODELVIEW);
    glMultMatrixf(matrix.data());
}

void translate(const Vec2f& offset) {
    glTranslatef(offset.x, offset.y, 0.0f);
}

void translate(const Vec3f& offset) {
    glTranslatef(offset.x, offset.y, offset.z);
}

void scale(const Vec3f& factors) {
    glScalef(factors.x, factors.y, factors.z);
}

void setDepthTest(bool enable) {
    if (enable) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void setDepthWrite(bool enable) {
    glDepthMask(enable ? GL_TRUE : GL_FALSE);
}

void setWireframe(bool enable) {
    glPolygonMode(GL_FRONT_AND_BACK, enable ? GL_LINE : GL_FILL);
}

}  // namespace reef::gl
