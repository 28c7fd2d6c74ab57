// The shading passes of the real application, run in-process: the state the
// ambient-occlusion pre-pass leaves, which targets each switch writes, the
// orientation of the debug images, and image checks that a broken pass fails.
//
// llvmpipe is slow at the full 875 x 700, so the checks shrink the window
// (the native window keeps its size; frames land in its lower-left corner),
// stop the animation so that frames compare, hold the lights still and keep
// the panel out of the picture.
//
// [SECTION] Helpers
// [SECTION] Ambient-occlusion pre-pass
// [SECTION] Model shading
// [SECTION] Bloom
// [SECTION] Debug images and overlays
// [SECTION] Every combination of the view switches

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/gl/State.h"
#include "tests/app/ThalorinAppProbe.h"

namespace {

using reef::Area;
using reef::ColorA;
using reef::Vec2f;
using reef::Vec3f;
using reef::gl::Fbo;

// [SECTION] Helpers

constexpr int kWidth = 400;
constexpr int kHeight = 320;
// At this time light 1 stands right of the body and light 2 behind it on the
// left, so that no marker covers the front of the body.
constexpr double kLightTime = 1.5708;
// Two units of an 8-bit channel: the window holds 8 bits per channel.
constexpr float kByteTolerance = 2.0f / 255.0f;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<float> rgba;  // row by row, four floats a pixel

    const float* at(int x, int row) const {
        return &rgba[(static_cast<size_t>(row) * width + x) * 4];
    }
};

// A rectangle of pixels, rows counted from the top of the window.
struct Box {
    int x0, y0, x1, y1;  // inclusive
};

// The frame just drawn, read from the back buffer before any swap, with row 0
// at the top of the window.
Image readWindow(int width, int height) {
    std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    Image image{width, height, std::vector<float>(bytes.size())};
    for (int row = 0; row < height; ++row) {
        const uint8_t* source = &bytes[static_cast<size_t>(height - 1 - row) * width * 4];
        float* target = &image.rgba[static_cast<size_t>(row) * width * 4];
        for (int i = 0; i < width * 4; ++i) {
            target[i] = source[i] / 255.0f;
        }
    }
    return image;
}

// A target's colour texture, resolved, with row 0 its first texture row (the
// bottom of what was rendered into it).
Image readTarget(const Fbo& fbo) {
    const reef::gl::Texture texture = fbo.getTexture(0);
    Image image{texture.getWidth(), texture.getHeight(), {}};
    image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
    texture.bind(0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, image.rgba.data());
    texture.unbind(0);
    return image;
}

void fill(const Fbo& fbo, const ColorA& color) {
    fbo.bindFramebuffer();
    reef::gl::clear(color, false);
    Fbo::unbindFramebuffer();
}

float maxDifference(const Image& image, const ColorA& color) {
    const float c[4] = {color.r, color.g, color.b, color.a};
    float worst = 0;
    for (size_t i = 0; i < image.rgba.size(); ++i) {
        worst = std::max(worst, std::fabs(image.rgba[i] - c[i % 4]));
    }
    return worst;
}

