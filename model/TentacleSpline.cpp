#include "model/TentacleSpline.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace thalorin {

using reef::Vec3f;

// The curve's parameter u runs from 0 to 100 over the chord length. The
// derivatives D_i with respect to u solve the tridiagonal system of the classic
// C2 interpolating cubic with a free end; the derivative at the first knot is
// known (startDirection) and its row is not solved.
void TentacleSpline::solve() {
    controlPoints.clear();
    segmentLengths.clear();
    totalLength = 0;
    const size_t n = knots.size();
    if (n < 2) {
        return;
    }

    segmentLengths.resize(n - 1);
    for (size_t i = 1; i < n; ++i) {
        segmentLengths[i - 1] = std::max((knots[i] - knots[i - 1]).length(), 0.01);
        totalLength += segmentLengths[i - 1];
    }
    std::vector<double> u(n, 0.0);
    const double scale = 100.0 / totalLength;
    double covered = 0;
    for (size_t i = 1; i < n; ++i) {
        covered += segmentLengths[i - 1];
        u[i] = covered * scale;
    }
    std::vector<double> h(n - 1);
    for (size_t i = 0; i + 1 < n; ++i) {
        h[i] = u[i + 1] - u[i];
    }

    // Right-hand sides and the three diagonals; row i reads
    // a_i D_(i-1) + b_i D_i + c_i D_(i+1) = d_i.
    std::vector<Vec3d> d(n);
    std::vector<double> a(n, 0.0);
    std::vector<double> b(n, 0.0);
    std::vector<double> c(n, 0.0);
    d[0] = (knots[1] - knots[0]) * 3.0 / (h[0] * h[0]);
    b[0] = 2.0 / h[0];
    c[0] = 1.0 / h[0];
    for (size_t i = 1; i + 1 < n; ++i) {
        d[i] = ((knots[i] - knots[i - 1]) / (h[i - 1] * h[i - 1]) +
                (knots[i + 1] - knots[i]) / (h[i] * h[i])) *
               3.0;
        a[i] = 1.0 / h[i - 1];
        b[i] = 2.0 * (1.0 / h[i - 1] + 1.0 / h[i]);
        c[i] = 1.0 / h[i];
    }
    d[n - 1] = (knots[n - 1] - knots[n - 2]) * 3.0 / (h[n - 2] * h[n - 2]);
    a[n - 1] = 1.0 / h[n - 2];
    b[n - 1] = 2.0 / h[n - 2];
    c[n - 1] = 0.0;

    d[1] -= startDirection * a[1];

    std::vector<double> cPrime(n, 0.0);
    std::vector<Vec3d> dPrime(n);
    cPrime[1] = c[1] / b[1];
    dPrime[1] = d[1] / b[1];
    for (size_t i = 2; i < n; ++i) {
        const double m = 1.0 / (b[i] - a[i] * cPrime[i - 1]);
        cPrime[i] = c[i] * m;
        dPrime[i] = (d[i] - dPrime[i - 1] * a[i]) * m;
    }

    std::vector<Vec3d> D(n);
    D[n - 1] = dPrime[n - 1];
    for (size_t i = n - 2; i >= 1; --i) {
        D[i] = dPrime[i] - D[i + 1] * cPrime[i];
    }
    // The first segment leaves k_0 with row 0's right-hand side, not startDirection.
    D[0] = d[0];

    controlPoints.reserve(4 * (n - 1));
    for (size_t i = 1; i < n; ++i) {
        const double hi = u[i] - u[i - 1];
        const Vec3d& start = knots[i - 1];
        const Vec3d delta = knots[i] - start;
        const Vec3d c1 = D[i - 1] * hi;
        const Vec3d c2 = delta * 3.0 - c1 * 2.0 - D[i] * hi;
        const Vec3d c3 = (D[i - 1] + D[i]) * hi - delta * 2.0;
        controlPoints.push_back(start);
        controlPoints.push_back(start + c1 / 3.0);
        controlPoints.push_back(start + (c1 * 2.0 + c2) / 3.0);
        controlPoints.push_back(start + c1 + c2 + c3);
    }
}

Vec3d TentacleSpline::segmentPoint(size_t k, double s) const {
    assert(4 * k + 3 < controlPoints.size() && "segment index past the solved segments");
    Vec3d p[4] = {controlPoints[4 * k], controlPoints[4 * k + 1], controlPoints[4 * k + 2],
                  controlPoints[4 * k + 3]};
    for (int pass = 3; pass > 0; --pass) {
        for (int m = 0; m < pass; ++m) {
            p[m] = p[m] * (1.0 - s) + p[m + 1] * s;
        }
    }
    return p[0];
}

// Walks the segments adding their lengths in the order totalLength was summed,
// so t = 1 ends on the last segment's end. The walk stops at the last segment
// for t beyond 1.
Vec3d TentacleSpline::pointAt(double t) const {
    if (segmentLengths.empty()) {
        return knots.empty() ? Vec3d() : knots.front();
    }
    const double target = totalLength * t;
    size_t k = 0;
    double before = 0;
    double reach = segmentLengths[0];
    while (reach < target && k + 1 < segmentLengths.size()) {
        before += segmentLengths[k];
        ++k;
        reach += segmentLengths[k];
    }
    return segmentPoint(k, (target - before) / segmentLengths[k]);
}

// Central difference of positions rounded to single precision; one-sided at
// the ends. A curve that does not move over the difference (all knots in one
// place) takes startDirection, or +Y if that is zero too.
Vec3f TentacleSpline::tangentAt(double t) const {
    constexpr double kDelta = 6.103515e-05;
    Vec3f ahead;
    Vec3f behind;
    if (t - kDelta < 0) {
        ahead = pointAt(t + kDelta).toFloat();
        behind = pointAt(t).toFloat();
    } else if (t + kDelta > 1) {
        ahead = pointAt(t).toFloat();
        behind = pointAt(t - kDelta).toFloat();
    } else {
        ahead = pointAt(t + kDelta).toFloat();
        behind = pointAt(t - kDelta).toFloat();
    }
    const Vec3f direction = ahead - behind;
    const float length = direction.length();
    if (length > 0 && std::isfinite(length)) {
        return direction / length;
    }
    const double startLength = startDirection.length();
    if (startLength > 0 && std::isfinite(startLength)) {
        return (startDirection / startLength).toFloat();
    }
    return Vec3f(0.0f, 1.0f, 0.0f);
}

}  // namespace thalorin
