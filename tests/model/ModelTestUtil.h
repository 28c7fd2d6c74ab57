#pragma once
// Helpers shared by the tentacle tests.

#include <gtest/gtest.h>

#include <cmath>

#include "framework/math/Vector.h"
#include "model/AnemoneModel.h"

namespace thalorin {

inline void expectVecNear(const reef::Vec3f& actual, const reef::Vec3f& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Every number in the tentacle mesh and its heights is finite and every index
// refers to a vertex.
inline testing::AssertionResult tentaclesFinite(const AnemoneModel& model) {
    const TriangleMesh& mesh = model.getTentacleMesh();
    const size_t count = mesh.getVertices().size();
    if (mesh.getNormals().size() != count || mesh.getTexCoords().size() != count ||
        model.tentacleHeights.size() != count) {
        return testing::AssertionFailure() << "array sizes differ";
    }
    for (size_t i = 0; i < count; ++i) {
        const reef::Vec3f& p = mesh.getVertices()[i];
        const reef::Vec3f& n = mesh.getNormals()[i];
        const reef::Vec2f& t = mesh.getTexCoords()[i];
        for (float value : {p.x, p.y, p.z, n.x, n.y, n.z, t.x, t.y, model.tentacleHeights[i]}) {
            if (!std::isfinite(value)) {
                return testing::AssertionFailure() << "vertex " << i << " holds " << value;
            }
        }
    }
    for (uint32_t index : mesh.getIndices()) {
        if (index >= count) {
            return testing::AssertionFailure() << "index " << index << " past the vertices";
        }
    }
    for (float h : model.bodyHeights) {
        if (!std::isfinite(h)) {
            return testing::AssertionFailure() << "a body height is " << h;
        }
    }
    if (!std::isfinite(model.ballPosition.x) || !std::isfinite(model.ballPosition.y) ||
        !std::isfinite(model.ballPosition.z)) {
        return testing::AssertionFailure() << "the ball is lost";
    }
    return testing::AssertionSuccess();
}

}  // namespace thalorin
