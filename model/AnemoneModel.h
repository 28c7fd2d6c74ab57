#pragma once
// The procedural anemone: its shape parameters, the body and tentacle geometry
// with their per-vertex heights, and the colour-gradient stops.
// Known limitation: tentacles are not generated yet, so the tentacle arrays and
// mesh stay empty and heights are normalised by the body's own top.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/math/Color.h"
#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"
#include "model/GeometryTarget.h"
#include "model/TriangleMesh.h"

namespace thalorin {

class AnemoneModel {
public:
    // Centre and orientation of a body ring.
    struct Frame {
        reef::Vec3f centre;
        reef::Quatf orientation;
    };

    AnemoneModel();
    // The geometry targets refer to this object's own arrays.
    AnemoneModel(const AnemoneModel&) = delete;
    AnemoneModel& operator=(const AnemoneModel&) = delete;

    // Empties every array and mesh and regenerates the whole model.
    void rebuild();
    // Appends the body (rings, sole disc, dome) to the body arrays.
    void buildBody();
    // The top ring (ring heightSegments), computed as buildBody() does.
    Frame topFrame() const;

    const TriangleMesh& getBodyMesh() const { return bodyMesh_; }
    const TriangleMesh& getTentacleMesh() const { return tentacleMesh_; }
    size_t bodyVertexCount() const { return bodyMesh_.getVertices().size(); }
    size_t bodyTriangleCount() const { return bodyMesh_.getNumTriangles(); }

    float bottomRadius = 100;
    float topRadius = 70;
    float bodyHeight = 200;  // arc length of the spine when bent
    float middleRadius = 60;
    float middleHeight = 0.9f;  // waist position as a fraction of bodyHeight
    int32_t radialSegments = 50;
    int32_t heightSegments = 20;
    int32_t numWaves = 10;
    float waveSize = 0.1f;
    float soleClamp = 0.2f;  // height fraction up to which the sole waves reach
    int32_t hairInLine = 20;
    int32_t numberOfLines = 4;
    float hairRadius = 5;
    float hairHeight = 10;
    bool hairCylindrical = false;
    float bendAngle = 0;  // degrees
    reef::Vec3f bendAxis{0, 0, 1};
    float capScale = 0.25f;  // dome height = 2 * capScale * topRadius
    bool viewNormals = false;
    bool viewTriangles = false;
    bool viewModel = true;
    bool viewHair = true;
    float normalsLength = 10;

    std::vector<reef::Color> gradientColors;
    std::vector<float> gradientStarts;

    // Per-vertex heights: 0 at the sole, 1 at the top after rebuild().
    std::vector<float> bodyHeights;
    std::vector<float> tentacleHeights;
    // Largest body height before normalisation.
    float maxBodyHeight = 0;

private:
    struct Ring {
        Frame frame;
        float v;  // height fraction, also the texture row
        float radius;
    };

    Ring ringAt(int64_t i) const;
    reef::Vec3f bendUnitAxis() const;
    void buildTentacles(bool recreate);
    void normaliseHeights();

    std::vector<reef::Vec3f> bodyPositions_;
    std::vector<reef::Vec3f> bodyNormals_;
    std::vector<uint32_t> bodyIndices_;
    std::vector<reef::Vec2f> bodyTexCoords_;
    std::vector<reef::Vec3f> tentaclePositions_;
    std::vector<reef::Vec3f> tentacleNormals_;
    std::vector<uint32_t> tentacleIndices_;
    std::vector<reef::Vec2f> tentacleTexCoords_;

    TriangleMesh bodyMesh_;
    TriangleMesh tentacleMesh_;

    // Declared after the arrays they refer to.
    GeometryTarget bodyTarget_;
    GeometryTarget tentacleTarget_;
};

}  // namespace thalorin
