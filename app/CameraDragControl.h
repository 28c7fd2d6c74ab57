#pragma once
// Orbits, pans and dollies the scene camera around its centre of interest
// from mouse drags. Each press starts from the camera where it stands; a
// change of buttons mid-drag continues from the current pose without a jump.

#include "framework/Camera.h"
#include "framework/math/Vector.h"

class CameraDragControl {
public:
    enum Action { None = 0, Zoom = 1, Pan = 2, Tumble = 3 };

    void mouseDown(const reef::Vec2i& position);
    void mouseDrag(const reef::Vec2i& position, bool left, bool middle, bool right);

    const reef::CameraPersp& getCamera() const { return currentCamera_; }
    void setCurrentCam(const reef::CameraPersp& camera) { currentCamera_ = camera; }

private:
    reef::Vec2i initialMousePos_;
    reef::CameraPersp currentCamera_;
    reef::CameraPersp initialCamera_;
    int lastAction_ = None;
};
