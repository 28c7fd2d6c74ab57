#pragma once
// Float quaternion stored x, y, z, w (vector part first); identity (0, 0, 0, 1).

#include <cmath>

#include "framework/math/Vector.h"

namespace reef {

struct Quatf {
    float x = 0, y = 0, z = 0, w = 1;

    constexpr Quatf() = default;
    constexpr Quatf(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    static constexpr Quatf identity() { return {}; }

    // (axis / |axis| * sin(angle / 2), cos(angle / 2)); the half-angle trig in double.
    // A zero axis gives the identity: there is nothing to turn about.
    static Quatf fromAxisAngle(const Vec3f& axis, float radians) {
        if (axis.lengthSquared() == 0.0f) {
            return identity();
        }
        const Vec3f a = axis.normalized();
        const float s = static_cast<float>(std::sin(static_cast<double>(radians * 0.5f)));
        const float c = static_cast<float>(std::cos(static_cast<double>(radians * 0.5f)));
        return {a.x * s, a.y * s, a.z * s, c};
    }

    // Shortest-arc rotation taking unit direction `from` onto unit direction `to`.
    // Opposite directions turn half a turn about an axis perpendicular to `from`.
    static Quatf fromTo(const Vec3f& from, const Vec3f& to) {
        const Vec3f axis = from.cross(to);
        Quatf q = Quatf(axis.x, axis.y, axis.z, from.dot(to)).normalizedOrIdentity();
        q.w += 1.0f;
        if (q.w <= 4.37114e-5f) {
            if (from.z * from.z > from.x * from.x) {
                q = {0, from.z, -from.y, 0};
            } else {
                q = {from.y, -from.x, 0, 0};
            }
        }
        return q.normalizedOrIdentity();
    }

    constexpr Vec3f vector() const { return {x, y, z}; }
    constexpr float lengthSquared() const { return x * x + y * y + z * z + w * w; }
    float length() const { return std::sqrt(lengthSquared()); }
    constexpr Quatf conjugate() const { return {-x, -y, -z, w}; }

    // A zero quaternion becomes the identity.
    Quatf normalizedOrIdentity() const {
        const float len = length();
        if (len == 0.0f) {
            return identity();
        }
        return {x / len, y / len, z / len, w / len};
    }

    // Hamilton product: the rotation that applies `b` first, then this one.
    constexpr Quatf operator*(const Quatf& b) const {
        return {w * b.x + x * b.w + y * b.z - z * b.y, w * b.y - x * b.z + y * b.w + z * b.x,
                w * b.z + x * b.y - y * b.x + z * b.w, w * b.w - x * b.x - y * b.y - z * b.z};
    }

    // v (2w^2 - 1) + 2 (u.v) u + 2w (u x v), exact for unit quaternions; a
    // non-unit quaternion scales the result, which callers rely on not being undone.
    constexpr Vec3f rotate(const Vec3f& v) const {
        const Vec3f u = vector();
        return v * (2.0f * w * w - 1.0f) + u * (2.0f * u.dot(v)) + u.cross(v) * (2.0f * w);
    }
    constexpr Vec3f operator*(const Vec3f& v) const { return rotate(v); }

    constexpr bool operator==(const Quatf& o) const {
        return x == o.x && y == o.y && z == o.z && w == o.w;
    }
    constexpr bool operator!=(const Quatf& o) const { return !(*this == o); }
};

}  // namespace reef