// Pixels of `box` whose colour differs by more than `tolerance` in a channel.
int countDiffering(const Image& a, const Image& b, const Box& box, float tolerance) {
    int count = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            const float* p = a.at(x, y);
            const float* q = b.at(x, y);
            for (int k = 0; k < 3; ++k) {
                if (std::fabs(p[k] - q[k]) > tolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

int boxArea(const Box& box) {
    return (box.x1 - box.x0 + 1) * (box.y1 - box.y0 + 1);
}

// Mean of the red, green and blue channels over the pixels of `box`.
float meanBrightness(const Image& image, const Box& box) {
    double sum = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            const float* p = image.at(x, y);
            sum += (p[0] + p[1] + p[2]) / 3.0;
        }
    }
    return static_cast<float>(sum / boxArea(box));
}

// Window position of a world point: x from the left, y from the top.
Vec2f project(const reef::CameraPersp& camera, const Vec3f& world, int width, int height) {
    const Vec3f eye = camera.getModelViewMatrix().transformPoint(world);
    const reef::Matrix44f& p = camera.getProjectionMatrix();
    const auto clip = [&](int row) {
        return p.at(row, 0) * eye.x + p.at(row, 1) * eye.y + p.at(row, 2) * eye.z + p.at(row, 3);
    };
    const float w = clip(3);
    return {(clip(0) / w + 1.0f) * 0.5f * width, (1.0f - clip(1) / w) * 0.5f * height};
}

Box boxAround(const Vec2f& centre, int radius) {
    const int x = static_cast<int>(centre.x);
    const int y = static_cast<int>(centre.y);
    return {x - radius, y - radius, x + radius, y + radius};
}

// The front of the body, well inside its silhouette at the start view: 50
// units either side of the axis, from 30 to 170 units up.
Box bodyFront(const reef::CameraPersp& camera, int width, int height) {
    const Vec2f topLeft = project(camera, Vec3f(-50, 170, 0), width, height);
    const Vec2f bottomRight = project(camera, Vec3f(50, 30, 0), width, height);
    return {static_cast<int>(topLeft.x), static_cast<int>(topLeft.y),
            static_cast<int>(bottomRight.x), static_cast<int>(bottomRight.y)};
}

// Mean brightness round the tentacle roots on the front half of the dome,
// which the start view sees over the rim: the neighbouring tentacles and the
// dome fold round each root. `image` has row 0 at the top of the view.
float meanAmongFrontRoots(const Image& image, ThalorinAppProbe& probe) {
    const reef::CameraPersp camera = probe.camera();
    double sum = 0;
    int roots = 0;
    for (const thalorin::TentacleChain& chain : probe.model().getTentacleChains()) {
        const btVector3& root = chain.getRootPosition();
        if (root.z() < 40) {
            continue;
        }
        const Vec3f position(root.x(), root.y(), root.z());
        sum += meanBrightness(image,
                              boxAround(project(camera, position, image.width, image.height), 3));
        ++roots;
    }
    EXPECT_GT(roots, 0) << "no tentacle root on the front of the dome";
    return roots > 0 ? static_cast<float>(sum / roots) : 1.0f;
}

// Keeps the panel alive but out of draw() for the scope.
class PanelHidden {
public:
    explicit PanelHidden(ThalorinAppProbe& probe)
        : slot_(probe.params()), panel_(std::exchange(slot_, {})) {}
    ~PanelHidden() { slot_ = panel_; }
    PanelHidden(const PanelHidden&) = delete;
    PanelHidden& operator=(const PanelHidden&) = delete;

private:
    reef::params::CallbackMenuRef& slot_;
    reef::params::CallbackMenuRef panel_;
};

// The application's update (pre-pass included) with the lights held at
// kLightTime, so that frames drawn one after another compare.
void update(ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
    app.ThalorinApp::update();
    probe.updateLights(kLightTime);
}

Image drawFrame(ScriptedThalorinApp& app) {
    app.draw();
    return readWindow(app.getWindowWidth(), app.getWindowHeight());
}

Image frame(ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
    update(app, probe);
    return drawFrame(app);
}

// Runs `script` in the first update, on a kWidth x kHeight window with the
// model standing still.
void runAtImageSize(const std::function<void(ScriptedThalorinApp&, ThalorinAppProbe&)>& script) {
    const int code = ScriptedThalorinApp::run(0, [&](ScriptedThalorinApp& app) {
        ASSERT_TRUE(app.getParams()) << "setup did not finish: are the assets there?";
        app.resizeWindow(kWidth, kHeight);
        ThalorinAppProbe probe(app);
        probe.animation() = false;
        PanelHidden hidden(probe);
        script(app, probe);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    });
    EXPECT_EQ(code, 0);
}

// What every pass switches off again before it returns.
void expectPassStateOff() {
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_FALSE(depthWrites);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

// [SECTION] Ambient-occlusion pre-pass

TEST(ShadingPrePass, LeavesTheWindowFramebufferViewportAndStateBehind) {
    const struct {
        const char* name;
        bool withoutNormalDepthProgram, withoutOcclusionProgram;
    } cases[] = {
        {"both stages", false, false},
        {"occlusion stage alone", true, false},
        {"normal-depth stage alone", false, true},
    };
    const int code = ScriptedThalorinApp::run(0, [&](ScriptedThalorinApp& app) {
        ASSERT_TRUE(app.getParams()) << "setup did not finish: are the assets there?";
        app.resizeWindow(160, 120);
        ThalorinAppProbe probe(app);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            std::optional<ProgramRemoval> normalDepthRemoved, occlusionRemoved;
            if (c.withoutNormalDepthProgram) {
                normalDepthRemoved.emplace(probe.normalDepthProg());
            }
            if (c.withoutOcclusionProgram) {
                occlusionRemoved.emplace(probe.ssaoProg());
            }
            reef::gl::setViewport(Area(5, 6, 70, 80));
            // One level deeper than a frame leaves them, to see them kept.
            reef::gl::pushMatrices();
            GLint projectionBefore = 0, modelViewBefore = 0;
            glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionBefore);
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewBefore);

            probe.renderAmbientOcclusion();

            GLint framebuffer = -1, projection = 0, modelView = 0, matrixMode = 0;
            glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
            EXPECT_EQ(framebuffer, 0);
            const Area viewport = reef::gl::getViewport();
            EXPECT_EQ(viewport.x1, 0);
            EXPECT_EQ(viewport.y1, 0);
            EXPECT_EQ(viewport.x2, 160);
            EXPECT_EQ(viewport.y2, 120);
            expectPassStateOff();
            glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelView);
            glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
            EXPECT_EQ(projection, projectionBefore);
            EXPECT_EQ(modelView, modelViewBefore);
            EXPECT_EQ(matrixMode, GL_MODELVIEW);
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
            reef::gl::popMatrices();
        }
    });
    EXPECT_EQ(code, 0);
}

