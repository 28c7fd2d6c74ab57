#include "model/AnemoneModel.h"

// [SECTION] Construction
// [SECTION] Body
// [SECTION] Tentacle layout
// [SECTION] Tentacle tubes
// [SECTION] Parameter limits
// [SECTION] Rebuild and update

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "model/GeometryPrimitives.h"
#include "model/Vec3d.h"

namespace thalorin {

using reef::Color;
using reef::Quatf;
using reef::Vec3f;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

Color byteColor(int r, int g, int b) {
    return Color(static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
                 static_cast<float>(b) / 255.0f);
}

}  // namespace

// [SECTION] Construction

AnemoneModel::AnemoneModel()
    : gradientColors{byteColor(80, 33, 20),   byteColor(173, 56, 65),   byteColor(238, 128, 157),
                     byteColor(249, 152, 92), byteColor(247, 204, 222), byteColor(255, 255, 255)},
      gradientStarts{0.0f, 0.35f, 0.63f, 0.78f, 0.88f, 1.0f},
      bodyTarget_{bodyPositions_, bodyNormals_, bodyIndices_, bodyTexCoords_, bodyHeights},
      tentacleTarget_{tentaclePositions_, tentacleNormals_, tentacleIndices_, tentacleTexCoords_,
                      tentacleHeights} {
    physicsWorld.createWorld();
    ballPosition = physicsWorld.ballMotionPosition();
    rememberParameters();
}

AnemoneModel::~AnemoneModel() {
    // Chains take their bodies out of the world: they must go first.
    destroyTentacleChains();
}

// Every chain leaves together, so the world's pairs can go in one sweep
// instead of being searched once per body (slow with thousands of links).
void AnemoneModel::destroyTentacleChains() {
    if (!tentacleChains_.empty()) {
        physicsWorld.dropOverlappingPairs();
    }
    tentacleChains_.clear();
}

// [SECTION] Body

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

// [SECTION] Tentacle layout

namespace {

// How many tentacles the lines hold when the first one holds hairInLine:
// line c holds ceil(hairInLine / ((c - 1) 0.5 + 1)). Counting stops as soon as
// the total passes `limit`.
size_t tentaclesInLayout(int32_t hairInLine, int32_t lines, size_t limit) {
    size_t total = 0;
    for (int64_t c = 1; c <= lines && total <= limit; ++c) {
        const float K = static_cast<float>(static_cast<float>(hairInLine) /
                                           (static_cast<double>(c - 1) * 0.5 + 1.0));
        if (!(K > 0.0f)) {
            break;  // later lines hold fewer still
        }
        // (float)i < K holds for i = 0 .. ceil(K) - 1 while K is small enough
        // for i to be exact, which any K within the limit is.
        total += K > static_cast<float>(limit) ? limit + 1 : static_cast<size_t>(std::ceil(K));
    }
    return total;
}

}  // namespace

// hairInLine itself when its layout fits kMaxTentacles, otherwise the largest
// smaller value whose layout does: the lines keep their proportions and only
// get sparser. Past kMaxTentacles lines even one tentacle a line does not fit;
// placeTentacles() then stops at the limit (rebuild() never lets that happen).
int32_t AnemoneModel::budgetedHairInLine() const {
    if (hairInLine <= 0 ||
        tentaclesInLayout(hairInLine, numberOfLines, kMaxTentacles) <= kMaxTentacles) {
        return hairInLine;
    }
    int32_t fits = 1;  // largest value known to fit (or the floor of 1)
    int32_t tooMany = hairInLine;
    while (tooMany - fits > 1) {
        const int32_t middle = fits + (tooMany - fits) / 2;
        if (tentaclesInLayout(middle, numberOfLines, kMaxTentacles) <= kMaxTentacles) {
            fits = middle;
        } else {
            tooMany = middle;
        }
    }
    return fits;
}

