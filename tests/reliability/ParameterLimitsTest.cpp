// What a rebuild does with values it cannot build: counts too large for the
// tentacle and vertex limits are lowered, values that are not finite numbers
// are refused, and the panel's getters then show what was built. Every value
// goes through the panel's own store-and-rebuild setter. No GL needed.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "model/AnemoneModel.h"
#include "panel/ModelAccessors.h"
#include "tests/reliability/ModelChecks.h"

namespace thalorin {
namespace {

using reef::Vec3f;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

size_t vertices(const AnemoneModel& model) {
    return model.bodyVertexCount() + model.tentacleVertexCount();
}

// The expected values follow from the vertex counts of a model with
// n radial segments and N ring intervals: a body of (N + 2 + N - N/2 + 1)
// rings of n + 1 vertices plus the sole's centre, and per tentacle 2 (N + 1)
// rings of M + 1 vertices, M = floor(0.3 n); with the other defaults 52
// tentacles. The largest n for N = 20 within two million vertices is 2903
// (1 998 097 vertices; 2904 makes 2 000 314), the largest N for n = 50 is
// 1148 (1 999 912; 1149 makes 2 001 678). "Hair in line" is held by the
// thousand-tentacle limit (389, 260, 195 and 156 tentacles on the four lines)
// and so is "Number of lines": with 20 in the first line, 889 lines hold
// exactly 1 000 tentacles.
TEST(ParameterLimits, HugeCountsAreLoweredAndShownInThePanel) {
    ASSERT_EQ(AnemoneModel::kMaxVertices, 2000000u);
    ASSERT_EQ(AnemoneModel::kMaxTentacles, 1000u);
    const struct {
        const char* name;
        int32_t AnemoneModel::*member;
        int32_t limited;
        size_t tentacles;
    } cases[] = {
        {"Radial segments", &AnemoneModel::radialSegments, 2903, 52},
        {"Height segments", &AnemoneModel::heightSegments, 1148, 52},
        {"Hair in line", &AnemoneModel::hairInLine, 389, 1000},
        {"Number of lines", &AnemoneModel::numberOfLines, 889, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.rebuild();
        const AnemoneModel defaults;
        geometrySetter(model, c.member)(10000000);

        EXPECT_EQ(geometryGetter(model, c.member)(), c.limited);
        EXPECT_LE(vertices(model), AnemoneModel::kMaxVertices);
        EXPECT_EQ(model.getTentacleChains().size(), c.tentacles);
        EXPECT_TRUE(modelFinite(model));
        // Only the typed count gave way.
        for (int32_t AnemoneModel::*other :
             {&AnemoneModel::radialSegments, &AnemoneModel::heightSegments,
              &AnemoneModel::hairInLine, &AnemoneModel::numberOfLines}) {
            if (other != c.member) {
                EXPECT_EQ(model.*other, defaults.*other);
            }
        }

        // The limit goes with the value: a smaller one is taken as typed.
        geometrySetter(model, c.member)(defaults.*(c.member) + 1);
        EXPECT_EQ(geometryGetter(model, c.member)(), defaults.*(c.member) + 1);
    }
}

// A model at its vertex limit that changes its tube kind: the cylindrical
// tube of one ring interval has more vertices than the tapered one (5 rings
// and a disc centre against 4 rings), so the radial segments give way again.
// With N = 1 the tapered limit is n = 29673, the cylindrical one n = 24093.
TEST(ParameterLimits, ChangingTheTubeKindAtTheLimitLowersRadialSegments) {
    AnemoneModel model;
    model.rebuild();
    geometrySetter(model, &AnemoneModel::heightSegments)(1);
    geometrySetter(model, &AnemoneModel::radialSegments)(10000000);
    EXPECT_EQ(model.radialSegments, 29673);

    geometrySetter(model, &AnemoneModel::hairCylindrical)(true);
    EXPECT_EQ(model.radialSegments, 24093);
    EXPECT_EQ(model.heightSegments, 1);
    EXPECT_LE(vertices(model), AnemoneModel::kMaxVertices);
    EXPECT_TRUE(modelFinite(model));
}

// Negative counts build nothing of what they count and keep their value: a
// ring of fewer than no segments has no vertices, a body of fewer than no ring
// intervals has none at all, and fewer than no tentacles are none. Radial
// segments -1 still give tube rings of 0.3 x -1, truncated to 0 segments: one
// vertex each, 42 per tentacle.
TEST(ParameterLimits, NegativeCountsBuildNothingOfWhatTheyCount) {
    const struct {
        const char* name;
        int32_t AnemoneModel::*member;
        int32_t value;
        size_t bodyVertices, tentacleVertices, tentacles;
    } cases[] = {
        {"Radial segments -1", &AnemoneModel::radialSegments, -1, 1, 52 * 42, 52},
        {"Radial segments min", &AnemoneModel::radialSegments, kIntMin, 1, 0, 52},
        {"Height segments -1", &AnemoneModel::heightSegments, -1, 0, 0, 52},
        {"Height segments min", &AnemoneModel::heightSegments, kIntMin, 0, 0, 52},
        {"Hair in line -1", &AnemoneModel::hairInLine, -1, 1684, 0, 0},
        {"Hair in line min", &AnemoneModel::hairInLine, kIntMin, 1684, 0, 0},
        {"Number of lines -1", &AnemoneModel::numberOfLines, -1, 1684, 0, 0},
        {"Number of lines min", &AnemoneModel::numberOfLines, kIntMin, 1684, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.rebuild();
        geometrySetter(model, c.member)(c.value);
        EXPECT_EQ(geometryGetter(model, c.member)(), c.value);
        EXPECT_EQ(model.bodyVertexCount(), c.bodyVertices);  // 1: the sole's centre
        EXPECT_EQ(model.tentacleVertexCount(), c.tentacleVertices);
        EXPECT_EQ(model.getTentacleChains().size(), c.tentacles);
        EXPECT_TRUE(modelFinite(model));
        for (int frame = 1; frame <= 3; ++frame) {
            model.update(frame / 60.0f);
        }
        EXPECT_TRUE(modelFinite(model));
    }
}

// Lengths are held to 100 000 model units (500 default body heights) and the
// fractions and factors to 100, so that coordinates and their squares stay
// within the float range; an angle of any size is built as it is.
TEST(ParameterLimits, HugeShapeValuesAreHeldToTheirLimits) {
    const struct {
        const char* name;
        float AnemoneModel::*member;
        float typed, limited;
    } cases[] = {
        {"R", &AnemoneModel::bottomRadius, 1e30f, 1e5f},
        {"hair H", &AnemoneModel::hairHeight, -3e38f, -1e5f},
        {"middle R", &AnemoneModel::middleRadius, 100001, 1e5f},
        {"vertical scale", &AnemoneModel::capScale, 1e20f, 100},
        {"sole clamp", &AnemoneModel::soleClamp, -1e9f, -100},
        {"wave size", &AnemoneModel::waveSize, 99.5f, 99.5f},
        {"Bend Angle", &AnemoneModel::bendAngle, 1e30f, 1e30f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        geometrySetter(model, c.member)(c.typed);
        EXPECT_EQ(geometryGetter(model, c.member)(), c.limited);
        EXPECT_TRUE(modelFinite(model));
    }
}

// NaN or an infinity typed into a shape entry is refused: the entry keeps the
// value the model was last built with, and the model stays as it was.
TEST(ParameterLimits, NonFiniteValuesAreRefused) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        float AnemoneModel::*member;
        float typedFirst;  // a finite value the entry holds before
    } cases[] = {
        {"r", &AnemoneModel::topRadius, 80},
        {"R", &AnemoneModel::bottomRadius, 90},
        {"H", &AnemoneModel::bodyHeight, 150},
        {"middle R", &AnemoneModel::middleRadius, 50},
        {"middle R H", &AnemoneModel::middleHeight, 0.5f},
        {"vertical scale", &AnemoneModel::capScale, 0.4f},
        {"sole clamp", &AnemoneModel::soleClamp, 0.3f},
        {"wave size", &AnemoneModel::waveSize, 0.2f},
        {"Bend Angle", &AnemoneModel::bendAngle, 30},
        {"hair R", &AnemoneModel::hairRadius, 4},
        {"hair H", &AnemoneModel::hairHeight, 12},
    };
    for (const auto& c : cases) {
        for (float value : {nan, inf, -inf}) {
            SCOPED_TRACE(testing::Message() << c.name << " " << value);
            AnemoneModel model;
            geometrySetter(model, c.member)(c.typedFirst);
            const size_t before = vertices(model);
            geometrySetter(model, c.member)(value);
            EXPECT_EQ(geometryGetter(model, c.member)(), c.typedFirst);
            EXPECT_EQ(vertices(model), before);
            EXPECT_TRUE(modelFinite(model));
        }
    }

    AnemoneModel model;
    geometrySetter(model, &AnemoneModel::bendAxis)(Vec3f(1, 0, 0));
    for (const Vec3f& axis : {Vec3f(nan, 0, 1), Vec3f(0, inf, 0), Vec3f(-inf, -inf, -inf)}) {
        geometrySetter(model, &AnemoneModel::bendAxis)(axis);
        EXPECT_EQ(geometryGetter(model, &AnemoneModel::bendAxis)(), Vec3f(1, 0, 0));
    }
}

}  // namespace
}  // namespace thalorin
