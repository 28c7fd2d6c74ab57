#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/math/Color.h"
#include "framework/math/Vector.h"

namespace thalorin {

// Indexed triangle container drawn from client arrays: positions, normals,
// RGB and RGBA colours, texture coordinates and three 32-bit indices per triangle.
class TriangleMesh {
public:
    void clear();
    void appendPositions(const reef::Vec3f* values, size_t count);
    void appendNormals(const reef::Vec3f* values, size_t count);
    void appendTexCoords(const reef::Vec2f* values, size_t count);
    void appendIndices(const uint32_t* values, size_t count);

    size_t getNumTriangles() const { return indices_.size() / 3; }
    // The three corner positions of triangle t.
    void getTriangleVertices(size_t t, reef::Vec3f* a, reef::Vec3f* b, reef::Vec3f* c) const;

    const std::vector<reef::Vec3f>& getVertices() const { return positions_; }
    const std::vector<reef::Vec3f>& getNormals() const { return normals_; }
    const std::vector<reef::Color>& getColorsRgb() const { return colorsRgb_; }
    const std::vector<reef::ColorA>& getColorsRgba() const { return colorsRgba_; }
    const std::vector<reef::Vec2f>& getTexCoords() const { return texCoords_; }
    const std::vector<uint32_t>& getIndices() const { return indices_; }

private:
    std::vector<reef::Vec3f> positions_;
    std::vector<reef::Vec3f> normals_;
    std::vector<reef::Color> colorsRgb_;
    std::vector<reef::ColorA> colorsRgba_;
    std::vector<reef::Vec2f> texCoords_;
    std::vector<uint32_t> indices_;
};

}  // namespace thalorin