// Lines of roots at latitudes c / (L + 2) of the dome's quarter arc, each root
// turned to stand along the dome's outward normal, one capsule chain per root.
void AnemoneModel::placeTentacles() {
    const Frame top = topFrame();
    destroyTentacleChains();

    const int32_t L = numberOfLines;
    const int32_t perLine = budgetedHairInLine();
    if (L < 1 || perLine < 1) {
        return;
    }
    tentacleChains_.reserve(tentaclesInLayout(perLine, L, kMaxTentacles));

    const float R = topRadius;
    const float f = capScale;
    const float step = static_cast<float>((kPi / 2.0) / (static_cast<double>(L) + 2.0));
    const Vec3f up(0.0f, 1.0f, 0.0f);
    for (int64_t c = 1; c <= L && tentacleChains_.size() < kMaxTentacles; ++c) {
        const float e = static_cast<float>(c) * step;
        const float sinE = static_cast<float>(std::sin(static_cast<double>(e)));
        const float cosE = static_cast<float>(std::cos(static_cast<double>(e)));
        const float X = f * R + f * R * sinE;
        const float rho = R * cosE;
        const Quatf tilt = Quatf::fromTo(up, Vec3f(0.0f, R * sinE, f * R * cosE).normalized());
        const float K = static_cast<float>(static_cast<float>(perLine) /
                                           (static_cast<double>(c - 1) * 0.5 + 1.0));
        const double cSquared = static_cast<double>(c) * static_cast<double>(c);
        const float phase = static_cast<float>(cSquared * kPi / 6.0);
        const Vec3f lineCentre = top.centre + top.orientation.rotate(Vec3f(0.0f, X, 0.0f));

        for (int64_t i = 0; static_cast<float>(i) < K && tentacleChains_.size() < kMaxTentacles;
             ++i) {
            const float psi = static_cast<float>(static_cast<double>(i) * kTwoPi) / K + phase;
            const double halfPsi = psi / 2.0f;
            const Quatf yaw(0.0f, static_cast<float>(std::sin(halfPsi)), 0.0f,
                            static_cast<float>(std::cos(halfPsi)));
            const Quatf turned = top.orientation * yaw;
            const Vec3f root = lineCentre + turned.rotate(Vec3f(0.0f, 0.0f, 1.0f)) * rho;
            if (!std::isfinite(root.x) || !std::isfinite(root.y) || !std::isfinite(root.z)) {
                continue;  // a dome too large for floats has no place to put it
            }
            const Quatf orientation = turned * tilt;
            tentacleChains_.emplace_back(
                btVector3(root.x, root.y, root.z),
                btQuaternion(orientation.x, orientation.y, orientation.z, orientation.w),
                physicsWorld, hairRadius, hairHeight);
        }
    }
}

// [SECTION] Tentacle tubes

// Segments around a tube ring: 30 % of the body's, truncated.
int AnemoneModel::tubeSegments() const {
    return static_cast<int>(static_cast<double>(radialSegments) * 0.3);
}

void AnemoneModel::buildTentacles(bool recreate) {
    if (recreate) {
        placeTentacles();
    }
    const int M = tubeSegments();
    if (tubeAngles_.segments() != M) {
        tubeAngles_.reset(M);
    }
    for (const TentacleChain& chain : tentacleChains_) {
        appendTube(chain);
    }
}

