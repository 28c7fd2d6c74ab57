#include "tests/support/GlTestEnvironment.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <memory>

#include "framework/platform/Platform.h"

namespace reef::test {
namespace {

class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        platform::WindowOptions options;
        options.size = {kGlTestWindowWidth, kGlTestWindowHeight};
        options.hidden = true;
        options.resizable = false;
        window_ = std::make_unique<platform::NativeWindow>(options);
        context_ = std::make_unique<platform::GlContext>(*window_);
        context_->makeCurrent(*window_);
    }
    void TearDown() override {
        context_.reset();
        window_.reset();
    }

private:
    std::unique_ptr<platform::NativeWindow> window_;
    std::unique_ptr<platform::GlContext> context_;
};

}  // namespace

void GlTest::SetUp() {
    // Start each test from a clean error state.
    while (glGetError() != GL_NO_ERROR) {
    }
}

void GlTest::TearDown() {
    GLenum error = glGetError();
    EXPECT_EQ(error, GLenum(GL_NO_ERROR)) << "the test left GL error 0x" << std::hex << error;
    while (error != GL_NO_ERROR) {
        error = glGetError();
    }
}

}  // namespace reef::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        reef::platform::initialize();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "GL tests need a display (run them under xvfb-run): %s\n", e.what());
        return 1;
    }
    ::testing::AddGlobalTestEnvironment(new reef::test::GlEnvironment);
    return RUN_ALL_TESTS();
}
