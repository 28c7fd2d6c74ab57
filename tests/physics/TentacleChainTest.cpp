// Capsule chains: placement at rest, damping, joints, ownership. No GL needed.
#include "physics/TentacleChain.h"

#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <utility>
#include <vector>

#include "physics/PhysicsWorld.h"

namespace thalorin {
namespace {

constexpr float kPi = 3.14159265f;

void expectVecNear(const btVector3& actual, const btVector3& expected, float tolerance) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

bool worldHolds(const btDiscreteDynamicsWorld& world, const btCollisionObject* object) {
    const btCollisionObjectArray& objects = world.getCollisionObjectArray();
    return objects.findLinearSearch(const_cast<btCollisionObject*>(object)) < objects.size();
}

bool worldHolds(const btDiscreteDynamicsWorld& world, const btTypedConstraint* joint) {
    for (int i = 0; i < world.getNumConstraints(); ++i) {
        if (world.getConstraint(i) == joint) {
            return true;
        }
    }
    return false;
}

struct World {
    World() { physics.createWorld(); }
    btDiscreteDynamicsWorld& dynamics() { return *physics.getDynamicsWorld(); }
    PhysicsWorld physics;
};

// Link k is centred k steps along the root's local +Y; step = 2 radius + height.
TEST(TentacleChain, LinksRestAlongTheRootAxis) {
    const struct {
        const char* name;
        float radius, height, step;
        btQuaternion orientation;
    } cases[] = {
        {"defaults, upright", 5, 10, 20, btQuaternion(0, 0, 0, 1)},
        {"defaults, a quarter turn about Z", 5, 10, 20, btQuaternion(btVector3(0, 0, 1), kPi / 2)},
        {"panel minima", 0.1f, 0.1f, 0.3f, btQuaternion(btVector3(1, 0, 0), kPi / 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        const btVector3 root(3, 200, -7);
        TentacleChain chain(root, c.orientation, world.physics, c.radius, c.height);
        ASSERT_EQ(chain.linkCount(), 5u);
        ASSERT_EQ(chain.jointCount(), 4u);
        EXPECT_FLOAT_EQ(chain.getStep(), c.step);
        const btVector3 axis = quatRotate(c.orientation, btVector3(0, 1, 0));
        for (size_t k = 0; k < 5; ++k) {
            SCOPED_TRACE(k);
            const btRigidBody& link = chain.getLink(k);
            expectVecNear(link.getWorldTransform().getOrigin(), root + axis * (c.step * k), 1e-4f);
            const btQuaternion rotation = link.getWorldTransform().getRotation();
            EXPECT_NEAR(std::fabs(rotation.dot(c.orientation)), 1.0f, 1e-6f);
            // What a capsule view draws from: centre, rotation and the same as a matrix.
            const TentacleChain::LinkTransform shown = chain.linkTransform(k);
            const reef::Vec3f shownAxis = shown.orientation.rotate(reef::Vec3f(0, 1, 0));
            expectVecNear(btVector3(shown.position.x, shown.position.y, shown.position.z),
                          root + axis * (c.step * k), 1e-4f);
            expectVecNear(btVector3(shownAxis.x, shownAxis.y, shownAxis.z), axis, 1e-6f);
            const reef::Vec3f above = chain.linkMatrix(k).transformPoint(reef::Vec3f(0, 1, 0));
            expectVecNear(btVector3(above.x, above.y, above.z), root + axis * (c.step * k + 1),
                          1e-4f);
            EXPECT_FLOAT_EQ(link.getLinearVelocity().length(), 0);
        }
    }
}

TEST(TentacleChain, RootIsStaticAndTheOthersWeighFive) {
    World world;
    TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
    EXPECT_TRUE(chain.getLink(0).isStaticObject());
    EXPECT_EQ(chain.getLink(0).getInvMass(), 0.0f);
    for (size_t k = 1; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(chain.getLink(k).isStaticObject());
        EXPECT_FLOAT_EQ(chain.getLink(k).getInvMass(), 1.0f / 5.0f);
    }
    // One capsule shape of radius 5 and cylinder length 10, shared by all links.
    const btCollisionShape* shape = chain.getLink(0).getCollisionShape();
    ASSERT_EQ(shape->getShapeType(), CAPSULE_SHAPE_PROXYTYPE);
    const auto* capsule = static_cast<const btCapsuleShape*>(shape);
    EXPECT_EQ(capsule->getRadius(), 5.0f);
    EXPECT_EQ(capsule->getHalfHeight(), 5.0f);
    EXPECT_EQ(capsule->getUpAxis(), 1);
    for (size_t k = 1; k < 5; ++k) {
        EXPECT_EQ(chain.getLink(k).getCollisionShape(), shape);
    }
}

// Asked for linear damping 2.05 .. 1.05, every link ends clamped at 1.
TEST(TentacleChain, DampingIsClamped) {
    World world;
    TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
    for (size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(chain.getLink(k).getLinearDamping(), 1.0f);
        EXPECT_FLOAT_EQ(chain.getLink(k).getAngularDamping(), 0.3f);
    }
}

// Swing spans 0.09 pi, 0.15 pi, 0.21 pi, 0.27 pi; pivots 1 unit beyond each
// capsule end; collisions between joined links stay on.
TEST(TentacleChain, JointsAllowMoreSwingTowardsTheTip) {
    const struct {
        const char* name;
        float radius, height, pivot;
    } cases[] = {{"defaults", 5, 10, 11}, {"panel minima", 0.1f, 0.1f, 1.15f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, c.radius,
                            c.height);
        const float spans[] = {0.09f * kPi, 0.15f * kPi, 0.21f * kPi, 0.27f * kPi};
        for (size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(k);
            btConeTwistConstraint& joint = chain.getJoint(k);
            EXPECT_EQ(&joint.getRigidBodyA(), &chain.getLink(k));
            EXPECT_EQ(&joint.getRigidBodyB(), &chain.getLink(k + 1));
            EXPECT_NEAR(joint.getSwingSpan1(), spans[k], 1e-6f);
            EXPECT_NEAR(joint.getSwingSpan2(), spans[k], 1e-6f);
            EXPECT_EQ(joint.getTwistSpan(), 0.0f);
            EXPECT_EQ(joint.getLimitSoftness(), 1.0f);
            EXPECT_FLOAT_EQ(joint.getBiasFactor(), 0.3f);
            EXPECT_EQ(joint.getRelaxationFactor(), 1.0f);
            expectVecNear(joint.getFrameOffsetA().getOrigin(), btVector3(0, c.pivot, 0), 1e-6f);
            expectVecNear(joint.getFrameOffsetB().getOrigin(), btVector3(0, -c.pivot, 0), 1e-6f);
            EXPECT_EQ(joint.getFrameOffsetA().getRotation(), btQuaternion(0, 0, 0, 1));
            EXPECT_TRUE(worldHolds(world.dynamics(), &joint));
        }
        // Link 1 has two joints and no collision filter against either neighbour.
        EXPECT_TRUE(chain.getLink(1).checkCollideWith(&chain.getLink(0)));
        EXPECT_TRUE(chain.getLink(1).checkCollideWith(&chain.getLink(2)));
    }
}

TEST(TentacleChain, DestroyLeavesTheBallAndOtherChains) {
    World world;
    TentacleChain kept(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
    TentacleChain removed(btVector3(50, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
    ASSERT_EQ(world.dynamics().getNumCollisionObjects(), 11);
    ASSERT_EQ(world.dynamics().getNumConstraints(), 8);
    std::vector<const btCollisionObject*> removedLinks;
    std::vector<const btTypedConstraint*> removedJoints;
    for (size_t k = 0; k < 5; ++k) {
        removedLinks.push_back(&removed.getLink(k));
    }
    for (size_t k = 0; k < 4; ++k) {
        removedJoints.push_back(&removed.getJoint(k));
    }

    removed.destroy();
    EXPECT_TRUE(removed.empty());
    EXPECT_EQ(removed.jointCount(), 0u);
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 6);
    EXPECT_EQ(world.dynamics().getNumConstraints(), 4);
    for (const btCollisionObject* link : removedLinks) {
        EXPECT_FALSE(worldHolds(world.dynamics(), link));
    }
    for (const btTypedConstraint* joint : removedJoints) {
        EXPECT_FALSE(worldHolds(world.dynamics(), joint));
    }
    EXPECT_TRUE(worldHolds(world.dynamics(), world.physics.getBallBody()));
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_TRUE(worldHolds(world.dynamics(), &kept.getLink(k)));
    }
    removed.destroy();  // a second destroy has nothing left to do
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 6);
    // The world still steps with what is left.
    world.physics.stepSimulation(PhysicsWorld::kFixedTimeStep);
    EXPECT_TRUE(kept.isSound());
}

// The model's list grows by moving chains: a moved-from record owns nothing.
TEST(TentacleChain, MovingHandsOverOwnership) {
    World world;
    std::vector<TentacleChain> chains;
    for (int i = 0; i < 9; ++i) {  // several reallocations
        chains.emplace_back(btVector3(20.0f * i, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5,
                            10);
    }
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 1 + 9 * 5);

    TentacleChain moved(std::move(chains[3]));
    EXPECT_TRUE(chains[3].empty());
    EXPECT_EQ(chains[3].jointCount(), 0u);
    chains[3].destroy();
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 1 + 9 * 5);
    EXPECT_NEAR(moved.linkCentre(0).x, 60.0f, 0);

    // Assigning over a live chain destroys what it held.
    chains[4] = std::move(moved);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 1 + 8 * 5);
    EXPECT_EQ(world.dynamics().getNumConstraints(), 8 * 4);
    EXPECT_NEAR(chains[4].linkCentre(0).x, 60.0f, 0);

    chains.clear();
    EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 1);
    EXPECT_EQ(world.dynamics().getNumConstraints(), 0);
}

TEST(TentacleChain, BrokenChainIsResetToRest) {
    const struct {
        const char* name;
        btVector3 origin, velocity;
    } cases[] = {
        {"position not a number", btVector3(std::nanf(""), 0, 0), btVector3(0, 0, 0)},
        {"infinite velocity", btVector3(0, 40, 0), btVector3(0, INFINITY, 0)},
        {"flown off", btVector3(0, 1e7f, 0), btVector3(0, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        TentacleChain chain(btVector3(0, 10, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
        EXPECT_TRUE(chain.isSound());
        btRigidBody& link = chain.getLink(2);
        link.setWorldTransform(btTransform(btQuaternion(0, 0, 0, 1), c.origin));
        link.setLinearVelocity(c.velocity);
        EXPECT_FALSE(chain.isSound());

        chain.resetToRest();
        EXPECT_TRUE(chain.isSound());
        ASSERT_EQ(chain.linkCount(), 5u);
        for (size_t k = 0; k < 5; ++k) {
            expectVecNear(chain.getLink(k).getWorldTransform().getOrigin(),
                          btVector3(0, 10 + 20.0f * k, 0), 1e-5f);
        }
        EXPECT_EQ(world.dynamics().getNumCollisionObjects(), 6);
        EXPECT_EQ(world.dynamics().getNumConstraints(), 4);
    }
}

// A zero rotation would put NaN into every link transform.
TEST(TentacleChain, ZeroRootOrientationStandsUpright) {
    World world;
    TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 0), world.physics, 5, 10);
    expectVecNear(chain.getLink(4).getWorldTransform().getOrigin(), btVector3(0, 80, 0), 1e-5f);
}

// At the panel minima the joints pull overlapping links hard; a minute of
// simulated time still leaves every number finite.
TEST(TentacleChain, StaysFiniteForAMinuteAtTheExtremes) {
    const struct {
        const char* name;
        float radius, height;
    } cases[] = {{"defaults", 5, 10}, {"panel minima", 0.1f, 0.1f}, {"fat", 60, 0.1f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        std::vector<TentacleChain> chains;
        for (int i = 0; i < 8; ++i) {
            const btQuaternion tilt(btVector3(0, 0, 1), 0.3f * i);
            chains.emplace_back(btVector3(3.0f * i, 0, 0), tilt, world.physics, c.radius, c.height);
        }
        world.physics.throwBall();
        for (int step = 0; step < 3600; ++step) {
            world.physics.stepSimulation(PhysicsWorld::kFixedTimeStep);
        }
        for (const TentacleChain& chain : chains) {
            EXPECT_TRUE(chain.isSound());
        }
    }
}

}  // namespace
}  // namespace thalorin
