#pragma once
// The three moving lights of the scene at time t (seconds).

#include <array>

#include "framework/math/Vector.h"

struct LightRig {
    std::array<reef::Vec3f, 3> positions;
    std::array<reef::Vec3f, 3> colors;
};

LightRig lightRigAt(double t);
