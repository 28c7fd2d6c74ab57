#pragma once
// 4 x 4 float matrix stored column by column, in the order OpenGL loads it:
// element (row r, column c) is m[c * 4 + r].

#include <array>

#include "framework/math/Vector.h"

namespace reef {

struct Matrix44f {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Matrix44f identity() { return {}; }
    static Matrix44f zero() {
        Matrix44f r;
        r.m.fill(0.0f);
        return r;
    }
    static Matrix44f translation(const Vec3f& t) {
        Matrix44f r;
        r.at(0, 3) = t.x;
        r.at(1, 3) = t.y;
        r.at(2, 3) = t.z;
        return r;
    }
    static Matrix44f scaling(const Vec3f& s) {
        Matrix44f r;
        r.at(0, 0) = s.x;
        r.at(1, 1) = s.y;
        r.at(2, 2) = s.z;
        return r;
    }

    float& at(int row, int col) { return m[col * 4 + row]; }
    float at(int row, int col) const { return m[col * 4 + row]; }
    const float* data() const { return m.data(); }

    Matrix44f operator*(const Matrix44f& b) const {
        Matrix44f r = zero();
        for (int c = 0; c < 4; ++c) {
            for (int row = 0; row < 4; ++row) {
                float sum = 0;
                for (int k = 0; k < 4; ++k) {
                    sum += at(row, k) * b.at(k, c);
                }
                r.at(row, c) = sum;
            }
        }
        return r;
    }

    // Affine transform of a point (w = 1), without the perspective divide.
    Vec3f transformPoint(const Vec3f& p) const {
        return {at(0, 0) * p.x + at(0, 1) * p.y + at(0, 2) * p.z + at(0, 3),
                at(1, 0) * p.x + at(1, 1) * p.y + at(1, 2) * p.z + at(1, 3),
                at(2, 0) * p.x + at(2, 1) * p.y + at(2, 2) * p.z + at(2, 3)};
    }

    bool operator==(const Matrix44f& o) const { return m == o.m; }
    bool operator!=(const Matrix44f& o) const { return m != o.m; }
};

}  // namespace reef
