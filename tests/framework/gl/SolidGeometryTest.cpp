// Vertex and index generation of the solids, checked without a GL context.

#include "framework/gl/SolidGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace reef::gl {
namespace {

float distance(const Vec3f& a, const Vec3f& b) {
    return (a - b).length();
}

TEST(SolidGeometry, SphereBandsAndVertices) {
    const struct {
        const char* name;
        int segments;
        int bands;
        int verticesPerBand;
    } cases[] = {
        {"twelve segments: 6 bands of 26", 12, 6, 26},
        {"thirty segments: 15 bands of 62", 30, 15, 62},
        {"odd count rounds the bands down", 7, 3, 16},
        {"negative count draws nothing", -4, 0, 0},
    };
    const Vec3f center(1, 2, 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SphereGeometry sphere = makeSphere(center, 10.0f, c.segments);
        EXPECT_EQ(sphere.bands, c.bands);
        EXPECT_EQ(sphere.verticesPerBand, c.verticesPerBand);
        const size_t total = static_cast<size_t>(c.bands) * c.verticesPerBand;
        ASSERT_EQ(sphere.positions.size(), total);
        ASSERT_EQ(sphere.normals.size(), total);
        ASSERT_EQ(sphere.texCoords.size(), total);
        for (size_t i = 0; i < total; ++i) {
            EXPECT_NEAR(distance(sphere.positions[i], center), 10.0f, 1e-3f);
            EXPECT_NEAR(sphere.normals[i].length(), 1.0f, 1e-5f);
        }
    }
}

TEST(SolidGeometry, SphereStartsAtTheSouthPole) {
    // Band 0, j = 0: theta1 = -pi/2, so the first vertex is the bottom point
    // with texture coordinate (0.999, 0.999); the second lies one band up.
    const SphereGeometry sphere = makeSphere(Vec3f(0, 0, 0), 2.0f, 12);
    EXPECT_NEAR(sphere.positions[0].y, -2.0f, 1e-4f);
    EXPECT_FLOAT_EQ(sphere.texCoords[0].x, 0.999f);
    EXPECT_FLOAT_EQ(sphere.texCoords[0].y, 0.999f);
    EXPECT_FLOAT_EQ(sphere.texCoords[1].y, 0.999f - 2.0f / 12.0f);
    // The last band ends at the north pole.
    EXPECT_NEAR(sphere.positions.back().y, 2.0f, 1e-4f);
}

TEST(SolidGeometry, CylinderStripsAndIndices) {
    const struct {
        const char* name;
        int slices, stacks;
        int columns, rings;
    } cases[] = {
        {"12 slices, 1 stack: 13 columns and 2 rings", 12, 1, 13, 2},
        {"3 stacks: 4 rings", 12, 3, 13, 4},
        {"too few slices: 4 columns", 1, 0, 4, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CylinderGeometry cylinder = makeCylinder(5.0f, 5.0f, 40.0f, c.slices, c.stacks);
        EXPECT_EQ(cylinder.columns, c.columns);
        EXPECT_EQ(cylinder.rings, c.rings);
        EXPECT_EQ(cylinder.positions.size(), static_cast<size_t>(c.columns * c.rings));
        EXPECT_EQ(cylinder.strips(), c.rings - 1);
        EXPECT_EQ(cylinder.indicesPerStrip(), 2 * c.columns);
        EXPECT_EQ(cylinder.indices.size(), static_cast<size_t>((c.rings - 1) * 2 * c.columns));
    }

    // One strip of 26 indices zig-zagging between ring 0 and ring 1.
    const CylinderGeometry cylinder = makeCylinder(5.0f, 5.0f, 40.0f, 12, 1);
    ASSERT_EQ(cylinder.indices.size(), 26u);
    for (uint16_t k = 0; k < 26; ++k) {
        EXPECT_EQ(cylinder.indices[k], k);
    }
    EXPECT_FLOAT_EQ(cylinder.positions[0].y, 0.0f);
    EXPECT_FLOAT_EQ(cylinder.positions[1].y, 40.0f);
    EXPECT_FLOAT_EQ(cylinder.positions[0].x, 5.0f);
}

TEST(SolidGeometry, ConeNarrowsTowardsTheTop) {
    const CylinderGeometry cone = makeCylinder(4.0f, 0.0f, 10.0f, 12, 2);
    // Column 0 (angle 0): rings at v = 0, 0.5, 1.
    EXPECT_FLOAT_EQ(cone.positions[0].x, 4.0f);
    EXPECT_FLOAT_EQ(cone.positions[1].x, 2.0f);
    EXPECT_FLOAT_EQ(cone.positions[2].x, 0.0f);
    EXPECT_FLOAT_EQ(cone.positions[2].y, 10.0f);
    EXPECT_FLOAT_EQ(cone.texCoords[2].y, 0.0f);
}

TEST(SolidGeometry, CubeFacesPointOutwardsAndWindCounterClockwise) {
    const Vec3f center(10, 0, -5);
    const Vec3f size(1000, 1, 1000);
    const CubeGeometry cube = makeCube(center, size);
    const Vec3f expectedNormals[6] = {{1, 0, 0},  {0, 1, 0},  {0, 0, 1},
                                      {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(f);
        for (int v = 0; v < 4; ++v) {
            const int i = f * 4 + v;
            EXPECT_EQ(cube.normals[i], expectedNormals[f]);
            const Vec3f offset = cube.positions[i] - center;
            EXPECT_FLOAT_EQ(std::fabs(offset.x), 500.0f);
            EXPECT_FLOAT_EQ(std::fabs(offset.y), 0.5f);
            EXPECT_FLOAT_EQ(std::fabs(offset.z), 500.0f);
            // On the face's own side.
            EXPECT_GT(offset.dot(expectedNormals[f]), 0.0f);
            EXPECT_GE(cube.texCoords[i].x, 0.0f);
            EXPECT_LE(cube.texCoords[i].x, 1.0f);
        }
        for (int t = 0; t < 2; ++t) {
            const Vec3f& a = cube.positions[cube.indices[f * 6 + t * 3]];
            const Vec3f& b = cube.positions[cube.indices[f * 6 + t * 3 + 1]];
            const Vec3f& c = cube.positions[cube.indices[f * 6 + t * 3 + 2]];
            EXPECT_GT((b - a).cross(c - a).dot(expectedNormals[f]), 0.0f);
        }
    }
}

TEST(SolidGeometry, ArrowHeadSitsBeyondTheEndWhateverTheDirection) {
    const struct {
        const char* name;
        Vec3f start, end;
    } cases[] = {
        {"up", {0, 0, 0}, {0, 5, 0}},
        {"straight down", {0, 5, 0}, {0, 0, 0}},
        {"along x", {1, 1, 1}, {4, 1, 1}},
        {"diagonal", {0, 0, 0}, {3, -4, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ArrowGeometry arrow = makeArrow(c.start, c.end, 0.2f, 0.05f);
        const Vec3f axis = (c.end - c.start).normalized();
        EXPECT_EQ(arrow.line[0], c.start);
        EXPECT_EQ(arrow.line[1], c.end);
        EXPECT_NEAR(distance(arrow.cone[0], c.end + axis * 0.2f), 0.0f, 1e-5f);
        EXPECT_EQ(arrow.base[0], c.end);
        for (int k = 1; k < 34; ++k) {
            const Vec3f rim = arrow.cone[k] - c.end;
            EXPECT_NEAR(rim.length(), 0.05f, 1e-5f);
            EXPECT_NEAR(rim.dot(axis), 0.0f, 1e-5f);
            EXPECT_NEAR(distance(arrow.base[k], c.end), 0.05f, 1e-5f);
        }
        // The rim closes: k = 32 meets k = 0.
        EXPECT_NEAR(distance(arrow.cone[1], arrow.cone[33]), 0.0f, 1e-5f);
    }
}

}  // namespace
}  // namespace reef::gl
