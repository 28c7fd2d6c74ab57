#include "tests/app/FixedStepHarness.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "framework/app/RendererGl.h"

namespace {

std::vector<std::string>& debugMessages() {
    static std::vector<std::string> messages;
    return messages;
}

void GLAPIENTRY onDebugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei,
                               const GLchar* message, const void*) {
    if (severity == GL_DEBUG_SEVERITY_HIGH || type == GL_DEBUG_TYPE_ERROR) {
        debugMessages().emplace_back(message ? message : "");
    }
}

}  // namespace

FixedStepHarness::FixedStepHarness(int frames, Step beforeUpdate, Step afterDraw)
    : frames_(frames), beforeUpdate_(std::move(beforeUpdate)), afterDraw_(std::move(afterDraw)) {}

void FixedStepHarness::prepareSettings(Settings* settings) {
    ThalorinApp::prepareSettings(settings);
    settings->disableFrameRate();
}

void FixedStepHarness::setup() {
    setElapsedSecondsSource([this] { return time(); });
    if (epoxy_has_gl_extension("GL_KHR_debug")) {
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(onDebugMessage, nullptr);
    }
    ThalorinApp::setup();
}

void FixedStepHarness::update() {
    if (beforeUpdate_) {
        beforeUpdate_(*this, frame_);
    }
    ThalorinApp::update();
}

void FixedStepHarness::draw() {
    ThalorinApp::draw();
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        char text[64];
        std::snprintf(text, sizeof(text), "frame %d: GL error 0x%04x", frame_, error);
        glErrors_.emplace_back(text);
    }
    if (afterDraw_) {
        afterDraw_(*this, frame_);
    }
    if (++frame_ >= frames_) {
        quit();
    }
}

reef::platform::Message FixedStepHarness::messageFor(reef::platform::Message::Kind kind) const {
    reef::platform::Message m;
    m.kind = kind;
    m.windowId = getWindow()->getNativeId();
    return m;
}

const std::vector<std::string>& FixedStepHarness::highSeverityMessages() {
    return debugMessages();
}

void FixedStepHarness::run(int frames, Step beforeUpdate, Step afterDraw) {
    auto app =
        std::make_unique<FixedStepHarness>(frames, std::move(beforeUpdate), std::move(afterDraw));
    FixedStepHarness* harness = app.get();
    std::vector<std::string> errors;
    // Copy the errors out through the last frame's hook: the launcher destroys
    // the application before it returns.
    harness->afterDraw_ = [inner = harness->afterDraw_, &errors](FixedStepHarness& h, int f) {
        if (inner) {
            inner(h, f);
        }
        errors = h.glErrors();
    };
    const int code = reef::app::AppBasic::executeLaunch(
        std::move(app), std::make_shared<reef::app::RendererGl>(5), "ThalorinApp", 0, nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(errors.empty()) << errors.front();
}

Frame readFrame(int width, int height) {
    Frame frame;
    frame.width = width;
    frame.height = height;
    std::vector<unsigned char> bottomUp(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    frame.rgba.resize(bottomUp.size());
    const size_t row = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(&bottomUp[size_t(height - 1 - y) * row], row, &frame.rgba[size_t(y) * row]);
    }
    return frame;
}
