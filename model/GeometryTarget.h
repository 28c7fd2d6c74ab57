#pragma once

#include <cstdint>
#include <vector>

#include "framework/math/Vector.h"

namespace thalorin {

// The five growable arrays a geometry primitive appends to. One vertex is one
// entry in each of positions, normals, texCoords and heights; indices refer to
// positions of the same target. The arrays must outlive the target.
struct GeometryTarget {
    std::vector<reef::Vec3f>& positions;
    std::vector<reef::Vec3f>& normals;
    std::vector<uint32_t>& indices;
    std::vector<reef::Vec2f>& texCoords;
    std::vector<float>& heights;

    size_t vertexCount() const { return positions.size(); }
    // Empties all five arrays, keeping their capacity.
    void clear() const {
        positions.clear();
        normals.clear();
        indices.clear();
        texCoords.clear();
        heights.clear();
    }
};

}  // namespace thalorin