// A curve through the link centres, started half a link below the root, swept
// by N + 1 rings: tapering to half the radius and capped by a tip sphere, or
// of constant radius with a flat root disc and a domed end.
void AnemoneModel::appendTube(const TentacleChain& chain) {
    if (chain.linkCount() < 2) {
        return;
    }
    Vec3f p[TentacleChain::kLinkCount];
    for (size_t k = 0; k < TentacleChain::kLinkCount; ++k) {
        p[k] = chain.linkCentre(k);
    }
    const Vec3f first = p[0] - (p[1] - p[0]) * 0.5f;
    tubeSpline_.knots.assign(
        {Vec3d(first), Vec3d(p[0]), Vec3d(p[1]), Vec3d(p[2]), Vec3d(p[3]), Vec3d(p[4])});
    tubeSpline_.startDirection = Vec3d((p[1] - p[0]).normalized());
    tubeSpline_.solve();

    const int M = tubeSegments();
    const int N = heightSegments;
    const float r = hairRadius;
    const Vec3f up(0.0f, 1.0f, 0.0f);

    // Cone normals: the tube narrows by r / 2 over a length of bodyHeight.
    const float narrowing = r / 2.0f - r;
    float ny = 0.0f;
    float nr = 1.0f;
    const float L = std::sqrt(narrowing * narrowing + bodyHeight * bodyHeight);
    if (L > 0.0f && std::isfinite(L)) {
        ny = narrowing / L;
        nr = bodyHeight / L;
    } else {
        // Squares outside the float range (or both zero): the same in double.
        const double a = narrowing;
        const double b = bodyHeight;
        const double length = std::sqrt(a * a + b * b);
        if (length > 0.0 && std::isfinite(length)) {
            ny = static_cast<float>(a / length);
            nr = static_cast<float>(b / length);
        }
    }

    for (int64_t i = 0; i <= N; ++i) {
        // Without height segments the one ring is the tip.
        const double t = N > 0 ? static_cast<double>(i) / N : 1.0;
        const float v = N > 0 ? static_cast<float>(i) / static_cast<float>(N) : 1.0f;
        const float h = (N > 0 ? static_cast<float>(i) * 100.0f / static_cast<float>(N) : 100.0f) +
                        maxBodyHeight;
        const Vec3f P = tubeSpline_.pointAt(t).toFloat();
        const Quatf q = Quatf::fromTo(up, tubeSpline_.tangentAt(t));
        if (hairCylindrical) {
            addRing(tentacleTarget_, M, P, v, i > 0, false, 0, 0.0f, 0.0f, h, q, r);
            if (i == 0) {
                addSoleDisc(tentacleTarget_, M, P, false, 0, 0.0f, 0.0f, h, q, r);
            } else if (i == N) {
                addDomeCap(tentacleTarget_, r, P, M, N, 2.0f * capScale, h, q);
            }
        } else {
            addProfileRing(tentacleTarget_, tubeAngles_, P, v, i > 0, h, q, ny, nr,
                           r + narrowing * v);
            if (i == N) {
                addTipSphere(tentacleTarget_, r / 5.0f + r / 2.0f, P, tubeAngles_, N, h);
            }
        }
    }
}

// [SECTION] Parameter limits

namespace {

// The float geometry parameters, in the order of builtFloats_, with the
// largest magnitude each is built with.
constexpr float kUnlimited = std::numeric_limits<float>::infinity();
constexpr struct {
    float AnemoneModel::*member;
    float limit;
} kFloatParameters[] = {
    {&AnemoneModel::bottomRadius, AnemoneModel::kMaxLength},
    {&AnemoneModel::topRadius, AnemoneModel::kMaxLength},
    {&AnemoneModel::bodyHeight, AnemoneModel::kMaxLength},
    {&AnemoneModel::middleRadius, AnemoneModel::kMaxLength},
    {&AnemoneModel::middleHeight, AnemoneModel::kMaxFactor},
    {&AnemoneModel::waveSize, AnemoneModel::kMaxFactor},
    {&AnemoneModel::soleClamp, AnemoneModel::kMaxFactor},
    {&AnemoneModel::hairRadius, AnemoneModel::kMaxLength},
    {&AnemoneModel::hairHeight, AnemoneModel::kMaxLength},
    {&AnemoneModel::bendAngle, kUnlimited},  // any angle turns the rings to somewhere
    {&AnemoneModel::capScale, AnemoneModel::kMaxFactor},
};

// The counts that set the amount of geometry, in the order of builtCounts_.
constexpr int32_t AnemoneModel::*kCounts[] = {
    &AnemoneModel::radialSegments,
    &AnemoneModel::heightSegments,
    &AnemoneModel::hairInLine,
    &AnemoneModel::numberOfLines,
};

// Vertices of a surface as buildBody() makes it with n segments around and N
// ring intervals: rings 0..N, the sole disc's centre and rim, and for N >= 1
// the dome's rings N / 2..N. A ring without vertices counts one.
double surfaceVertices(int64_t n, int64_t N) {
    if (N < 0) {
        return 0.0;
    }
    const double ring = n >= 0 ? static_cast<double>(n) + 1.0 : 1.0;
    const double domeRings = N >= 1 ? static_cast<double>(N - N / 2 + 1) : 0.0;
    return (static_cast<double>(N) + 2.0 + domeRings) * ring + 1.0;
}

}  // namespace

