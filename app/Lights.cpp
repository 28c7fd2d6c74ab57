#include "app/Lights.h"

#include <cmath>

namespace {

// Single-precision arguments, trigonometry in double, results stored as float.
float sinf64(float x) {
    return static_cast<float>(std::sin(static_cast<double>(x)));
}
float cosf64(float x) {
    return static_cast<float>(std::cos(static_cast<double>(x)));
}

}  // namespace

LightRig lightRigAt(double time) {
    const float t = static_cast<float>(time);
    LightRig rig;
    rig.positions[0] = reef::Vec3f(100, 50, 0);
    rig.positions[1] = reef::Vec3f(170 * sinf64(t), 50 * cosf64(-0.1f * t) + 50, 150 * cosf64(t));
    // Moves on the vertical plane x = z.
    rig.positions[2] = reef::Vec3f(160 * sinf64(-t), 75 * cosf64(-0.2f * t) + 75, 160 * sinf64(-t));
    rig.colors = {reef::Vec3f(0.3f, 0.7f, 0.2f), reef::Vec3f(0, 0, 1), reef::Vec3f(0, 1, 1)};
    return rig;
}
