#include "physics/TentacleChain.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

#include "physics/PhysicsWorld.h"

namespace thalorin {

namespace {

// A link this many chain lengths away from its root has been thrown off by a
// blown-up solve; no joint stretches that far.
constexpr float kFlownOffChainLengths = 100.0f;

// Smallest inertia about a link's own axis, as a share of that across it.
constexpr float kMinAxialInertiaRatio = 1e-4f;

bool isFinite(const btVector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

}  // namespace

TentacleChain::TentacleChain(const btVector3& rootPosition_, const btQuaternion& rootOrientation_,
                             PhysicsWorld& world_, float radius_, float height_)
    : radius(radius_),
      height(height_),
      rootPosition(rootPosition_),
      rootOrientation(rootOrientation_),
      world(&world_) {
    assert(world->getDynamicsWorld() && "the world must be created before its chains");
    // A zero or broken rotation would turn every link transform into NaN.
    const float lengthSquared = rootOrientation.length2();
    if (!(lengthSquared > 0.0f) || !std::isfinite(lengthSquared)) {
        rootOrientation = btQuaternion(0, 0, 0, 1);
    }
    build();
}

TentacleChain::~TentacleChain() {
    destroy();
}

TentacleChain::TentacleChain(TentacleChain&& other) noexcept
    : radius(other.radius),
      height(other.height),
      rootPosition(other.rootPosition),
      rootOrientation(other.rootOrientation),
      links(std::move(other.links)),
      motionStates(std::move(other.motionStates)),
      joints(std::move(other.joints)),
      shape(std::move(other.shape)),
      world(other.world) {
    // A moved-from vector is only "valid"; make the source's emptiness certain.
    other.links.clear();
    other.motionStates.clear();
    other.joints.clear();
    other.world = nullptr;
}

TentacleChain& TentacleChain::operator=(TentacleChain&& other) noexcept {
    if (this != &other) {
        destroy();
        radius = other.radius;
        height = other.height;
        rootPosition = other.rootPosition;
        rootOrientation = other.rootOrientation;
        links = std::move(other.links);
        motionStates = std::move(other.motionStates);
        joints = std::move(other.joints);
        shape = std::move(other.shape);
        world = other.world;
        other.links.clear();
        other.motionStates.clear();
        other.joints.clear();
        other.world = nullptr;
    }
    return *this;
}

void TentacleChain::build() {
    btDiscreteDynamicsWorld* dynamics = world->getDynamicsWorld();
    const float step = getStep();

    shape.reset(new btCapsuleShape(radius, height));
    btVector3 inertia(0, 0, 0);
    shape->calculateLocalInertia(kLinkMass, inertia);
    // A slender capsule has next to no inertia about its own axis; the solver
    // diverges once the inertia across is some 10^7 times larger (a capsule
    // about 1 000 times longer than its radius). The ratio is held to 10^4,
    // which leaves every capsule shorter than about 280 radii as it is.
    const float across = std::max(inertia.x(), inertia.z());
    inertia.setY(std::max(inertia.y(), across * kMinAxialInertiaRatio));

    btTransform transform(rootOrientation, rootPosition);
    links.reserve(kLinkCount);
    motionStates.reserve(kLinkCount);
    for (size_t k = 0; k < kLinkCount; ++k) {
        motionStates.emplace_back(new btDefaultMotionState(transform, btTransform::getIdentity()));
        // The root is static (mass 0) yet gets the inertia of a moving link.
        const float mass = k == 0 ? 0.0f : kLinkMass;
        btRigidBody::btRigidBodyConstructionInfo info(mass, motionStates.back().get(), shape.get(),
                                                      inertia);
        links.emplace_back(new btRigidBody(info));
        btRigidBody* body = links.back().get();
        // 2.05 down to 1.05; the library clamps damping into [0, 1].
        body->setDamping(static_cast<float>(5 - static_cast<int>(k)) / 6.0f * 1.5f + 0.8f, 0.3f);
        // The library puts a slow island to sleep, and a sleeping body ignores
        // the water current's forces: the tentacle would hang frozen until the
        // ball struck it. The current pushes every frame, so the links stay awake.
        if (k > 0) {
            body->setActivationState(DISABLE_DEACTIVATION);
        }
        dynamics->addRigidBody(body);
        transform.setOrigin(transform.getOrigin() + transform.getBasis() * btVector3(0, step, 0));
    }

    // Each pivot sits 1 unit beyond its capsule's end, so at rest the joint
    // pulls its two links 2 units into each other.
    const float pivot = step / 2.0f + 1.0f;
    const btTransform frameA(btQuaternion(0, 0, 0, 1), btVector3(0, pivot, 0));
    const btTransform frameB(btQuaternion(0, 0, 0, 1), btVector3(0, -pivot, 0));
    joints.reserve(kLinkCount - 1);
    for (size_t k = 0; k + 1 < kLinkCount; ++k) {
        joints.emplace_back(new btConeTwistConstraint(*links[k], *links[k + 1], frameA, frameB));
        // 0.09 pi at the root up to 0.27 pi at the tip.
        const float fraction =
            (1.0f - static_cast<float>(4 - static_cast<int>(k)) / 5.0f + 0.1f) * 0.6f;
        const float swing = static_cast<float>(fraction * 1.5707963705062866);
        joints.back()->setLimit(swing, swing, 0.0f, 1.0f, 0.3f, 1.0f);
        // Joined links still collide with each other.
        dynamics->addConstraint(joints.back().get(), false);
    }
}

void TentacleChain::destroy() {
    if (world != nullptr) {
        btDiscreteDynamicsWorld* dynamics = world->getDynamicsWorld();
        for (const auto& joint : joints) {
            dynamics->removeConstraint(joint.get());
        }
        for (const auto& link : links) {
            dynamics->removeRigidBody(link.get());
        }
    }
    // Joints refer to the bodies, the bodies to the shape: free in that order.
    joints.clear();
    links.clear();
    motionStates.clear();
    shape.reset();
}

void TentacleChain::resetToRest() {
    if (world == nullptr) {
        return;
    }
    // Rebuilding from scratch also drops the links' contacts, whose remembered
    // impulses would otherwise carry a blown-up state into the next step.
    destroy();
    build();
}

bool TentacleChain::isSound() const {
    // Negative dimensions give a negative step: the chain then reaches the other way.
    const float reach =
        kFlownOffChainLengths * static_cast<float>(kLinkCount) * (std::fabs(getStep()) + 2.0f);
    for (const auto& link : links) {
        const btTransform& transform = link->getWorldTransform();
        const btMatrix3x3& basis = transform.getBasis();
        if (!isFinite(transform.getOrigin()) || !isFinite(basis[0]) || !isFinite(basis[1]) ||
            !isFinite(basis[2]) || !isFinite(link->getLinearVelocity()) ||
            !isFinite(link->getAngularVelocity())) {
            return false;
        }
        if (!((transform.getOrigin() - rootPosition).length() <= reach)) {
            return false;
        }
    }
    return true;
}

TentacleChain::LinkTransform TentacleChain::linkTransform(size_t k) const {
    assert(k < links.size() && "link index past the chain");
    const btTransform& transform = links[k]->getWorldTransform();
    const btVector3& origin = transform.getOrigin();
    const btQuaternion rotation = transform.getRotation();
    return {reef::Vec3f(origin.x(), origin.y(), origin.z()),
            reef::Quatf(rotation.x(), rotation.y(), rotation.z(), rotation.w())};
}

reef::Vec3f TentacleChain::linkCentre(size_t k) const {
    assert(k < links.size() && "link index past the chain");
    const btVector3& origin = links[k]->getWorldTransform().getOrigin();
    return reef::Vec3f(origin.x(), origin.y(), origin.z());
}

reef::Matrix44f TentacleChain::linkMatrix(size_t k) const {
    assert(k < links.size() && "link index past the chain");
    reef::Matrix44f matrix;
    links[k]->getWorldTransform().getOpenGLMatrix(matrix.m.data());
    return matrix;
}

btRigidBody& TentacleChain::getLink(size_t k) const {
    assert(k < links.size() && "link index past the chain");
    return *links[k];
}

btConeTwistConstraint& TentacleChain::getJoint(size_t k) const {
    assert(k < joints.size() && "joint index past the chain");
    return *joints[k];
}

}  // namespace thalorin