// With nothing to draw the normal-depth image is its clear colour, which the
// occlusion stage reads as "no surface": nothing is occluded.
TEST(ShadingPrePass, NoModelGivesABlankNormalDepthImageAndNoOcclusion) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        probe.model().viewModel = false;
        probe.model().viewHair = false;
        update(app, probe);
        EXPECT_LE(maxDifference(readTarget(probe.normalDepthFbo()), ColorA(0, 0, 0, 1)), 1e-3f);
        EXPECT_LE(maxDifference(readTarget(probe.occlusionFbo()), ColorA(1, 1, 1, 1)), 1e-3f);
    });
}

// The occlusion image holds the view upside down relative to a framebuffer
// image: its first texture row is the top of the view. So a window position
// (x, y from the top) reads texture row y.
TEST(ShadingPrePass, OcclusionIsDarkerAmongTheTentacleRootsThanOnTheOpenWall) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        update(app, probe);
        const Image occlusion = readTarget(probe.occlusionFbo());
        ASSERT_EQ(occlusion.width, kWidth);
        ASSERT_EQ(occlusion.height, kHeight);
        const reef::CameraPersp camera = probe.camera();

        const float amongRoots = meanAmongFrontRoots(occlusion, probe);
        const float wall = meanBrightness(
            occlusion, boxAround(project(camera, Vec3f(0, 100, 0), kWidth, kHeight), 4));

        EXPECT_GT(wall, 0.9f) << "the open wall is occluded";
        EXPECT_LT(amongRoots, wall - 0.1f) << "no crease shows among the tentacle roots";
        // "SSAO darkness" 0.7: nothing is darker than 1 - 0.7.
        EXPECT_GE(amongRoots, 0.3f - 1e-3f);
    });
}

// [SECTION] Model shading

TEST(ShadingSwitches, UseSssOffRunsNeitherPrePassStage) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const ColorA marker(0.25f, 0.5f, 0.75f, 0.5f);
        probe.useSss() = false;
        fill(probe.normalDepthFbo(), marker);
        fill(probe.occlusionFbo(), marker);
        frame(app, probe);
        EXPECT_LE(maxDifference(readTarget(probe.normalDepthFbo()), marker), 1e-3f);
        EXPECT_LE(maxDifference(readTarget(probe.occlusionFbo()), marker), 1e-3f);

        // On again: the next update recomputes both. The top-left corner is
        // backdrop: cleared normal-depth, no occlusion.
        probe.useSss() = true;
        update(app, probe);
        const Image normalDepth = readTarget(probe.normalDepthFbo());
        const Image occlusion = readTarget(probe.occlusionFbo());
        const float* cleared = normalDepth.at(0, kHeight - 1);
        EXPECT_FLOAT_EQ(cleared[0], 0.0f);
        EXPECT_FLOAT_EQ(cleared[3], 1.0f);
        EXPECT_FLOAT_EQ(occlusion.at(0, 0)[0], 1.0f);
        // The middle of the view shows the body: nearer than the far plane.
        EXPECT_LT(normalDepth.at(kWidth / 2, kHeight / 2)[3], 1.0f);
    });
}

