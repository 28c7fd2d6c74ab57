#include "model/AnemoneModel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "model/GeometryPrimitives.h"

namespace thalorin {

using reef::Color;
using reef::Quatf;
using reef::Vec3f;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

Color byteColor(int r, int g, int b) {
    return Color(static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
                 static_cast<float>(b) / 255.0f);
}

}  // namespace

AnemoneModel::AnemoneModel()
    : gradientColors{byteColor(80, 33, 20),   byteColor(173, 56, 65),   byteColor(238, 128, 157),
                     byteColor(249, 152, 92), byteColor(247, 204, 222), byteColor(255, 255, 255)},
      gradientStarts{0.0f, 0.35f, 0.63f, 0.78f, 0.88f, 1.0f},
      bodyTarget_{bodyPositions_, bodyNormals_, bodyIndices_, bodyTexCoords_, bodyHeights},
      tentacleTarget_{tentaclePositions_, tentacleNormals_, tentacleIndices_, tentacleTexCoords_,
                      tentacleHeights} {}

// A zero-length axis cannot be normalised: the rings then turn about +Z, the
// default axis, as they would with the axis untouched. Axes whose squared length
// leaves the float range are normalised in double.
Vec3f AnemoneModel::bendUnitAxis() const {
    const float lengthSquared = bendAxis.lengthSquared();
    if (lengthSquared >= FLT_MIN && std::isfinite(lengthSquared)) {
        return bendAxis / std::sqrt(lengthSquared);
    }
    const double x = bendAxis.x;
    const double y = bendAxis.y;
    const double z = bendAxis.z;
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0 && std::isfinite(length)) {
        return Vec3f(static_cast<float>(x / length), static_cast<float>(y / length),
                     static_cast<float>(z / length));
    }
    return Vec3f(0.0f, 0.0f, 1.0f);
}

// Centre, orientation, height fraction and radius of ring i of N.
// Degenerate parameters are caught where they would divide by zero:
// N = 0 leaves only ring 0 (at the origin, height fraction 0), a bodyHeight of 0
// (or one too small for its spacing e to be representable) uses the ring count
// that bodyHeight / e stands for, and ring 0 always has bottomRadius
// (middleHeight 0 would otherwise make it 0 / 0).
AnemoneModel::Ring AnemoneModel::ringAt(int64_t i) const {
    const int N = heightSegments;
    const float fi = static_cast<float>(i);
    const float e = N > 0 ? bodyHeight / static_cast<float>(N) : 0.0f;

    Ring ring;
    const float A = bendAngle * kDegreesToRadians;
    const float R = bodyHeight / A;
    // A bend so slight that R overflows is indistinguishable from straight.
    if (bendAngle != 0.0f && std::isfinite(R)) {
        const float phi = N > 0 ? fi * (A / static_cast<float>(N)) : 0.0f;
        const double phiD = phi;
        ring.frame.centre = Vec3f(R * static_cast<float>(std::cos(phiD)) - R,
                                  R * static_cast<float>(std::sin(phiD)), 0.0f);
        const Vec3f axis = bendUnitAxis();
        const double half = phi / 2.0f;
        const float s = static_cast<float>(std::sin(half));
        ring.frame.orientation =
            Quatf(axis.x * s, axis.y * s, axis.z * s, static_cast<float>(std::cos(half)));
    } else {
        ring.frame.centre = Vec3f(0.0f, e * fi, 0.0f);
        ring.frame.orientation = Quatf::identity();
    }

    // fraction * bodyHeight / e, the number of ring intervals up to a height fraction.
    const auto intervalsUpTo = [&](float fraction) {
        const float intervals = fraction * bodyHeight / e;
        return intervals > 0.0f && std::isfinite(intervals) ? intervals
                                                            : fraction * static_cast<float>(N);
    };
    ring.v = N > 0 ? fi / static_cast<float>(N) : 0.0f;
    if (middleHeight >= ring.v) {
        const float t = i == 0 ? 0.0f : fi / intervalsUpTo(middleHeight);
        ring.radius = bottomRadius + (middleRadius - bottomRadius) * t;
    } else {
        const float below = intervalsUpTo(1.0f - middleHeight);
        const float t = below != 0.0f ? static_cast<float>(N - i) / below : 0.0f;
        ring.radius = middleRadius + (topRadius - middleRadius) * (1.0f - t);
    }
    return ring;
}

