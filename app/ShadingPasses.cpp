// The passes around the scene: the normal-depth and ambient-occlusion
// pre-pass, subsurface shading of the model, the bloom chain and the debug
// images.

#include <epoxy/gl.h>

#include "app/ThalorinApp.h"
#include "framework/gl/Draw.h"
#include "framework/gl/State.h"

using reef::Area;
using reef::ColorA;
using reef::Rectf;
using reef::Vec2f;
using reef::Vec3f;
using reef::gl::Fbo;
using reef::gl::GlslProg;

// [SECTION] Normal-depth and ambient-occlusion pre-pass

namespace {

// Both stages render into their own target with culling, depth test and depth
// writes on, under matrices they push, and hand the window back with all of
// that off again.
void beginTargetStage(const Fbo& target) {
    reef::gl::setViewport(target.getBounds());
    glEnable(GL_CULL_FACE);
    reef::gl::setDepthTest(true);
    reef::gl::setDepthWrite(true);
    target.bindFramebuffer();
    reef::gl::pushMatrices();
}

void clearTargetStage() {
    reef::gl::clear(ColorA(0, 0, 0, 1), true);
    glColor4f(1, 1, 1, 1);
}

void endTargetStage(const Area& window) {
    reef::gl::popMatrices();
    Fbo::unbindFramebuffer();
    reef::gl::setDepthWrite(false);
    reef::gl::setDepthTest(false);
    glDisable(GL_CULL_FACE);
    reef::gl::setViewport(window);
}

}  // namespace

void ThalorinApp::renderAmbientOcclusion() {
    const int w = getWindowWidth();
    const int h = getWindowHeight();
    const Area window(0, 0, w, h);
    if (normalDepthProg && normalDepthFbo) {
        beginTargetStage(normalDepthFbo);
        reef::gl::setCameraMatrices(cameraControl.getCamera());
        clearTargetStage();
        normalDepthProg.bind();
        normalDepthProg.uniform("farPlane", farPlane);
        if (model.viewModel) {
            reef::gl::drawMesh(model.getBodyMesh());
        }
        if (model.viewHair) {
            reef::gl::drawMesh(model.getTentacleMesh());
        }
        GlslProg::unbind();
        endTargetStage(window);
    }

    if (ssaoProg && occlusionFbo && normalDepthFbo) {
        beginTargetStage(occlusionFbo);
        reef::gl::setWindowMatrices(occlusionFbo.getWidth(), occlusionFbo.getHeight(), true);
        clearTargetStage();
        ssaoProg.bind();
        const reef::gl::Texture normalDepth = normalDepthFbo.getTexture(0);
        normalDepth.bind(0);
        const bool haveNoise = !noiseTextures.empty();
        if (haveNoise) {
            noiseTextures.front().bind(1);
        }
        ssaoProg.uniform("normalMap", 0);
        ssaoProg.uniform("rnm", 1);
        ssaoProg.uniform("finalStrength", ssaoDarkness);
        ssaoProg.uniform("totStrength", ssaoTotStrength);
        ssaoProg.uniform("strength", ssaoStrength);
        ssaoProg.uniform("offset", ssaoOffset);
        ssaoProg.uniform("falloff", ssaoFalloff);
        ssaoProg.uniform("rad", ssaoRad);
        reef::gl::drawRect(Rectf(0, 0, static_cast<float>(w), static_cast<float>(h)));
        GlslProg::unbind();
        normalDepth.unbind(0);
        if (haveNoise) {
            noiseTextures.front().unbind(1);
        }
        endTargetStage(window);
    }
}

// [SECTION] Subsurface shading of the model

void ThalorinApp::drawModel(const Vec3f& eye) {
    if (!(useSss && sssProg)) {
        drawModelLit();
        return;
    }
    sssProg.bind();
    sssProg.uniform("lightPosition", lightPositions.data(), 3);
    sssProg.uniform("lightColor", lightColors.data(), 3);
    sssProg.uniform("cameraPosition", eye);
    sssProg.uniform("depthMap", 0);
    sssProg.uniform("colorTex", 1);
    sssProg.uniform("power", sssPower);
    sssProg.uniform("scale", sssScale);
    sssProg.uniform("distortion", sssDistortion);
    sssProg.uniform("ambient", sssAmbient);
    sssProg.uniform("shininess", sssShininess);
    sssProg.uniform("viewport", Vec2f(static_cast<float>(getWindowWidth()),
                                      static_cast<float>(getWindowHeight())));
    sssProg.uniform("diffuse", Vec3f(sssDiffuse.r, sssDiffuse.g, sssDiffuse.b));
    sssProg.uniform("kC", kC);
    sssProg.uniform("kL", kL);
    sssProg.uniform("kQ", kQ);
    sssProg.uniform("specScale", specScale);

    const bool heights = heightAttribLocation >= 0;
    if (heights) {
        glEnableVertexAttribArray(static_cast<GLuint>(heightAttribLocation));
    }
    reef::gl::Texture occlusion;
    if (occlusionFbo) {
        occlusion = occlusionFbo.getTexture(0);
        occlusion.bind(0);
    }
    if (gradientTexture) {
        gradientTexture.bind(1);
    }
    drawMeshesWithHeights();
    if (occlusion) {
        occlusion.unbind(0);
    }
    if (gradientTexture) {
        gradientTexture.unbind(1);
    }
    GlslProg::unbind();
    if (heights) {
        glDisableVertexAttribArray(static_cast<GLuint>(heightAttribLocation));
    }
}

