// Where the tentacles stand on the dome and how many there are. No GL needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/AnemoneModel.h"
#include "tests/model/ModelTestUtil.h"

namespace thalorin {
namespace {

using reef::Vec3f;

constexpr float kDegrees = 0.017453292f;

float yawDegrees(const Vec3f& p) {
    float degrees = std::atan2(p.x, p.z) / kDegrees;
    return degrees < 0 ? degrees + 360.0f : degrees;
}

Vec3f rootUp(const TentacleChain& chain) {
    return chain.linkTransform(0).orientation.rotate(Vec3f(0, 1, 0));
}

// Lines at 15, 30, 45, 60 degrees of the dome (R 70, f 0.25, top ring at y 200).
TEST(TentacleLayout, DefaultLines) {
    AnemoneModel model;
    model.rebuild();
    ASSERT_EQ(model.getTentacleChains().size(), 52u);

    const struct {
        int count;
        float height, radius, phaseDegrees, tiltDegrees, spacingDegrees;
    } lines[] = {
        {20, 22.0f, 67.6f, 30, 43.0f, 18},
        {14, 26.3f, 60.6f, 120, 23.4f, 27},  // 13.33 tentacles' spacing
        {10, 29.9f, 49.5f, 270, 14.0f, 36},
        {8, 32.7f, 35.0f, 480 - 360, 8.2f, 45},
    };
    size_t first = 0;
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c + 1);
        const auto& line = lines[c];
        for (int i = 0; i < line.count; ++i) {
            SCOPED_TRACE(i);
            const TentacleChain& chain = model.getTentacleChains()[first + i];
            const Vec3f root = chain.linkCentre(0);
            EXPECT_NEAR(root.y - 200, line.height, 0.06f);
            EXPECT_NEAR(std::hypot(root.x, root.z), line.radius, 0.06f);
            const float expectedYaw =
                std::fmod(line.phaseDegrees + i * line.spacingDegrees, 360.0f);
            EXPECT_NEAR(std::remainder(yawDegrees(root) - expectedYaw, 360.0f), 0, 0.05f);
            // The root's axis is the outward dome normal: tilted outwards in
            // the vertical plane through the root.
            const Vec3f up = rootUp(chain);
            EXPECT_NEAR(std::acos(up.y) / kDegrees, line.tiltDegrees, 0.06f);
            EXPECT_NEAR(std::remainder(yawDegrees(up) - yawDegrees(root), 360.0f), 0, 0.05f);
            EXPECT_EQ(chain.getRadius(), 5.0f);
            EXPECT_EQ(chain.getHeight(), 10.0f);
        }
        first += line.count;
    }
    // A fractional count leaves the last gap of line 2 short: 360 - 13 x 27.
    const Vec3f last = model.getTentacleChains()[33].linkCentre(0);
    const Vec3f firstOfLine = model.getTentacleChains()[20].linkCentre(0);
    EXPECT_NEAR(std::remainder(yawDegrees(firstOfLine) - yawDegrees(last), 360.0f), 9, 0.05f);
}

