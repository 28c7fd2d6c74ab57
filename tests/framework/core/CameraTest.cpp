// Camera pose, lens and matrices; plain arithmetic, no GL needed.
#include "framework/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace reef {
namespace {

const float kHalfSqrt2 = 0.70710678f;

void expectVecNear(const Vec3f& actual, const Vec3f& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectQuatNear(const Quatf& actual, const Quatf& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

void expectMatrixNear(const Matrix44f& actual, const Matrix44f& expected, float tolerance) {
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual.m[i], expected.m[i], tolerance);
    }
}

Matrix44f fromColumnMajor(const float (&values)[16]) {
    Matrix44f m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = values[i];
    }
    return m;
}

// The application's start view: 875 x 700 window, eye 600 in front of (0, 100, 0).
CameraPersp startCamera() {
    CameraPersp cam(875, 700, 60, 10, 1000);
    cam.setEyePoint(Vec3f(0, 100, 600));
    cam.setCenterOfInterestPoint(Vec3f(0, 100, 0));
    return cam;
}

// Distance of the window camera's eye from the plane z = 0.
double pixelEyeDistance(double halfHeight, double fovDegrees) {
    return halfHeight / std::tan(fovDegrees * 3.14159 / 360.0);
}

// [SECTION] Construction

TEST(Camera, DefaultPerspective) {
    const CameraPersp cam;
    EXPECT_EQ(cam.getEyePoint(), Vec3f(28, 21, 28));
    const float len = std::sqrt(28.0f * 28.0f + 21.0f * 21.0f + 28.0f * 28.0f);
    expectVecNear(cam.getViewDirection(), Vec3f(-28 / len, -21 / len, -28 / len), 1e-6f);
    EXPECT_FLOAT_EQ(cam.getCenterOfInterest(), 44.822f);
    EXPECT_FLOAT_EQ(cam.getFov(), 35.0f);
    EXPECT_FLOAT_EQ(cam.getAspectRatio(), 1.0f);
    EXPECT_FLOAT_EQ(cam.getNearClip(), 0.1f);
    EXPECT_FLOAT_EQ(cam.getFarClip(), 1000.0f);
    EXPECT_EQ(cam.getWorldUp(), Vec3f(0, 1, 0));
    EXPECT_TRUE(cam.isPersp());
    EXPECT_EQ(cam.getLensShift(), Vec2f(0, 0));

    // The orientation turns camera space onto the view: -Z along the view,
    // right axis level with the ground, up axis pointing upwards.
    EXPECT_NEAR(cam.getOrientation().length(), 1.0f, 1e-6f);
    expectVecNear(cam.getOrientation().rotate(Vec3f(0, 0, -1)), cam.getViewDirection(), 1e-6f);
    expectVecNear(cam.getU(), Vec3f(kHalfSqrt2, 0, -kHalfSqrt2), 1e-6f);
    EXPECT_GT(cam.getV().y, 0.0f);
    // The centre of interest lies (almost exactly) on the origin looked at.
    expectVecNear(cam.getCenterOfInterestPoint(), Vec3f(0, 0, 0), 1e-4f);
}

TEST(Camera, PixelCameraLooksAtTheWindowCentre) {
    const CameraPersp cam(875, 700, 60, 10, 1000);
    EXPECT_FLOAT_EQ(cam.getAspectRatio(), 1.25f);
    EXPECT_FLOAT_EQ(cam.getFov(), 60.0f);
    EXPECT_FLOAT_EQ(cam.getNearClip(), 10.0f);
    EXPECT_FLOAT_EQ(cam.getFarClip(), 1000.0f);
    const double d = pixelEyeDistance(350, 60);
    expectVecNear(cam.getEyePoint(), Vec3f(437.5f, 350.0f, static_cast<float>(d)), 1e-3f);
    EXPECT_EQ(cam.getViewDirection(), Vec3f(0, 0, -1));
    expectQuatNear(cam.getOrientation(), Quatf(0, 0, 0, 1), 1e-7f);
}

