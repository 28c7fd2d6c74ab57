// The tube meshes built around the chains: counts, shape, normals, heights.
// No GL needed.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>

#include "model/AnemoneModel.h"
#include "tests/model/ModelTestUtil.h"

namespace thalorin {
namespace {

using reef::Vec3f;

constexpr float kPi = 3.14159265f;

// Mean of a ring's first n vertices (the last repeats the first): its centre.
Vec3f ringCentre(const AnemoneModel& model, size_t first, int n) {
    Vec3f sum;
    for (int j = 0; j < n; ++j) {
        sum += model.getTentacleMesh().getVertices()[first + j];
    }
    return sum / static_cast<float>(n);
}

TEST(TentacleTube, VertexAndTriangleCounts) {
    const struct {
        const char* name;
        int radial, height;
        bool cylindrical;
        size_t vertices, triangles;  // per tentacle
    } cases[] = {
        // 21 tube rings and 21 sphere rings of 16 vertices; 600 + 600 triangles.
        {"tapered, defaults", 50, 20, false, 672, 1200},
        // 21 rings, the root disc (centre + 16) and dome rings 10..20 of 16;
        // 20 bands, the 15-triangle fan and 11 dome bands of 30.
        {"cylindrical, defaults", 50, 20, true, 336 + 17 + 176, 600 + 15 + 330},
        // M = 0: every ring is one vertex and nothing is joined.
        {"radial segments 3", 3, 20, false, 42, 0},
        {"radial segments 3, cylindrical", 3, 20, true, 21 + 2 + 11, 0},
        // M = 1: two-vertex rings, degenerate but valid.
        {"radial segments 4", 4, 20, false, 84, 40 + 40},
        {"height segments 1", 50, 1, false, 64, 30 + 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.radialSegments = c.radial;
        model.heightSegments = c.height;
        model.hairCylindrical = c.cylindrical;
        model.rebuild();
        const size_t tentacles = model.getTentacleChains().size();
        ASSERT_EQ(tentacles, 52u);
        EXPECT_EQ(model.tentacleVertexCount(), tentacles * c.vertices);
        EXPECT_EQ(model.tentacleTriangleCount(), tentacles * c.triangles);
        EXPECT_TRUE(tentaclesFinite(model));
        // An update at the same time rebuilds exactly the same mesh.
        model.update(model.lastUpdateTime);
        EXPECT_EQ(model.tentacleVertexCount(), tentacles * c.vertices);
        EXPECT_EQ(model.tentacleTriangleCount(), tentacles * c.triangles);
    }
}

// A chain at rest is straight along the dome normal: its rings are
// perpendicular to it and centred on it, from 10 below the root to the last
// link, tapering from 5 to 2.5; the tip sphere (radius 3.5) sits on the last link.
TEST(TentacleTube, StraightChainGivesAStraightTaperedTube) {
    AnemoneModel model;
    model.rebuild();
    const TentacleChain& chain = model.getTentacleChains()[21];  // tilted 23.4 degrees
    const Vec3f root = chain.linkCentre(0);
    const Vec3f up = chain.linkTransform(0).orientation.rotate(Vec3f(0, 1, 0));
    const auto& positions = model.getTentacleMesh().getVertices();
    const auto& normals = model.getTentacleMesh().getNormals();
    const size_t base = 21 * 672;

    expectVecNear(ringCentre(model, base, 15), root - up * 10.0f, 2e-3f);
    expectVecNear(ringCentre(model, base + 16 * 20, 15), chain.linkCentre(4), 2e-3f);
    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const size_t first = base + 16 * i;
        const Vec3f centre = ringCentre(model, first, 15);
        const Vec3f fromRoot = centre - root;
        EXPECT_NEAR((fromRoot - up * fromRoot.dot(up)).length(), 0, 2e-3f);
        const float radius = 5.0f - 2.5f * i / 20;
        // Tangents are differences of float positions about 0.005 apart some
        // 250 units from the origin: allow 5e-3 rad of tilt.
        for (int j = 0; j <= 15; ++j) {
            const Vec3f offset = positions[first + j] - centre;
            EXPECT_NEAR(offset.dot(up), 0, radius * 5e-3f);
            EXPECT_NEAR(offset.length(), radius, 1e-3f);
            // Cone normals lean towards the tip by 2.5 over 200.
            EXPECT_NEAR(normals[first + j].dot(up), 2.5f / std::sqrt(2.5f * 2.5f + 200 * 200),
                        5e-3f);
            EXPECT_NEAR(normals[first + j].length(), 1, 1e-5f);
        }
        expectVecNear(positions[first + 15], positions[first], 1e-4f);  // angle 2 pi
    }
    // Tip sphere: 21 world-aligned rings from its bottom pole to its top pole.
    const Vec3f tip = chain.linkCentre(4);
    for (int j = 0; j < 336; ++j) {
        const Vec3f offset = positions[base + 336 + j] - tip;
        EXPECT_NEAR(offset.length(), 3.5f, 2e-3f);
        expectVecNear(normals[base + 336 + j], offset / 3.5f, 1e-3f);
    }
    expectVecNear(positions[base + 336], tip - Vec3f(0, 3.5f, 0), 2e-3f);
    expectVecNear(positions[base + 336 + 20 * 16], tip + Vec3f(0, 3.5f, 0), 2e-3f);
    // Sphere rows run over i / (M / 2): past 1 for N > M / 2.
    EXPECT_FLOAT_EQ(model.getTentacleMesh().getTexCoords()[base + 336 + 20 * 16].y, 20 / 7.0f);
}

// The cylindrical variant: a flat root disc facing straight down even on a
// tilted tentacle and a dome 2 x 2 x capScale x hairRadius = 5 high.
TEST(TentacleTube, CylindricalTubeHasARootDiscAndAnEndDome) {
    AnemoneModel model;
    model.hairCylindrical = true;
    model.rebuild();
    const TentacleChain& chain = model.getTentacleChains()[0];  // tilted 43 degrees
    const Vec3f root = chain.linkCentre(0);
    const Vec3f up = chain.linkTransform(0).orientation.rotate(Vec3f(0, 1, 0));
    const auto& positions = model.getTentacleMesh().getVertices();
    const auto& normals = model.getTentacleMesh().getNormals();

    // Ring 0 (16), then the disc's centre and rim (17).
    expectVecNear(positions[16], root - up * 10.0f, 2e-3f);
    for (int j = 16; j < 33; ++j) {
        EXPECT_EQ(normals[j], Vec3f(0, -1, 0));
    }
    for (int j = 0; j < 16; ++j) {
        EXPECT_NEAR((positions[j] - (root - up * 10.0f)).length(), 5, 1e-3f);
    }
    // The dome's last ring is its pole, 5 beyond the last link along the axis
    // (within the tangent's 5e-3 rad of noise).
    const size_t pole = 529 - 16;
    expectVecNear(positions[pole + 3], chain.linkCentre(4) + up * 5.0f, 0.03f);
    expectVecNear(normals[pole + 3], up, 5e-3f);
}

// Tentacle heights run 100 units above the body's top before normalisation:
// after a rebuild the tips are exactly 1 and the body is scaled by 235 + 100.
TEST(TentacleTube, HeightsContinueAboveTheBody) {
    for (bool cylindrical : {false, true}) {
        SCOPED_TRACE(cylindrical ? "cylindrical" : "tapered");
        AnemoneModel model;
        model.hairCylindrical = cylindrical;
        model.rebuild();
        EXPECT_NEAR(model.maxBodyHeight, 235, 1e-3f);
        const size_t perTentacle = model.tentacleVertexCount() / 52;
        // The last vertex of every tentacle is on its tip (sphere or dome pole).
        for (size_t t = 0; t < 52; ++t) {
            EXPECT_EQ(model.tentacleHeights[(t + 1) * perTentacle - 1], 1.0f);
        }
        // Ring 0 carries the body's top height, ring 10 half-way up the tentacle.
        EXPECT_NEAR(model.tentacleHeights[0], 235.0f / 335.0f, 1e-6f);
        EXPECT_NEAR(model.tentacleHeights[cylindrical ? 17 + 160 : 160], 285.0f / 335.0f, 1e-6f);
        EXPECT_NEAR(*std::max_element(model.bodyHeights.begin(), model.bodyHeights.end()),
                    235.0f / 335.0f, 1e-6f);
        model.update(0.25f);
        model.update(0.5f);
        EXPECT_EQ(*std::max_element(model.tentacleHeights.begin(), model.tentacleHeights.end()),
                  1.0f);
        EXPECT_NEAR(*std::max_element(model.bodyHeights.begin(), model.bodyHeights.end()),
                    235.0f / 335.0f, 1e-6f);
    }
}

// A tentacle hanging straight down: the shortest arc from +Y has no axis, so
// its rings turn half a turn about X, which sends angle theta to -Z.
TEST(TentacleTube, HangingTentacleTakesTheFallbackRotation) {
    AnemoneModel model;
    model.hairInLine = 1;
    model.numberOfLines = 1;
    model.rebuild();
    ASSERT_EQ(model.getTentacleChains().size(), 1u);
    TentacleChain& chain = model.getTentacleChain(0);
    const Vec3f root = chain.linkCentre(0);
    for (size_t k = 0; k < 5; ++k) {
        chain.getLink(k).setWorldTransform(
            btTransform(btQuaternion(0, 0, 0, 1), btVector3(root.x, root.y - 20.0f * k, root.z)));
    }
    model.update(model.lastUpdateTime);  // geometry only
    const auto& positions = model.getTentacleMesh().getVertices();
    const auto& normals = model.getTentacleMesh().getNormals();
    const float theta = 2 * kPi / 15;
    const float ny = -2.5f / std::sqrt(2.5f * 2.5f + 200 * 200);
    const float nr = 200 / std::sqrt(2.5f * 2.5f + 200 * 200);
    for (int i : {0, 7, 20}) {
        SCOPED_TRACE(i);
        const Vec3f centre = ringCentre(model, 16 * i, 15);
        EXPECT_NEAR(centre.x, root.x, 1e-3f);
        EXPECT_NEAR(centre.z, root.z, 1e-3f);
        const float radius = 5.0f - 2.5f * i / 20;
        expectVecNear(positions[16 * i], centre + Vec3f(radius, 0, 0), 2e-3f);
        expectVecNear(positions[16 * i + 1],
                      centre + Vec3f(std::cos(theta), 0, -std::sin(theta)) * radius, 2e-3f);
        expectVecNear(normals[16 * i + 1], Vec3f(nr * std::cos(theta), ny, -nr * std::sin(theta)),
                      1e-5f);
    }
    EXPECT_NEAR(ringCentre(model, 0, 15).y, root.y + 10, 1e-3f);
    EXPECT_NEAR(ringCentre(model, 16 * 20, 15).y, root.y - 80, 1e-3f);
}

// Every shape value the panel can deliver at its edges keeps the tentacle
// mesh finite, on a fresh rebuild and through a few updates.
TEST(TentacleTube, ExtremeParametersGiveFiniteGeometry) {
    const struct {
        const char* name;
        void (*apply)(AnemoneModel&);
    } cases[] = {
        {"hair minima",
         [](AnemoneModel& m) {
             m.hairRadius = 0.1f;
             m.hairHeight = 0.1f;
         }},
        {"no hair radius", [](AnemoneModel& m) { m.hairRadius = 0; }},
        {"fat hair", [](AnemoneModel& m) { m.hairRadius = 200; }},
        {"segment minima",
         [](AnemoneModel& m) {
             m.radialSegments = 1;
             m.heightSegments = 1;
         }},
        {"no segments",
         [](AnemoneModel& m) {
             m.radialSegments = 0;
             m.heightSegments = 0;
         }},
        {"flat, shapeless body",
         [](AnemoneModel& m) {
             m.capScale = 0;
             m.topRadius = 0;
             m.bodyHeight = 0.1f;
         }},
        {"body of no height", [](AnemoneModel& m) { m.bodyHeight = 0; }},
        {"bent over, cylindrical",
         [](AnemoneModel& m) {
             m.bendAngle = 180;
             m.hairCylindrical = true;
             m.capScale = 1;
         }},
        {"zero bend axis",
         [](AnemoneModel& m) {
             m.bendAngle = 30;
             m.bendAxis = Vec3f(0, 0, 0);
         }},
        {"twenty lines", [](AnemoneModel& m) { m.numberOfLines = 20; }},
        {"huge body",
         [](AnemoneModel& m) {
             m.bodyHeight = 1e6f;
             m.topRadius = 1e5f;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        c.apply(model);
        model.rebuild();
        EXPECT_TRUE(tentaclesFinite(model));
        for (int frame = 1; frame <= 5; ++frame) {
            model.update(frame * 0.1f);
        }
        EXPECT_TRUE(tentaclesFinite(model));
    }
}

}  // namespace
}  // namespace thalorin
