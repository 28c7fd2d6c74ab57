#include "framework/Camera.h"

#include <cmath>

namespace reef {

namespace {

const Vec3f kZero{0.0f, 0.0f, 0.0f};

// Rotation matrix given by its columns to a quaternion. The branch on the
// largest diagonal element keeps the divisor away from zero.
Quatf quatFromColumns(const Vec3f& x, const Vec3f& y, const Vec3f& z) {
    const float m00 = x.x, m10 = x.y, m20 = x.z;
    const float m01 = y.x, m11 = y.y, m21 = y.z;
    const float m02 = z.x, m12 = z.y, m22 = z.z;
    const float trace = m00 + m11 + m22;
    Quatf q;
    if (trace > 0.0f) {
        q.w = 0.5f * std::sqrt(trace + 1.0f);
        const float s = 4.0f * q.w;
        q.x = (m21 - m12) / s;
        q.y = (m02 - m20) / s;
        q.z = (m10 - m01) / s;
    } else if (m00 >= m11 && m00 >= m22) {
        q.x = 0.5f * std::sqrt(m00 - m11 - m22 + 1.0f);
        const float s = 4.0f * q.x;
        q.y = (m01 + m10) / s;
        q.z = (m02 + m20) / s;
        q.w = (m21 - m12) / s;
    } else if (m11 >= m22) {
        q.y = 0.5f * std::sqrt(m11 - m00 - m22 + 1.0f);
        const float s = 4.0f * q.y;
        q.x = (m01 + m10) / s;
        q.z = (m12 + m21) / s;
        q.w = (m02 - m20) / s;
    } else {
        q.z = 0.5f * std::sqrt(m22 - m00 - m11 + 1.0f);
        const float s = 4.0f * q.z;
        q.x = (m02 + m20) / s;
        q.y = (m12 + m21) / s;
        q.w = (m10 - m01) / s;
    }
    return q.normalizedOrIdentity();
}

bool allFinite(const Matrix44f& m) {
    for (float e : m.m) {
        if (!std::isfinite(e)) {
            return false;
        }
    }
    return true;
}

}  // namespace

// [SECTION] Matrices

const Matrix44f& Camera::getProjectionMatrix() const {
    if (!projectionCached_) {
        calcProjection();
    }
    return projectionMatrix_;
}

const Matrix44f& Camera::getModelViewMatrix() const {
    if (!modelViewCached_) {
        calcModelView();
    }
    return modelViewMatrix_;
}

const Matrix44f& Camera::getInverseModelViewMatrix() const {
    if (!inverseModelViewCached_) {
        calcInverseModelView();
    }
    return inverseModelViewMatrix_;
}

const Matrix44f& Camera::getInverseProjectionMatrix() const {
    getProjectionMatrix();
    return inverseProjectionMatrix_;
}

void Camera::calcModelView() const {
    w_ = -viewDirection_.normalized();
    u_ = orientation_.rotate(Vec3f(1.0f, 0.0f, 0.0f));
    v_ = orientation_.rotate(Vec3f(0.0f, 1.0f, 0.0f));

    Matrix44f& m = modelViewMatrix_;
    const Vec3f* rows[3] = {&u_, &v_, &w_};
    for (int r = 0; r < 3; ++r) {
        m.at(r, 0) = rows[r]->x;
        m.at(r, 1) = rows[r]->y;
        m.at(r, 2) = rows[r]->z;
        m.at(r, 3) = -rows[r]->dot(eyePoint_);
    }
    m.at(3, 0) = 0.0f;
    m.at(3, 1) = 0.0f;
    m.at(3, 2) = 0.0f;
    m.at(3, 3) = 1.0f;

    modelViewCached_ = true;
    inverseModelViewCached_ = false;
}

void Camera::calcInverseModelView() const {
    const Matrix44f& m = getModelViewMatrix();
    const float a = m.at(0, 0), b = m.at(0, 1), c = m.at(0, 2);
    const float d = m.at(1, 0), e = m.at(1, 1), f = m.at(1, 2);
    const float g = m.at(2, 0), h = m.at(2, 1), i = m.at(2, 2);

    // Cofactors of the 3 x 3 block; the inverse is their transpose over the determinant.
    const float c00 = e * i - f * h, c01 = f * g - d * i, c02 = d * h - e * g;
    const float c10 = c * h - b * i, c11 = a * i - c * g, c12 = b * g - a * h;
    const float c20 = b * f - c * e, c21 = c * d - a * f, c22 = a * e - b * d;
    const float det = a * c00 + b * c01 + c * c02;

    Matrix44f inv;
    // Written so that a NaN determinant also falls back to the identity.
    if (std::abs(det) > 4.37114e-5f) {
        const float rows[3][3] = {{c00, c10, c20}, {c01, c11, c21}, {c02, c12, c22}};
        const float t[3] = {m.at(0, 3), m.at(1, 3), m.at(2, 3)};
        for (int r = 0; r < 3; ++r) {
            float moved = 0.0f;
            for (int k = 0; k < 3; ++k) {
                inv.at(r, k) = rows[r][k] / det;
                moved += inv.at(r, k) * t[k];
            }
            inv.at(r, 3) = -moved;
        }
    }
    inverseModelViewMatrix_ = inv;
    inverseModelViewCached_ = true;
}

// [SECTION] Clip planes

Camera::Corners Camera::getNearClipCorners() const {
    getModelViewMatrix();
    getProjectionMatrix();
    const Vec3f centre = eyePoint_ + viewDirection_ * nearClip_;
    return {centre + v_ * frustumTop_ + u_ * frustumLeft_,
            centre + v_ * frustumTop_ + u_ * frustumRight_,
            centre + v_ * frustumBottom_ + u_ * frustumLeft_,
            centre + v_ * frustumBottom_ + u_ * frustumRight_};
}

Camera::Corners Camera::getFarClipCorners() const {
    getModelViewMatrix();
    getProjectionMatrix();
    const float ratio = farClip_ / nearClip_;
    const float top = frustumTop_ * ratio, bottom = frustumBottom_ * ratio;
    const float left = frustumLeft_ * ratio, right = frustumRight_ * ratio;
    const Vec3f centre = eyePoint_ + viewDirection_ * farClip_;
    return {centre + v_ * top + u_ * left, centre + v_ * top + u_ * right,
            centre + v_ * bottom + u_ * left, centre + v_ * bottom + u_ * right};
}

float Camera::getFrustumLeft() const {
    getProjectionMatrix();
    return frustumLeft_;
}

float Camera::getFrustumRight() const {
    getProjectionMatrix();
    return frustumRight_;
}

float Camera::getFrustumTop() const {
    getProjectionMatrix();
    return frustumTop_;
}

float Camera::getFrustumBottom() const {
    getProjectionMatrix();
    return frustumBottom_;
}

const Vec3f& Camera::getU() const {
    getModelViewMatrix();
    return u_;
}

const Vec3f& Camera::getV() const {
    getModelViewMatrix();
    return v_;
}

const Vec3f& Camera::getW() const {
    getModelViewMatrix();
    return w_;
}

// [SECTION] Pose and lens

// Every pose change also drops the inverse: otherwise a cached inverse would
// outlive the model-view it was taken from.
void Camera::setEyePoint(const Vec3f& eye) {
    eyePoint_ = eye;
    modelViewCached_ = false;
    inverseModelViewCached_ = false;
}

void Camera::lookAt(const Vec3f& target) {
    const Vec3f direction = (target - eyePoint_).normalized();

    Vec3f z = -direction;
    if (z == kZero) {
        z = Vec3f(0.0f, 0.0f, 1.0f);
    }
    Vec3f up = worldUp_;
    if (up == kZero) {
        up = Vec3f(0.0f, 1.0f, 0.0f);
    }
    if (up.cross(z) == kZero) {
        up = z.cross(Vec3f(1.0f, 0.0f, 0.0f));
        if (up == kZero) {
            up = z.cross(Vec3f(0.0f, 0.0f, 1.0f));
        }
    }
    const Vec3f x = up.cross(z);
    const Vec3f y = z.cross(x);
    orientation_ = quatFromColumns(x / x.length(), y / y.length(), z / z.length());

    // Looking at the eye itself gives no direction: keep the view direction in
    // step with the orientation rather than leaving it zero.
    viewDirection_ = direction == kZero ? -z : direction;
    modelViewCached_ = false;
    inverseModelViewCached_ = false;
}

void Camera::lookAt(const Vec3f& eye, const Vec3f& target) {
    eyePoint_ = eye;
    lookAt(target);
}

void Camera::lookAt(const Vec3f& eye, const Vec3f& target, const Vec3f& up) {
    eyePoint_ = eye;
    worldUp_ = up.normalized();
    lookAt(target);
}

void Camera::setCenterOfInterestPoint(const Vec3f& point) {
    centerOfInterest_ = (eyePoint_ - point).length();
    lookAt(point);
}

void Camera::setOrientation(const Quatf& orientation) {
    orientation_ = orientation.normalizedOrIdentity();
    viewDirection_ = orientation_.rotate(Vec3f(0.0f, 0.0f, -1.0f));
    modelViewCached_ = false;
    inverseModelViewCached_ = false;
}

void Camera::setPerspective(float verticalFovDegrees, float aspectRatio, float nearClip,
                            float farClip) {
    fov_ = verticalFovDegrees;
    aspectRatio_ = aspectRatio;
    nearClip_ = nearClip;
    farClip_ = farClip;
    projectionCached_ = false;
}

// [SECTION] CameraPersp

CameraPersp::CameraPersp() {
    lookAt(Vec3f(28.0f, 21.0f, 28.0f), Vec3f(0.0f, 0.0f, 0.0f), Vec3f(0.0f, 1.0f, 0.0f));
    setCenterOfInterest(44.822f);
    setPerspective(35.0f, 1.0f, 0.1f, 1000.0f);
}

CameraPersp::CameraPersp(int pixelWidth, int pixelHeight, float fovDegrees, float nearClip,
                         float farClip) {
    setPerspective(fovDegrees, static_cast<float>(pixelWidth) / static_cast<float>(pixelHeight),
                   nearClip, farClip);
    lookAtPixels(pixelWidth, pixelHeight, fovDegrees);
}

CameraPersp::CameraPersp(int pixelWidth, int pixelHeight, float fovDegrees) {
    const float distance = lookAtPixels(pixelWidth, pixelHeight, fovDegrees);
    setPerspective(fovDegrees, static_cast<float>(pixelWidth) / static_cast<float>(pixelHeight),
                   distance / 10.0f, distance * 10.0f);
}

float CameraPersp::lookAtPixels(int pixelWidth, int pixelHeight, float fovDegrees) {
    const float halfWidth = static_cast<float>(pixelWidth) / 2.0f;
    const float halfHeight = static_cast<float>(pixelHeight) / 2.0f;
    const float distance = halfHeight / std::tan(fovDegrees * 3.14159f / 360.0f);
    lookAt(Vec3f(halfWidth, halfHeight, distance), Vec3f(halfWidth, halfHeight, 0.0f), worldUp_);
    // The camera turns about the point it was aimed at.
    setCenterOfInterest(distance);
    return distance;
}

void CameraPersp::calcProjection() const {
    frustumTop_ = nearClip_ * std::tan(fov_ * 0.017453292f * 0.5f);
    frustumBottom_ = -frustumTop_;
    frustumRight_ = frustumTop_ * aspectRatio_;
    frustumLeft_ = -frustumRight_;

    const float l = frustumLeft_, r = frustumRight_, t = frustumTop_, b = frustumBottom_;
    const float n = nearClip_, f = farClip_;

    Matrix44f& p = projectionMatrix_;
    p = Matrix44f::zero();
    p.at(0, 0) = 2.0f * n / (r - l);
    p.at(1, 1) = 2.0f * n / (t - b);
    p.at(0, 2) = (r + l) / (r - l);
    p.at(1, 2) = (t + b) / (t - b);
    p.at(2, 2) = -(f + n) / (f - n);
    p.at(3, 2) = -1.0f;
    p.at(2, 3) = -2.0f * f * n / (f - n);

    Matrix44f& inv = inverseProjectionMatrix_;
    inv = Matrix44f::zero();
    inv.at(0, 0) = (r - l) / (2.0f * n);
    inv.at(1, 1) = (t - b) / (2.0f * n);
    inv.at(0, 3) = (r + l) / (2.0f * n);
    inv.at(1, 3) = (t + b) / (2.0f * n);
    inv.at(2, 3) = -1.0f;
    inv.at(3, 2) = -(f - n) / (2.0f * f * n);
    inv.at(3, 3) = (f + n) / (2.0f * f * n);

    // A lens without extent (zero size window, zero field of view, near equal to
    // far) would put infinities and NaNs into GL's matrix stacks.
    if (!allFinite(p) || !allFinite(inv)) {
        p = Matrix44f::identity();
        inv = Matrix44f::identity();
    }
    projectionCached_ = true;
}

}  // namespace reef
