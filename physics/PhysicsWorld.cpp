#include "physics/PhysicsWorld.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cassert>
#include <cmath>

namespace thalorin {

static_assert(sizeof(btScalar) == sizeof(float), "the rigid-body library must use floats");

namespace {

const btVector3 kBallStart(150, 300, 0);

bool isFinite(const btVector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

bool isFinite(const btTransform& t) {
    const btMatrix3x3& basis = t.getBasis();
    return isFinite(t.getOrigin()) && isFinite(basis[0]) && isFinite(basis[1]) &&
           isFinite(basis[2]);
}

}  // namespace

PhysicsWorld::PhysicsWorld() = default;

PhysicsWorld::~PhysicsWorld() {
    assert((!world || (world->getNumConstraints() == 0 && world->getNumCollisionObjects() <= 1)) &&
           "tentacle chains must be destroyed before their world");
}

void PhysicsWorld::createWorld() {
    assert(!world && "createWorld() runs once");
    broadphase.reset(new btDbvtBroadphase());

    btDefaultCollisionConstructionInfo info;
    info.m_persistentManifoldPool = nullptr;
    info.m_collisionAlgorithmPool = nullptr;
    info.m_defaultMaxPersistentManifoldPoolSize = 4096;
    info.m_defaultMaxCollisionAlgorithmPoolSize = 4096;
    info.m_customCollisionAlgorithmMaxElementSize = 0;
    info.m_useEpaPenetrationAlgorithm = true;
    collisionConfiguration.reset(new btDefaultCollisionConfiguration(info));

    dispatcher.reset(new btCollisionDispatcher(collisionConfiguration.get()));
    solver.reset(new btSequentialImpulseConstraintSolver());
    world.reset(new btDiscreteDynamicsWorld(dispatcher.get(), broadphase.get(), solver.get(),
                                            collisionConfiguration.get()));
    world->setGravity(btVector3(0, kGravity, 0));

    ballShape.reset(new btSphereShape(kBallRadius));
    ballMotionState.reset(new btDefaultMotionState(
        btTransform(btQuaternion(0, 0, 0, 1), kBallStart), btTransform::getIdentity()));
    ballMass = kBallMass;
    ballShape->calculateLocalInertia(ballMass, ballInertia);
    btRigidBody::btRigidBodyConstructionInfo ballInfo(ballMass, ballMotionState.get(),
                                                      ballShape.get(), ballInertia);
    ballBody.reset(new btRigidBody(ballInfo));
    world->addRigidBody(ballBody.get());
}

void PhysicsWorld::placeBall() {
    ballBody->setWorldTransform(btTransform(btQuaternion(0, 0, 0, 1), kBallStart));
    ballBody->setLinearVelocity(btVector3(0, 0, 0));
}

void PhysicsWorld::throwBall() {
    assert(ballBody && "throwBall() needs createWorld() first");
    placeBall();
    ballBody->applyCentralImpulse(btVector3(-200000, 50, 0));
    // A ball that came to rest may have been put to sleep; the throw must move it.
    ballBody->activate(true);
}

int PhysicsWorld::stepSimulation(float dt) {
    if (!(dt > 0.0f)) {
        return 0;
    }
    // One substep's worth above the cap, so that float rounding cannot leave the
    // library a hair short of its ten; it drops whatever it cannot do.
    dt = std::min(dt, static_cast<float>(kMaxSubSteps + 1) * kFixedTimeStep);
    return world->stepSimulation(dt, kMaxSubSteps, kFixedTimeStep);
}

void PhysicsWorld::dropOverlappingPairs() {
    btOverlappingPairCache* cache = broadphase->getOverlappingPairCache();
    btBroadphasePairArray& pairs = cache->getOverlappingPairArray();
    // From the back, so that no removal has to move another pair.
    while (pairs.size() > 0) {
        const btBroadphasePair& pair = pairs[pairs.size() - 1];
        cache->removeOverlappingPair(pair.m_pProxy0, pair.m_pProxy1, dispatcher.get());
    }
}

reef::Vec3f PhysicsWorld::ballMotionPosition() const {
    btTransform transform;
    ballMotionState->getWorldTransform(transform);
    const btVector3& origin = transform.getOrigin();
    return reef::Vec3f(origin.x(), origin.y(), origin.z());
}

bool PhysicsWorld::resetBallIfBroken() {
    btTransform shown;
    ballMotionState->getWorldTransform(shown);
    if (isFinite(ballBody->getWorldTransform()) && isFinite(ballBody->getLinearVelocity()) &&
        isFinite(ballBody->getAngularVelocity()) && isFinite(shown)) {
        return false;
    }
    // Leaving and re-entering the world drops the ball's contacts, whose
    // remembered impulses would carry the NaN back in.
    world->removeRigidBody(ballBody.get());
    const btTransform start(btQuaternion(0, 0, 0, 1), kBallStart);
    placeBall();
    ballBody->setInterpolationWorldTransform(start);
    ballBody->setAngularVelocity(btVector3(0, 0, 0));
    ballBody->setInterpolationLinearVelocity(btVector3(0, 0, 0));
    ballBody->setInterpolationAngularVelocity(btVector3(0, 0, 0));
    ballBody->clearForces();
    ballMotionState->setWorldTransform(start);
    world->addRigidBody(ballBody.get());
    return true;
}

}  // namespace thalorin
