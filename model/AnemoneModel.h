#pragma once
// The procedural anemone: its shape parameters, the body and tentacle geometry
// with their per-vertex heights, the colour-gradient stops, and the physics
// world whose capsule chains move the tentacles.
// Known limitation: a rebuild limits what it is asked to build (kMaxTentacles
// tentacles, kMaxVertices vertices) and stores the limited counts back.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/math/Color.h"
#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"
#include "model/GeometryTarget.h"
#include "model/RingAngles.h"
#include "model/TentacleSpline.h"
#include "model/TriangleMesh.h"
#include "physics/PhysicsWorld.h"
#include "physics/TentacleChain.h"

namespace thalorin {

class AnemoneModel {
public:
    // Centre and orientation of a body ring.
    struct Frame {
        reef::Vec3f centre;
        reef::Quatf orientation;
    };

    // Largest number of tentacles (capsule chains) a layout may hold. Contact
    // pairs grow with the square of the count on a crowded dome: at this many
    // a physics substep takes about 0.15 s and the world some 300 MB.
    static constexpr size_t kMaxTentacles = 1000;
    // Most vertices a rebuild may make, body and tentacles together; a ring
    // without segments still counts one, for the work of placing it. At this
    // many the model takes some 280 MB and an update about 0.1 s.
    static constexpr size_t kMaxVertices = 2000000;
    // Largest magnitudes the lengths (radii, heights, the tentacles' capsule
    // size) and the fractions and factors (waist height, dome flattening, sole
    // clamp, wave size) are built with: within them every coordinate, and its
    // square, stays well inside the float range.
    static constexpr float kMaxLength = 1e5f;
    static constexpr float kMaxFactor = 100.0f;

    // Sets the defaults and creates the physics world with its ball; builds no geometry.
    AnemoneModel();
    // Destroys the chains before the world they live in.
    ~AnemoneModel();
    // The geometry targets refer to this object's own arrays.
    AnemoneModel(const AnemoneModel&) = delete;
    AnemoneModel& operator=(const AnemoneModel&) = delete;

    // Empties every array and mesh and regenerates the whole model, tentacle
    // chains included (new ones, at rest). First the parameters are brought
    // within what can be built, and stored back: a float parameter that is not
    // a finite number keeps its value of the last rebuild, the others are
    // held to kMaxLength or kMaxFactor, and counts are lowered to fit
    // kMaxTentacles and kMaxVertices, the counts that grew since the last
    // rebuild first.
    void rebuild();
    // Appends the body (rings, sole disc, dome) to the body arrays.
    void buildBody();
    // The top ring (ring heightSegments), computed as buildBody() does.
    Frame topFrame() const;
    // With `recreate`, replaces every chain by new ones placed on the dome; then
    // appends the tube of every chain, from its links' current positions, to
    // the (emptied) tentacle arrays.
    void buildTentacles(bool recreate);
    // One frame: tentacle mesh from the chains as they are, ball position read
    // back, then the water current and a physics step of time - lastUpdateTime.
    // Time that does not move forward (the 'u' key passes 0) steps nothing.
    void update(float time);
    // Pushes every moving link with the water current at `time`.
    void applyCurrent(float time);

    // Refills faceNormals: per triangle the mean of its corner normals (not unit
    // length), body triangles first, then tentacle triangles.
    void computeFaceNormals();

    const std::vector<TentacleChain>& getTentacleChains() const { return tentacleChains_; }
    TentacleChain& getTentacleChain(size_t i) {
        assert(i < tentacleChains_.size() && "chain index past the list");
        return tentacleChains_[i];
    }

    const TriangleMesh& getBodyMesh() const { return bodyMesh_; }
    const TriangleMesh& getTentacleMesh() const { return tentacleMesh_; }
    size_t bodyVertexCount() const { return bodyMesh_.getVertices().size(); }
    size_t bodyTriangleCount() const { return bodyMesh_.getNumTriangles(); }
    size_t tentacleVertexCount() const { return tentacleMesh_.getVertices().size(); }
    size_t tentacleTriangleCount() const { return tentacleMesh_.getNumTriangles(); }

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
    // One per triangle, filled by computeFaceNormals() for the normals view.
    std::vector<reef::Vec3f> faceNormals;
    // Largest body height before normalisation.
    float maxBodyHeight = 0;
    // Time argument of the last update().
    float lastUpdateTime = 0;
    // Declared before the chains, which remove their bodies from it when destroyed.
    PhysicsWorld physicsWorld;

private:
    std::vector<TentacleChain> tentacleChains_;

public:
    // The ball's centre as update() last read it back; the application draws it there.
    reef::Vec3f ballPosition;

private:
    struct Ring {
        Frame frame;
        float v;  // height fraction, also the texture row
        float radius;
    };

    void limitParameters();
    void lowerToFit(int32_t& count, int32_t floor);
    double plannedVertexCount() const;
    bool fitsLimits() const;
    void rememberParameters();

    Ring ringAt(int64_t i) const;
    reef::Vec3f bendUnitAxis() const;
    void normaliseHeights();
    void destroyTentacleChains();
    void placeTentacles();
    int32_t budgetedHairInLine() const;
    int tubeSegments() const;
    void appendTube(const TentacleChain& chain);
    void appendTentacleMesh();

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

    // Scratch curve reused by every tube, so that its arrays keep their capacity.
    TentacleSpline tubeSpline_;
    // Angles of the tube rings, shared by every ring of every tube.
    RingAngles tubeAngles_;

    // The parameters as the last rebuild() took them (the defaults before the
    // first): the float parameters, the bend axis, and radialSegments,
    // heightSegments, hairInLine and numberOfLines.
    std::array<float, 11> builtFloats_{};
    reef::Vec3f builtBendAxis_;
    std::array<int32_t, 4> builtCounts_{};
};

}  // namespace thalorin
