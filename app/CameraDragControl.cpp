#include "app/CameraDragControl.h"

#include <cmath>

#include "framework/math/Quaternion.h"

using reef::Quatf;
using reef::Vec2i;
using reef::Vec3f;

void CameraDragControl::mouseDown(const Vec2i& position) {
    initialMousePos_ = position;
    initialCamera_ = currentCamera_;
    lastAction_ = None;
}

void CameraDragControl::mouseDrag(const Vec2i& p, bool left, bool middle, bool right) {
    int action;
    if (right || (left && middle)) {
        action = Zoom;
    } else if (left) {
        action = Tumble;
    } else if (middle) {
        action = Pan;
    } else {
        return;  // no button bit: the drag state and the buttons disagree
    }

    if (action != lastAction_) {
        initialCamera_ = currentCamera_;
        initialMousePos_ = p;
    }
    lastAction_ = action;

    const Vec2i p0 = initialMousePos_;
    const Vec3f eye = initialCamera_.getEyePoint();
    const Vec3f dir = initialCamera_.getViewDirection();
    const float coi = initialCamera_.getCenterOfInterest();
    const Vec3f target = eye + dir * coi;
    const Vec3f worldUp(0, 1, 0);

    if (action == Zoom) {
        const float k = static_cast<float>(p0.x + p0.y - p.y - p.x) / 500.0f;
        const float newCoi =
            static_cast<float>(std::pow(static_cast<double>(2.7182817f), static_cast<double>(k))) *
            coi;
        currentCamera_.setEyePoint(target - dir * newCoi);
        currentCamera_.setCenterOfInterest(newCoi);
    } else if (action == Pan) {
        const float dx = static_cast<float>(p.x - p0.x) / 1000.0f * coi;
        const float dy = static_cast<float>(p.y - p0.y) / 1000.0f * coi;
        const Vec3f w = dir.normalized();
        const Vec3f u = worldUp.cross(w).normalized();
        const Vec3f v = w.cross(u).normalized();
        currentCamera_.setEyePoint(eye + u * dx + v * dy);
    } else {
        float ty = static_cast<float>(p.y - p0.y) / 100.0f;
        float tx = static_cast<float>(p.x - p0.x) / -100.0f;
        const Vec3f w = dir.normalized();
        const Vec3f u = worldUp.cross(w).normalized();
        if (initialCamera_.getOrientation().rotate(worldUp).y < 0.0f) {
            tx = -tx;
            ty = -ty;
        }
        const Quatf qu = Quatf::fromAxisAngle(u, ty);
        const Quatf qy = Quatf::fromAxisAngle(worldUp, tx);
        currentCamera_.setEyePoint(target + qy.rotate(qu.rotate(eye - target)));
        currentCamera_.setOrientation(qy * qu * initialCamera_.getOrientation());
    }
}
