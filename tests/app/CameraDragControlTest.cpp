#include "app/CameraDragControl.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using reef::Vec2i;
using reef::Vec3f;

// The application's start view: eye (0, 100, 600) looking at (0, 100, 0).
CameraDragControl startView() {
    reef::CameraPersp camera(875, 700, 60.0f, 10.0f, 1000.0f);
    camera.setEyePoint(Vec3f(0, 100, 600));
    camera.setCenterOfInterestPoint(Vec3f(0, 100, 0));
    CameraDragControl control;
    control.setCurrentCam(camera);
    return control;
}

void expectNear(const Vec3f& actual, const Vec3f& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(CameraDragControl, RightDragDolliesTowardsTheCentreOfInterest) {
    CameraDragControl control = startView();
    control.mouseDown(Vec2i(400, 300));
    control.mouseDrag(Vec2i(400, 300), false, false, true);
    control.mouseDrag(Vec2i(500, 300), false, false, true);
    const auto& camera = control.getCamera();
    const float expected = 600.0f * std::exp(-0.2f);  // about 491.2
    EXPECT_NEAR(camera.getCenterOfInterest(), expected, 0.01f);
    EXPECT_NEAR(camera.getCenterOfInterest(), 491.2f, 0.05f);
    expectNear(camera.getEyePoint(), Vec3f(0, 100, expected), 0.01f);
    expectNear(camera.getViewDirection(), Vec3f(0, 0, -1), 1e-5f);
}

TEST(CameraDragControl, LeftDragSwingsAboutTheVerticalThroughTheTarget) {
    CameraDragControl control = startView();
    control.mouseDown(Vec2i(100, 300));
    control.mouseDrag(Vec2i(100, 300), true, false, false);
    control.mouseDrag(Vec2i(257, 300), true, false, false);
    const auto& camera = control.getCamera();
    // 1.57 rad about +Y through (0, 100, 0): eye near (-600, 100, 0), looking along +X.
    expectNear(camera.getEyePoint(), Vec3f(-600, 100, 0), 1.0f);
    expectNear(camera.getViewDirection(), Vec3f(1, 0, 0), 1e-3f);
    EXPECT_NEAR(camera.getCenterOfInterest(), 600.0f, 1e-3f);
    expectNear(camera.getCenterOfInterestPoint(), Vec3f(0, 100, 0), 1.0f);
}

TEST(CameraDragControl, MiddleDragDownPansAlongTheCameraUpAxis) {
    CameraDragControl control = startView();
    control.mouseDown(Vec2i(200, 200));
    control.mouseDrag(Vec2i(200, 200), false, true, false);
    control.mouseDrag(Vec2i(200, 300), false, true, false);
    const auto& camera = control.getCamera();
    expectNear(camera.getEyePoint(), Vec3f(0, 160, 600), 1e-3f);
    expectNear(camera.getViewDirection(), Vec3f(0, 0, -1), 1e-6f);
}

TEST(CameraDragControl, SwitchingButtonsMidDragDoesNotJump) {
    CameraDragControl control = startView();
    control.mouseDown(Vec2i(100, 300));
    control.mouseDrag(Vec2i(100, 300), true, false, false);
    control.mouseDrag(Vec2i(150, 320), true, false, false);
    const Vec3f eyeBefore = control.getCamera().getEyePoint();
    const Vec3f dirBefore = control.getCamera().getViewDirection();
    // The right button joins in: zoom restarts from the current pose.
    control.mouseDrag(Vec2i(150, 320), true, false, true);
    expectNear(control.getCamera().getEyePoint(), eyeBefore, 1e-3f);
    expectNear(control.getCamera().getViewDirection(), dirBefore, 1e-6f);
}

TEST(CameraDragControl, DragWithoutButtonsChangesNothing) {
    CameraDragControl control = startView();
    control.mouseDown(Vec2i(10, 10));
    control.mouseDrag(Vec2i(300, 300), false, false, false);
    expectNear(control.getCamera().getEyePoint(), Vec3f(0, 100, 600), 0.0f);
}

TEST(CameraDragControl, TumbleStaysFiniteWhenLookingStraightDown) {
    reef::CameraPersp camera(875, 700, 60.0f, 10.0f, 1000.0f);
    camera.setEyePoint(Vec3f(0, 600, 0));
    camera.setCenterOfInterestPoint(Vec3f(0, 0, 0));
    CameraDragControl control;
    control.setCurrentCam(camera);
    control.mouseDown(Vec2i(0, 0));
    control.mouseDrag(Vec2i(0, 0), true, false, false);
    control.mouseDrag(Vec2i(40, 60), true, false, false);
    const Vec3f eye = control.getCamera().getEyePoint();
    EXPECT_TRUE(std::isfinite(eye.x) && std::isfinite(eye.y) && std::isfinite(eye.z));
    // The distance to the target is kept: the eye only swings.
    EXPECT_NEAR(eye.length(), 600.0f, 0.5f);
}

}  // namespace
