// Capsule chains at the edges of what the shape entries accept: a chain hanging
// still stays awake for the current, negative sizes keep it sound, and slender
// capsules do not blow the solver up. No GL needed.

#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "model/AnemoneModel.h"
#include "physics/PhysicsWorld.h"
#include "physics/TentacleChain.h"

namespace thalorin {
namespace {

struct World {
    World() { physics.createWorld(); }
    void step(int steps) {
        for (int i = 0; i < steps; ++i) {
            physics.stepSimulation(PhysicsWorld::kFixedTimeStep);
        }
    }
    PhysicsWorld physics;
};

// The library puts a body that stays slow for two seconds to sleep, and a
// sleeping body ignores forces: the current could no longer move the tentacle.
TEST(ChainStability, ChainHangingStillStaysAwake) {
    World world;
    // Upright at the origin, clear of the ball falling at x = 150.
    TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, 5, 10);
    world.step(5 * 60);
    for (size_t k = 1; k < chain.linkCount(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NE(chain.getLink(k).getActivationState(), ISLAND_SLEEPING);
    }

    const float before = chain.linkCentre(4).x;
    chain.getLink(4).applyCentralForce(btVector3(400, 0, 0));
    world.step(1);
    EXPECT_GT(chain.linkCentre(4).x, before);
}

// Negative sizes make a negative link spacing: the chain stands the other way
// round, and is no less sound for it.
TEST(ChainStability, NegativeSizesKeepTheChainSound) {
    const struct {
        const char* name;
        float radius, height;
    } cases[] = {
        {"negative height", 5, -30},
        {"both negative", -5, -10},
        {"negative radius", -20, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        TentacleChain chain(btVector3(0, 0, 0), btQuaternion(0, 0, 0, 1), world.physics, c.radius,
                            c.height);
        EXPECT_TRUE(chain.isSound());
        world.step(60);
        EXPECT_TRUE(chain.isSound());
    }
}

// A capsule a thousand or more radii long has almost no inertia about its own
// axis; left as it is, the solver turns the first steps of the default layout
// of such tentacles into NaN.
TEST(ChainStability, SlenderCapsulesStayFinite) {
    const struct {
        const char* name;
        float radius, height;
    } cases[] = {
        {"a hair", 0.01f, 1000},
        {"panel's thinnest, long", 0.1f, 3000},
        {"huge", 5, 1e5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.hairRadius = c.radius;
        model.hairHeight = c.height;
        model.rebuild();
        for (int frame = 1; frame <= 60; ++frame) {
            model.update(static_cast<float>(frame) / 60.0f);
            for (const TentacleChain& chain : model.getTentacleChains()) {
                ASSERT_TRUE(chain.isSound()) << "frame " << frame;
            }
        }
    }
}

}  // namespace
}  // namespace thalorin
