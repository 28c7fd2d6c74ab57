// The frame: background, camera, light markers, the anemone, the floor, the
// ball and the overlays, with every state the scene switches on switched off
// again before the panel draws.

#include <epoxy/gl.h>

#include "app/ThalorinApp.h"
#include "framework/gl/Draw.h"
#include "framework/gl/Light.h"
#include "framework/gl/State.h"
#include "render/ModelDebugView.h"

using reef::ColorA;
using reef::Rectf;
using reef::Vec3f;
using reef::gl::GlslProg;

void ThalorinApp::draw() {
    reef::gl::clear(ColorA(0, 0, 0, 1), true);
    drawBackground();
    if (viewTexture && noiseTexture) {
        reef::gl::drawTexture(noiseTexture);
    }

    const reef::CameraPersp camera = cameraControl.getCamera();
    const Vec3f eye = camera.getEyePoint();
    reef::gl::pushMatrices();
    reef::gl::setCameraMatrices(camera);

    glEnable(GL_CULL_FACE);
    reef::gl::setDepthTest(true);
    reef::gl::setDepthWrite(true);

    // The light's position is set under the camera's modelview, so GL keeps
    // it in eye coordinates. Lighting stays off: shaders read this state.
    reef::gl::Light light(reef::gl::Light::POINT, 0);
    light.setAmbient(reef::Color(0, 0, 0));
    light.setDiffuse(reef::Color(1, 1, 1));
    light.setSpecular(reef::Color(1, 1, 1));
    light.setPosition(lightPositions[0]);
    light.enable();

    for (int i = 0; i < 3; ++i) {
        glColor4f(lightColors[i].x, lightColors[i].y, lightColors[i].z, 1.0f);
        reef::gl::drawSphere(lightPositions[i], 10.0f, 12);
    }

    if (viewBloom) {
        drawBloom(eye);
    } else {
        drawModel(eye);
    }

    floorMaterial.apply();
    glColor4f(0.2125f, 0.1275f, 0.054f, 1.0f);
    reef::gl::drawCube(Vec3f(0, 0, 0), Vec3f(1000, 1, 1000));

    thalorin::drawModelDebug(model);

    glColor4f(0, 0, 0, 1);
    reef::gl::drawSphere(model.ballPosition, 30.0f, 30);
    if (viewCapsules) {
        drawCapsules();
    }

    reef::gl::setDepthWrite(false);
    reef::gl::setDepthTest(false);
    glDisable(GL_CULL_FACE);
    reef::gl::popMatrices();

    drawDebugImages();
    if (params) {
        params->draw();
    }
}

void ThalorinApp::drawBackground() {
    const float w = static_cast<float>(getWindowWidth());
    const float h = static_cast<float>(getWindowHeight());
    glBegin(GL_QUADS);
    glColor3f(0.06f, 0.08f, 0.1f);
    glVertex2f(0, 0);
    glVertex2f(w, 0);
    glColor3f(0.17f, 0.24f, 0.31f);
    glVertex2f(w, h);
    glVertex2f(0, h);
    glEnd();
}

void ThalorinApp::drawModelLit() {
    const GlslProg& prog = bumpMapping ? bumpGradProg : phongProg;
    const bool useHeights = prog && heightAttribLocation >= 0;
    if (prog) {
        prog.bind();
        prog.uniform("tex0", 0);
        prog.uniform("tex1", 1);
        if (bumpMapping) {
            prog.uniform("tex2", 2);
        }
        prog.uniform("texAlpha", textureAlpha);
        if (!bumpMapping) {
            prog.uniform("numLights", 3);
        }
    }

    if (noiseTexture) {
        noiseTexture.bind(0);
    }
    if (gradientTexture) {
        gradientTexture.bind(1);
    }
    if (bumpMapping && currentNormalMap) {
        currentNormalMap.bind(2);
    }
    modelMaterial.apply();

    if (useHeights) {
        glEnableVertexAttribArray(static_cast<GLuint>(heightAttribLocation));
    }
    drawMeshesWithHeights();

    if (bumpMapping && currentNormalMap) {
        currentNormalMap.unbind(2);
    }
    if (gradientTexture) {
        gradientTexture.unbind(1);
    }
    if (noiseTexture) {
        noiseTexture.unbind(0);
    }
    if (prog) {
        GlslProg::unbind();
        if (useHeights) {
            glDisableVertexAttribArray(static_cast<GLuint>(heightAttribLocation));
        }
    }
}

// Draws the body and the tentacles with their height arrays as "in_height"
// (when a program with that attribute is bound and the array is enabled).
void ThalorinApp::drawMeshesWithHeights() {
    const auto location = static_cast<GLuint>(heightAttribLocation);
    const bool heights = heightAttribLocation >= 0;
    if (heights) {
        glVertexAttribPointer(location, 1, GL_FLOAT, GL_FALSE, 0, model.bodyHeights.data());
    }
    if (model.viewModel) {
        reef::gl::drawMesh(model.getBodyMesh());
    }
    if (heights) {
        glVertexAttribPointer(location, 1, GL_FLOAT, GL_FALSE, 0, model.tentacleHeights.data());
    }
    if (model.viewHair) {
        reef::gl::drawMesh(model.getTentacleMesh());
    }
}

// Every link of every chain as its capsule, in the current colour (the ball's
// black).
void ThalorinApp::drawCapsules() {
    for (const thalorin::TentacleChain& chain : model.getTentacleChains()) {
        const float radius = chain.getRadius();
        const float height = chain.getHeight();
        for (size_t k = 0; k < chain.linkCount(); ++k) {
            reef::gl::pushModelView();
            reef::gl::multiplyModelView(chain.linkMatrix(k));
            reef::gl::drawSphere(Vec3f(0, -height / 2, 0), radius, 12);
            reef::gl::drawSphere(Vec3f(0, height / 2, 0), radius, 12);
            reef::gl::translate(Vec3f(0, -height / 2, 0));
            reef::gl::drawCylinder(radius, radius, height, 12, 1);
            reef::gl::popModelView();
        }
    }
}