// Only the bump-gradient program binds the normal map: changing it shows in
// that shading alone. The subsurface branch ignores "bump mapping".
TEST(ShadingSwitches, TheNormalMapShowsOnlyThroughTheBumpGradientProgram) {
    const struct {
        const char* name;
        bool useSss, bumpMapping, normalMapShows;
    } cases[] = {
        {"subsurface", true, true, false},
        {"bump-gradient", false, true, true},
        {"phong", false, false, false},
    };
    runAtImageSize([&](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        ASSERT_GE(probe.normalMapCount(), 2u);
        const Box body = bodyFront(probe.camera(), kWidth, kHeight);
        std::vector<Image> firstMapFrames;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            probe.useSss() = c.useSss;
            probe.bumpMapping() = c.bumpMapping;
            probe.normalMapSelection() = 0;
            firstMapFrames.push_back(frame(app, probe));
            probe.normalMapSelection() = 1;
            const Image secondMap = frame(app, probe);
            const int changed =
                countDiffering(firstMapFrames.back(), secondMap, body, kByteTolerance);
            if (c.normalMapShows) {
                EXPECT_GT(changed, boxArea(body) / 4);
            } else {
                EXPECT_EQ(changed, 0);
            }
        }
        // Switching "use SSS" off changes the model's shading.
        EXPECT_GT(countDiffering(firstMapFrames[0], firstMapFrames[1], body, kByteTolerance),
                  boxArea(body) / 2);
    });
}

// All three lights reach the subsurface shading, and the body's colour
// follows them as they move.
TEST(ShadingSss, EachLightAndItsMovementColourTheBody) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const Box body = bodyFront(probe.camera(), kWidth, kHeight);
        update(app, probe);
        const Image lit = drawFrame(app);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("light " + std::to_string(i));
            probe.updateLights(kLightTime);
            probe.lightColors()[i] = Vec3f(0, 0, 0);
            const Image dark = drawFrame(app);
            EXPECT_GT(countDiffering(lit, dark, body, kByteTolerance), boxArea(body) / 50);
        }
        // Half a turn later lights 1 and 2 stand elsewhere.
        probe.updateLights(kLightTime + 3.0);
        const Image later = drawFrame(app);
        EXPECT_GT(countDiffering(lit, later, body, kByteTolerance), boxArea(body) / 10);
    });
}

// The subsurface shading reads the occlusion image the right way round: with
// "SSAO darkness" at 0 (no occlusion anywhere) the crease among the roots
// brightens while the open wall stays as it was.
TEST(ShadingSss, OcclusionDarkensTheCreasesOfTheShadedModel) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const reef::CameraPersp camera = probe.camera();
        const Box wall = boxAround(project(camera, Vec3f(0, 100, 0), kWidth, kHeight), 4);
        const Image occluded = frame(app, probe);
        probe.ssaoDarkness() = 0;
        const Image open = frame(app, probe);
        EXPECT_GT(meanAmongFrontRoots(open, probe), meanAmongFrontRoots(occluded, probe) + 0.02f);
        EXPECT_NEAR(meanBrightness(open, wall), meanBrightness(occluded, wall), 0.01f);
    });
}

// [SECTION] Bloom

TEST(ShadingBloom, OffLeavesItsTargetsAlone) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const ColorA marker(0.2f, 0.4f, 0.6f, 0.8f);
        const Fbo* targets[] = {&probe.sceneFbo(), &probe.blurFboA(), &probe.blurFboB()};
        for (const Fbo* target : targets) {
            fill(*target, marker);
        }
        frame(app, probe);
        for (const Fbo* target : targets) {
            EXPECT_LE(maxDifference(readTarget(*target), marker), 1.0f / 255.0f);
        }
    });
}

