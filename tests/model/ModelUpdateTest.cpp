// The model's frame update: order of work, odd time steps, the water current
// and long runs. No GL needed.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <vector>

#include "model/AnemoneModel.h"
#include "tests/model/ModelTestUtil.h"

namespace thalorin {
namespace {

using reef::Vec3f;

std::vector<Vec3f> linkCentres(const AnemoneModel& model) {
    std::vector<Vec3f> centres;
    for (const TentacleChain& chain : model.getTentacleChains()) {
        for (size_t k = 0; k < chain.linkCount(); ++k) {
            centres.push_back(chain.linkCentre(k));
        }
    }
    return centres;
}

// The mesh and the ball an update shows are those from before its step.
TEST(ModelUpdate, ShowsTheStateBeforeItsStep) {
    AnemoneModel model;
    model.rebuild();
    const std::vector<Vec3f> atRest = model.getTentacleMesh().getVertices();

    model.update(1 / 60.0f);
    EXPECT_EQ(model.lastUpdateTime, 1 / 60.0f);
    EXPECT_EQ(model.getTentacleMesh().getVertices(), atRest);
    EXPECT_EQ(model.ballPosition, Vec3f(150, 300, 0));

    const Vec3f stepped = model.physicsWorld.ballMotionPosition();
    EXPECT_NE(stepped, Vec3f(150, 300, 0));
    model.update(2 / 60.0f);
    EXPECT_NE(model.getTentacleMesh().getVertices(), atRest);
    EXPECT_EQ(model.ballPosition, stepped);

    // A rebuild puts new chains at rest and leaves the time and the ball alone.
    const Vec3f ball = model.physicsWorld.ballMotionPosition();
    model.rebuild();
    EXPECT_EQ(model.getTentacleMesh().getVertices(), atRest);
    EXPECT_EQ(model.lastUpdateTime, 2 / 60.0f);
    model.update(2 / 60.0f);
    EXPECT_EQ(model.ballPosition, ball);
}

// Time that does not move forward steps nothing but still rebuilds the mesh;
// the frame after the 'u' key's time 0 steps the capped ten substeps.
TEST(ModelUpdate, TimeThatDoesNotMoveForwardStepsNothing) {
    const struct {
        const char* name;
        float time;
        float remembered;
    } cases[] = {
        {"same time", 5.0f, 5.0f},         {"the u key's time 0", 0.0f, 0.0f},
        {"negative time", -3.0f, -3.0f},   {"time not a number", std::nanf(""), 5.0f},
        {"infinite time", INFINITY, 5.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.rebuild();
        model.update(5.0f);
        const std::vector<Vec3f> links = linkCentres(model);
        const btVector3 ballVelocity = model.physicsWorld.getBallBody()->getLinearVelocity();
        const size_t vertices = model.tentacleVertexCount();

        model.update(c.time);
        EXPECT_EQ(linkCentres(model), links);
        EXPECT_EQ(model.physicsWorld.getBallBody()->getLinearVelocity(), ballVelocity);
        EXPECT_EQ(model.tentacleVertexCount(), vertices);
        EXPECT_TRUE(tentaclesFinite(model));
        if (std::isnan(c.remembered)) {
            EXPECT_TRUE(std::isnan(model.lastUpdateTime));
        } else {
            EXPECT_EQ(model.lastUpdateTime, c.remembered);
        }
    }

    // After the 'u' key at 5 s, the next frame at 5.02 s sees dt = 5.02: the
    // ball (falling freely, without tentacles to hit) gains ten substeps of
    // gravity, not 301.
    AnemoneModel model;
    model.hairInLine = 0;
    model.rebuild();
    model.update(5.0f);
    const float before = model.physicsWorld.getBallBody()->getLinearVelocity().y();
    model.update(0.0f);
    model.update(5.02f);
    EXPECT_NEAR(model.physicsWorld.getBallBody()->getLinearVelocity().y() - before,
                -25.0f * 10 / 60, 1e-3f);
}

// At t = 0 the current is (0, 400 sin(Z X + X), 400 cos(Y X + Z)) with
// X, Y, Z the link centre over 100; the static roots are not pushed.
TEST(ModelUpdate, CurrentAtTimeZeroHasNoXComponent) {
    AnemoneModel model;
    model.rebuild();
    model.applyCurrent(0.0f);
    for (const TentacleChain& chain : model.getTentacleChains()) {
        EXPECT_EQ(chain.getLink(0).getTotalForce(), btVector3(0, 0, 0));
        for (size_t k = 1; k < chain.linkCount(); ++k) {
            const Vec3f p = chain.linkCentre(k) / 100.0f;
            const btVector3 force = chain.getLink(k).getTotalForce();
            EXPECT_EQ(force.x(), 0.0f);
            EXPECT_NEAR(force.y(), 400 * std::sin(p.z * p.x + p.x), 1e-3f);
            EXPECT_NEAR(force.z(), 400 * std::cos(p.y * p.x + p.z), 1e-3f);
        }
    }
}

// At t = 10: a = cos 3, b = sin 2, c = cos 1.4, d = cos 4.
TEST(ModelUpdate, CurrentVariesWithTime) {
    AnemoneModel model;
    model.rebuild();
    model.applyCurrent(10.0f);
    const TentacleChain& chain = model.getTentacleChains()[5];
    const Vec3f p = chain.linkCentre(3) / 100.0f;
    const btVector3 force = chain.getLink(3).getTotalForce();
    const double sum = std::sin(p.x) + std::cos(3.0);
    EXPECT_NEAR(force.x(), 400 * sum * sum * std::sin(2.0), 1e-3f);
    EXPECT_NEAR(force.y(), 400 * std::sin(p.z * p.x + p.x) * std::cos(1.4), 1e-3f);
    EXPECT_NEAR(force.z(), 400 * std::cos(p.y * p.x + p.z) * std::cos(4.0), 1e-3f);
}

// A chain whose numbers have gone bad is put back at rest before any mesh is
// built from it; the other chains keep moving.
TEST(ModelUpdate, BrokenChainIsResetBeforeItReachesTheMesh) {
    AnemoneModel model;
    model.rebuild();
    const std::vector<Vec3f> atRest = model.getTentacleMesh().getVertices();
    for (int frame = 1; frame <= 30; ++frame) {
        model.update(frame / 60.0f);
    }
    model.getTentacleChain(7).getLink(3).setLinearVelocity(btVector3(std::nanf(""), 0, 0));
    model.getTentacleChain(7).getLink(4).setWorldTransform(
        btTransform(btQuaternion(0, 0, 0, 1), btVector3(INFINITY, 0, 0)));
    model.update(31 / 60.0f);
    EXPECT_TRUE(tentaclesFinite(model));
    const std::vector<Vec3f>& now = model.getTentacleMesh().getVertices();
    ASSERT_EQ(now.size(), atRest.size());
    for (size_t i = 7 * 672; i < 8 * 672; ++i) {
        EXPECT_EQ(now[i], atRest[i]);
    }
    EXPECT_NE(now[8 * 672 + 300], atRest[8 * 672 + 300]);  // its neighbour kept moving
    EXPECT_EQ(model.getTentacleChains().size(), 52u);
    EXPECT_EQ(model.physicsWorld.getDynamicsWorld()->getNumCollisionObjects(), 1 + 52 * 5);
    EXPECT_EQ(model.physicsWorld.getDynamicsWorld()->getNumConstraints(), 52 * 4);
}

// A minute of frames (3600 substeps) with the ball thrown through the
// tentacles every ten seconds keeps every number finite.
TEST(ModelUpdate, StaysFiniteForAMinute) {
    const struct {
        const char* name;
        float radius, height;
        int radial, rings;
    } cases[] = {
        {"defaults", 5, 10, 50, 20},
        {"panel minima", 0.1f, 0.1f, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.hairRadius = c.radius;
        model.hairHeight = c.height;
        model.radialSegments = c.radial;
        model.heightSegments = c.rings;
        model.rebuild();
        // Six frames a second, each stepping ten substeps.
        for (int frame = 1; frame <= 360; ++frame) {
            if (frame % 60 == 1) {
                model.physicsWorld.throwBall();
            }
            model.update(frame / 6.0f);
        }
        EXPECT_TRUE(tentaclesFinite(model));
        for (const TentacleChain& chain : model.getTentacleChains()) {
            EXPECT_TRUE(chain.isSound());
        }
    }
}

}  // namespace
}  // namespace thalorin
