// The shared value types: quaternion algebra, rectangles and the matrix layout.
#include <gtest/gtest.h>

#include "framework/math/Area.h"
#include "framework/math/Matrix44.h"
#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"

namespace reef {
namespace {

const float kHalfSqrt2 = 0.70710678f;
const float kDegrees = 0.017453292f;

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

// [SECTION] Quaternions

TEST(Quatf, FromAxisAngleNormalisesTheAxis) {
    expectQuatNear(Quatf::fromAxisAngle(Vec3f(0, 2, 0), 90 * kDegrees),
                   Quatf(0, kHalfSqrt2, 0, kHalfSqrt2), 1e-6f);
    expectQuatNear(Quatf::fromAxisAngle(Vec3f(0, 0, -3), 180 * kDegrees), Quatf(0, 0, -1, 0),
                   1e-6f);
}

// No axis, no turn: a zero axis would otherwise leave (0, 0, 0, cos(angle / 2)),
// which shrinks every vector it rotates.
TEST(Quatf, FromAxisAngleWithoutAnAxisIsTheIdentity) {
    const struct {
        const char* name;
        Vec3f axis;
        float degrees;
    } cases[] = {
        {"zero axis, quarter turn", {0, 0, 0}, 90},
        {"zero axis, half turn", {0, 0, 0}, 180},
        {"axis too short to measure", {1e-30f, 0, 0}, 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Quatf q = Quatf::fromAxisAngle(c.axis, c.degrees * kDegrees);
        EXPECT_EQ(q, Quatf::identity());
        expectVecNear(q.rotate(Vec3f(1, 2, 3)), Vec3f(1, 2, 3), 0);
    }
}

// Right-handed turns: v (2w^2 - 1) + 2 (u.v) u + 2w (u x v).
TEST(Quatf, RotatesVectors) {
    const struct {
        const char* name;
        Vec3f axis;
        float degrees;
        Vec3f v, expected;
    } cases[] = {
        {"+X a quarter about Y", {0, 1, 0}, 90, {1, 0, 0}, {0, 0, -1}},
        {"+Z a quarter about Y", {0, 1, 0}, 90, {0, 0, 1}, {1, 0, 0}},
        {"+Y a quarter about X", {1, 0, 0}, 90, {0, 1, 0}, {0, 0, 1}},
        {"+X a quarter about Z", {0, 0, 1}, 90, {1, 0, 0}, {0, 1, 0}},
        {"half about Z", {0, 0, 1}, 180, {1, 2, 3}, {-1, -2, 3}},
        {"on the axis", {1, 1, 1}, 73, {2, 2, 2}, {2, 2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Quatf q = Quatf::fromAxisAngle(c.axis, c.degrees * kDegrees);
        expectVecNear(q.rotate(c.v), c.expected, 1e-5f);
        expectVecNear(q * c.v, c.expected, 1e-5f);
    }
}

TEST(Quatf, ProductAppliesTheRightFactorFirst) {
    const Quatf aboutX = Quatf::fromAxisAngle(Vec3f(1, 0, 0), 90 * kDegrees);
    const Quatf aboutY = Quatf::fromAxisAngle(Vec3f(0, 1, 0), 90 * kDegrees);

    // Y first takes +X to -Z, then X takes -Z to +Y: a third of a turn about
    // (1, 1, 1), which is (0.5, 0.5, 0.5, 0.5).
    const Quatf xAfterY = aboutX * aboutY;
    expectQuatNear(xAfterY, Quatf(0.5f, 0.5f, 0.5f, 0.5f), 1e-6f);
    expectVecNear(xAfterY.rotate(Vec3f(1, 0, 0)), Vec3f(0, 1, 0), 1e-6f);

    // X first leaves +X alone, then Y takes it to -Z.
    const Quatf yAfterX = aboutY * aboutX;
    expectQuatNear(yAfterX, Quatf(0.5f, 0.5f, -0.5f, 0.5f), 1e-6f);
    expectVecNear(yAfterX.rotate(Vec3f(1, 0, 0)), Vec3f(0, 0, -1), 1e-6f);

    expectQuatNear(Quatf::identity() * aboutX, aboutX, 0);
    expectQuatNear(aboutX * aboutX.conjugate(), Quatf::identity(), 1e-6f);
}

TEST(Quatf, FromToIsTheShortestArc) {
    const struct {
        const char* name;
        Vec3f from, to;
        Quatf expected;
    } cases[] = {
        {"quarter about Z", {1, 0, 0}, {0, 1, 0}, {0, 0, kHalfSqrt2, kHalfSqrt2}},
        {"same direction", {0, 0, 1}, {0, 0, 1}, {0, 0, 0, 1}},
        // Opposite directions: z^2 > x^2 picks (0, z, -y, 0), otherwise (y, -x, 0, 0).
        {"opposite, +Y", {0, 1, 0}, {0, -1, 0}, {1, 0, 0, 0}},
        {"opposite, +Z", {0, 0, 1}, {0, 0, -1}, {0, 1, 0, 0}},
        {"opposite, +X", {1, 0, 0}, {-1, 0, 0}, {0, -1, 0, 0}},
        {"zero from", {0, 0, 0}, {0, 1, 0}, {0, 0, 0, 1}},
        {"zero to", {1, 0, 0}, {0, 0, 0}, {0, 0, 0, 1}},
        {"both zero", {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Quatf q = Quatf::fromTo(c.from, c.to);
        expectQuatNear(q, c.expected, 1e-6f);
        EXPECT_NEAR(q.length(), 1.0f, 1e-6f);
        if (c.from.lengthSquared() > 0 && c.to.lengthSquared() > 0) {
            expectVecNear(q.rotate(c.from), c.to, 1e-6f);
        }
    }
}

TEST(Quatf, NormalizedOrIdentity) {
    EXPECT_EQ(Quatf(0, 0, 0, 0).normalizedOrIdentity(), Quatf::identity());
    expectQuatNear(Quatf(0, 3, 0, 4).normalizedOrIdentity(), Quatf(0, 0.6f, 0, 0.8f), 1e-7f);
}

// [SECTION] Vectors

TEST(Vec3f, CrossIsRightHandedAndZeroStaysZero) {
    EXPECT_EQ(Vec3f(1, 0, 0).cross(Vec3f(0, 1, 0)), Vec3f(0, 0, 1));
    EXPECT_EQ(Vec3f(0, 1, 0).cross(Vec3f(0, 0, 1)), Vec3f(1, 0, 0));
    EXPECT_EQ(Vec3f(0, 0, 0).normalized(), Vec3f(0, 0, 0));
    EXPECT_EQ(Vec3f(0, -3, 4).normalized(), Vec3f(0, -0.6f, 0.8f));
}

// [SECTION] Rectangles

TEST(Area, BuiltFromTwoCornersIsNormalised) {
    // Every pair of opposite corners of the same rectangle.
    const struct {
        const char* name;
        int ax, ay, bx, by;
    } cases[] = {
        {"ordered", 2, 5, 10, 20},
        {"swapped x", 10, 5, 2, 20},
        {"swapped y", 2, 20, 10, 5},
        {"swapped both", 10, 20, 2, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Area a(c.ax, c.ay, c.bx, c.by);
        EXPECT_EQ(a.x1, 2);
        EXPECT_EQ(a.y1, 5);
        EXPECT_EQ(a.x2, 10);
        EXPECT_EQ(a.y2, 20);
        EXPECT_EQ(a.getWidth(), 8);
        EXPECT_EQ(a.getHeight(), 15);
    }

    const Rectf r(1.5f, -2.0f, -0.5f, 4.0f);
    EXPECT_EQ(r, Rectf(-0.5f, -2.0f, 1.5f, 4.0f));
    EXPECT_FLOAT_EQ(r.x1, -0.5f);
    EXPECT_FLOAT_EQ(r.getWidth(), 2.0f);
    EXPECT_FLOAT_EQ(r.getHeight(), 6.0f);
}

// [SECTION] Matrices

TEST(Matrix44f, ColumnMajorLayout) {
    const Matrix44f t = Matrix44f::translation(Vec3f(1, 2, 3));
    EXPECT_EQ(t.m[12], 1.0f);
    EXPECT_EQ(t.m[13], 2.0f);
    EXPECT_EQ(t.m[14], 3.0f);
    EXPECT_EQ(t.m[3], 0.0f);
    EXPECT_EQ(t.at(1, 3), 2.0f);
    EXPECT_EQ(t.data(), t.m.data());

    Matrix44f m = Matrix44f::zero();
    m.at(2, 1) = 7;
    EXPECT_EQ(m.m[1 * 4 + 2], 7.0f);

    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Matrix44f().m[i], identity[i]);
    }
}

TEST(Matrix44f, ProductAppliesTheRightFactorFirst) {
    const Matrix44f t = Matrix44f::translation(Vec3f(1, 2, 3));
    const Matrix44f s = Matrix44f::scaling(Vec3f(2, 3, 4));
    // Scale (1, 1, 1) to (2, 3, 4), then move it by (1, 2, 3).
    EXPECT_EQ((t * s).transformPoint(Vec3f(1, 1, 1)), Vec3f(3, 5, 7));
    // Move to (2, 3, 4), then scale.
    EXPECT_EQ((s * t).transformPoint(Vec3f(1, 1, 1)), Vec3f(4, 9, 16));
    EXPECT_EQ(t * Matrix44f::identity(), t);
}

}  // namespace
}  // namespace reef
