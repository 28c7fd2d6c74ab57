#pragma once
// Interpolating cubic spline through a tentacle's link centres, parameterised
// by chord length and sampled at fractions of its length. Double precision
// throughout; tangents come back in single precision.

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/math/Vector.h"
#include "model/Vec3d.h"

namespace thalorin {

class TentacleSpline {
public:
    TentacleSpline() = default;
    TentacleSpline(std::vector<Vec3d> knots, const Vec3d& startDirection)
        : knots(std::move(knots)), startDirection(startDirection) {}

    // Fills segmentLengths, totalLength and controlPoints from knots and
    // startDirection; with fewer than two knots they are left empty.
    void solve();
    // Position on segment k at local parameter s in [0, 1].
    Vec3d segmentPoint(size_t k, double s) const;
    // Position at fraction t of totalLength.
    Vec3d pointAt(double t) const;
    // Unit direction of the curve at fraction t.
    reef::Vec3f tangentAt(double t) const;

    std::vector<Vec3d> knots;
    // Four Bezier control points per segment; segment i - 1 runs from knot i - 1 to knot i.
    std::vector<Vec3d> controlPoints;
    // |k_i - k_(i-1)|, at least 0.01 so that coincident knots still get an interval.
    std::vector<double> segmentLengths;
    double totalLength = 0;
    // Unit direction the curve leaves the first knot in.
    Vec3d startDirection{0, 1, 0};
};

}  // namespace thalorin
