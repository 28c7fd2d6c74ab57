// Lifecycle of the application: launch settings, setup, update, resize and
// input. The frame itself is drawn in ScenePass.cpp.

#include "app/ThalorinApp.h"

#include <epoxy/gl.h>

#include "app/Lights.h"
#include "framework/gl/State.h"
#include "panel/ParameterSet.h"
#include "render/NoiseTexture.h"
#include "render/ProgramLoader.h"
#include "render/TextureDirectory.h"

using reef::ColorA;
using reef::Vec3f;
using reef::app::KeyEvent;
using reef::app::MouseEvent;
using reef::gl::Fbo;
using reef::gl::GlslProg;

void ThalorinApp::prepareSettings(Settings* settings) {
    settings->setWindowSize(875, 700);
    settings->setFrameRate(60.0f);
    settings->setBorderless(true);
}

void ThalorinApp::setup() {
    glEnable(GL_RESCALE_NORMAL);
    farPlane = 1000.0f;

    const int w = getWindowWidth();
    const int h = getWindowHeight();
    startCamera = reef::CameraPersp(w, h, 60.0f, 10.0f, farPlane);
    startCamera.setEyePoint(Vec3f(0, 100, 600));
    startCamera.setCenterOfInterestPoint(Vec3f(0, 100, 0));
    cameraControl.setCurrentCam(startCamera);

    modelMaterial = reef::gl::Material(ColorA(0, 0.05f, 0.05f, 1), ColorA(0.4f, 0.5f, 0.5f, 1),
                                       ColorA(0, 0, 0, 1), 0.0f);
    floorMaterial = reef::gl::Material(ColorA(0.2125f, 0.1275f, 0.054f, 1),
                                       ColorA(0.714f, 0.4284f, 0.18144f, 1),
                                       ColorA(0.3935f, 0.2719f, 0.1667f, 1), 25.6f);

    createRenderTargets();

    try {
        loadResources();
    } catch (const std::exception& e) {
        console() << "Could not load and compile resource:" << e.what() << std::endl;
        return;
    }

    currentNormalMap = normalMaps.empty() ? reef::gl::Texture() : normalMaps.front();
    lastNormalMapIndex = 0;
    normalMapSelection = 0;

    setupParams();

    manualUpdateTime = 0.0f;
    animation = true;
    model.viewModel = true;
    model.rebuild();

    textureAlpha = 0.8f;
    viewTexture = false;
    viewBloom = false;
    viewCapsules = false;
    bumpMapping = true;
    viewDepthTexture = false;
    viewNormalDepth = false;
    useSss = true;
    ssaoDarkness = 0.7f;
    ssaoTotStrength = 0.38f;
    ssaoStrength = 0.3f;
    ssaoOffset = 0.002f;
    ssaoFalloff = 0.0f;
    ssaoRad = 0.03f;
    sssPower = 4.0f;
    sssScale = 9.0f;
    sssDistortion = 0.185f;
    sssAmbient = 2.0f;
    sssShininess = 0.0f;
    sssDiffuse = reef::Color(0.85f, 0.63f, 0.51f);
    kC = 0.5f;
    kL = 0.05f;
    kQ = 0.0001f;
    specScale = 0.0f;

    noiseTexture = thalorin::makeNoiseTexture();
    noiseTexture.setWrapS(GL_REPEAT);
    noiseTexture.setWrapT(GL_REPEAT);

    ambientFormat.colorInternalFormat = GL_RGBA16F;
    ambientFormat.samples = 4;

    // On the texture still bound, which is the noise texture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

void ThalorinApp::setupParams() {
    params = reef::params::CallbackMenu::create("Thalorin", reef::Vec2i(200, 650),
                                                ColorA(0.3f, 0.3f, 0.3f, 0.4f));
    gradientEditor = std::make_unique<thalorin::ColorGradientEditor>(*params, model);
    thalorin::ParameterTargets t;
    t.model = &model;
    t.averageFps = [this] { return getAverageFps(); };
    t.textureAlpha = &textureAlpha;
    t.viewTexture = &viewTexture;
    t.bumpMapping = &bumpMapping;
    t.normalMapNames = &normalMapNames;
    t.normalMapSelection = &normalMapSelection;
    t.viewDepthTexture = &viewDepthTexture;
    t.viewNormalDepth = &viewNormalDepth;
    t.ssaoDarkness = &ssaoDarkness;
    t.ssaoTotStrength = &ssaoTotStrength;
    t.ssaoStrength = &ssaoStrength;
    t.ssaoOffset = &ssaoOffset;
    t.ssaoFalloff = &ssaoFalloff;
    t.ssaoRad = &ssaoRad;
    t.useSss = &useSss;
    t.sssPower = &sssPower;
    t.sssScale = &sssScale;
    t.sssDistortion = &sssDistortion;
    t.sssAmbient = &sssAmbient;
    t.sssShininess = &sssShininess;
    t.sssDiffuse = &sssDiffuse;
    t.kC = &kC;
    t.kL = &kL;
    t.kQ = &kQ;
    t.specScale = &specScale;
    t.viewCapsules = &viewCapsules;
    t.viewBloom = &viewBloom;
    t.animation = &animation;
    t.addColor = [this] { addColor(); };
    t.removeColor = [this] { removeColor(); };
    thalorin::setupParams(*params, t);
}

void ThalorinApp::addColor() {
    gradientEditor->addColor();
}

void ThalorinApp::removeColor() {
    gradientEditor->removeColor();
}

void ThalorinApp::createRenderTargets() {
    const int w = getWindowWidth();
    const int h = getWindowHeight();
    sceneFbo = Fbo(w, h);
    blurFboA = Fbo(64, 64);
    blurFboB = Fbo(64, 64);
    normalDepthFbo = Fbo(static_cast<int>(w * 0.5), static_cast<int>(h * 0.5));
    occlusionFbo = Fbo(static_cast<int>(w * 0.5), static_cast<int>(h * 0.5));
    gradientFbo = Fbo(w, 1, gradientFormat);
}

void ThalorinApp::loadResources() {
    const auto load = [this](const std::string& path) { return loadAsset(path); };
    blurProg = thalorin::loadProgram(load, "blur");
    phongProg = thalorin::loadProgram(load, "phong");
    bumpGradProg = thalorin::loadProgram(load, "bumpGrad");
    bumpProg = thalorin::loadProgram(load, "bump");
    normalDepthProg = thalorin::loadProgram(load, "normaldepth");
    ssaoProg = thalorin::loadProgram(load, "ssao");
    sssProg = thalorin::loadProgram(load, "sss");
    heightAttribLocation = phongProg.getAttribLocation("in_height");
    const auto resolve = [this](const std::string& path) { return getAssetPath(path).string(); };
    thalorin::loadTextureDirectory(resolve, "normalMaps/", normalMaps, normalMapNames, GL_REPEAT);
    thalorin::loadTextureDirectory(resolve, "noise/", noiseTextures, noiseTextureNames, GL_REPEAT);
}

void ThalorinApp::update() {
    if (normalMapSelection != lastNormalMapIndex && normalMapSelection >= 0 &&
        normalMapSelection < static_cast<int>(normalMaps.size())) {
        lastNormalMapIndex = normalMapSelection;
        currentNormalMap = normalMaps[lastNormalMapIndex];
    }

    if (animation) {
        model.update(static_cast<float>(getElapsedSeconds()));
    }

    if (gradientFbo) {
        renderGradient();
    }
    if (useSss) {
        renderAmbientOcclusion();
    }
    updateLights(getElapsedSeconds());
}

void ThalorinApp::renderGradient() {
    const float w = static_cast<float>(getWindowWidth());
    const float h = static_cast<float>(getWindowHeight());
    // The viewport and the window matrices stay as they are.
    gradientFbo.bindFramebuffer();
    reef::gl::clear(ColorA(0, 0, 0, 1), true);
    const auto& colors = model.gradientColors;
    const auto& starts = model.gradientStarts;
    const size_t n = std::min(colors.size(), starts.size());
    if (n >= 2) {
        glBegin(GL_QUADS);
        for (size_t i = 0; i + 1 < n; ++i) {
            const reef::Color& c0 = colors[i];
            const reef::Color& c1 = colors[i + 1];
            glColor3f(c0.r, c0.g, c0.b);
            glVertex2f(w * starts[i], 0);
            glVertex2f(w * starts[i], h);
            glColor3f(c1.r, c1.g, c1.b);
            glVertex2f(w * starts[i + 1], h);
            glVertex2f(w * starts[i + 1], 0);
        }
        glEnd();
    }
    Fbo::unbindFramebuffer();
    gradientTexture = gradientFbo.getTexture();
}

void ThalorinApp::updateLights(double t) {
    const LightRig rig = lightRigAt(t);
    lightPositions = rig.positions;
    lightColors = rig.colors;
}

void ThalorinApp::resize() {
    const int w = getWindowWidth();
    const int h = getWindowHeight();
    if (w <= 0 || h <= 0) {
        return;  // a minimised window: keep the lens and targets until it has a size again
    }
    reef::CameraPersp camera = cameraControl.getCamera();
    camera.setPerspective(60.0f, getWindowAspectRatio(), 10.0f, 1000.0f);
    cameraControl.setCurrentCam(camera);
    recreateWindowSizedTargets();
}

void ThalorinApp::recreateWindowSizedTargets() {
    const int w = getWindowWidth();
    const int h = getWindowHeight();
    sceneFbo = Fbo(w, h);
    normalDepthFbo = Fbo(w, h, ambientFormat);
    occlusionFbo = Fbo(w, h, ambientFormat);
    gradientFbo = Fbo(w, 1, gradientFormat);
}

void ThalorinApp::keyDown(KeyEvent event) {
    switch (event.getCode()) {
        case KeyEvent::KEY_ESCAPE:
            quit();
            break;
        case KeyEvent::KEY_SPACE:
            model.physicsWorld.throwBall();
            break;
        case 'f':
            getWindow()->setFullScreen(!getWindow()->isFullScreen());
            break;
        case 'u':
            model.update(manualUpdateTime);
            break;
        default:
            break;
    }
}

void ThalorinApp::mouseDown(MouseEvent event) {
    cameraControl.mouseDown(event.getPos());
}

void ThalorinApp::mouseDrag(MouseEvent event) {
    cameraControl.mouseDrag(event.getPos(), event.isLeftDown(), event.isMiddleDown(),
                            event.isRightDown());
}
