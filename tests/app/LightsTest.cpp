#include "app/Lights.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Lights, ThirdLightMovesOnThePlaneXEqualsZ) {
    const double halfPi = 1.5707963267948966;
    const LightRig rig = lightRigAt(halfPi);
    EXPECT_NEAR(rig.positions[2].x, -160.0f, 1e-3f);
    EXPECT_NEAR(rig.positions[2].y, 75.0f * std::cos(0.1 * 3.141592653589793) + 75.0f, 1e-3f);
    EXPECT_NEAR(rig.positions[2].z, -160.0f, 1e-3f);
    for (double t : {0.0, 0.7, 12.5, 1000.0}) {
        const LightRig r = lightRigAt(t);
        EXPECT_EQ(r.positions[2].x, r.positions[2].z) << "t = " << t;
    }
}

TEST(Lights, FixedLightAndColours) {
    const LightRig rig = lightRigAt(3.0);
    EXPECT_EQ(rig.positions[0], reef::Vec3f(100, 50, 0));
    EXPECT_EQ(rig.colors[0], reef::Vec3f(0.3f, 0.7f, 0.2f));
    EXPECT_EQ(rig.colors[1], reef::Vec3f(0, 0, 1));
    EXPECT_EQ(rig.colors[2], reef::Vec3f(0, 1, 1));
    const LightRig start = lightRigAt(0.0);
    EXPECT_EQ(start.positions[1], reef::Vec3f(0, 100, 150));
}

}  // namespace
