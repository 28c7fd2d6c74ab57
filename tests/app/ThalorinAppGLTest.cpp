// The real application, run in-process for a few frames with a script: its
// render targets, resize handling and the GL state a frame leaves behind.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/ThalorinApp.h"
#include "framework/app/RendererGl.h"

namespace {

using reef::platform::Message;

// Runs `script` in the update of frame `atFrame` (after the earlier frames were
// drawn), then quits.
class ScriptedThalorin : public ThalorinApp {
public:
    using Script = std::function<void(ScriptedThalorin&)>;
    ScriptedThalorin(int atFrame, Script script) : atFrame_(atFrame), script_(std::move(script)) {}

    void update() override {
        ThalorinApp::update();
        if (frame_++ == atFrame_) {
            script_(*this);
            quit();
        }
    }
    void send(const Message& m) { handleMessage(m); }

private:
    int atFrame_;
    int frame_ = 0;
    Script script_;
};

void run(int atFrame, ScriptedThalorin::Script script) {
    const int code = reef::app::AppBasic::executeLaunch(
        std::make_unique<ScriptedThalorin>(atFrame, std::move(script)),
        std::make_shared<reef::app::RendererGl>(0), "ThalorinApp", 0, nullptr);
    EXPECT_EQ(code, 0);
}

TEST(ThalorinApp, RenderTargetsFollowTheWindowFromTheFirstFrame) {
    run(0, [](ScriptedThalorin& app) {
        ASSERT_TRUE(app.getParams()) << "setup did not finish: are the assets there?";
        const auto& nd = app.getNormalDepthFbo();
        EXPECT_EQ(nd.getWidth(), 875);
        EXPECT_EQ(nd.getHeight(), 700);
        EXPECT_EQ(nd.getFormat().colorInternalFormat, GLenum(GL_RGBA16F));
        EXPECT_EQ(nd.getFormat().samples, std::min(4, reef::gl::Fbo::getMaxSamples()));
        EXPECT_EQ(app.getOcclusionFbo().getWidth(), 875);
        EXPECT_EQ(app.getSceneFbo().getWidth(), 875);
        EXPECT_EQ(app.getGradientFbo().getWidth(), 875);
        EXPECT_EQ(app.getGradientFbo().getHeight(), 1);
        EXPECT_EQ(app.getBlurFboA().getWidth(), 64);
        EXPECT_TRUE(app.getNoiseTexture());
        EXPECT_EQ(app.getNoiseTexture().getWidth(), 256);
    });
}

TEST(ThalorinApp, ResizeRecreatesTheWindowSizedTargets) {
    run(0, [](ScriptedThalorin& app) {
        Message m;
        m.kind = Message::Kind::Resized;
        m.windowId = app.getWindow()->getNativeId();
        m.size = {400, 300};
        app.send(m);
        EXPECT_EQ(app.getSceneFbo().getWidth(), 400);
        EXPECT_EQ(app.getSceneFbo().getHeight(), 300);
        EXPECT_EQ(app.getNormalDepthFbo().getWidth(), 400);
        EXPECT_EQ(app.getOcclusionFbo().getHeight(), 300);
        EXPECT_EQ(app.getGradientFbo().getWidth(), 400);
        EXPECT_EQ(app.getBlurFboA().getWidth(), 64);
        EXPECT_NEAR(app.getCameraControl().getCamera().getAspectRatio(), 400.0f / 300.0f, 1e-6);

        // A minimised window reports 0 x 0: nothing is re-created from it.
        m.size = {0, 0};
        app.send(m);
        EXPECT_EQ(app.getSceneFbo().getWidth(), 400);
    });
}

TEST(ThalorinApp, AFrameLeavesCullingDepthAndMatrixStacksAsItFoundThem) {
    run(2, [](ScriptedThalorin&) {
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        GLboolean depthWrites = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_FALSE(depthWrites);
        GLint projectionDepth = 0, modelViewDepth = 0, program = -1;
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(projectionDepth, 1);
        EXPECT_EQ(modelViewDepth, 1);
        EXPECT_EQ(program, 0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    });
}

}  // namespace
