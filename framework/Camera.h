#pragma once
// A viewpoint and a lens producing the projection and model-view matrices that
// are loaded into OpenGL. Matrices are computed on first use and cached until a
// setter makes them stale, so the getters are const and the caches mutable.

#include <array>

#include "framework/math/Matrix44.h"
#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"

namespace reef {

class Camera {
public:
    // Corners of a clip plane in world space: top-left, top-right, bottom-left, bottom-right.
    using Corners = std::array<Vec3f, 4>;

    virtual ~Camera() = default;

    virtual Corners getNearClipCorners() const;
    // The near-plane frustum scaled by far / near, at the far distance.
    virtual Corners getFarClipCorners() const;
    virtual bool isPersp() const = 0;

    virtual const Matrix44f& getProjectionMatrix() const;
    virtual const Matrix44f& getModelViewMatrix() const;
    virtual const Matrix44f& getInverseModelViewMatrix() const;

    // Moves the eye; the view direction and orientation stay as they are.
    void setEyePoint(const Vec3f& eye);
    // Aimed at the eye itself, the camera looks along -Z.
    void lookAt(const Vec3f& target);
    void lookAt(const Vec3f& eye, const Vec3f& target);
    void lookAt(const Vec3f& eye, const Vec3f& target, const Vec3f& up);
    // Distance to `point` becomes the centre of interest, then the camera looks at it.
    void setCenterOfInterestPoint(const Vec3f& point);
    void setCenterOfInterest(float distance) { centerOfInterest_ = distance; }
    // A zero quaternion becomes the identity.
    void setOrientation(const Quatf& orientation);

    // Lens; the pose is untouched.
    void setPerspective(float verticalFovDegrees, float aspectRatio, float nearClip, float farClip);

    const Vec3f& getEyePoint() const { return eyePoint_; }
    const Vec3f& getViewDirection() const { return viewDirection_; }
    const Quatf& getOrientation() const { return orientation_; }
    float getCenterOfInterest() const { return centerOfInterest_; }
    Vec3f getCenterOfInterestPoint() const {
        return eyePoint_ + viewDirection_ * centerOfInterest_;
    }
    const Vec3f& getWorldUp() const { return worldUp_; }
    float getFov() const { return fov_; }
    float getAspectRatio() const { return aspectRatio_; }
    float getNearClip() const { return nearClip_; }
    float getFarClip() const { return farClip_; }

    // Right, up and backward axes of the current pose.
    const Vec3f& getU() const;
    const Vec3f& getV() const;
    const Vec3f& getW() const;

    const Matrix44f& getInverseProjectionMatrix() const;
    // Extents of the near plane for the current lens.
    float getFrustumLeft() const;
    float getFrustumRight() const;
    float getFrustumTop() const;
    float getFrustumBottom() const;

protected:
    Camera() = default;
    // Copies carry the cached matrices and flags with them.
    Camera(const Camera&) = default;
    Camera& operator=(const Camera&) = default;

    virtual void calcModelView() const;
    virtual void calcInverseModelView() const;
    virtual void calcProjection() const = 0;

    Vec3f eyePoint_;
    Vec3f viewDirection_;
    Quatf orientation_;
    float centerOfInterest_ = 0.0f;
    Vec3f worldUp_{0.0f, 1.0f, 0.0f};
    float fov_ = 0.0f;  // vertical, degrees
    float aspectRatio_ = 0.0f;
    float nearClip_ = 0.0f;
    float farClip_ = 0.0f;

    mutable Vec3f u_, v_, w_;
    mutable Matrix44f projectionMatrix_, inverseProjectionMatrix_;
    mutable bool projectionCached_ = false;
    mutable Matrix44f modelViewMatrix_;
    mutable bool modelViewCached_ = false;
    mutable Matrix44f inverseModelViewMatrix_;
    mutable bool inverseModelViewCached_ = false;
    mutable float frustumLeft_ = 0.0f, frustumRight_ = 0.0f, frustumTop_ = 0.0f,
                  frustumBottom_ = 0.0f;
};

class CameraPersp : public Camera {
public:
    // Eye (28, 21, 28) looking at the origin; 35 degrees, aspect 1, clip 0.1 to 1000.
    CameraPersp();
    // Looks along -Z at the centre of the plane z = 0, seen pixel for pixel.
    CameraPersp(int pixelWidth, int pixelHeight, float fovDegrees, float nearClip, float farClip);
    // As above with the clip planes at a tenth and ten times the eye's distance.
    CameraPersp(int pixelWidth, int pixelHeight, float fovDegrees);

    bool isPersp() const override { return true; }
    const Vec2f& getLensShift() const { return lensShift_; }

protected:
    void calcProjection() const override;

private:
    // Eye and target of the pixel-aligned view; returns the eye's distance to z = 0.
    float lookAtPixels(int pixelWidth, int pixelHeight, float fovDegrees);

    Vec2f lensShift_;
};

}  // namespace reef
