#include "model/GeometryPrimitives.h"

#include <cmath>

namespace thalorin {

using reef::Quatf;
using reef::Vec2f;
using reef::Vec3f;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// A ring without segments has one vertex; 2 pi / 0 would put it at a NaN angle,
// so it sits at angle 0 instead.
float ringStep(int n) {
    return n > 0 ? static_cast<float>(kTwoPi / n) : 0.0f;
}

float ringU(int64_t j, int n) {
    return n > 0 ? static_cast<float>(j) / static_cast<float>(n) : 0.0f;
}

float heightFor(float height, const Vec3f& centre) {
    return height >= 0 ? height : centre.y;
}

float waveFactor(float theta, int numWaves, float waveSize, float clampMinusV) {
    return static_cast<float>(1.0 + std::cos((kPi - static_cast<double>(theta)) * numWaves) *
                                        static_cast<double>(waveSize) *
                                        static_cast<double>(clampMinusV));
}

// The direction (cos theta, 0, sin theta), scaled by the wave factor when
// waved, turned by q (not renormalised: a waved normal keeps its length).
Vec3f ringDirection(float theta, bool waves, int numWaves, float waveSize, float clampMinusV,
                    const Quatf& q) {
    float c = static_cast<float>(std::cos(static_cast<double>(theta)));
    float s = static_cast<float>(std::sin(static_cast<double>(theta)));
    if (waves) {
        const float k = waveFactor(theta, numWaves, waveSize, clampMinusV);
        c *= k;
        s *= k;
    }
    return q.rotate(Vec3f(c, 0.0f, s));
}

// The new entries of one primitive's vertices: the four arrays grow once and
// are filled in place.
struct VertexRun {
    Vec3f* positions;
    Vec3f* normals;
    Vec2f* texCoords;
    float* heights;
    size_t first;  // index of the first new vertex
};

VertexRun growVertices(const GeometryTarget& t, size_t count) {
    const size_t first = t.positions.size();
    t.positions.resize(first + count);
    t.normals.resize(first + count);
    t.texCoords.resize(first + count);
    t.heights.resize(first + count);
    return {t.positions.data() + first, t.normals.data() + first, t.texCoords.data() + first,
            t.heights.data() + first, first};
}

// The connection rule for a ring of n + 1 vertices starting at `first`: vertex
// K = first + j (j >= 1) and K - 1 join P = K - (n + 1) and P - 1. Vertices
// without a P - 1 in the target (a first ring asked to connect) get no
// triangles rather than wrapped-around indices.
void connectRing(const GeometryTarget& t, size_t first, int n) {
    const uint64_t span = static_cast<uint64_t>(n) + 1;
    const uint64_t jFirst = first >= span ? 1 : span + 1 - first;
    if (jFirst > static_cast<uint64_t>(n)) {
        return;
    }
    const size_t start = t.indices.size();
    t.indices.resize(start + 6 * (static_cast<uint64_t>(n) - jFirst + 1));
    uint32_t* out = t.indices.data() + start;
    for (uint64_t j = jFirst; j <= static_cast<uint64_t>(n); ++j) {
        const uint32_t K = static_cast<uint32_t>(first + j);
        const uint32_t P = static_cast<uint32_t>(first + j - span);
        *out++ = K;
        *out++ = P;
        *out++ = K - 1;
        *out++ = P;
        *out++ = P - 1;
        *out++ = K - 1;
    }
}

// Local normal profile of a dome ring at angle alpha: the ellipsoid normal
// (w, s) / |(w, s)| with w = cos(alpha) / f. For f = 0 (a flat dome), or an f so
// small that w^2 overflows, the same normal is taken in the form
// (cos, f sin) / |(cos, f sin)| in double, which needs no division by f.
void domeNormalProfile(float cosA, float sinA, float f, float* ny, float* nr) {
    const float w = cosA / f;
    const float len = std::sqrt(w * w + sinA * sinA);
    if (std::isfinite(len) && len > 0) {
        *ny = w / len;
        *nr = sinA / len;
        return;
    }
    const double c = cosA;
    const double s = sinA;
    const double fd = f;
    const double den = std::sqrt(c * c + fd * fd * s * s);
    if (den > 0 && std::isfinite(den)) {
        *ny = static_cast<float>(std::copysign(1.0, fd) * c / den);
        *nr = static_cast<float>(std::fabs(fd) * s / den);
    } else {
        *ny = 0.0f;
        *nr = 1.0f;
    }
}

}  // namespace