void AnemoneModel::rememberParameters() {
    for (size_t k = 0; k < builtFloats_.size(); ++k) {
        builtFloats_[k] = this->*kFloatParameters[k].member;
    }
    builtBendAxis_ = bendAxis;
    for (size_t k = 0; k < builtCounts_.size(); ++k) {
        builtCounts_[k] = this->*kCounts[k];
    }
}

// Vertices the current parameters would make, counted as buildBody() and
// appendTube() append them (in double: the counts can multiply past 2^64).
double AnemoneModel::plannedVertexCount() const {
    const int64_t N = heightSegments;
    const int64_t M = tubeSegments();
    double perTentacle = 0.0;
    if (hairCylindrical) {
        perTentacle = surfaceVertices(M, N);
    } else if (N >= 0) {
        // A tube ring and a tip-sphere ring per step.
        perTentacle = 2.0 * (static_cast<double>(N) + 1.0) * (M >= 0 ? M + 1.0 : 1.0);
    }
    const size_t tentacles =
        std::min(tentaclesInLayout(hairInLine, numberOfLines, kMaxTentacles), kMaxTentacles);
    return surfaceVertices(radialSegments, N) + static_cast<double>(tentacles) * perTentacle;
}

bool AnemoneModel::fitsLimits() const {
    return tentaclesInLayout(hairInLine, numberOfLines, kMaxTentacles) <= kMaxTentacles &&
           plannedVertexCount() <= static_cast<double>(kMaxVertices);
}

// Lowers `count` to the largest value not below `floor` at which the model
// fits its limits, or to `floor` when none does. Neither the tentacles nor
// the vertices ever fall as a count grows, so a bisection finds it.
void AnemoneModel::lowerToFit(int32_t& count, int32_t floor) {
    if (count <= floor || fitsLimits()) {
        return;
    }
    int64_t tooMany = count;
    count = floor;
    if (!fitsLimits()) {
        return;
    }
    int64_t fits = floor;
    while (tooMany - fits > 1) {
        const int64_t middle = fits + (tooMany - fits) / 2;
        count = static_cast<int32_t>(middle);
        if (fitsLimits()) {
            fits = middle;
        } else {
            tooMany = middle;
        }
    }
    count = static_cast<int32_t>(fits);
}

// A typed-in value must not be able to exhaust memory or time, nor put NaN
// into the geometry. What is limited here is stored back, so the panel, which
// reads through the getters, shows what was built.
void AnemoneModel::limitParameters() {
    for (size_t k = 0; k < builtFloats_.size(); ++k) {
        float& value = this->*kFloatParameters[k].member;
        if (!std::isfinite(value)) {
            value = builtFloats_[k];
        }
        const float limit = kFloatParameters[k].limit;
        value = std::clamp(value, -limit, limit);
    }
    if (!std::isfinite(bendAxis.x) || !std::isfinite(bendAxis.y) || !std::isfinite(bendAxis.z)) {
        bendAxis = builtBendAxis_;
    }

    // A setter changes one count: that one is held to what fits with the
    // others as they are, never below its last value, which fitted. Should
    // the model still not fit (the tube kind changed as well), radial
    // segments, rings, tentacles per line and lines give way in that order;
    // with none of them left anything fits.
    for (size_t k = 0; k < builtCounts_.size(); ++k) {
        int32_t& count = this->*kCounts[k];
        if (count > builtCounts_[k]) {
            lowerToFit(count, builtCounts_[k]);
        }
    }
    for (int32_t AnemoneModel::*member : kCounts) {
        int32_t& count = this->*member;
        lowerToFit(count, std::min(count, 0));
    }
    assert(fitsLimits() && "a model without segments or tentacles always fits");
    rememberParameters();
}