TEST(ShadingBloom, OnDrawsTheModelOffScreenBlursItAndGlowsOverTheBackdrop) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const reef::CameraPersp camera = probe.camera();
        const Box body = bodyFront(camera, kWidth, kHeight);
        const Vec2f middle = project(camera, Vec3f(0, 100, 0), kWidth, kHeight);
        const Image plain = frame(app, probe);
        float plainDepth = 0;
        glReadPixels(static_cast<int>(middle.x), kHeight - 1 - static_cast<int>(middle.y), 1, 1,
                     GL_DEPTH_COMPONENT, GL_FLOAT, &plainDepth);

        const ColorA marker(0.2f, 0.4f, 0.6f, 0.8f);
        fill(probe.blurFboA(), marker);
        fill(probe.blurFboB(), marker);
        probe.viewBloom() = true;
        const Image bloom = frame(app, probe);
        expectPassStateOff();

        // The scene target: the model opaque, the rest transparent black.
        // Framebuffer rows count from the bottom.
        const Image scene = readTarget(probe.sceneFbo());
        const int sceneRow = kHeight - 1 - static_cast<int>(middle.y);
        EXPECT_FLOAT_EQ(scene.at(static_cast<int>(middle.x), sceneRow)[3], 1.0f);
        EXPECT_FLOAT_EQ(scene.at(kWidth - 1, kHeight - 1)[3], 0.0f);
        EXPECT_FLOAT_EQ(scene.at(kWidth - 1, kHeight - 1)[0], 0.0f);

        // Both blur targets were drawn: the middle holds the blurred body,
        // the far corner stays clear.
        for (const Fbo* target : {&probe.blurFboA(), &probe.blurFboB()}) {
            const Image blurred = readTarget(*target);
            const float* centre = blurred.at(32, 32);
            EXPECT_GT(centre[0] + centre[1] + centre[2], 0.1f);
            const float* corner = blurred.at(63, 63);
            EXPECT_EQ(std::max({corner[0], corner[1], corner[2], corner[3]}), 0.0f);
        }

        // The backdrop far from the model shows through unchanged; the band
        // round the body glows; the body itself is at least as bright.
        const Box corner{kWidth - 12, 2, kWidth - 3, 11};
        EXPECT_EQ(countDiffering(plain, bloom, corner, kByteTolerance), 0);
        int silhouette = static_cast<int>(middle.x);
        while (silhouette > 0 && scene.at(silhouette, sceneRow)[3] > 0) {
            --silhouette;
        }
        const Box besideBody = boxAround(Vec2f(static_cast<float>(silhouette - 6), middle.y), 3);
        EXPECT_GT(meanBrightness(bloom, besideBody), meanBrightness(plain, besideBody) + 0.02f);
        EXPECT_GE(meanBrightness(bloom, body), meanBrightness(plain, body));

        // The model's depth is in the window, as without bloom, so that the
        // floor, ball and capsules drawn afterwards are hidden behind it.
        float bloomDepth = 1;
        glReadPixels(static_cast<int>(middle.x), kHeight - 1 - static_cast<int>(middle.y), 1, 1,
                     GL_DEPTH_COMPONENT, GL_FLOAT, &bloomDepth);
        EXPECT_LT(plainDepth, 1.0f);
        EXPECT_NEAR(bloomDepth, plainDepth, 1e-4f);
    });
}

// [SECTION] Debug images and overlays

// "view normal depth" is drawn last, in white, and so hides the occlusion
// image; drawTexture puts the first texture row at the top, so the window
// shows the normal-depth image upside down.
TEST(ShadingDebugImages, NormalDepthImageIsDrawnLastInWhiteUpsideDown) {
    const struct {
        const char* name;
        bool viewDepthTexture;
    } cases[] = {
        {"alone (the ball's black is the current colour)", false},
        {"over the occlusion image", true},
    };
    runAtImageSize([&](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            probe.viewDepthTexture() = c.viewDepthTexture;
            probe.viewNormalDepth() = true;
            const Image window = frame(app, probe);
            const Image normalDepth = readTarget(probe.normalDepthFbo());
            float worst = 0;
            for (int row = 0; row < kHeight; ++row) {
                for (int x = 0; x < kWidth; ++x) {
                    for (int k = 0; k < 3; ++k) {
                        worst = std::max(
                            worst, std::fabs(window.at(x, row)[k] - normalDepth.at(x, row)[k]));
                    }
                }
            }
            EXPECT_LE(worst, kByteTolerance);
        }
    });
}

