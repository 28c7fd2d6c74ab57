// The anemone body: counts, profile, waves, bend, dome and heights. No GL needed.
#include "model/AnemoneModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace thalorin {
namespace {

using reef::Vec2f;
using reef::Vec3f;

constexpr float kPi = 3.14159265f;

void expectVecNear(const Vec3f& actual, const Vec3f& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Vertex layout of the body: ring 0, the sole disc (centre, then its rim),
// rings 1..N, then the dome rings N / 2 .. N.
size_t ringStart(int i, int n) {
    return i == 0 ? 0 : static_cast<size_t>(i + 1) * (n + 1) + 1;
}
size_t soleCentre(int n) {
    return static_cast<size_t>(n) + 1;
}
size_t domeRingStart(int k, int n, int N) {
    return static_cast<size_t>(N + 2 + k) * (n + 1) + 1;
}

float horizontalDistance(const Vec3f& p) {
    return std::sqrt(p.x * p.x + p.z * p.z);
}

Vec3f faceNormal(const TriangleMesh& mesh, size_t t) {
    Vec3f a, b, c;
    mesh.getTriangleVertices(t, &a, &b, &c);
    return (b - a).cross(c - a);
}

testing::AssertionResult allFinite(const AnemoneModel& model) {
    const TriangleMesh& mesh = model.getBodyMesh();
    const auto check = [](float value, const char* what, size_t i) {
        return std::isfinite(value)
                   ? testing::AssertionSuccess()
                   : testing::AssertionFailure() << what << " of vertex " << i << " is " << value;
    };
    for (size_t i = 0; i < mesh.getVertices().size(); ++i) {
        const Vec3f& p = mesh.getVertices()[i];
        const Vec3f& n = mesh.getNormals()[i];
        const Vec2f& t = mesh.getTexCoords()[i];
        for (float v : {p.x, p.y, p.z}) {
            if (auto r = check(v, "position", i); !r) {
                return r;
            }
        }
        for (float v : {n.x, n.y, n.z}) {
            if (auto r = check(v, "normal", i); !r) {
                return r;
            }
        }
        for (float v : {t.x, t.y}) {
            if (auto r = check(v, "texture coordinate", i); !r) {
                return r;
            }
        }
        if (auto r = check(model.bodyHeights[i], "height", i); !r) {
            return r;
        }
    }
    if (!std::isfinite(model.maxBodyHeight)) {
        return testing::AssertionFailure() << "maxBodyHeight is " << model.maxBodyHeight;
    }
    for (uint32_t index : mesh.getIndices()) {
        if (index >= mesh.getVertices().size()) {
            return testing::AssertionFailure() << "index " << index << " past the vertices";
        }
    }
    return testing::AssertionSuccess();
}

TEST(BodyMesh, VertexAndTriangleCounts) {
    const struct {
        const char* name;
        int radial, height;
        size_t vertices, triangles;
    } cases[] = {
        {"defaults", 50, 20, 1684, 3150},
        {"coarse", 8, 4, 82, 120},                 // 5 rings + sole + 3 dome rings of 9
        {"odd height segments", 50, 5, 562, 950},  // dome rings 2..5
        {"one height segment", 50, 1, 256, 250},   // dome ring 0 does not connect
        {"one radial segment", 1, 20, 67, 63},
        {"no radial segments", 0, 20, 34, 0},
        {"no height segments", 50, 0, 103, 50},  // ring 0 and the sole only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.radialSegments = c.radial;
        model.heightSegments = c.height;
        for (int pass = 0; pass < 2; ++pass) {  // a rebuild starts from empty arrays
            model.rebuild();
            EXPECT_EQ(model.bodyVertexCount(), c.vertices);
            EXPECT_EQ(model.bodyTriangleCount(), c.triangles);
            EXPECT_EQ(model.bodyHeights.size(), c.vertices);
            EXPECT_EQ(model.getBodyMesh().getNormals().size(), c.vertices);
            EXPECT_EQ(model.getBodyMesh().getTexCoords().size(), c.vertices);
            EXPECT_TRUE(model.getBodyMesh().getColorsRgb().empty());
            EXPECT_TRUE(allFinite(model));
        }
    }
}

// Radius 100 at the sole, 60 at 0.9 of the height, 70 at the top ring, linear
// in between; rings 10 apart. Waves are switched off to see the bare profile.
TEST(BodyMesh, RadiusProfile) {
    AnemoneModel model;
    model.waveSize = 0;
    model.rebuild();
    const auto& positions = model.getBodyMesh().getVertices();
    const struct {
        int ring;
        float radius;
    } cases[] = {{0, 100}, {9, 80}, {18, 60}, {19, 65}, {20, 70}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ring);
        for (int j : {0, 13, 37}) {
            const Vec3f& p = positions[ringStart(c.ring, 50) + j];
            EXPECT_NEAR(horizontalDistance(p), c.radius, 1e-3f);
            EXPECT_NEAR(p.y, 10.0f * c.ring, 1e-3f);
        }
    }
}

TEST(BodyMesh, DomeRisesAboveTheTopRing) {
    AnemoneModel model;
    model.rebuild();
    const auto& positions = model.getBodyMesh().getVertices();
    float top = -1;
    for (const Vec3f& p : positions) {
        top = std::max(top, p.y);
    }
    EXPECT_NEAR(top, 200 + 2 * 0.25f * 70, 1e-3f);
    // The first dome ring sits D = 17.5 above the top ring with the same
    // radius and horizontal normals.
    const size_t first = domeRingStart(0, 50, 20);
    EXPECT_NEAR(positions[first].y, 217.5f, 1e-3f);
    EXPECT_NEAR(horizontalDistance(positions[first + 7]), 70, 1e-3f);
    EXPECT_NEAR(model.getBodyMesh().getNormals()[first + 7].y, 0, 1e-6f);
    // The last dome ring is the pole, normals straight up.
    const size_t pole = domeRingStart(10, 50, 20);
    expectVecNear(positions[pole + 20], Vec3f(0, 235, 0), 1e-3f);
    expectVecNear(model.getBodyMesh().getNormals()[pole + 20], Vec3f(0, 1, 0), 1e-6f);
}

// soleClamp 0.2 with N = 20: rings 0..4 are waved by
// 1 + 0.1 (0.2 - v) cos((pi - theta) 10); ring 4's factor is exactly 1.
TEST(BodyMesh, SoleWaves) {
    AnemoneModel waved;
    waved.rebuild();
    AnemoneModel round;
    round.waveSize = 0;
    round.rebuild();
    const auto& p = waved.getBodyMesh().getVertices();
    const auto& n = waved.getBodyMesh().getNormals();
    const auto& roundP = round.getBodyMesh().getVertices();
    const auto& roundN = round.getBodyMesh().getNormals();

    // theta_j = j 2pi / 50, so cos((pi - theta_j) 10) = cos(2 pi j / 5).
    const struct {
        const char* name;
        size_t vertex;
        float radius;
    } cases[] = {
        {"ring 0, j 0", ringStart(0, 50), 100 * 1.02f},
        {"ring 0, j 2", ringStart(0, 50) + 2, 100 * (1 - 0.02f * 0.80901699f)},
        {"sole rim, j 0", soleCentre(50) + 1, 100 * 1.02f},
        {"ring 1, j 0", ringStart(1, 50), (100 - 40 / 18.0f) * 1.015f},
        {"ring 3, j 1", ringStart(3, 50) + 1, (100 - 40 * 3 / 18.0f) * (1 + 0.005f * 0.30901699f)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(horizontalDistance(p[c.vertex]), c.radius, 1e-3f);
    }
    EXPECT_NEAR(n[ringStart(0, 50)].length(), 1.02f, 1e-6f);

    for (int ring : {4, 5}) {
        SCOPED_TRACE(ring);
        for (size_t j = 0; j <= 50; ++j) {
            EXPECT_EQ(p[ringStart(ring, 50) + j], roundP[ringStart(ring, 50) + j]);
            EXPECT_EQ(n[ringStart(ring, 50) + j], roundN[ringStart(ring, 50) + j]);
        }
    }
    EXPECT_NE(p[ringStart(3, 50)], roundP[ringStart(3, 50)]);
}

// The spine bends along a circle in the XY plane towards -X; the top ring's
// local up axis follows the bend.
TEST(BodyMesh, BendMovesAndTurnsTheTopRing) {
    const float R90 = 200 / (kPi / 2);
    const float R180 = 200 / kPi;
    const struct {
        const char* name;
        float angle;
        Vec3f axis;
        Vec3f centre, up;
    } cases[] = {
        {"straight", 0, {0, 0, 1}, {0, 200, 0}, {0, 1, 0}},
        {"90 degrees", 90, {0, 0, 1}, {-R90, R90, 0}, {-1, 0, 0}},
        {"180 degrees", 180, {0, 0, 1}, {-2 * R180, 0, 0}, {0, -1, 0}},
        {"axis length ignored", 90, {0, 0, 5}, {-R90, R90, 0}, {-1, 0, 0}},
        // Only the orientation follows the axis; the spine stays in XY.
        {"axis along X", 90, {1, 0, 0}, {-R90, R90, 0}, {0, 0, 1}},
        // A zero-length axis falls back to the default +Z.
        {"zero axis", 90, {0, 0, 0}, {-R90, R90, 0}, {-1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.bendAngle = c.angle;
        model.bendAxis = c.axis;
        const AnemoneModel::Frame frame = model.topFrame();
        expectVecNear(frame.centre, c.centre, 2e-3f);
        expectVecNear(frame.orientation.rotate(Vec3f(0, 1, 0)), c.up, 1e-5f);

        // buildBody() puts the top ring on the same frame: the mean of its
        // distinct vertices is the centre.
        model.waveSize = 0;
        model.rebuild();
        Vec3f sum;
        for (size_t j = 0; j < 50; ++j) {
            sum += model.getBodyMesh().getVertices()[ringStart(20, 50) + j];
        }
        expectVecNear(sum / 50.0f, frame.centre, 2e-3f);
        EXPECT_TRUE(allFinite(model));
    }
}

// N = 5: the dome starts at i = 2 (alpha = 72 degrees), below the ellipsoid's
// equator, with a ring smaller than the top ring and normals leaning down.
TEST(BodyMesh, OddHeightSegmentsStartTheDomeBelowItsEquator) {
    AnemoneModel model;
    model.heightSegments = 5;
    model.rebuild();
    const size_t first = domeRingStart(0, 50, 5);
    const float alpha = 2 * kPi / 5;
    const Vec3f& p = model.getBodyMesh().getVertices()[first + 10];
    EXPECT_NEAR(p.y, 200 + 17.5f * (1 - std::cos(alpha)), 1e-3f);
    EXPECT_NEAR(horizontalDistance(p), 70 * std::sin(alpha), 1e-3f);
    EXPECT_LT(horizontalDistance(p), 70);
    EXPECT_LT(model.getBodyMesh().getNormals()[first + 10].y, 0);
    EXPECT_NEAR(model.getBodyMesh().getTexCoords()[first].y, 2 / 5.0f, 1e-6f);
}

// N = 1: dome ring 0 has radius 0 at the top ring's centre and does not
// connect, so the body is open at the top.
TEST(BodyMesh, SingleHeightSegmentLeavesTheTopOpen) {
    AnemoneModel model;
    model.heightSegments = 1;
    model.rebuild();
    const auto& positions = model.getBodyMesh().getVertices();
    const size_t domeStart = domeRingStart(0, 50, 1);
    for (size_t j = 0; j <= 50; ++j) {
        expectVecNear(positions[domeStart + j], Vec3f(0, 200, 0), 1e-4f);
    }
    const size_t topRing = ringStart(1, 50);
    const auto& indices = model.getBodyMesh().getIndices();
    for (size_t t = 0; t < indices.size(); t += 3) {
        bool touchesTopRing = false;
        bool touchesDome = false;
        for (size_t k = t; k < t + 3; ++k) {
            touchesTopRing |= indices[k] >= topRing && indices[k] < domeStart;
            touchesDome |= indices[k] >= domeStart;
        }
        EXPECT_FALSE(touchesTopRing && touchesDome) << "triangle " << t / 3;
    }
}

// theta = 0 and 2 pi: the two vertices of every ring coincide.
TEST(BodyMesh, OneRadialSegmentGivesCoincidentRingVertices) {
    AnemoneModel model;
    model.radialSegments = 1;
    model.rebuild();
    const auto& positions = model.getBodyMesh().getVertices();
    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        expectVecNear(positions[ringStart(i, 1)], positions[ringStart(i, 1) + 1], 1e-3f);
    }
}

TEST(BodyMesh, HeightsAreRingCentreHeights) {
    AnemoneModel model;
    model.buildBody();
    ASSERT_EQ(model.bodyHeights.size(), 1684u);
    EXPECT_EQ(model.bodyHeights[soleCentre(50)], 0.0f);
    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(model.bodyHeights[ringStart(i, 50) + 25], 10.0f * i, 1e-4f);
    }
    // Dome rings carry their own centre's height; the pole is the highest.
    EXPECT_NEAR(model.bodyHeights[domeRingStart(0, 50, 20)], 217.5f, 1e-3f);
    EXPECT_NEAR(model.bodyHeights[domeRingStart(10, 50, 20) + 3], 235.0f, 1e-3f);
}

// Without tentacles the body's highest point (the pole at 235) becomes 1.
TEST(BodyMesh, RebuildWithoutTentaclesNormalisesHeightsByTheBodyTop) {
    AnemoneModel model;
    model.hairInLine = 0;
    model.rebuild();
    EXPECT_NEAR(model.maxBodyHeight, 235.0f, 1e-3f);
    EXPECT_EQ(model.bodyHeights[soleCentre(50)], 0.0f);
    EXPECT_NEAR(model.bodyHeights[ringStart(20, 50)], 200 / 235.0f, 1e-6f);
    EXPECT_FLOAT_EQ(*std::max_element(model.bodyHeights.begin(), model.bodyHeights.end()), 1.0f);
}

// A body of no height and no dome has no positive top to divide by; 0 / 0
// must not reach the heights.
TEST(BodyMesh, HeightsStayUnscaledWithoutAPositiveTop) {
    AnemoneModel model;
    model.bodyHeight = 0;
    model.topRadius = 0;
    model.rebuild();
    EXPECT_EQ(model.maxBodyHeight, 0.0f);
    for (float h : model.bodyHeights) {
        EXPECT_EQ(h, 0.0f);
    }
}

// Right-hand normals point out: down on the sole, away from the axis on the
// wall, away from the ellipsoid's centre on the dome.
TEST(BodyMesh, TrianglesAreCounterClockwiseFromOutside) {
    AnemoneModel model;
    model.rebuild();
    const TriangleMesh& mesh = model.getBodyMesh();
    const size_t n = 50;
    const size_t wallEnd = n + 2 * n * 20;
    for (size_t t = 0; t < mesh.getNumTriangles(); ++t) {
        SCOPED_TRACE(t);
        const Vec3f normal = faceNormal(mesh, t);
        if (normal.length() < 1e-3f) {
            continue;  // slivers at the pole
        }
        Vec3f a, b, c;
        mesh.getTriangleVertices(t, &a, &b, &c);
        const Vec3f centroid = (a + b + c) / 3.0f;
        if (t < n) {
            EXPECT_LT(normal.y, 0);
        } else if (t < wallEnd) {
            EXPECT_GT(normal.dot(Vec3f(centroid.x, 0, centroid.z)), 0);
        } else {
            EXPECT_GT(normal.dot(centroid - Vec3f(0, 217.5f, 0)), 0);
        }
    }
}

// Ring 0 keeps the bottom radius instead of 0 / 0; every other ring is on the
// way from the waist (at the sole) to the top: 60 + 10 i / 20.
TEST(BodyMesh, WaistAtTheSole) {
    AnemoneModel model;
    model.middleHeight = 0;
    model.waveSize = 0;
    model.rebuild();
    ASSERT_TRUE(allFinite(model));
    const auto& positions = model.getBodyMesh().getVertices();
    const struct {
        int ring;
        float radius;
    } cases[] = {{0, 100}, {1, 60.5f}, {10, 65}, {20, 70}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ring);
        EXPECT_NEAR(horizontalDistance(positions[ringStart(c.ring, 50) + 3]), c.radius, 1e-3f);
    }
}

// Every combination of extreme shape values the panel can deliver (and a few
// it cannot) keeps NaN and infinity out of the mesh.
TEST(BodyMesh, ExtremeParametersGiveFiniteGeometry) {
    // One model for every combination: a rebuild starts from empty arrays, and
    // each model would otherwise set up a physics world of its own.
    AnemoneModel model;
    model.hairInLine = 0;  // tentacles: TentacleTubeTest
    int combinations = 0;
    for (int N : {0, 1, 2, 5}) {
        for (int n : {0, 1, 3}) {
            for (float middleHeight : {0.0f, 0.5f, 1.0f}) {
                for (float capScale : {0.0f, 1.0f}) {
                    for (float bend : {0.0f, 1e-40f, 1e-3f, 180.0f}) {
                        for (float height : {0.0f, 0.1f, 200.0f}) {
                            for (Vec3f axis : {Vec3f(0, 0, 1), Vec3f(0, 0, 0)}) {
                                model.heightSegments = N;
                                model.radialSegments = n;
                                model.middleHeight = middleHeight;
                                model.capScale = capScale;
                                model.bendAngle = bend;
                                model.bodyHeight = height;
                                model.bendAxis = axis;
                                model.rebuild();
                                ASSERT_TRUE(allFinite(model))
                                    << "N " << N << " n " << n << " middleHeight " << middleHeight
                                    << " capScale " << capScale << " bend " << bend << " H "
                                    << height << " axis " << axis.z;
                                ++combinations;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(combinations, 4 * 3 * 3 * 2 * 4 * 3 * 2);  // the loops ran to the end

    const struct {
        const char* name;
        void (*apply)(AnemoneModel&);
    } cases[] = {
        {"no radii", [](AnemoneModel& m) { m.bottomRadius = m.topRadius = m.middleRadius = 0; }},
        {"minimum radii", [](AnemoneModel& m) { m.bottomRadius = m.middleRadius = 0.1f; }},
        {"sole clamp 0", [](AnemoneModel& m) { m.soleClamp = 0; }},
        {"sole clamp 1, big waves",
         [](AnemoneModel& m) {
             m.soleClamp = 1;
             m.waveSize = 50;
             m.numWaves = 20;
         }},
        {"no waves", [](AnemoneModel& m) { m.numWaves = 0; }},
        {"tall", [](AnemoneModel& m) { m.bodyHeight = 1e6f; }},
        {"many segments",
         [](AnemoneModel& m) {
             m.radialSegments = 1001;
             m.heightSegments = 301;
         }},
        {"tiny axis",
         [](AnemoneModel& m) {
             m.bendAngle = 45;
             m.bendAxis = Vec3f(1e-30f, 0, 0);
         }},
        {"huge axis",
         [](AnemoneModel& m) {
             m.bendAngle = 45;
             m.bendAxis = Vec3f(0, 3e38f, 3e38f);
         }},
        {"tiny bend on a tall body",
         [](AnemoneModel& m) {
             m.bendAngle = 1e-30f;
             m.bodyHeight = 1e10f;
         }},
        {"flat cap, odd N",
         [](AnemoneModel& m) {
             m.capScale = 0;
             m.heightSegments = 7;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        c.apply(model);
        model.rebuild();
        EXPECT_TRUE(allFinite(model));
    }
}

TEST(BodyMesh, TinyAndHugeAxesAreNormalised) {
    const struct {
        const char* name;
        Vec3f axis;
        Vec3f up;
    } cases[] = {
        {"tiny", {1e-30f, 0, 0}, {0, 0, 1}},
        {"huge", {0, 0, 3e38f}, {-1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.bendAngle = 90;
        model.bendAxis = c.axis;
        expectVecNear(model.topFrame().orientation.rotate(Vec3f(0, 1, 0)), c.up, 1e-5f);
    }
}

TEST(AnemoneModel, GradientStartValues) {
    const AnemoneModel model;
    ASSERT_EQ(model.gradientColors.size(), 6u);
    ASSERT_EQ(model.gradientStarts.size(), 6u);
    const float starts[] = {0.0f, 0.35f, 0.63f, 0.78f, 0.88f, 1.0f};
    const int bytes[][3] = {{80, 33, 20},   {173, 56, 65},   {238, 128, 157},
                            {249, 152, 92}, {247, 204, 222}, {255, 255, 255}};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(model.gradientStarts[i], starts[i]);
        EXPECT_FLOAT_EQ(model.gradientColors[i].r, bytes[i][0] / 255.0f);
        EXPECT_FLOAT_EQ(model.gradientColors[i].g, bytes[i][1] / 255.0f);
        EXPECT_FLOAT_EQ(model.gradientColors[i].b, bytes[i][2] / 255.0f);
    }
}

TEST(AnemoneModel, ConstructorBuildsNoGeometry) {
    const AnemoneModel model;
    EXPECT_EQ(model.bodyVertexCount(), 0u);
    EXPECT_TRUE(model.bodyHeights.empty());
    EXPECT_EQ(model.maxBodyHeight, 0.0f);
}

}  // namespace
}  // namespace thalorin

namespace {

TEST(ModelDebug, FaceNormalsAreMeanCornerNormalsBodyFirst) {
    thalorin::AnemoneModel model;
    model.rebuild();
    model.computeFaceNormals();
    // 3 150 body triangles, 1 200 per tapered tentacle, 52 tentacles.
    EXPECT_EQ(model.bodyTriangleCount(), 3150u);
    EXPECT_EQ(model.faceNormals.size(), 3150u + 52u * 1200u);
    const auto& mesh = model.getBodyMesh();
    const auto& idx = mesh.getIndices();
    const auto& n = mesh.getNormals();
    for (size_t t : {size_t(0), size_t(1234), size_t(3149)}) {
        const reef::Vec3f expected =
            (n[idx[3 * t]] + n[idx[3 * t + 1]] + n[idx[3 * t + 2]]) * 0.33333334f;
        EXPECT_EQ(model.faceNormals[t], expected) << "triangle " << t;
    }
    const auto& tentacles = model.getTentacleMesh();
    const auto& ti = tentacles.getIndices();
    const auto& tn = tentacles.getNormals();
    const reef::Vec3f firstTentacle = (tn[ti[0]] + tn[ti[1]] + tn[ti[2]]) * 0.33333334f;
    EXPECT_EQ(model.faceNormals[3150], firstTentacle);
}

}  // namespace