TEST(Camera, PixelCameraWithoutClipPlanesUsesTheEyeDistance) {
    const CameraPersp cam(875, 700, 60);
    const double d = pixelEyeDistance(350, 60);
    EXPECT_NEAR(cam.getNearClip(), d / 10, 1e-4);
    EXPECT_NEAR(cam.getFarClip(), d * 10, 1e-2);
    expectVecNear(cam.getEyePoint(), Vec3f(437.5f, 350.0f, static_cast<float>(d)), 1e-3f);
}

// The window camera sees the plane z = 0 pixel for pixel, so its frustum
// crosses that plane along the window's edges: half extents 437.5 x 350 at the
// eye distance d, a tenth of that on the near plane, ten times on the far one.
TEST(Camera, PixelCameraClipCornersFollowTheWindow) {
    const CameraPersp cam(875, 700, 60);
    const float d = static_cast<float>(pixelEyeDistance(350, 60));
    const Camera::Corners nearCorners = cam.getNearClipCorners();
    const Camera::Corners farCorners = cam.getFarClipCorners();
    const struct {
        const char* name;
        Vec3f nearCorner, farCorner;
    } cases[] = {
        {"top-left", {437.5f - 43.75f, 350 + 35, 0.9f * d}, {437.5f - 4375, 350 + 3500, -9 * d}},
        {"top-right", {437.5f + 43.75f, 350 + 35, 0.9f * d}, {437.5f + 4375, 350 + 3500, -9 * d}},
        {"bottom-left", {437.5f - 43.75f, 350 - 35, 0.9f * d}, {437.5f - 4375, 350 - 3500, -9 * d}},
        {"bottom-right",
         {437.5f + 43.75f, 350 - 35, 0.9f * d},
         {437.5f + 4375, 350 - 3500, -9 * d}},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].name);
        // The two constants for pi differ in the seventh digit.
        expectVecNear(nearCorners[i], cases[i].nearCorner, 1e-3f);
        expectVecNear(farCorners[i], cases[i].farCorner, 2e-2f);
    }
}

// [SECTION] Pose

TEST(Camera, StartViewLooksDownMinusZ) {
    const CameraPersp cam = startCamera();
    EXPECT_EQ(cam.getEyePoint(), Vec3f(0, 100, 600));
    EXPECT_EQ(cam.getViewDirection(), Vec3f(0, 0, -1));
    EXPECT_FLOAT_EQ(cam.getCenterOfInterest(), 600.0f);
    EXPECT_EQ(cam.getCenterOfInterestPoint(), Vec3f(0, 100, 0));

    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -100, -600, 1};
    expectMatrixNear(cam.getModelViewMatrix(), fromColumnMajor(expected), 1e-6f);
}

TEST(Camera, SetEyePointKeepsTheDirection) {
    CameraPersp cam = startCamera();
    const Quatf orientation = cam.getOrientation();
    cam.setEyePoint(Vec3f(5, 6, 7));
    EXPECT_EQ(cam.getViewDirection(), Vec3f(0, 0, -1));
    EXPECT_EQ(cam.getOrientation(), orientation);
    EXPECT_FLOAT_EQ(cam.getModelViewMatrix().m[12], -5.0f);
    EXPECT_FLOAT_EQ(cam.getModelViewMatrix().m[13], -6.0f);
    EXPECT_FLOAT_EQ(cam.getModelViewMatrix().m[14], -7.0f);
}

