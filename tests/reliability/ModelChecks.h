#pragma once
// Checks shared by the parameter sweep and the count-cap tests: every number
// the model hands out is finite, no body was switched off by the rigid-body
// library, and the kinetic energy in its world.

#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "model/AnemoneModel.h"

namespace thalorin {

namespace detail {

inline testing::AssertionResult meshFinite(const char* name, const TriangleMesh& mesh,
                                           const std::vector<float>& heights) {
    const size_t count = mesh.getVertices().size();
    if (mesh.getNormals().size() != count || mesh.getTexCoords().size() != count ||
        heights.size() != count) {
        return testing::AssertionFailure() << name << ": array sizes differ";
    }
    for (size_t i = 0; i < count; ++i) {
        const reef::Vec3f& p = mesh.getVertices()[i];
        const reef::Vec3f& n = mesh.getNormals()[i];
        const reef::Vec2f& t = mesh.getTexCoords()[i];
        for (float value : {p.x, p.y, p.z, n.x, n.y, n.z, t.x, t.y, heights[i]}) {
            if (!std::isfinite(value)) {
                return testing::AssertionFailure() << name << " vertex " << i << " holds " << value;
            }
        }
    }
    for (uint32_t index : mesh.getIndices()) {
        if (index >= count) {
            return testing::AssertionFailure()
                   << name << " index " << index << " past the " << count << " vertices";
        }
    }
    return testing::AssertionSuccess();
}

inline bool finite(const btVector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

}  // namespace detail

// Both meshes with their heights, the ball as drawn, and every body's
// transform and velocities in the world.
inline testing::AssertionResult modelFinite(const AnemoneModel& model) {
    auto result = detail::meshFinite("body", model.getBodyMesh(), model.bodyHeights);
    if (!result) {
        return result;
    }
    result = detail::meshFinite("tentacles", model.getTentacleMesh(), model.tentacleHeights);
    if (!result) {
        return result;
    }
    const reef::Vec3f& ball = model.ballPosition;
    if (!std::isfinite(ball.x) || !std::isfinite(ball.y) || !std::isfinite(ball.z)) {
        return testing::AssertionFailure() << "the ball is drawn at a non-finite position";
    }
    const btCollisionObjectArray& objects =
        model.physicsWorld.getDynamicsWorld()->getCollisionObjectArray();
    for (int i = 0; i < objects.size(); ++i) {
        const btRigidBody* body = btRigidBody::upcast(objects[i]);
        const btTransform& transform = body->getWorldTransform();
        const btMatrix3x3& basis = transform.getBasis();
        if (!detail::finite(transform.getOrigin()) || !detail::finite(basis[0]) ||
            !detail::finite(basis[1]) || !detail::finite(basis[2]) ||
            !detail::finite(body->getLinearVelocity()) ||
            !detail::finite(body->getAngularVelocity())) {
            return testing::AssertionFailure() << "body " << i << " of " << objects.size()
                                               << " holds a non-finite transform or velocity";
        }
    }
    return testing::AssertionSuccess();
}

// The library switches a body off only on request; a chain link switched off
// would hang frozen in the air.
inline testing::AssertionResult noBodyDisabled(const AnemoneModel& model) {
    const btCollisionObjectArray& objects =
        model.physicsWorld.getDynamicsWorld()->getCollisionObjectArray();
    for (int i = 0; i < objects.size(); ++i) {
        if (objects[i]->getActivationState() == DISABLE_SIMULATION) {
            return testing::AssertionFailure() << "body " << i << " is disabled";
        }
    }
    return testing::AssertionSuccess();
}

// Translational and rotational kinetic energy of every moving body, in double.
inline double kineticEnergy(const AnemoneModel& model) {
    const btCollisionObjectArray& objects =
        model.physicsWorld.getDynamicsWorld()->getCollisionObjectArray();
    double energy = 0.0;
    for (int i = 0; i < objects.size(); ++i) {
        const btRigidBody* body = btRigidBody::upcast(objects[i]);
        if (body->getInvMass() == 0.0f) {
            continue;
        }
        const btVector3& v = body->getLinearVelocity();
        energy += 0.5 / body->getInvMass() * static_cast<double>(v.length2());
        // Rotation in the body's own axes, where its inertia is diagonal.
        const btVector3 w = body->getAngularVelocity() * body->getWorldTransform().getBasis();
        const btVector3& invInertia = body->getInvInertiaDiagLocal();
        for (int axis = 0; axis < 3; ++axis) {
            if (invInertia[axis] > 0.0f) {
                energy += 0.5 * static_cast<double>(w[axis]) * w[axis] / invInertia[axis];
            }
        }
    }
    return energy;
}

}  // namespace thalorin