TEST(ShadingDebugImages, DepthTextureShowsTheOcclusionImageTheRightWayUp) {
    runAtImageSize([](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        probe.viewDepthTexture() = true;
        const Image window = frame(app, probe);
        const Image occlusion = readTarget(probe.occlusionFbo());
        const reef::CameraPersp camera = probe.camera();

        // Texture row y at window row y: a framebuffer image would be flipped.
        float worst = 0;
        for (int row = 0; row < kHeight; ++row) {
            for (int x = 0; x < kWidth; ++x) {
                worst = std::max(worst, std::fabs(window.at(x, row)[0] - occlusion.at(x, row)[0]));
            }
        }
        EXPECT_LE(worst, kByteTolerance);

        // And the model stands where the scene shows it: the dark crease
        // among the roots above the open wall.
        const Box wall = boxAround(project(camera, Vec3f(0, 100, 0), kWidth, kHeight), 4);
        EXPECT_LT(meanAmongFrontRoots(window, probe), meanBrightness(window, wall) - 0.1f);
    });
}

// The overlays draw over the model in their own colours: the normals as
// white arrows, the triangles as a pink wireframe.
TEST(ShadingDebugViews, NormalsAndTrianglesDrawOverTheModel) {
    const struct {
        const char* name;
        bool thalorin::AnemoneModel::*view;
        float r, g, b;
    } cases[] = {
        {"view normals", &thalorin::AnemoneModel::viewNormals, 1, 1, 1},
        {"view triangles", &thalorin::AnemoneModel::viewTriangles, 0.96f, 0.48f, 0.51f},
    };
    runAtImageSize([&](ScriptedThalorinApp& app, ThalorinAppProbe& probe) {
        const Box body = bodyFront(probe.camera(), kWidth, kHeight);
        const auto countColour = [&](const Image& image, float r, float g, float b) {
            int count = 0;
            for (int y = body.y0; y <= body.y1; ++y) {
                for (int x = body.x0; x <= body.x1; ++x) {
                    const float* p = image.at(x, y);
                    if (std::fabs(p[0] - r) <= kByteTolerance &&
                        std::fabs(p[1] - g) <= kByteTolerance &&
                        std::fabs(p[2] - b) <= kByteTolerance) {
                        ++count;
                    }
                }
            }
            return count;
        };
        const Image without = frame(app, probe);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            probe.model().*c.view = true;
            const Image with = frame(app, probe);
            probe.model().*c.view = false;
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
            EXPECT_EQ(countColour(without, c.r, c.g, c.b), 0);
            EXPECT_GT(countColour(with, c.r, c.g, c.b), boxArea(body) / 20);
        }
    });
}

// [SECTION] Every combination of the view switches

TEST(ShadingFrame, NoGlErrorInAnyCombinationOfTheViewSwitches) {
    const int code = ScriptedThalorinApp::run(0, [](ScriptedThalorinApp& app) {
        ASSERT_TRUE(app.getParams()) << "setup did not finish: are the assets there?";
        app.resizeWindow(160, 120);
        ThalorinAppProbe probe(app);
        probe.animation() = false;
        // A coarse model with a few tentacles: the normals view alone draws
        // an arrow per triangle, some hundred thousand at the defaults.
        thalorin::AnemoneModel& model = probe.model();
        model.radialSegments = 8;
        model.heightSegments = 4;
        model.hairInLine = 3;
        model.numberOfLines = 1;
        model.rebuild();
        bool* switches[] = {
            &probe.viewTexture(),      &probe.viewBloom(),       &probe.viewCapsules(),
            &probe.viewDepthTexture(), &probe.viewNormalDepth(), &model.viewTriangles,
            &model.viewNormals,        &model.viewModel,         &model.viewHair};
        constexpr int kSwitches = sizeof(switches) / sizeof(switches[0]);
        int failures = 0;
        for (int combination = 0; combination < (1 << kSwitches) && failures < 5; ++combination) {
            for (int s = 0; s < kSwitches; ++s) {
                *switches[s] = (combination >> s) & 1;
            }
            // Both shadings and both lit programs, out of step with the switches.
            probe.useSss() = combination % 3 != 0;
            probe.bumpMapping() = combination % 5 != 0;
            app.ThalorinApp::update();
            app.draw();
            const GLenum error = glGetError();
            GLint projection = 0, modelView = 0;
            glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelView);
            const bool cleanState = !glIsEnabled(GL_CULL_FACE) && !glIsEnabled(GL_DEPTH_TEST) &&
                                    !glIsEnabled(GL_BLEND) && projection == 1 && modelView == 1;
            if (error != GL_NO_ERROR || !cleanState) {
                ADD_FAILURE() << "switch combination " << combination << ": GL error 0x" << std::hex
                              << error << std::dec
                              << (cleanState ? "" : ", state left switched on");
                ++failures;
            }
        }
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
