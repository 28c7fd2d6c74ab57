// Chord-length cubic spline through tentacle knots; no GL needed.
#include "model/TentacleSpline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace thalorin {
namespace {

using reef::Vec3f;

void expectVecNear(const Vec3d& actual, const Vec3d& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool isFinite(const Vec3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A real chain's knots: a point 10 below the root, then five link centres
// about 20 apart, slightly bent.
TentacleSpline bentChain() {
    const Vec3d first(0, 0, 0);
    const Vec3d second(2, 19.9, 0);
    TentacleSpline spline({Vec3d(-1, -9.95, 0), first, second, Vec3d(6, 39.5, 1),
                           Vec3d(12, 58.5, 2), Vec3d(20, 77, 3)},
                          (second - first) / (second - first).length());
    spline.solve();
    return spline;
}

// One segment from (0,0,0) to (10,0,0), told to leave along +Y: u runs 0..100,
// h = 100, d_0 = d_1 = 3 * 10 / 100^2 = 0.003 along X, a_1 = 0.01, b_1 = 0.02,
// so D_1 = ((0.003, 0, 0) - 0.01 (0, 1, 0)) / 0.02 = (0.15, -0.5, 0) and D_0 = d_0.
TEST(TentacleSpline, TwoKnots) {
    TentacleSpline spline({Vec3d(0, 0, 0), Vec3d(10, 0, 0)}, Vec3d(0, 1, 0));
    spline.solve();
    ASSERT_EQ(spline.segmentLengths.size(), 1u);
    EXPECT_DOUBLE_EQ(spline.segmentLengths[0], 10);
    EXPECT_DOUBLE_EQ(spline.totalLength, 10);
    ASSERT_EQ(spline.controlPoints.size(), 4u);
    // Control points k0, k0 + D_0 h / 3, k1 - D_1 h / 3, k1.
    expectVecNear(spline.controlPoints[0], Vec3d(0, 0, 0), 1e-12);
    expectVecNear(spline.controlPoints[1], Vec3d(0.1, 0, 0), 1e-12);
    expectVecNear(spline.controlPoints[2], Vec3d(5, 50.0 / 3, 0), 1e-12);
    expectVecNear(spline.controlPoints[3], Vec3d(10, 0, 0), 1e-12);
    // Midway along the chord is the Bezier midpoint (P0 + 3 P1 + 3 P2 + P3) / 8.
    expectVecNear(spline.pointAt(0.5), Vec3d(3.1625, 6.25, 0), 1e-12);
    expectVecNear(spline.segmentPoint(0, 0.5), Vec3d(3.1625, 6.25, 0), 1e-12);
}

TEST(TentacleSpline, CollinearKnotsStayOnTheLine) {
    const Vec3d dir(1.0 / 3, 2.0 / 3, 2.0 / 3);
    const Vec3d origin(5, -3, 2);
    std::vector<Vec3d> knots;
    for (double along : {-10.0, 0.0, 20.0, 35.0, 60.0, 80.0}) {
        knots.push_back(origin + dir * along);
    }
    TentacleSpline spline(knots, dir);
    spline.solve();
    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const double t = i / 20.0;
        const Vec3d offset = spline.pointAt(t) - origin;
        const Vec3d off = offset - dir * offset.dot(dir);
        EXPECT_NEAR(off.length(), 0, 1e-9);
        const Vec3f tangent = spline.tangentAt(t);
        EXPECT_NEAR(tangent.x, 1.0f / 3, 1e-4f);
        EXPECT_NEAR(tangent.y, 2.0f / 3, 1e-4f);
        EXPECT_NEAR(tangent.z, 2.0f / 3, 1e-4f);
    }
}

// Coincident knots get intervals of 0.01 and everything stays finite.
TEST(TentacleSpline, RepeatedKnots) {
    const struct {
        const char* name;
        std::vector<Vec3d> knots;
        std::vector<double> lengths;
    } cases[] = {
        {"pairs",
         {Vec3d(0, 0, 0), Vec3d(0, 0, 0), Vec3d(0, 5, 0), Vec3d(0, 5, 0), Vec3d(0, 5, 0),
          Vec3d(3, 9, 0)},
         {0.01, 5, 0.01, 0.01, 5}},
        {"all in one place", {Vec3d(1, 2, 3), Vec3d(1, 2, 3), Vec3d(1, 2, 3)}, {0.01, 0.01}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TentacleSpline spline(c.knots, Vec3d(0, 1, 0));
        spline.solve();
        ASSERT_EQ(spline.segmentLengths.size(), c.lengths.size());
        double total = 0;
        for (size_t i = 0; i < c.lengths.size(); ++i) {
            EXPECT_DOUBLE_EQ(spline.segmentLengths[i], c.lengths[i]);
            total += c.lengths[i];
        }
        EXPECT_DOUBLE_EQ(spline.totalLength, total);
        for (const Vec3d& p : spline.controlPoints) {
            EXPECT_TRUE(isFinite(p));
        }
        for (int i = 0; i <= 20; ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(isFinite(spline.pointAt(i / 20.0)));
            const Vec3f tangent = spline.tangentAt(i / 20.0);
            EXPECT_NEAR(tangent.length(), 1.0f, 1e-6f);
        }
    }
}

// The parameter is proportional to chord length: the fraction that ends a
// segment's share of totalLength lands on that segment's end knot.
TEST(TentacleSpline, PointAtHitsTheKnots) {
    const TentacleSpline spline = bentChain();
    EXPECT_EQ(spline.pointAt(0), spline.knots.front());
    expectVecNear(spline.pointAt(1), spline.knots.back(), 1e-9);
    double covered = 0;
    for (size_t i = 0; i + 1 < spline.segmentLengths.size(); ++i) {
        SCOPED_TRACE(i);
        covered += spline.segmentLengths[i];
        expectVecNear(spline.pointAt(covered / spline.totalLength), spline.knots[i + 1], 1e-9);
    }
}

TEST(TentacleSpline, TangentsAreUnitLengthAndFollowTheCurve) {
    const TentacleSpline spline = bentChain();
    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const double t = i / 20.0;
        const Vec3f tangent = spline.tangentAt(t);
        EXPECT_NEAR(tangent.length(), 1.0f, 1e-6f);
        // The chain climbs +Y throughout.
        EXPECT_GT(tangent.y, 0.8f);
    }
}

TEST(TentacleSpline, FewerThanTwoKnotsLeaveNothingToSample) {
    TentacleSpline spline({Vec3d(1, 2, 3)}, Vec3d(0, 0, 2));
    spline.solve();
    EXPECT_TRUE(spline.controlPoints.empty());
    EXPECT_TRUE(spline.segmentLengths.empty());
    EXPECT_EQ(spline.totalLength, 0);
    EXPECT_EQ(spline.pointAt(0.5), Vec3d(1, 2, 3));
    EXPECT_EQ(spline.tangentAt(0.5), Vec3f(0, 0, 1));
}

// A re-solve after the knots change replaces the earlier solution.
TEST(TentacleSpline, SolveStartsAfresh) {
    TentacleSpline spline = bentChain();
    spline.knots = {Vec3d(0, 0, 0), Vec3d(10, 0, 0)};
    spline.startDirection = Vec3d(0, 1, 0);
    spline.solve();
    EXPECT_EQ(spline.controlPoints.size(), 4u);
    EXPECT_EQ(spline.segmentLengths.size(), 1u);
    EXPECT_DOUBLE_EQ(spline.totalLength, 10);
}

}  // namespace
}  // namespace thalorin
