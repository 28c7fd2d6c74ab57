#pragma once
// The rigid-body world the tentacles live in, and the heavy ball the user
// throws through them. Owns every world object it creates.

#include <LinearMath/btVector3.h>

#include <memory>

#include "framework/math/Vector.h"

class btCollisionDispatcher;
class btDbvtBroadphase;
class btDefaultCollisionConfiguration;
class btDiscreteDynamicsWorld;
class btRigidBody;
class btSequentialImpulseConstraintSolver;
class btSphereShape;
struct btDefaultMotionState;

namespace thalorin {

class PhysicsWorld {
public:
    static constexpr float kBallRadius = 30.0f;
    static constexpr float kBallMass = 2000.0f;
    static constexpr float kGravity = -25.0f;
    static constexpr int kMaxSubSteps = 10;
    static constexpr float kFixedTimeStep = 0.016666668f;

    // Empty until createWorld().
    PhysicsWorld();
    // Every tentacle chain must have been destroyed before: the world only
    // removes the ball's broadphase entry.
    ~PhysicsWorld();
    // Chains keep a pointer to their world.
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Builds the world with gravity (0, -25, 0) and adds the ball at its start.
    void createWorld();
    // Puts the ball back at its start and sends it across the anemone towards -X.
    void throwBall();
    // Advances the world by dt in fixed 1/60 s substeps, at most ten of them.
    // Nothing happens for a dt that is not positive; a dt longer than the ten
    // substeps cover is cut to them, as the library would drop the rest anyway.
    int stepSimulation(float dt);

    // Forgets every overlapping pair (and its contacts) at once. The library
    // searches all pairs whenever a body leaves, so emptying a crowded world
    // body by body costs bodies x pairs; after this each removal finds none.
    // Only for use just before every body but the ball leaves: pairs between
    // bodies that stay and do not move would not be found again.
    void dropOverlappingPairs();

    // Origin of the transform the ball's motion state reports.
    reef::Vec3f ballMotionPosition() const;
    // Puts the ball back at its start, at rest, when its state is no longer a
    // number, so that it cannot spread NaN through its contacts. Returns
    // whether it had to.
    bool resetBallIfBroken();

    btDiscreteDynamicsWorld* getDynamicsWorld() const { return world.get(); }
    btCollisionDispatcher* getDispatcher() const { return dispatcher.get(); }
    btRigidBody* getBallBody() const { return ballBody.get(); }
    float getBallMass() const { return ballMass; }

private:
    void placeBall();

    // Destroyed in reverse: world, solver, dispatcher, collision configuration
    // and broadphase in that order, then the ball, which must outlive the world
    // because the world's destructor still removes its broadphase entry.
    std::unique_ptr<btSphereShape> ballShape;
    std::unique_ptr<btRigidBody> ballBody;
    std::unique_ptr<btDefaultMotionState> ballMotionState;
    btVector3 ballInertia{0, 0, 0};
    float ballMass = 0;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> world;
};

}  // namespace thalorin