TEST(Camera, LookAtBuildsTheOrientation) {
    const struct {
        const char* name;
        Vec3f eye, target, up;
        Quatf orientation;
        Vec3f view;
    } cases[] = {
        {"ahead", {0, 0, 10}, {0, 0, 0}, {0, 1, 0}, {0, 0, 0, 1}, {0, 0, -1}},
        // Quarter turn about Y, negative: camera -Z onto world +X.
        {"along +X", {0, 0, 0}, {3, 0, 0}, {0, 1, 0}, {0, -kHalfSqrt2, 0, kHalfSqrt2}, {1, 0, 0}},
        // Up is parallel to the view: up becomes Z x (1, 0, 0) = (0, 0, -1), a
        // quarter turn about -X.
        {"straight down",
         {0, 100, 0},
         {0, 0, 0},
         {0, 1, 0},
         {-kHalfSqrt2, 0, 0, kHalfSqrt2},
         {0, -1, 0}},
        // Both Z x (1, 0, 0) and up x Z vanish: up becomes Z x (0, 0, 1) = (0, -1, 0),
        // a half turn about (1, 0, 1).
        {"along up axis X",
         {0, 0, 0},
         {-5, 0, 0},
         {1, 0, 0},
         {kHalfSqrt2, 0, kHalfSqrt2, 0},
         {-1, 0, 0}},
        // Half turn about (0, cos 22.5, sin 22.5): a negative trace, largest element Y.y.
        {"back and down",
         {0, 0, 0},
         {0, -1, 1},
         {0, 1, 0},
         {0, 0.92387953f, 0.38268343f, 0},
         {0, -kHalfSqrt2, kHalfSqrt2}},
        // Looking along +Z with the up rolled 60 degrees: half turn about
        // (cos 30, sin 30, 0), largest element X.x.
        {"rolled, along +Z",
         {0, 0, 0},
         {0, 0, 5},
         {0.8660254f, -0.5f, 0},
         {0.8660254f, 0.5f, 0, 0},
         {0, 0, 1}},
        {"zero up", {0, 0, 10}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 1}, {0, 0, -1}},
        // No direction at all: Z falls back to (0, 0, 1).
        {"target at eye", {1, 2, 3}, {1, 2, 3}, {0, 1, 0}, {0, 0, 0, 1}, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraPersp cam;
        cam.lookAt(c.eye, c.target, c.up);
        const Quatf q = cam.getOrientation();
        EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) &&
                    std::isfinite(q.w));
        EXPECT_NEAR(q.length(), 1.0f, 1e-6f);
        expectQuatNear(q, c.orientation, 1e-6f);
        expectVecNear(cam.getViewDirection(), c.view, 1e-6f);
        expectVecNear(q.rotate(Vec3f(0, 0, -1)), c.view, 1e-6f);
        EXPECT_EQ(cam.getEyePoint(), c.eye);
    }
}

TEST(Camera, LookAtNormalisesTheWorldUp) {
    CameraPersp cam;
    cam.lookAt(Vec3f(0, 0, 10), Vec3f(0, 0, 0), Vec3f(0, 5, 0));
    EXPECT_EQ(cam.getWorldUp(), Vec3f(0, 1, 0));
    cam.lookAt(Vec3f(0, 0, 0), Vec3f(1, 0, 0));
    EXPECT_EQ(cam.getEyePoint(), Vec3f(0, 0, 0));
    EXPECT_EQ(cam.getViewDirection(), Vec3f(1, 0, 0));
}

