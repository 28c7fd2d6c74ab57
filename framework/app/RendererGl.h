#pragma once
// The OpenGL back end of a window: context, multisampling, buffer swap and the
// default window matrices (one unit per pixel, origin top-left, y down).

#include <functional>
#include <memory>

#include "framework/app/Renderer.h"
#include "framework/platform/Platform.h"

namespace reef::app {

class RendererGl : public Renderer {
public:
    // Antialiasing levels index this table of sample counts.
    static constexpr int kSampleCounts[] = {0, 2, 4, 6, 8, 16, 32};
    static constexpr int kMaxLevel = 6;

    explicit RendererGl(int antiAliasing = 5);
    ~RendererGl() override;

    // The level asked for, then the level obtained once a window exists.
    int getAntiAliasing() const { return antiAliasing_; }

    // Walks down from `requested` to level 1 until `formatExists(samples)`
    // accepts a sample count; 0 when none does.
    static int findAntiAliasingLevel(int requested,
                                     const std::function<bool(int samples)>& formatExists);

    int chooseSamples() override;
    void setup(platform::NativeWindow& window) override;
    void kill() override;
    void makeCurrent() override;
    void startDraw() override;
    void finishDraw() override;
    void defaultResize(Vec2i clientSize) override;

private:
    int antiAliasing_;
    platform::NativeWindow* window_ = nullptr;
    std::unique_ptr<platform::GlContext> context_;
};

// Loads the window matrices for a client size into the projection and
// model-view stacks (leaves GL_MODELVIEW the current mode).
void loadWindowMatrices(Vec2i clientSize);

}  // namespace reef::app