TEST(TentacleLayout, OneLineAtThirtyDegrees) {
    AnemoneModel model;
    model.numberOfLines = 1;
    model.rebuild();
    ASSERT_EQ(model.getTentacleChains().size(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        const Vec3f root = model.getTentacleChains()[i].linkCentre(0);
        EXPECT_NEAR(root.y - 200, 17.5f + 17.5f * 0.5f, 1e-3f);
        EXPECT_NEAR(std::hypot(root.x, root.z), 70 * 0.8660254f, 1e-3f);
        EXPECT_NEAR(std::remainder(yawDegrees(root) - (30.0f + 18.0f * i), 360.0f), 0, 0.01f);
    }
}

// Link centres 0, 20, .., 80 along the root's axis, every chain at rest.
TEST(TentacleLayout, ChainsStartAtRestAlongTheDomeNormal) {
    AnemoneModel model;
    model.rebuild();
    for (const TentacleChain& chain : model.getTentacleChains()) {
        const Vec3f root = chain.linkCentre(0);
        const Vec3f up = rootUp(chain);
        for (size_t k = 0; k < 5; ++k) {
            expectVecNear(chain.linkCentre(k), root + up * (20.0f * k), 1e-3f);
        }
    }
}

// Bent by 90 degrees the top ring's axis is -X: every line centre lies X_c
// along it from the top ring's centre and every root rho_c away from that.
TEST(TentacleLayout, RootsFollowABentBody) {
    AnemoneModel model;
    model.bendAngle = 90;
    model.numberOfLines = 1;
    model.rebuild();
    const AnemoneModel::Frame top = model.topFrame();
    const Vec3f axis(-1, 0, 0);
    ASSERT_EQ(model.getTentacleChains().size(), 20u);
    for (const TentacleChain& chain : model.getTentacleChains()) {
        const Vec3f fromTop = chain.linkCentre(0) - top.centre;
        const float along = fromTop.dot(axis);
        EXPECT_NEAR(along, 26.25f, 1e-3f);
        EXPECT_NEAR((fromTop - axis * along).length(), 60.621778f, 1e-3f);
        // Tilted 23.4 degrees off the bent axis, outwards.
        EXPECT_NEAR(std::acos(rootUp(chain).dot(axis)) / kDegrees, 23.413f, 0.01f);
    }
}

TEST(TentacleLayout, NoTentacles) {
    const struct {
        const char* name;
        int32_t hairInLine, lines;
    } cases[] = {
        {"no hair in line", 0, 4},
        {"no lines", 20, 0},
        {"negative hair in line", -5, 4},
        {"negative lines", 20, -3},
        {"many empty lines", 0, std::numeric_limits<int32_t>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.hairInLine = c.hairInLine;
        model.numberOfLines = c.lines;
        model.rebuild();
        EXPECT_TRUE(model.getTentacleChains().empty());
        EXPECT_EQ(model.tentacleVertexCount(), 0u);
        EXPECT_TRUE(tentaclesFinite(model));
        // Heights then reach 1 at the top of the dome.
        EXPECT_FLOAT_EQ(*std::max_element(model.bodyHeights.begin(), model.bodyHeights.end()),
                        1.0f);
        model.update(0.5f);
        EXPECT_TRUE(tentaclesFinite(model));
        EXPECT_EQ(model.tentacleVertexCount(), 0u);
    }
}

// A typed-in huge count is thinned to at most kMaxTentacles (1000) tentacles:
// "Hair in line" becomes the largest value whose layout fits, 389, so the
// lines keep their proportions (389, 260, 195 and 156 tentacles). Past 1000
// lines the last lines are left out.
TEST(TentacleLayout, HugeCountsAreCapped) {
    ASSERT_EQ(AnemoneModel::kMaxTentacles, 1000u);
    const struct {
        const char* name;
        int32_t hairInLine, lines;
        int32_t firstLine;  // 0 when more lines than tentacles
    } cases[] = {
        {"huge hair in line", std::numeric_limits<int32_t>::max(), 4, 389},
        {"just fits", 389, 4, 389},
        {"one too many", 390, 4, 389},
        {"many lines", 1, std::numeric_limits<int32_t>::max(), 0},
        {"both huge", std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnemoneModel model;
        model.hairInLine = c.hairInLine;
        model.numberOfLines = c.lines;
        model.radialSegments = 3;  // the tube geometry is not what is looked at here
        model.heightSegments = 1;
        model.rebuild();
        const auto& chains = model.getTentacleChains();
        ASSERT_EQ(chains.size(), 1000u);
        EXPECT_TRUE(tentaclesFinite(model));
        if (c.firstLine == 0) {
            continue;
        }
        // The second line starts after the first's 389, 30 degrees up the dome.
        EXPECT_NEAR(chains[388].linkCentre(0).y - 200, 22.0f, 0.06f);
        EXPECT_NEAR(chains[389].linkCentre(0).y - 200, 26.3f, 0.06f);
        EXPECT_NEAR(chains[999].linkCentre(0).y - 200, 32.7f, 0.06f);
    }
}

}  // namespace
}  // namespace thalorin
