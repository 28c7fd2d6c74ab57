#pragma once
// Reaches into a running ThalorinApp for the GL tests and the frame
// benchmark: its switches, render targets, programs and single passes. Holds a
// reference: the application must outlive the probe.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ThalorinApp.h"
#include "framework/app/RendererGl.h"
#include "framework/gl/Fbo.h"
#include "framework/gl/GlslProg.h"
#include "framework/platform/Platform.h"

class ThalorinAppProbe {
public:
    explicit ThalorinAppProbe(ThalorinApp& app) : app_(app) {}

    // --- panel switches ---
    bool& useSss() { return app_.useSss; }
    bool& viewBloom() { return app_.viewBloom; }
    bool& viewDepthTexture() { return app_.viewDepthTexture; }
    bool& viewNormalDepth() { return app_.viewNormalDepth; }
    bool& viewTexture() { return app_.viewTexture; }
    bool& viewCapsules() { return app_.viewCapsules; }
    bool& bumpMapping() { return app_.bumpMapping; }
    bool& animation() { return app_.animation; }
    float& ssaoDarkness() { return app_.ssaoDarkness; }
    int32_t& normalMapSelection() { return app_.normalMapSelection; }
    size_t normalMapCount() const { return app_.normalMaps.size(); }
    thalorin::AnemoneModel& model() { return app_.model; }
    const std::vector<std::string>& normalMapNames() const { return app_.normalMapNames; }
    // The panel's "Add color" and "Remove color" buttons.
    void addColor() { app_.addColor(); }
    void removeColor() { app_.removeColor(); }

    // --- render targets and programs ---
    const reef::gl::Fbo& sceneFbo() const { return app_.sceneFbo; }
    const reef::gl::Fbo& blurFboA() const { return app_.blurFboA; }
    const reef::gl::Fbo& blurFboB() const { return app_.blurFboB; }
    const reef::gl::Fbo& normalDepthFbo() const { return app_.normalDepthFbo; }
    const reef::gl::Fbo& occlusionFbo() const { return app_.occlusionFbo; }
    reef::gl::GlslProg& normalDepthProg() { return app_.normalDepthProg; }
    reef::gl::GlslProg& ssaoProg() { return app_.ssaoProg; }

    // --- scene state ---
    reef::CameraPersp camera() const { return app_.cameraControl.getCamera(); }
    void setCamera(const reef::CameraPersp& camera) { app_.cameraControl.setCurrentCam(camera); }
    // Positions and colours of the three lights, as of the last updateLights().
    void updateLights(double t) { app_.updateLights(t); }
    std::array<reef::Vec3f, 3>& lightPositions() { return app_.lightPositions; }
    std::array<reef::Vec3f, 3>& lightColors() { return app_.lightColors; }
    // An empty handle hides the panel: draw() skips it.
    reef::params::CallbackMenuRef& params() { return app_.params; }

    const reef::gl::Material& floorMaterial() const { return app_.floorMaterial; }

    // --- passes ---
    void renderGradient() { app_.renderGradient(); }
    void drawBackground() { app_.drawBackground(); }
    void renderAmbientOcclusion() { app_.renderAmbientOcclusion(); }
    void drawModel(const reef::Vec3f& eye) { app_.drawModel(eye); }
    void drawModelLit() { app_.drawModelLit(); }
    void drawBloom(const reef::Vec3f& eye) { app_.drawBloom(eye); }
    void drawDebugImages() { app_.drawDebugImages(); }

private:
    ThalorinApp& app_;
};

// Takes a program out of the application for the scope, so that the stage
// using it is skipped; puts it back on destruction.
class ProgramRemoval {
public:
    explicit ProgramRemoval(reef::gl::GlslProg& slot) : slot_(slot), kept_(std::move(slot)) {
        slot_ = reef::gl::GlslProg();
    }
    ~ProgramRemoval() { slot_ = std::move(kept_); }
    ProgramRemoval(const ProgramRemoval&) = delete;
    ProgramRemoval& operator=(const ProgramRemoval&) = delete;

private:
    reef::gl::GlslProg& slot_;
    reef::gl::GlslProg kept_;
};

// The real application run in-process with its own window: `script` runs
// inside the update of frame `atFrame` (after the application's own update;
// earlier frames were drawn and shown), then the application quits.
class ScriptedThalorinApp : public ThalorinApp {
public:
    using Script = std::function<void(ScriptedThalorinApp&)>;

    ScriptedThalorinApp(int atFrame, Script script)
        : atFrame_(atFrame), script_(std::move(script)) {}

    void update() override {
        ThalorinApp::update();
        if (frame_++ == atFrame_) {
            script_(*this);
            quit();
        }
    }

    // As the window system reports a new client size: the lens, the window
    // matrices and the window-sized targets follow. The native window keeps
    // its size; frames are drawn into its lower-left corner.
    void resizeWindow(int width, int height) {
        reef::platform::Message m;
        m.kind = reef::platform::Message::Kind::Resized;
        m.windowId = getWindow()->getNativeId();
        m.size = {width, height};
        handleMessage(m);
    }

    // Launches the application without multisampling; returns the exit code.
    static int run(int atFrame, Script script) {
        return reef::app::AppBasic::executeLaunch(
            std::make_unique<ScriptedThalorinApp>(atFrame, std::move(script)),
            std::make_shared<reef::app::RendererGl>(0), "ThalorinApp", 0, nullptr);
    }

private:
    int atFrame_;
    int frame_ = 0;
    Script script_;
};
