#pragma once
// The program's application: it owns the anemone model, every render
// resource, the lights, the camera control and the parameter panel, and fixes
// the order of work in setup, update and draw.
//
// Stages that arrive with later work keep their places as named steps:
// the parameter panel, the ambient-occlusion pre-pass, subsurface shading,
// bloom and the debug images.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/CameraDragControl.h"
#include "framework/Camera.h"
#include "framework/app/AppBasic.h"
#include "framework/gl/Fbo.h"
#include "framework/gl/GlslProg.h"
#include "framework/gl/Material.h"
#include "framework/gl/Texture.h"
#include "framework/math/Color.h"
#include "framework/math/Vector.h"
#include "framework/params/CallbackMenu.h"
#include "model/AnemoneModel.h"
#include "panel/ColorGradientEditor.h"

class ThalorinApp : public reef::app::AppBasic {
public:
    void prepareSettings(Settings* settings) override;
    void setup() override;
    void update() override;
    void draw() override;
    void resize() override;
    void keyDown(reef::app::KeyEvent event) override;
    void mouseDown(reef::app::MouseEvent event) override;
    void mouseDrag(reef::app::MouseEvent event) override;

    // --- queries for tests and tools ---
    const thalorin::AnemoneModel& getModel() const { return model; }
    thalorin::AnemoneModel& getModel() { return model; }
    const CameraDragControl& getCameraControl() const { return cameraControl; }
    const reef::Vec3f& getLightPosition(int i) const { return lightPositions[i]; }
    const reef::gl::Fbo& getSceneFbo() const { return sceneFbo; }
    const reef::gl::Fbo& getNormalDepthFbo() const { return normalDepthFbo; }
    const reef::gl::Fbo& getOcclusionFbo() const { return occlusionFbo; }
    const reef::gl::Fbo& getGradientFbo() const { return gradientFbo; }
    const reef::gl::Fbo& getBlurFboA() const { return blurFboA; }
    const reef::gl::Texture& getNoiseTexture() const { return noiseTexture; }
    const reef::params::CallbackMenuRef& getParams() const { return params; }

private:
    // Tests and benchmarks reach the passes and switches through this class.
    friend class ThalorinAppProbe;

    void createRenderTargets();
    void recreateWindowSizedTargets();
    void loadResources();
    void renderGradient();
    void updateLights(double t);
    void renderAmbientOcclusion();
    void drawBackground();
    void drawModel(const reef::Vec3f& eye);
    void drawModelLit();
    void drawBloom(const reef::Vec3f& eye);
    void drawDebugImages();
    void drawMeshesWithHeights();
    void drawCapsules();
    void setupParams();
    void addColor();
    void removeColor();

    // Members in the order of their roles; destroyed in reverse.
    CameraDragControl cameraControl;
    reef::CameraPersp startCamera;
    float farPlane = 0.0f;
    reef::params::CallbackMenuRef params;
    // Edits the gradient stops' panel entries; lives as long as the panel.
    std::unique_ptr<thalorin::ColorGradientEditor> gradientEditor;
    float manualUpdateTime = 0.0f;
    bool animation = false;
    reef::gl::GlslProg phongProg;
    reef::gl::Texture noiseTexture;
    reef::gl::Material modelMaterial;
    reef::gl::Material floorMaterial;
    int heightAttribLocation = -1;
    reef::gl::Fbo::Format gradientFormat;
    reef::gl::Fbo gradientFbo;
    float textureAlpha = 0.0f;
    bool viewTexture = false;
    thalorin::AnemoneModel model;
    // The colour gradient the model is shaded with: the gradient target's
    // colour texture, handed over each update (the model itself holds no GL).
    reef::gl::Texture gradientTexture;
    reef::gl::Fbo sceneFbo, blurFboA, blurFboB;
    reef::gl::GlslProg blurProg;
    bool viewBloom = false;
    bool viewCapsules = false;
    reef::gl::GlslProg bumpGradProg, bumpProg;
    reef::gl::Texture currentNormalMap;
    std::vector<reef::gl::Texture> normalMaps, noiseTextures;
    std::vector<std::string> normalMapNames, noiseTextureNames;
    int lastNormalMapIndex = 0;
    int32_t normalMapSelection = 0;
    bool bumpMapping = false;
    reef::gl::GlslProg normalDepthProg;
    reef::gl::Fbo normalDepthFbo;
    bool viewDepthTexture = false, viewNormalDepth = false;
    reef::gl::Fbo::Format ambientFormat;
    float ssaoDarkness = 0, ssaoTotStrength = 0, ssaoStrength = 0, ssaoOffset = 0, ssaoFalloff = 0,
          ssaoRad = 0;
    reef::gl::Fbo occlusionFbo;
    reef::gl::GlslProg sssProg, ssaoProg;
    bool useSss = false;
    float sssPower = 0, sssScale = 0, sssDistortion = 0, sssAmbient = 0, sssShininess = 0;
    reef::Color sssDiffuse;
    float kC = 0, kL = 0, kQ = 0;
    float specScale = 0;
    std::array<reef::Vec3f, 3> lightPositions{};
    std::array<reef::Vec3f, 3> lightColors{};
};