// [SECTION] Rebuild and update

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
    limitParameters();
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
    appendTentacleMesh();
}

void AnemoneModel::appendTentacleMesh() {
    tentacleMesh_.appendPositions(tentaclePositions_.data(), tentaclePositions_.size());
    tentacleMesh_.appendIndices(tentacleIndices_.data(), tentacleIndices_.size());
    tentacleMesh_.appendNormals(tentacleNormals_.data(), tentacleNormals_.size());
    tentacleMesh_.appendTexCoords(tentacleTexCoords_.data(), tentacleTexCoords_.size());
}

// The step runs only when time moves forward: the 'u' key's time 0 (or a
// repeated time) regenerates the geometry and leaves the world as it is, and
// the frame after it steps the capped ten substeps. A time that is not a
// number is not remembered. A chain (or the ball) whose state is no longer a
// number is put back at rest before anything is built from it.
void AnemoneModel::update(float time) {
    float dt = 0.0f;
    if (std::isfinite(time)) {
        dt = time - lastUpdateTime;
        lastUpdateTime = time;
    }

    tentacleMesh_.clear();
    tentacleTarget_.clear();
    for (TentacleChain& chain : tentacleChains_) {
        if (!chain.isSound()) {
            chain.resetToRest();
        }
    }
    buildTentacles(false);
    if (!tentacleHeights.empty()) {
        const float m = *std::max_element(tentacleHeights.begin(), tentacleHeights.end());
        if (m > 0.0f) {
            for (float& h : tentacleHeights) {
                h /= m;
            }
        }
    }
    appendTentacleMesh();

    physicsWorld.resetBallIfBroken();
    ballPosition = physicsWorld.ballMotionPosition();
    if (dt > 0.0f) {
        applyCurrent(time);
        physicsWorld.stepSimulation(dt);
    }
}

// A smooth force field slowly changing in time. Static root links are left
// out: the library never moves them, and it never clears the force they would
// accumulate.
void AnemoneModel::applyCurrent(float time) {
    const float a = static_cast<float>(std::cos(static_cast<double>(0.3f * time)));
    const float b = static_cast<float>(std::sin(static_cast<double>(0.2f * time)));
    const float c = static_cast<float>(std::cos(static_cast<double>(0.14f * time)));
    const float d = static_cast<float>(std::cos(static_cast<double>(0.4f * time)));
    for (const TentacleChain& chain : tentacleChains_) {
        for (size_t k = 0; k < chain.linkCount(); ++k) {
            btRigidBody& body = chain.getLink(k);
            if (body.isStaticObject()) {
                continue;
            }
            const btVector3& origin = body.getWorldTransform().getOrigin();
            const float X = origin.x() / 100.0f;
            const float Y = origin.y() / 100.0f;
            const float Z = origin.z() / 100.0f;
            const float sinX = static_cast<float>(std::sin(static_cast<double>(X)));
            const double sum = sinX + a;
            const float fx = static_cast<float>(400.0 * (sum * sum) * b);
            const float fy =
                400.0f * static_cast<float>(std::sin(static_cast<double>(Z * X + X))) * c;
            const float fz =
                400.0f * static_cast<float>(std::cos(static_cast<double>(Y * X + Z))) * d;
            body.applyCentralForce(btVector3(fx, fy, fz));
        }
    }
}

void AnemoneModel::computeFaceNormals() {
    faceNormals.clear();
    const auto appendMeans = [this](const std::vector<uint32_t>& indices,
                                    const std::vector<reef::Vec3f>& normals) {
        for (size_t i = 0; i + 2 < indices.size(); i += 3) {
            faceNormals.push_back(
                (normals[indices[i]] + normals[indices[i + 1]] + normals[indices[i + 2]]) *
                0.33333334f);
        }
    };
    appendMeans(bodyIndices_, bodyNormals_);
    appendMeans(tentacleIndices_, tentacleNormals_);
}

}  // namespace thalorin
