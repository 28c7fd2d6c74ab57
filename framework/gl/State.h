#pragma once
// Clearing, viewport, matrix-stack, depth and polygon state: thin wrappers
// over fixed-function OpenGL that leave what they set in force.

#include "framework/Camera.h"
#include "framework/math/Area.h"
#include "framework/math/Color.h"
#include "framework/math/Matrix44.h"
#include "framework/math/Vector.h"

namespace reef::gl {

// With clearDepth, depth writes are switched on first so the depth clear happens.
void clear(const ColorA& color = ColorA(0, 0, 0, 1), bool clearDepth = true);

Area getViewport();
void setViewport(const Area& area);

// Projection then model-view from the camera; leaves GL_MODELVIEW current.
void setCameraMatrices(const Camera& camera);
// Orthographic pixel matrices (depth -1 .. 1) with the origin at the upper or
// lower left; model-view identity; leaves GL_MODELVIEW current.
void setWindowMatrices(int width, int height, bool originUpperLeft = true);

// Projection stack, then model-view stack; leave GL_MODELVIEW current.
void pushMatrices();
void popMatrices();
void pushModelView();
void popModelView();
void multiplyModelView(const Matrix44f& matrix);

// Act on the current matrix (the model-view between the calls above).
void translate(const Vec2f& offset);
void translate(const Vec3f& offset);
void scale(const Vec3f& factors);

void setDepthTest(bool enable);
void setDepthWrite(bool enable);
void setWireframe(bool enable);

}  // namespace reef::gl
