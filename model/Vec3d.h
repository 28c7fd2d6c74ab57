#pragma once
// Double-precision 3-vector for the tentacle spline, which does all of its
// arithmetic in double.

#include <cmath>

#include "framework/math/Vector.h"

namespace thalorin {

struct Vec3d {
    double x = 0, y = 0, z = 0;

    constexpr Vec3d() = default;
    constexpr Vec3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    constexpr explicit Vec3d(const reef::Vec3f& v) : x(v.x), y(v.y), z(v.z) {}

    constexpr Vec3d operator+(const Vec3d& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3d operator-(const Vec3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3d operator*(double s) const { return {x * s, y * s, z * s}; }
    constexpr Vec3d operator/(double s) const { return {x / s, y / s, z / s}; }
    Vec3d& operator+=(const Vec3d& o) { return *this = *this + o; }
    Vec3d& operator-=(const Vec3d& o) { return *this = *this - o; }
    constexpr bool operator==(const Vec3d& o) const { return x == o.x && y == o.y && z == o.z; }
    constexpr bool operator!=(const Vec3d& o) const { return !(*this == o); }

    constexpr double dot(const Vec3d& o) const { return x * o.x + y * o.y + z * o.z; }
    double length() const { return std::sqrt(dot(*this)); }
    // Rounds each component to single precision.
    constexpr reef::Vec3f toFloat() const {
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    }
};

constexpr Vec3d operator*(double s, const Vec3d& v) {
    return v * s;
}

}  // namespace thalorin
