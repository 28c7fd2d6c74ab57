// Ring, sole and dome primitives on a bare target; no GL needed.
#include "model/GeometryPrimitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace thalorin {
namespace {

using reef::Quatf;
using reef::Vec2f;
using reef::Vec3f;

// Owns the five arrays a target refers to.
struct Arrays {
    std::vector<Vec3f> positions;
    std::vector<Vec3f> normals;
    std::vector<uint32_t> indices;
    std::vector<Vec2f> texCoords;
    std::vector<float> heights;
    GeometryTarget target{positions, normals, indices, texCoords, heights};
};

void expectVecNear(const Vec3f& actual, const Vec3f& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool allFinite(const Arrays& a) {
    for (size_t i = 0; i < a.positions.size(); ++i) {
        const Vec3f& p = a.positions[i];
        const Vec3f& n = a.normals[i];
        const Vec2f& t = a.texCoords[i];
        for (float value : {p.x, p.y, p.z, n.x, n.y, n.z, t.x, t.y, a.heights[i]}) {
            if (!std::isfinite(value)) {
                return false;
            }
        }
    }
    return true;
}

Vec3f faceNormal(const Arrays& a, size_t triangle) {
    const Vec3f& p0 = a.positions[a.indices[3 * triangle]];
    const Vec3f& p1 = a.positions[a.indices[3 * triangle + 1]];
    const Vec3f& p2 = a.positions[a.indices[3 * triangle + 2]];
    return (p1 - p0).cross(p2 - p0);
}

TEST(GeometryPrimitives, AddTriangleAppendsIndicesInOrder) {
    Arrays a;
    addTriangle(a.target, 7, 3, 5);
    EXPECT_EQ(a.indices, (std::vector<uint32_t>{7, 3, 5}));
}

// Each ring primitive appends n + 1 vertices and, when connecting to a ring
// appended before it, two triangles per segment.
TEST(GeometryPrimitives, RingVertexAndIndexCounts) {
    const struct {
        const char* name;
        int n;
        bool connect;
        size_t vertices, indices;
    } cases[] = {
        {"n -1", -1, true, 0, 0},
        {"n 0 single vertex", 0, false, 1, 0},
        {"n 0 connected has no segment", 0, true, 1, 0},
        {"n 1", 1, false, 2, 0},
        {"n 1 connected", 1, true, 2, 6},
        {"n 3", 3, false, 4, 0},
        {"n 3 connected", 3, true, 4, 18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            Arrays a;
            addRing(a.target, c.n, Vec3f(), 0, false, false, 0, 0, 0, -1, Quatf(), 1);
            const size_t before = a.positions.size();
            addRing(a.target, c.n, Vec3f(0, 1, 0), 1, c.connect, false, 0, 0, 0, -1, Quatf(), 1);
            EXPECT_EQ(a.positions.size() - before, c.vertices);
            EXPECT_EQ(a.indices.size(), c.indices);
            EXPECT_TRUE(allFinite(a));
        }
        {
            Arrays a;
            addProfileRing(a.target, c.n, Vec3f(), 0, false, -1, Quatf(), 0, 1, 1);
            const size_t before = a.positions.size();
            addProfileRing(a.target, c.n, Vec3f(0, 1, 0), 1, c.connect, -1, Quatf(), 0, 1, 1);
            EXPECT_EQ(a.positions.size() - before, c.vertices);
            EXPECT_EQ(a.indices.size(), c.indices);
            EXPECT_TRUE(allFinite(a));
        }
    }
}

TEST(GeometryPrimitives, SoleDiscAndDomeCounts) {
    const struct {
        const char* name;
        int n, N;
        size_t discVertices, discIndices, domeVertices;
    } cases[] = {
        // Dome rings N / 2 .. N.
        {"n 3, N 4", 3, 4, 5, 9, 3 * 4},
        {"n 3, N 5", 3, 5, 5, 9, 4 * 4},
        {"n 0, N 1", 0, 1, 2, 0, 2 * 1},
        {"n -1", -1, 2, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Arrays disc;
        addSoleDisc(disc.target, c.n, Vec3f(), false, 0, 0, 0, -1, Quatf(), 1);
        EXPECT_EQ(disc.positions.size(), c.discVertices);
        EXPECT_EQ(disc.indices.size(), c.discIndices);

        Arrays dome;
        addDomeCap(dome.target, 1, Vec3f(), c.n, c.N, 0.5f, -1, Quatf());
        EXPECT_EQ(dome.positions.size(), c.domeVertices);
        EXPECT_TRUE(allFinite(dome));
    }
}

// A ring of no segments has one vertex; it sits at angle 0 instead of 0 * inf.
TEST(GeometryPrimitives, RingWithoutSegmentsPutsItsVertexAtAngleZero) {
    Arrays a;
    addRing(a.target, 0, Vec3f(1, 2, 3), 0.25f, false, false, 0, 0, 0, -1, Quatf(), 2);
    ASSERT_EQ(a.positions.size(), 1u);
    expectVecNear(a.positions[0], Vec3f(3, 2, 3), 1e-6f);
    expectVecNear(a.normals[0], Vec3f(1, 0, 0), 1e-6f);
    EXPECT_EQ(a.texCoords[0], Vec2f(0, 0.25f));
}

TEST(GeometryPrimitives, RingPlacesVerticesFromXTowardsZ) {
    Arrays a;
    addRing(a.target, 4, Vec3f(0, 5, 0), 0.5f, false, false, 0, 0, 0, 7, Quatf(), 2);
    ASSERT_EQ(a.positions.size(), 5u);
    const Vec3f expected[] = {{2, 5, 0}, {0, 5, 2}, {-2, 5, 0}, {0, 5, -2}, {2, 5, 0}};
    for (size_t j = 0; j < 5; ++j) {
        SCOPED_TRACE(j);
        expectVecNear(a.positions[j], expected[j], 1e-5f);
        EXPECT_FLOAT_EQ(a.texCoords[j].x, j / 4.0f);
        EXPECT_EQ(a.texCoords[j].y, 0.5f);
        EXPECT_EQ(a.heights[j], 7.0f);  // a given height wins over centre.y
    }
}

TEST(GeometryPrimitives, RingTakesCentreHeightWhenHeightIsNegative) {
    Arrays a;
    addRing(a.target, 2, Vec3f(0, 42, 0), 0, false, false, 0, 0, 0, -1, Quatf(), 1);
    for (float h : a.heights) {
        EXPECT_EQ(h, 42.0f);
    }
}

// Rings climbing +Y joined by the connection rule, and the sole fan, face
// outwards by the right-hand rule.
TEST(GeometryPrimitives, ConnectedRingsAndSoleFanAreCounterClockwiseFromOutside) {
    Arrays a;
    const int n = 8;
    addSoleDisc(a.target, n, Vec3f(), false, 0, 0, 0, -1, Quatf(), 1);
    addRing(a.target, n, Vec3f(0, 1, 0), 1, true, false, 0, 0, 0, -1, Quatf(), 1);
    ASSERT_EQ(a.indices.size(), 3u * (n + 2 * n));
    for (size_t t = 0; t < static_cast<size_t>(n); ++t) {
        SCOPED_TRACE(t);
        EXPECT_LT(faceNormal(a, t).y, 0);
    }
    for (size_t t = n; t < 3u * n; ++t) {
        SCOPED_TRACE(t);
        const Vec3f& p = a.positions[a.indices[3 * t]];
        EXPECT_GT(faceNormal(a, t).dot(Vec3f(p.x, 0, p.z)), 0);
    }
}

TEST(GeometryPrimitives, ConnectionJoinsTheVertexNPlusOnePlacesEarlier) {
    Arrays a;
    addRing(a.target, 2, Vec3f(), 0, false, false, 0, 0, 0, -1, Quatf(), 1);
    addRing(a.target, 2, Vec3f(0, 1, 0), 1, true, false, 0, 0, 0, -1, Quatf(), 1);
    // Vertex 4 (K) with P = 1: (K, P, K - 1) and (P, P - 1, K - 1); then K = 5.
    EXPECT_EQ(a.indices, (std::vector<uint32_t>{4, 1, 3, 1, 0, 3, 5, 2, 4, 2, 1, 4}));
}

TEST(GeometryPrimitives, SoleDiscIsFlatFacingDownWithPlanarTexCoords) {
    Arrays a;
    addSoleDisc(a.target, 4, Vec3f(0, 3, 0), false, 0, 0, 0, -1, Quatf(), 10);
    ASSERT_EQ(a.positions.size(), 6u);
    EXPECT_EQ(a.positions[0], Vec3f(0, 3, 0));
    EXPECT_EQ(a.texCoords[0], Vec2f(0.5f, 0.5f));
    for (const Vec3f& normal : a.normals) {
        EXPECT_EQ(normal, Vec3f(0, -1, 0));
    }
    // Rim vertex 2 is at angle pi / 2: d = (0, 0, 1).
    EXPECT_NEAR(a.texCoords[2].x, 0.5f, 1e-6f);
    EXPECT_NEAR(a.texCoords[2].y, 1.0f, 1e-6f);
    EXPECT_EQ(a.indices[0], 0u);
    EXPECT_EQ(a.indices[1], 1u);
    EXPECT_EQ(a.indices[2], 2u);
}

// 1 + cos((pi - theta) * numWaves) * waveSize * clampMinusV scales both the
// offset and the normal.
TEST(GeometryPrimitives, WavesScaleRadiusAndNormal) {
    Arrays a;
    // n = 4, numWaves 2: theta = 0 gives cos(2 pi) = 1, theta = pi / 2 gives cos(pi) = -1.
    addRing(a.target, 4, Vec3f(), 0, false, true, 2, 0.5f, 0.4f, -1, Quatf(), 10);
    expectVecNear(a.positions[0], Vec3f(12, 0, 0), 1e-5f);
    expectVecNear(a.normals[0], Vec3f(1.2f, 0, 0), 1e-6f);
    expectVecNear(a.positions[1], Vec3f(0, 0, 8), 1e-5f);
    expectVecNear(a.normals[1], Vec3f(0, 0, 0.8f), 1e-6f);
}

TEST(GeometryPrimitives, ProfileRingNormal) {
    Arrays a;
    addProfileRing(a.target, 4, Vec3f(), 0, false, -1, Quatf(), -0.6f, 0.8f, 3);
    expectVecNear(a.positions[1], Vec3f(0, 0, 3), 1e-6f);
    expectVecNear(a.normals[1], Vec3f(0, 0.6f, 0.8f), 1e-6f);
}

// Dome on a ring of radius 10, flattening 0.5, N = 4: rings at alpha = pi/2,
// 3pi/4, pi; D = 5, so they sit 5, 5 (1 + sqrt(1/2)) and 10 above the centre.
TEST(GeometryPrimitives, DomeCapRingsAndNormals) {
    Arrays a;
    addRing(a.target, 4, Vec3f(), 0, false, false, 0, 0, 0, -1, Quatf(), 10);
    addDomeCap(a.target, 10, Vec3f(), 4, 4, 0.5f, -1, Quatf());
    ASSERT_EQ(a.positions.size(), 5u * 4);
    const float s = std::sqrt(0.5f);
    // First dome ring: same radius, horizontal normals, joined to the ring below.
    expectVecNear(a.positions[5], Vec3f(10, 5, 0), 1e-5f);
    expectVecNear(a.normals[5], Vec3f(1, 0, 0), 1e-6f);
    EXPECT_FLOAT_EQ(a.texCoords[5].y, 0.5f);
    // Middle ring: w = -s / 0.5, normal (s, 2s) normalised.
    expectVecNear(a.positions[10], Vec3f(10 * s, 5 * (1 + s), 0), 1e-4f);
    expectVecNear(a.normals[10], Vec3f(1 / std::sqrt(5.0f), 2 / std::sqrt(5.0f), 0), 1e-5f);
    // Top ring collapses to the pole with the normal straight up.
    expectVecNear(a.positions[15], Vec3f(0, 10, 0), 1e-5f);
    expectVecNear(a.normals[15], Vec3f(0, 1, 0), 1e-6f);
    EXPECT_FLOAT_EQ(a.texCoords[15].y, 1.0f);
    EXPECT_EQ(a.heights[15], 10.0f);
    EXPECT_EQ(a.indices.size(), 3u * 3 * 2 * 4);
}

// A flattening of 0 makes w = cos / 0; the dome is then a flat lid whose
// normals are the limit of the ellipsoid's: straight up above the equator.
TEST(GeometryPrimitives, FlatDomeStaysFinite) {
    const struct {
        const char* name;
        float f;
    } cases[] = {{"zero", 0.0f}, {"denormal", 1e-40f}, {"tiny", 1e-30f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Arrays a;
        addDomeCap(a.target, 10, Vec3f(), 4, 4, c.f, -1, Quatf());
        EXPECT_TRUE(allFinite(a));
        // Rings at alpha = pi/2, 3pi/4 and pi, five vertices each.
        EXPECT_NEAR(a.normals[0].length(), 1.0f, 1e-6f);
        expectVecNear(a.normals[5], Vec3f(0, 1, 0), 1e-6f);
        expectVecNear(a.positions[5], Vec3f(10 * std::sqrt(0.5f), 0, 0), 1e-4f);
        expectVecNear(a.normals[10], Vec3f(0, 1, 0), 1e-6f);
    }
}

TEST(GeometryPrimitives, DomeWithoutHeightSegmentsIsFinite) {
    Arrays a;
    addDomeCap(a.target, 10, Vec3f(), 4, 0, 0.5f, -1, Quatf());
    EXPECT_EQ(a.positions.size(), 5u);
    EXPECT_TRUE(allFinite(a));
}

// The connection rule only joins to vertices that exist.
TEST(GeometryPrimitives, ConnectingTheFirstRingOfATargetAddsNoTriangles) {
    Arrays a;
    addRing(a.target, 3, Vec3f(), 0, true, false, 0, 0, 0, -1, Quatf(), 1);
    EXPECT_EQ(a.positions.size(), 4u);
    EXPECT_TRUE(a.indices.empty());
}

TEST(GeometryPrimitives, OrientationTurnsRing) {
    Arrays a;
    // Quarter turn about +Z: the ring's local +X goes to +Y.
    const Quatf q(0, 0, std::sqrt(0.5f), std::sqrt(0.5f));
    addRing(a.target, 4, Vec3f(), 0, false, false, 0, 0, 0, -1, q, 2);
    expectVecNear(a.positions[0], Vec3f(0, 2, 0), 1e-5f);
    expectVecNear(a.normals[1], Vec3f(0, 0, 1), 1e-5f);
}

// A world-aligned sphere of N + 1 rings from the bottom pole up; its first ring
// joins nothing, normals point away from the centre, rows run over i / (n / 2).
TEST(GeometryPrimitives, TipSphere) {
    Arrays a;
    const Vec3f centre(10, 50, -3);
    addTipSphere(a.target, 2, centre, 8, 4, 0.7f);
    ASSERT_EQ(a.positions.size(), 5u * 9);
    EXPECT_EQ(a.indices.size(), 3u * 2 * 8 * 4);
    for (size_t v = 0; v < a.positions.size(); ++v) {
        SCOPED_TRACE(v);
        const Vec3f offset = a.positions[v] - centre;
        EXPECT_NEAR(offset.length(), 2, 1e-5f);
        if (offset.length() > 1e-3f) {
            expectVecNear(a.normals[v], offset / 2, 1e-5f);
        }
        EXPECT_EQ(a.heights[v], 0.7f);
        EXPECT_FLOAT_EQ(a.texCoords[v].y, static_cast<float>(v / 9) / 4);
    }
    expectVecNear(a.positions[0], centre - Vec3f(0, 2, 0), 1e-6f);
    expectVecNear(a.positions[2 * 9 + 2], centre + Vec3f(0, 0, 2), 1e-5f);  // equator, theta 90
    expectVecNear(a.positions[4 * 9 + 5], centre + Vec3f(0, 2, 0), 1e-5f);
    // Counter-clockwise seen from outside, like every other ring primitive.
    for (size_t t = 0; t < a.indices.size() / 3; ++t) {
        const Vec3f normal = faceNormal(a, t);
        if (normal.length() > 1e-4f) {
            const Vec3f mid = (a.positions[a.indices[3 * t]] + a.positions[a.indices[3 * t + 1]] +
                               a.positions[a.indices[3 * t + 2]]) /
                              3;
            EXPECT_GT(normal.dot(mid - centre), 0) << t;
        }
    }
}

// Fewer than two segments make n / 2 zero; without height segments the
// sphere is its bottom pole. Both stay finite.
TEST(GeometryPrimitives, TipSphereDegenerateCounts) {
    const struct {
        const char* name;
        int n, N;
        size_t vertices;
        float lastRow;
    } cases[] = {
        {"one segment", 1, 4, 10, 4},
        {"no segments", 0, 4, 5, 4},
        {"no height segments", 8, 0, 9, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Arrays a;
        addTipSphere(a.target, 1, Vec3f(1, 2, 3), c.n, c.N, 1);
        EXPECT_EQ(a.positions.size(), c.vertices);
        EXPECT_TRUE(allFinite(a));
        EXPECT_EQ(a.texCoords.back().y, c.lastRow);
    }
}

}  // namespace
}  // namespace thalorin