void addTriangle(const GeometryTarget& target, uint32_t a, uint32_t b, uint32_t c) {
    target.indices.push_back(a);
    target.indices.push_back(b);
    target.indices.push_back(c);
}

void addRing(const GeometryTarget& target, int n, const Vec3f& centre, float v, bool connect,
             bool waves, int numWaves, float waveSize, float clampMinusV, float height,
             const Quatf& q, float radius) {
    if (n < 0) {
        return;
    }
    const float step = ringStep(n);
    const float h = heightFor(height, centre);
    const VertexRun run = growVertices(target, static_cast<size_t>(n) + 1);
    for (int64_t j = 0; j <= n; ++j) {
        const Vec3f d =
            ringDirection(static_cast<float>(j) * step, waves, numWaves, waveSize, clampMinusV, q);
        run.positions[j] = centre + d * radius;
        run.normals[j] = d;
        run.texCoords[j] = Vec2f(ringU(j, n), v);
        run.heights[j] = h;
    }
    if (connect) {
        connectRing(target, run.first, n);
    }
}

void addSoleDisc(const GeometryTarget& target, int n, const Vec3f& centre, bool waves, int numWaves,
                 float waveSize, float clampMinusV, float height, const Quatf& q, float radius) {
    const Vec3f down(0.0f, -1.0f, 0.0f);
    const float h = heightFor(height, centre);
    const size_t rim = n >= 0 ? static_cast<size_t>(n) + 1 : 0;
    const VertexRun run = growVertices(target, 1 + rim);
    run.positions[0] = centre;
    run.normals[0] = down;
    run.texCoords[0] = Vec2f(0.5f, 0.5f);
    run.heights[0] = h;
    if (n < 0) {
        return;
    }
    const float step = ringStep(n);
    for (int64_t j = 0; j <= n; ++j) {
        const Vec3f d =
            ringDirection(static_cast<float>(j) * step, waves, numWaves, waveSize, clampMinusV, q);
        run.positions[1 + j] = centre + d * radius;
        run.normals[1 + j] = down;
        run.texCoords[1 + j] = Vec2f((d.x + 1.0f) * 0.5f, (d.z + 1.0f) * 0.5f);
        run.heights[1 + j] = h;
    }
    // The fan (C, K - 1, K) for every rim vertex K after the first.
    const uint32_t C = static_cast<uint32_t>(run.first);
    const size_t start = target.indices.size();
    target.indices.resize(start + 3 * static_cast<size_t>(n));
    uint32_t* out = target.indices.data() + start;
    for (int64_t j = 1; j <= n; ++j) {
        const uint32_t K = C + 1 + static_cast<uint32_t>(j);
        *out++ = C;
        *out++ = K - 1;
        *out++ = K;
    }
}

void addProfileRing(const GeometryTarget& target, int n, const Vec3f& centre, float v, bool connect,
                    float height, const Quatf& q, float ny, float nr, float radius) {
    addProfileRing(target, RingAngles(n), centre, v, connect, height, q, ny, nr, radius);
}

void addProfileRing(const GeometryTarget& target, const RingAngles& angles, const Vec3f& centre,
                    float v, bool connect, float height, const Quatf& q, float ny, float nr,
                    float radius) {
    const int n = angles.segments();
    if (n < 0) {
        return;
    }
    const float h = heightFor(height, centre);
    const VertexRun run = growVertices(target, static_cast<size_t>(n) + 1);
    for (int64_t j = 0; j <= n; ++j) {
        const float c = angles.cosAt(j);
        const float s = angles.sinAt(j);
        run.positions[j] = centre + q.rotate(Vec3f(c, 0.0f, s)) * radius;
        run.normals[j] = q.rotate(Vec3f(nr * c, -ny, nr * s));
        run.texCoords[j] = Vec2f(angles.uAt(j), v);
        run.heights[j] = h;
    }
    if (connect) {
        connectRing(target, run.first, n);
    }
}

