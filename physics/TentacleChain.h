#pragma once
// One tentacle as five rigid capsules joined by cone-twist joints: the root
// link is static, the other four swing. Creates, owns and destroys its bodies,
// motion states, joints and shape in a PhysicsWorld it does not own.

#include <LinearMath/btQuaternion.h>
#include <LinearMath/btVector3.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/math/Matrix44.h"
#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"

class btCapsuleShape;
class btConeTwistConstraint;
class btRigidBody;
struct btDefaultMotionState;

namespace thalorin {

class PhysicsWorld;

class TentacleChain {
public:
    static constexpr size_t kLinkCount = 5;
    static constexpr float kLinkMass = 5.0f;

    // A link's place in the world: its centre and its rotation (local +Y runs
    // along the capsule).
    struct LinkTransform {
        reef::Vec3f position;
        reef::Quatf orientation;
    };

    // Builds the chain at rest along the root's local +Y and adds it to the
    // world, which must outlive the chain (or its destroy()).
    TentacleChain(const btVector3& rootPosition, const btQuaternion& rootOrientation,
                  PhysicsWorld& world, float radius, float height);
    ~TentacleChain();
    // Moving hands over everything; the source is left empty and destroys nothing.
    TentacleChain(TentacleChain&& other) noexcept;
    TentacleChain& operator=(TentacleChain&& other) noexcept;
    TentacleChain(const TentacleChain&) = delete;
    TentacleChain& operator=(const TentacleChain&) = delete;

    // Removes the joints and links from the world and frees everything owned.
    void destroy();
    // Puts the chain back where the constructor placed it, at rest and without
    // contacts, as a freshly built chain.
    void resetToRest();
    // False when a link's transform or velocity is no longer a finite number,
    // or a link has flown off far beyond the chain's own length.
    bool isSound() const;

    bool empty() const { return links.empty(); }
    size_t linkCount() const { return links.size(); }
    size_t jointCount() const { return joints.size(); }
    float getRadius() const { return radius; }
    // Cylinder length between the capsule's two cap centres.
    float getHeight() const { return height; }
    // Distance between neighbouring link centres at rest: 2 radius + height.
    float getStep() const { return 2.0f * radius + height; }
    const btVector3& getRootPosition() const { return rootPosition; }
    const btQuaternion& getRootOrientation() const { return rootOrientation; }

    // Link k's current world transform; link 0 is the root.
    LinkTransform linkTransform(size_t k) const;
    reef::Vec3f linkCentre(size_t k) const;
    // The same transform as a column-major matrix (rotation columns, origin).
    reef::Matrix44f linkMatrix(size_t k) const;
    btRigidBody& getLink(size_t k) const;
    // Joint k joins link k and link k + 1.
    btConeTwistConstraint& getJoint(size_t k) const;

private:
    void build();

    float radius = 0;
    float height = 0;
    btVector3 rootPosition{0, 0, 0};
    btQuaternion rootOrientation{0, 0, 0, 1};
    // Bodies root first; motionStates[k] belongs to links[k].
    std::vector<std::unique_ptr<btRigidBody>> links;
    std::vector<std::unique_ptr<btDefaultMotionState>> motionStates;
    std::vector<std::unique_ptr<btConeTwistConstraint>> joints;
    std::unique_ptr<btCapsuleShape> shape;
    PhysicsWorld* world = nullptr;
};

}  // namespace thalorin