// [SECTION] Bloom

// The model goes into sceneFbo through the scene camera; a one-texel separable
// blur runs at 64 x 64 with culling and depth test off; the scene and its blur
// are composited over the whole window under window matrices. The scene image
// keeps a transparent background (premultiplied) so the backdrop and light
// markers stay visible, and the blur is added with a screen-like blend. The
// model's depth is then written to the window so the floor, ball and capsules
// drawn afterwards are hidden behind it as usual.
void ThalorinApp::drawBloom(const Vec3f& eye) {
    if (!blurProg || !sceneFbo || !blurFboA || !blurFboB) {
        drawModel(eye);  // no bloom without its program and targets
        return;
    }
    const int w = getWindowWidth();
    const int h = getWindowHeight();
    const Area saved = reef::gl::getViewport();

    reef::gl::setViewport(sceneFbo.getBounds());
    sceneFbo.bindFramebuffer();
    reef::gl::clear(ColorA(0, 0, 0, 0), true);
    drawModel(eye);
    Fbo::unbindFramebuffer();

    glDisable(GL_CULL_FACE);
    reef::gl::setDepthTest(false);
    reef::gl::setDepthWrite(false);
    blurProg.bind();
    blurProg.uniform("tex0", 0);
    const auto blurPass = [&](const Fbo& target, const Fbo& source, const Vec2f& offset) {
        blurProg.uniform("sampleOffset", offset);
        reef::gl::setViewport(target.getBounds());
        target.bindFramebuffer();
        source.bindTexture(0, 0);
        reef::gl::pushMatrices();
        reef::gl::setWindowMatrices(target.getWidth(), target.getHeight(), false);
        reef::gl::clear(ColorA(0, 0, 0, 0), true);
        reef::gl::drawRect(Rectf(0, 0, static_cast<float>(target.getWidth()),
                                 static_cast<float>(target.getHeight())));
        reef::gl::popMatrices();
        source.unbindTexture();
        Fbo::unbindFramebuffer();
    };
    blurPass(blurFboA, sceneFbo, Vec2f(1.0f / blurFboA.getWidth(), 0.0f));
    blurPass(blurFboB, blurFboA, Vec2f(0.0f, 1.0f / blurFboB.getHeight()));
    GlslProg::unbind();
    reef::gl::setViewport(saved);

    // Framebuffer images have their first row at the bottom: flip them upright.
    reef::gl::pushMatrices();
    reef::gl::setWindowMatrices(w, h, true);
    reef::gl::translate(Vec2f(0, static_cast<float>(h)));
    reef::gl::scale(Vec3f(1, -1, 1));
    glColor4f(1, 1, 1, 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    reef::gl::drawTexture(sceneFbo.getTexture(0),
                          Rectf(0, 0, static_cast<float>(w), static_cast<float>(h)));
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    reef::gl::drawTexture(blurFboB.getTexture(0),
                          Rectf(0, 0, static_cast<float>(w), static_cast<float>(h)));
    glDisable(GL_BLEND);
    reef::gl::popMatrices();

    // Depth of the model only, under the scene camera still in force.
    glEnable(GL_CULL_FACE);
    reef::gl::setDepthTest(true);
    reef::gl::setDepthWrite(true);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    if (model.viewModel) {
        reef::gl::drawMesh(model.getBodyMesh());
    }
    if (model.viewHair) {
        reef::gl::drawMesh(model.getTentacleMesh());
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// [SECTION] Debug images

void ThalorinApp::drawDebugImages() {
    const Rectf window(0, 0, static_cast<float>(getWindowWidth()),
                       static_cast<float>(getWindowHeight()));
    if (viewDepthTexture && occlusionFbo) {
        glColor4f(1, 1, 1, 1);
        reef::gl::drawTexture(occlusionFbo.getTexture(0), window);
    }
    if (viewNormalDepth && normalDepthFbo) {
        // In white, whatever colour the scene left current.
        glColor4f(1, 1, 1, 1);
        reef::gl::drawTexture(normalDepthFbo.getTexture(0), window);
    }
}