void addDomeCap(const GeometryTarget& target, float radius, const Vec3f& centre, int n, int N,
                float f, float height, const Quatf& q) {
    const float D = radius * f;
    const RingAngles angles(n);
    // N = 0 would give an infinite step; the dome is then one point-sized ring at angle 0.
    const float angleStep = N > 0 ? static_cast<float>(kPi / N) : 0.0f;
    for (int64_t i = N / 2; i <= N; ++i) {
        const float alpha = static_cast<float>(i) * angleStep;
        const float cosA = static_cast<float>(std::cos(static_cast<double>(alpha)));
        const float sinA = static_cast<float>(std::sin(static_cast<double>(alpha)));
        const Vec3f ringCentre = centre + q.rotate(Vec3f(0.0f, D * (1.0f - cosA), 0.0f));
        float ny = 0.0f;
        float nr = 0.0f;
        domeNormalProfile(cosA, sinA, f, &ny, &nr);
        const float row = N > 0 ? static_cast<float>(i) / static_cast<float>(N) : 0.0f;
        addProfileRing(target, angles, ringCentre, row, i > 0, height, q, ny, nr, radius * sinA);
    }
}

void addTipSphere(const GeometryTarget& target, float radius, const Vec3f& centre, int n, int N,
                  float height) {
    addTipSphere(target, radius, centre, RingAngles(n), N, height);
}

void addTipSphere(const GeometryTarget& target, float radius, const Vec3f& centre,
                  const RingAngles& angles, int N, float height) {
    // N = 0 would give an infinite step: the sphere is then its bottom pole.
    const float angleStep = N > 0 ? static_cast<float>(kPi / N) : 0.0f;
    // Rows run over i / (n / 2); below two segments that divisor would be 0.
    const int half = angles.segments() / 2;
    const float rowDivisor = half > 0 ? static_cast<float>(half) : 1.0f;
    for (int64_t i = 0; i <= N; ++i) {
        const float alpha = static_cast<float>(i) * angleStep;
        const float cosA = static_cast<float>(std::cos(static_cast<double>(alpha)));
        const float sinA = static_cast<float>(std::sin(static_cast<double>(alpha)));
        const Vec3f ringCentre(centre.x, centre.y - cosA * radius, centre.z);
        addSphereRing(target, angles, ringCentre, static_cast<float>(i) / rowDivisor, i > 0, height,
                      sinA * radius, centre);
    }
}

void addSphereRing(const GeometryTarget& target, int n, const Vec3f& centre, float v, bool connect,
                   float height, float radius, const Vec3f& sphereCentre) {
    addSphereRing(target, RingAngles(n), centre, v, connect, height, radius, sphereCentre);
}

void addSphereRing(const GeometryTarget& target, const RingAngles& angles, const Vec3f& centre,
                   float v, bool connect, float height, float radius, const Vec3f& sphereCentre) {
    const int n = angles.segments();
    if (n < 0) {
        return;
    }
    // The offset from the sphere's centre is formed before adding the ring's
    // own offset, so the normal does not lose digits to large coordinates.
    const Vec3f lift = centre - sphereCentre;
    const VertexRun run = growVertices(target, static_cast<size_t>(n) + 1);
    for (int64_t j = 0; j <= n; ++j) {
        const Vec3f offset(radius * angles.cosAt(j), 0.0f, radius * angles.sinAt(j));
        run.positions[j] = centre + offset;
        run.normals[j] = (lift + offset).normalized();
        run.texCoords[j] = Vec2f(angles.uAt(j), v);
        run.heights[j] = height;
    }
    if (connect) {
        connectRing(target, run.first, n);
    }
}

}  // namespace thalorin
