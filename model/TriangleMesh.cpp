#include "model/TriangleMesh.h"

namespace thalorin {

void TriangleMesh::clear() {
    positions_.clear();
    normals_.clear();
    colorsRgb_.clear();
    colorsRgba_.clear();
    texCoords_.clear();
    indices_.clear();
}

void TriangleMesh::appendPositions(const reef::Vec3f* values, size_t count) {
    positions_.insert(positions_.end(), values, values + count);
}

void TriangleMesh::appendNormals(const reef::Vec3f* values, size_t count) {
    normals_.insert(normals_.end(), values, values + count);
}

void TriangleMesh::appendTexCoords(const reef::Vec2f* values, size_t count) {
    texCoords_.insert(texCoords_.end(), values, values + count);
}

void TriangleMesh::appendIndices(const uint32_t* values, size_t count) {
    indices_.insert(indices_.end(), values, values + count);
}

void TriangleMesh::getTriangleVertices(size_t t, reef::Vec3f* a, reef::Vec3f* b,
                                       reef::Vec3f* c) const {
    *a = positions_[indices_[t * 3 + 0]];
    *b = positions_[indices_[t * 3 + 1]];
    *c = positions_[indices_[t * 3 + 2]];
}

}  // namespace thalorin
