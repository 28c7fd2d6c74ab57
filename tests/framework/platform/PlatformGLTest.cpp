#include <epoxy/gl.h>

#include <cstring>

#include "framework/platform/Platform.h"
#include "tests/support/GlTestEnvironment.h"

namespace {

TEST_F(GlTest, ContextOffersTheCompatibilityFeaturesTheRendererNeeds) {
    EXPECT_GE(epoxy_gl_version(), 20);
    EXPECT_FALSE(epoxy_is_desktop_gl() == 0);
    // Fixed-function matrix stacks must exist in this profile.
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(GlTest, HiddenWindowHasTheRequestedClientSize) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], reef::test::kGlTestWindowWidth);
    EXPECT_EQ(viewport[3], reef::test::kGlTestWindowHeight);
}

TEST(PlatformClock, IsMonotonicWithSubMillisecondResolution) {
    const double a = reef::platform::clockSeconds();
    double b = a;
    while (b == a) {
        b = reef::platform::clockSeconds();
    }
    EXPECT_GT(b, a);
    EXPECT_LT(b - a, 1e-3);
}

TEST(PlatformFiles, ExecutablePathExistsAndIsNotADirectory) {
    const std::string path = reef::platform::executablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(reef::platform::pathExists(path));
    EXPECT_FALSE(reef::platform::isDirectory(path));
    EXPECT_FALSE(reef::platform::pathExists(path + ".missing"));
}

}  // namespace
