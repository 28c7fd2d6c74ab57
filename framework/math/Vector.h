#pragma once
// Small value types for integer and float vectors. Vec3f is exactly three
// consecutive floats: its address is handed to the panel as a direction.

#include <cmath>
#include <cstdint>

namespace reef {

struct Vec2i {
    int32_t x = 0, y = 0;

    constexpr Vec2i() = default;
    constexpr Vec2i(int32_t x_, int32_t y_) : x(x_), y(y_) {}

    constexpr Vec2i operator+(Vec2i o) const { return {x + o.x, y + o.y}; }
    constexpr Vec2i operator-(Vec2i o) const { return {x - o.x, y - o.y}; }
    constexpr bool operator==(Vec2i o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(Vec2i o) const { return !(*this == o); }
};

struct Vec2f {
    float x = 0, y = 0;

    constexpr Vec2f() = default;
    constexpr Vec2f(float x_, float y_) : x(x_), y(y_) {}

    constexpr Vec2f operator+(Vec2f o) const { return {x + o.x, y + o.y}; }
    constexpr Vec2f operator-(Vec2f o) const { return {x - o.x, y - o.y}; }
    constexpr Vec2f operator*(float s) const { return {x * s, y * s}; }
    constexpr bool operator==(Vec2f o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(Vec2f o) const { return !(*this == o); }
};

struct Vec3f {
    float x = 0, y = 0, z = 0;

    constexpr Vec3f() = default;
    constexpr Vec3f(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vec3f operator+(const Vec3f& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3f operator-(const Vec3f& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3f operator-() const { return {-x, -y, -z}; }
    constexpr Vec3f operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vec3f operator/(float s) const { return {x / s, y / s, z / s}; }
    Vec3f& operator+=(const Vec3f& o) { return *this = *this + o; }
    Vec3f& operator-=(const Vec3f& o) { return *this = *this - o; }
    Vec3f& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const Vec3f& o) const { return x == o.x && y == o.y && z == o.z; }
    constexpr bool operator!=(const Vec3f& o) const { return !(*this == o); }

    float& operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }

    constexpr float dot(const Vec3f& o) const { return x * o.x + y * o.y + z * o.z; }
    constexpr Vec3f cross(const Vec3f& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    constexpr float lengthSquared() const { return dot(*this); }
    float length() const { return std::sqrt(lengthSquared()); }
    // A zero vector stays zero rather than turning into NaN.
    Vec3f normalized() const {
        const float len = length();
        return len > 0 ? *this / len : *this;
    }
};

constexpr Vec3f operator*(float s, const Vec3f& v) {
    return v * s;
}

static_assert(sizeof(Vec3f) == 3 * sizeof(float), "Vec3f must be three consecutive floats");

}  // namespace reef
