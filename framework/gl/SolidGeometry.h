#pragma once
// Vertex and index generation for the solids the draw functions submit, kept
// free of GL so that counts and positions can be checked without a context.

#include <array>
#include <cstdint>
#include <vector>

#include "framework/math/Vector.h"

namespace reef::gl {

// 24 vertices, four per face in the order +X, +Y, +Z, -X, -Y, -Z, each face
// counter-clockwise seen from outside; 36 indices, two triangles per face.
struct CubeGeometry {
    std::array<Vec3f, 24> positions;
    std::array<Vec3f, 24> normals;
    std::array<Vec2f, 24> texCoords;
    std::array<uint8_t, 36> indices;
};
CubeGeometry makeCube(const Vec3f& center, const Vec3f& size);

// UV sphere: `bands` triangle strips of `verticesPerBand` vertices each, stored
// band after band. Nothing for fewer than two segments.
struct SphereGeometry {
    int bands = 0;
    int verticesPerBand = 0;
    std::vector<Vec3f> positions;
    std::vector<Vec3f> normals;
    std::vector<Vec2f> texCoords;
};
SphereGeometry makeSphere(const Vec3f& center, float radius, int segments);

// Open cylinder or cone standing on the origin along +Y: columns x rings
// vertices (vertex i * rings + j is column i, ring j) and one triangle strip of
// 2 * columns 16-bit indices per gap between rings.
struct CylinderGeometry {
    int rings = 0;
    int columns = 0;
    std::vector<Vec3f> positions;
    std::vector<Vec3f> normals;
    std::vector<Vec2f> texCoords;
    std::vector<uint16_t> indices;
    int strips() const { return rings - 1; }
    int indicesPerStrip() const { return 2 * columns; }
};
CylinderGeometry makeCylinder(float baseRadius, float topRadius, float height, int slices,
                              int stacks);

// A line from start to end with a cone head beyond the end: the cone as a fan
// (apex, then 33 rim points) and its base as a fan (centre, then 33 rim points).
struct ArrowGeometry {
    std::array<Vec3f, 2> line;
    std::array<Vec3f, 34> cone;
    std::array<Vec3f, 34> base;
};
ArrowGeometry makeArrow(const Vec3f& start, const Vec3f& end, float headLength, float headRadius);

}  // namespace reef::gl
