#include "framework/app/RendererGl.h"

#include <epoxy/gl.h>

#include <algorithm>

#include "framework/Camera.h"

namespace reef::app {

namespace {

// The multisample search runs once per process; later contexts reuse its result.
bool multisampleSearched = false;
int multisampleLevelFound = 0;

bool probeMultisampleFormat(int samples) {
    try {
        platform::WindowOptions options;
        options.size = {640, 480};
        options.hidden = true;
        options.samples = samples;
        platform::NativeWindow window(options);
        platform::GlContext context(window);
        return true;
    } catch (const platform::PlatformExc&) {
        return false;
    }
}

}  // namespace

RendererGl::RendererGl(int antiAliasing) : antiAliasing_(std::clamp(antiAliasing, 0, kMaxLevel)) {}

RendererGl::~RendererGl() = default;

int RendererGl::findAntiAliasingLevel(int requested,
                                      const std::function<bool(int samples)>& formatExists) {
    for (int level = std::min(requested, int(kMaxLevel)); level >= 1; --level) {
        if (formatExists(kSampleCounts[level])) {
            return level;
        }
    }
    return 0;
}

int RendererGl::chooseSamples() {
    if (antiAliasing_ > 0 && !multisampleSearched) {
        multisampleLevelFound = findAntiAliasingLevel(antiAliasing_, probeMultisampleFormat);
        multisampleSearched = true;
    }
    if (antiAliasing_ > 0) {
        antiAliasing_ = std::min(antiAliasing_, multisampleLevelFound);
    }
    return kSampleCounts[antiAliasing_];
}

void RendererGl::setup(platform::NativeWindow& window) {
    window_ = &window;
    context_ = std::make_unique<platform::GlContext>(window);
    context_->makeCurrent(window);
}

void RendererGl::kill() {
    context_.reset();
    window_ = nullptr;
}

void RendererGl::makeCurrent() {
    if (context_) {
        context_->makeCurrent(*window_);
    }
}

void RendererGl::startDraw() {
    makeCurrent();
}

void RendererGl::finishDraw() {
    if (context_) {
        context_->swapBuffers(*window_);
    }
}

void RendererGl::defaultResize(Vec2i clientSize) {
    glViewport(0, 0, clientSize.x, clientSize.y);
    loadWindowMatrices(clientSize);
}

void loadWindowMatrices(Vec2i clientSize) {
    if (clientSize.x <= 0 || clientSize.y <= 0) {
        return;  // a minimised window has no aspect ratio to build a lens from
    }
    const CameraPersp camera(clientSize.x, clientSize.y, 60.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(camera.getProjectionMatrix().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(camera.getModelViewMatrix().data());
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(-clientSize.y), 0.0f);
}

}  // namespace reef::app