AnemoneModel::Frame AnemoneModel::topFrame() const {
    return ringAt(heightSegments).frame;
}

void AnemoneModel::buildBody() {
    const int N = heightSegments;
    if (N < 0) {
        return;
    }
    const int n = radialSegments;
    if (n >= 0) {
        // Walls, sole disc and dome; fixes the array sizes up front.
        const size_t ringVertices = static_cast<size_t>(n) + 1;
        const size_t domeRings = N > 0 ? static_cast<size_t>(N - N / 2 + 1) : 0;
        const size_t vertices = (static_cast<size_t>(N) + 1 + domeRings) * ringVertices + 1 +
                                ringVertices + bodyPositions_.size();
        bodyPositions_.reserve(vertices);
        bodyNormals_.reserve(vertices);
        bodyTexCoords_.reserve(vertices);
        bodyHeights.reserve(vertices);
        bodyIndices_.reserve(bodyIndices_.size() +
                             (static_cast<size_t>(N) + domeRings) * 6 * static_cast<size_t>(n) +
                             3 * static_cast<size_t>(n));
    }
    for (int64_t i = 0; i <= N; ++i) {
        const Ring ring = ringAt(i);
        const Frame& frame = ring.frame;
        const bool waves = soleClamp >= ring.v;
        const float clampMinusV = soleClamp - ring.v;
        addRing(bodyTarget_, n, frame.centre, ring.v, i > 0, waves, numWaves, waveSize, clampMinusV,
                -1.0f, frame.orientation, ring.radius);
        if (i == 0) {
            addSoleDisc(bodyTarget_, n, frame.centre, waves, numWaves, waveSize, clampMinusV, -1.0f,
                        frame.orientation, ring.radius);
        } else if (i == N) {
            addDomeCap(bodyTarget_, ring.radius, frame.centre, n, N, capScale, -1.0f,
                       frame.orientation);
        }
    }
}

// Tentacle chains and their tube geometry are not generated yet: this step
// appends nothing, so rebuild() leaves the tentacle arrays empty.
void AnemoneModel::buildTentacles(bool /*recreate*/) {}

// Heights run from 0 at the sole to 1 at the top: the tentacle tips, or the top
// of the dome when there are no tentacles. A divisor of 0 or below (a body lying
// at or under y = 0) leaves the heights unscaled.
void AnemoneModel::normaliseHeights() {
    const float divisor = tentacleHeights.empty()
                              ? maxBodyHeight
                              : *std::max_element(tentacleHeights.begin(), tentacleHeights.end());
    if (!(divisor > 0.0f)) {
        return;
    }
    for (float& h : bodyHeights) {
        h /= divisor;
    }
    for (float& h : tentacleHeights) {
        h /= divisor;
    }
}

void AnemoneModel::rebuild() {
    bodyMesh_.clear();
    tentacleMesh_.clear();
    bodyTarget_.clear();
    tentacleTarget_.clear();

    buildBody();
    maxBodyHeight =
        bodyHeights.empty() ? 0.0f : *std::max_element(bodyHeights.begin(), bodyHeights.end());
    buildTentacles(true);
    normaliseHeights();

    bodyMesh_.appendPositions(bodyPositions_.data(), bodyPositions_.size());
    bodyMesh_.appendIndices(bodyIndices_.data(), bodyIndices_.size());
    bodyMesh_.appendNormals(bodyNormals_.data(), bodyNormals_.size());
    bodyMesh_.appendTexCoords(bodyTexCoords_.data(), bodyTexCoords_.size());
    tentacleMesh_.appendPositions(tentaclePositions_.data(), tentaclePositions_.size());
    tentacleMesh_.appendIndices(tentacleIndices_.data(), tentacleIndices_.size());
    tentacleMesh_.appendNormals(tentacleNormals_.data(), tentacleNormals_.size());
    tentacleMesh_.appendTexCoords(tentacleTexCoords_.data(), tentacleTexCoords_.size());
}

}  // namespace thalorin
