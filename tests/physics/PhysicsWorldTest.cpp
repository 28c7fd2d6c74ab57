// The world, its ball and the ball's throw. No GL needed.
#include "physics/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

namespace thalorin {
namespace {

void expectVecNear(const btVector3& actual, const btVector3& expected, float tolerance) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

TEST(PhysicsWorld, CreateWorldAddsTheBallUnderGravity) {
    PhysicsWorld physics;
    EXPECT_EQ(physics.getDynamicsWorld(), nullptr);
    physics.createWorld();
    btDiscreteDynamicsWorld* world = physics.getDynamicsWorld();
    ASSERT_NE(world, nullptr);
    expectVecNear(world->getGravity(), btVector3(0, -25, 0), 0);
    ASSERT_EQ(world->getNumCollisionObjects(), 1);
    EXPECT_EQ(world->getCollisionObjectArray()[0], physics.getBallBody());
    EXPECT_EQ(world->getNumConstraints(), 0);

    const btRigidBody& ball = *physics.getBallBody();
    EXPECT_EQ(physics.getBallMass(), 2000.0f);
    EXPECT_FLOAT_EQ(ball.getInvMass(), 1.0f / 2000.0f);
    const btCollisionShape* shape = ball.getCollisionShape();
    ASSERT_EQ(shape->getShapeType(), SPHERE_SHAPE_PROXYTYPE);
    EXPECT_EQ(static_cast<const btSphereShape*>(shape)->getRadius(), 30.0f);
    // A solid sphere: 2/5 m r^2 about every axis.
    expectVecNear(ball.getLocalInertia(), btVector3(720000, 720000, 720000), 1);
    expectVecNear(ball.getWorldTransform().getOrigin(), btVector3(150, 300, 0), 0);
    EXPECT_EQ(physics.ballMotionPosition(), reef::Vec3f(150, 300, 0));
}

// The ball falls freely: after one second of 1/60 s substeps it has gained
// 25 units/s downwards (semi-implicit Euler: it moved 25 (1 + 1/60) / 2).
TEST(PhysicsWorld, BallFallsUnderGravity) {
    PhysicsWorld physics;
    physics.createWorld();
    for (int frame = 0; frame < 6; ++frame) {
        EXPECT_EQ(physics.stepSimulation(10 * PhysicsWorld::kFixedTimeStep + 1e-5f), 10);
    }
    const btRigidBody& ball = *physics.getBallBody();
    expectVecNear(ball.getLinearVelocity(), btVector3(0, -25, 0), 1e-3f);
    EXPECT_NEAR(ball.getWorldTransform().getOrigin().y(), 300 - 25 * (1 + 1 / 60.0f) / 2, 1e-2f);
}

// The second throw starts from the same place and speed, whatever the first
// had become: (-200000, 50, 0) / 2000 units per second.
TEST(PhysicsWorld, ThrowBallRestartsTheSameThrow) {
    PhysicsWorld physics;
    physics.createWorld();
    btRigidBody& ball = *physics.getBallBody();
    physics.throwBall();
    const btTransform firstStart = ball.getWorldTransform();
    const btVector3 firstVelocity = ball.getLinearVelocity();
    expectVecNear(firstStart.getOrigin(), btVector3(150, 300, 0), 0);
    expectVecNear(firstVelocity, btVector3(-100, 0.025f, 0), 1e-4f);
    for (int frame = 0; frame < 30; ++frame) {
        physics.stepSimulation(PhysicsWorld::kFixedTimeStep);
    }
    EXPECT_LT(ball.getWorldTransform().getOrigin().x(), 120);

    physics.throwBall();
    EXPECT_EQ(ball.getWorldTransform().getOrigin(), firstStart.getOrigin());
    EXPECT_EQ(ball.getWorldTransform().getRotation(), btQuaternion(0, 0, 0, 1));
    EXPECT_EQ(ball.getLinearVelocity(), firstVelocity);
    physics.throwBall();
    EXPECT_EQ(ball.getLinearVelocity(), firstVelocity);
}

TEST(PhysicsWorld, StepSimulationHandlesOddTimeSteps) {
    const struct {
        const char* name;
        float dt;
        int substeps;
    } cases[] = {
        {"zero", 0.0f, 0},
        {"negative", -100.0f, 0},
        {"not a number", std::nanf(""), 0},
        {"one substep", PhysicsWorld::kFixedTimeStep, 1},
        {"an hour, cut to ten substeps", 3600.0f, 10},
        {"infinite, cut to ten substeps", INFINITY, 10},
        {"past the int range of substeps", 1e30f, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PhysicsWorld physics;
        physics.createWorld();
        const int substeps = physics.stepSimulation(c.dt);
        EXPECT_GE(substeps, c.substeps);
        EXPECT_LE(substeps, c.substeps == 0 ? 0 : c.substeps + 1);
        const btVector3 velocity = physics.getBallBody()->getLinearVelocity();
        EXPECT_NEAR(velocity.y(), -25.0f * PhysicsWorld::kFixedTimeStep * c.substeps, 1e-3f);
        const reef::Vec3f shown = physics.ballMotionPosition();
        EXPECT_TRUE(std::isfinite(shown.x) && std::isfinite(shown.y) && std::isfinite(shown.z));
    }
}

TEST(PhysicsWorld, BrokenBallIsPutBackAtItsStart) {
    PhysicsWorld physics;
    physics.createWorld();
    EXPECT_FALSE(physics.resetBallIfBroken());
    btRigidBody& ball = *physics.getBallBody();
    ball.setLinearVelocity(btVector3(std::nanf(""), 0, 0));
    EXPECT_TRUE(physics.resetBallIfBroken());
    expectVecNear(ball.getWorldTransform().getOrigin(), btVector3(150, 300, 0), 0);
    expectVecNear(ball.getLinearVelocity(), btVector3(0, 0, 0), 0);
    EXPECT_EQ(physics.ballMotionPosition(), reef::Vec3f(150, 300, 0));
    EXPECT_EQ(physics.getDynamicsWorld()->getNumCollisionObjects(), 1);
    physics.stepSimulation(PhysicsWorld::kFixedTimeStep);
    EXPECT_NEAR(ball.getLinearVelocity().y(), -25.0f / 60.0f, 1e-4f);
}

}  // namespace
}  // namespace thalorin