TEST(Camera, SetOrientationNormalisesAndTurnsTheView) {
    const struct {
        const char* name;
        Quatf given, stored;
        Vec3f view;
    } cases[] = {
        {"zero", {0, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, -1}},
        {"scaled identity", {0, 0, 0, 2}, {0, 0, 0, 1}, {0, 0, -1}},
        // Three times the quarter turn about +Y: -Z turns onto -X.
        {"scaled quarter turn",
         {0, 3 * kHalfSqrt2, 0, 3 * kHalfSqrt2},
         {0, kHalfSqrt2, 0, kHalfSqrt2},
         {-1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraPersp cam = startCamera();
        const Vec3f up = cam.getWorldUp();
        cam.setOrientation(c.given);
        expectQuatNear(cam.getOrientation(), c.stored, 1e-6f);
        expectVecNear(cam.getViewDirection(), c.view, 1e-6f);
        EXPECT_EQ(cam.getWorldUp(), up);
        // The model-view follows the new orientation: its third row is -view.
        const Matrix44f& mv = cam.getModelViewMatrix();
        expectVecNear(Vec3f(mv.m[2], mv.m[6], mv.m[10]), -c.view, 1e-6f);
    }
}

TEST(Camera, SetCenterOfInterestStoresOnlyTheDistance) {
    CameraPersp cam = startCamera();
    const Matrix44f mv = cam.getModelViewMatrix();
    cam.setCenterOfInterest(250);
    EXPECT_FLOAT_EQ(cam.getCenterOfInterest(), 250.0f);
    EXPECT_EQ(cam.getCenterOfInterestPoint(), Vec3f(0, 100, 350));
    EXPECT_EQ(cam.getEyePoint(), Vec3f(0, 100, 600));
    EXPECT_EQ(cam.getModelViewMatrix(), mv);
}

// [SECTION] Matrices

TEST(Camera, InverseModelViewUndoesTheModelView) {
    CameraPersp turned = startCamera();
    turned.setOrientation(Quatf(0.1f, 0.7f, -0.2f, 0.6f));
    const struct {
        const char* name;
        CameraPersp cam;
    } cases[] = {
        {"default", CameraPersp()},
        {"start view", startCamera()},
        {"turned", turned},
        {"window", CameraPersp(875, 700, 60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectMatrixNear(c.cam.getInverseModelViewMatrix() * c.cam.getModelViewMatrix(),
                         Matrix44f::identity(), 1e-4f);
    }
}

TEST(Camera, InverseModelViewFollowsAPoseChange) {
    CameraPersp cam = startCamera();
    cam.getInverseModelViewMatrix();
    cam.setEyePoint(Vec3f(10, 20, 30));
    expectVecNear(cam.getInverseModelViewMatrix().transformPoint(Vec3f(0, 0, 0)), Vec3f(10, 20, 30),
                  1e-4f);
    cam.setOrientation(Quatf(0, kHalfSqrt2, 0, kHalfSqrt2));
    // Camera-space forward (0, 0, -1) one unit ahead of the eye, now along -X.
    expectVecNear(cam.getInverseModelViewMatrix().transformPoint(Vec3f(0, 0, -1)), Vec3f(9, 20, 30),
                  1e-4f);
}

TEST(Camera, SetPerspectiveChangesOnlyTheLens) {
    CameraPersp cam = startCamera();
    const Vec3f eye = cam.getEyePoint();
    const Quatf orientation = cam.getOrientation();
    const Matrix44f modelView = cam.getModelViewMatrix();
    cam.getProjectionMatrix();

    cam.setPerspective(45, 2, 1, 100);
    EXPECT_EQ(cam.getEyePoint(), eye);
    EXPECT_EQ(cam.getOrientation(), orientation);
    EXPECT_FLOAT_EQ(cam.getCenterOfInterest(), 600.0f);
    EXPECT_EQ(cam.getModelViewMatrix(), modelView);

    // top = tan(22.5 deg) = 0.41421356, right = 2 top = 0.82842712, n = 1, f = 100.
    const float projection[16] = {
        1 / 0.82842712f, 0, 0, 0, 0, 1 / 0.41421356f, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0,
        -200.0f / 99,    0};
    const float inverse[16] = {0.82842712f,  0, 0, 0,  0,           0.41421356f, 0, 0, 0, 0, 0,
                               -99.0f / 200, 0, 0, -1, 101.0f / 200};
    expectMatrixNear(cam.getProjectionMatrix(), fromColumnMajor(projection), 1e-5f);
    expectMatrixNear(cam.getInverseProjectionMatrix(), fromColumnMajor(inverse), 1e-5f);
    EXPECT_NEAR(cam.getFrustumTop(), 0.41421356f, 1e-6f);
    EXPECT_NEAR(cam.getFrustumBottom(), -0.41421356f, 1e-6f);
    EXPECT_NEAR(cam.getFrustumRight(), 0.82842712f, 1e-6f);
    EXPECT_NEAR(cam.getFrustumLeft(), -0.82842712f, 1e-6f);
}

TEST(Camera, PixelCameraProjection) {
    const CameraPersp cam(875, 700, 60, 10, 1000);
    // 2n / (t - b) = 1 / tan(30 deg) = 1.7320508; the width divides that by the aspect 1.25.
    const float expected[16] = {
        1.7320508f / 1.25f, 0, 0, 0, 0, 1.7320508f, 0, 0, 0, 0, -1010.0f / 990, -1, 0, 0,
        -20000.0f / 990,    0};
    expectMatrixNear(cam.getProjectionMatrix(), fromColumnMajor(expected), 1e-5f);
}

TEST(Camera, ProjectionTimesInverseIsIdentity) {
    CameraPersp lens;
    lens.setPerspective(45, 2, 1, 100);
    const struct {
        const char* name;
        CameraPersp cam;
    } cases[] = {
        {"default", CameraPersp()},
        {"window", CameraPersp(875, 700, 60, 10, 1000)},
        {"lens", lens},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectMatrixNear(c.cam.getProjectionMatrix() * c.cam.getInverseProjectionMatrix(),
                         Matrix44f::identity(), 1e-4f);
    }
}

// A minimised window reports 0 x 0; the projection must not fill GL's stacks
// with infinities or NaNs.
TEST(Camera, DegenerateLensGivesIdentityProjection) {
    CameraPersp noFov(875, 700, 60, 10, 1000);
    noFov.setPerspective(0, 1.25f, 10, 1000);
    const struct {
        const char* name;
        CameraPersp cam;
    } cases[] = {
        {"empty window", CameraPersp(0, 0, 60)},
        {"near equals far", CameraPersp(875, 700, 60, 10, 10)},
        {"zero field of view", noFov},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cam.getProjectionMatrix(), Matrix44f::identity());
        EXPECT_EQ(c.cam.getInverseProjectionMatrix(), Matrix44f::identity());
        for (float e : c.cam.getModelViewMatrix().m) {
            EXPECT_TRUE(std::isfinite(e));
        }
    }
}

// Counts the matrix computations to show what each setter makes stale.
class CountingCamera : public CameraPersp {
public:
    using CameraPersp::CameraPersp;
    mutable int modelViews = 0;
    mutable int projections = 0;

protected:
    void calcModelView() const override {
        ++modelViews;
        CameraPersp::calcModelView();
    }
    void calcProjection() const override {
        ++projections;
        CameraPersp::calcProjection();
    }
};

TEST(Camera, MatricesAreCachedUntilStale) {
    CountingCamera cam(875, 700, 60, 10, 1000);
    cam.getModelViewMatrix();
    cam.getModelViewMatrix();
    cam.getInverseModelViewMatrix();
    cam.getProjectionMatrix();
    cam.getProjectionMatrix();
    EXPECT_EQ(cam.modelViews, 1);
    EXPECT_EQ(cam.projections, 1);

    cam.setPerspective(45, 2, 1, 100);
    cam.getModelViewMatrix();
    cam.getProjectionMatrix();
    EXPECT_EQ(cam.modelViews, 1);
    EXPECT_EQ(cam.projections, 2);

    cam.setEyePoint(Vec3f(1, 2, 3));
    cam.getModelViewMatrix();
    cam.getProjectionMatrix();
    EXPECT_EQ(cam.modelViews, 2);
    EXPECT_EQ(cam.projections, 2);
}

TEST(Camera, CopyCarriesTheCachedMatrices) {
    CountingCamera cam(875, 700, 60, 10, 1000);
    const Matrix44f modelView = cam.getModelViewMatrix();
    const Matrix44f projection = cam.getProjectionMatrix();

    CountingCamera copy = cam;
    EXPECT_EQ(copy.getModelViewMatrix(), modelView);
    EXPECT_EQ(copy.getProjectionMatrix(), projection);
    EXPECT_EQ(copy.modelViews, 1);
    EXPECT_EQ(copy.projections, 1);

    // The copy is independent of the original afterwards.
    cam.setEyePoint(Vec3f(0, 0, 0));
    cam.setPerspective(45, 2, 1, 100);
    EXPECT_EQ(copy.getModelViewMatrix(), modelView);
    EXPECT_EQ(copy.getProjectionMatrix(), projection);
}

}  // namespace
}  // namespace reef
