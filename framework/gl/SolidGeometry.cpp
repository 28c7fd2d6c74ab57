#include "framework/gl/SolidGeometry.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace reef::gl {

namespace {

// Angles are single precision; their sines and cosines are taken in double.
float cosOf(float angle) {
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}
float sinOf(float angle) {
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}

constexpr float kSpherePi = 3.14159f;
constexpr float kTwoPi = 6.2831855f;

}  // namespace

CubeGeometry makeCube(const Vec3f& center, const Vec3f& size) {
    // Per face: outward normal n and in-plane axes u, v with u x v = n, so the
    // corners -u-v, +u-v, +u+v, -u+v run counter-clockwise seen from outside.
    struct Face {
        Vec3f n, u, v;
    };
    static const Face kFaces[6] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    };
    static const float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    const Vec3f half = size * 0.5f;
    auto scaled = [&half](const Vec3f& axis) {
        return Vec3f(axis.x * half.x, axis.y * half.y, axis.z * half.z);
    };

    CubeGeometry cube;
    for (int f = 0; f < 6; ++f) {
        const Face& face = kFaces[f];
        for (int c = 0; c < 4; ++c) {
            const int i = f * 4 + c;
            const float su = kCorners[c][0];
            const float sv = kCorners[c][1];
            cube.positions[i] = center + scaled(face.n + face.u * su + face.v * sv);
            cube.normals[i] = face.n;
            cube.texCoords[i] = Vec2f((su + 1) * 0.5f, (sv + 1) * 0.5f);
        }
        static const uint8_t kFaceIndices[6] = {0, 1, 2, 0, 2, 3};
        for (int k = 0; k < 6; ++k) {
            cube.indices[f * 6 + k] = static_cast<uint8_t>(f * 4 + kFaceIndices[k]);
        }
    }
    return cube;
}

SphereGeometry makeSphere(const Vec3f& center, float radius, int segments) {
    SphereGeometry sphere;
    if (segments < 0) {
        return sphere;
    }
    sphere.bands = segments / 2;
    sphere.verticesPerBand = sphere.bands > 0 ? 2 * (segments + 1) : 0;
    const size_t count = static_cast<size_t>(sphere.bands) * sphere.verticesPerBand;
    sphere.positions.reserve(count);
    sphere.normals.reserve(count);
    sphere.texCoords.reserve(count);

    const float n = static_cast<float>(segments);
    for (int i = 0; i < sphere.bands; ++i) {
        const float theta1 = static_cast<float>(i) * 2.0f * kSpherePi / n - kSpherePi / 2.0f;
        const float theta2 = static_cast<float>(i + 1) * 2.0f * kSpherePi / n - kSpherePi / 2.0f;
        const float v1 = 0.999f - 2.0f * static_cast<float>(i) / n;
        const float v2 = 0.999f - 2.0f * static_cast<float>(i + 1) / n;
        for (int j = 0; j <= segments; ++j) {
            const float theta3 = static_cast<float>(j) * 2.0f * kSpherePi / n;
            const float u = 0.999f - static_cast<float>(j) / n;
            const float cos3 = cosOf(theta3);
            const float sin3 = sinOf(theta3);
            for (const auto& [theta, v] : {std::pair{theta1, v1}, std::pair{theta2, v2}}) {
                const Vec3f normal(cosOf(theta) * cos3, sinOf(theta), cosOf(theta) * sin3);
                sphere.normals.push_back(normal);
                sphere.positions.push_back(center + normal * radius);
                sphere.texCoords.emplace_back(u, v);
            }
        }
    }
    return sphere;
}

CylinderGeometry makeCylinder(float baseRadius, float topRadius, float height, int slices,
                              int stacks) {
    CylinderGeometry cylinder;
    const int rings = std::max(2, stacks + 1);
    const int columns = std::max(4, slices + 1);
    if (static_cast<long long>(rings) * columns > 65536) {
        assert(!"cylinder too finely divided for 16-bit indices");
        return cylinder;
    }
    cylinder.rings = rings;
    cylinder.columns = columns;
    for (int i = 0; i < columns; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(columns - 1);
        const float angle = kTwoPi * u;
        const float c = cosOf(angle);
        const float s = sinOf(angle);
        for (int j = 0; j < rings; ++j) {
            const float v = static_cast<float>(j) / static_cast<float>(rings - 1);
            const float r = baseRadius + (topRadius - baseRadius) * v;
            cylinder.positions.emplace_back(r * c, v * height, r * s);
            cylinder.normals.emplace_back(c, 0.0f, s);
            cylinder.texCoords.emplace_back(u, 1.0f - v);
        }
    }
    for (int j = 0; j < rings - 1; ++j) {
        for (int k = 0; k < columns; ++k) {
            cylinder.indices.push_back(static_cast<uint16_t>(j + rings * k));
            cylinder.indices.push_back(static_cast<uint16_t>(j + 1 + rings * k));
        }
    }
    return cylinder;
}

ArrowGeometry makeArrow(const Vec3f& start, const Vec3f& end, float headLength, float headRadius) {
    ArrowGeometry arrow;
    arrow.line = {start, end};
    const Vec3f axis = (end - start).normalized();
    // Any vector not parallel to the axis will do; an axis near either pole
    // takes X, otherwise Y (an arrow pointing straight down must get a head too).
    const Vec3f auxiliary =
        std::fabs(axis.y) > 0.999f ? axis.cross(Vec3f(1, 0, 0)) : axis.cross(Vec3f(0, 1, 0));
    const Vec3f unitSide = axis.cross(auxiliary).normalized();
    const Vec3f unitUp = axis.cross(unitSide).normalized();
    const Vec3f side = unitSide * headRadius;
    const Vec3f up = unitUp * headRadius;

    arrow.cone[0] = end + axis * headLength;
    arrow.base[0] = end;
    for (int k = 0; k <= 32; ++k) {
        const float theta = static_cast<float>(k) * kTwoPi / 32.0f;
        const float c = cosOf(theta);
        const float s = sinOf(theta);
        arrow.cone[k + 1] = end + side * c + up * s;
        arrow.base[k + 1] = end - side * c + up * s;
    }
    return arrow;
}

}  // namespace reef::gl
