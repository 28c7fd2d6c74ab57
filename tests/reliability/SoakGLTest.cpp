// Soak: the real application, run in-process for many frames while the panel
// is worked the way a user works it: view switches flipped, shape entries
// changed through their store-and-rebuild setters, gradient colours added and
// removed, the normal map changed, the window resized and the ball thrown.
// After a warm-up that has done every one of these twice, resident memory may
// grow by at most 5 MB, and as many GL textures, framebuffers, renderbuffers
// and programs are alive at the end as after start-up and after the warm-up.
//
// The short form (CI) runs 600 frames after the warm-up, THALORIN_LONG_TESTS=1
// 10 000. Frames are unpaced with a fixed 1/60 s clock, in a 200 x 150 window
// so that llvmpipe keeps up.

#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/AnemoneModel.h"
#include "panel/ColorGradientEditor.h"
#include "panel/ModelAccessors.h"
#include "tests/app/ThalorinAppProbe.h"
#include "tests/reliability/LongTests.h"

namespace {

using thalorin::AnemoneModel;
using thalorin::geometrySetter;
using thalorin::longTests;

// llvmpipe's rasteriser threads allocate from malloc arenas of their own,
// whose high-water mark follows thread timing and now and then creeps up by
// some 10 MB; with rendering on the calling thread the resident size measures
// this program. The driver reads this when the first context is made, in
// main(), so it is set during static initialisation; other drivers ignore it.
[[maybe_unused]] const bool kLlvmpipeOnOneThread = setenv("LP_NUM_THREADS", "0", 0) == 0;

// The address sanitizer keeps freed blocks in quarantine (256 MB of them)
// before reusing them, so there the resident size grows with every allocation
// and says nothing about leaks; its leak check at exit covers those.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSizeMeaningful = false;
#else
constexpr bool kResidentSizeMeaningful = true;
#endif

// Resident set size in bytes: the second field of /proc/self/statm, in pages.
long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Live GL objects of each kind, found by asking about every name up to 4096;
// the application makes a few dozen.
struct GlObjects {
    int textures = 0;
    int framebuffers = 0;
    int renderbuffers = 0;
    int programs = 0;

    static GlObjects count() {
        GlObjects objects;
        for (GLuint name = 1; name <= 4096; ++name) {
            objects.textures += glIsTexture(name) ? 1 : 0;
            objects.framebuffers += glIsFramebuffer(name) ? 1 : 0;
            objects.renderbuffers += glIsRenderbuffer(name) ? 1 : 0;
            objects.programs += glIsProgram(name) ? 1 : 0;
        }
        return objects;
    }
};

struct SoakFigures {
    long residentAfterWarmUp = 0;
    long residentAtEnd = 0;
    GlObjects afterStartUp;
    GlObjects afterWarmUp;
    GlObjects atEnd;
    int colorsAtEnd = 0;
    GLenum glError = GL_NO_ERROR;  // the first error flag the whole run raised
    bool ran = false;
};

// The application with a user's session played into its updates: frame f's
// actions run after the application's own update and show in the same frame's
// draw.
class SoakApp : public ThalorinApp {
public:
    SoakApp(int warmUpFrames, int frames, SoakFigures& figures)
        : warmUpFrames_(1 + warmUpFrames),
          lastFrame_(1 + warmUpFrames + frames),
          figures_(figures) {
        // One physics substep a frame, however long llvmpipe takes to draw it.
        setElapsedSecondsSource([this] { return getElapsedFrames() / 60.0; });
    }

    void prepareSettings(Settings* settings) override {
        ThalorinApp::prepareSettings(settings);
        settings->disableFrameRate();
    }

    void update() override {
        ThalorinApp::update();
        ThalorinAppProbe probe(*this);
        if (frame_ == 0 && !probe.params()) {
            ADD_FAILURE() << "setup did not finish: are the assets there?";
            quit();
            return;
        }
        // The panel makes its font texture when it is first drawn: start-up
        // ends with the first frame.
        if (frame_ == 1) {
            figures_.afterStartUp = GlObjects::count();
            resizeWindow(200, 150);
            addSession(probe);
        }
        for (const Action& action : actions_) {
            if ((frame_ - 1) % action.period == action.phase) {
                action.run();
            }
        }
        if (frame_ == warmUpFrames_) {
            figures_.residentAfterWarmUp = residentBytes();
            figures_.afterWarmUp = GlObjects::count();
        }
        if (frame_ == lastFrame_) {
            figures_.residentAtEnd = residentBytes();
            figures_.atEnd = GlObjects::count();
            figures_.colorsAtEnd = static_cast<int>(probe.model().gradientColors.size());
            figures_.glError = glGetError();
            figures_.ran = true;
            quit();
        }
        ++frame_;
    }

private:
    struct Action {
        int period;
        int phase;
        std::function<void()> run;
    };

    void resizeWindow(int width, int height) {
        reef::platform::Message m;
        m.kind = reef::platform::Message::Kind::Resized;
        m.windowId = getWindow()->getNativeId();
        m.size = {width, height};
        handleMessage(m);
    }

    void pressSpace() {
        reef::platform::Message m;
        m.kind = reef::platform::Message::Kind::KeyDown;
        m.windowId = getWindow()->getNativeId();
        m.keyCode = reef::app::KeyEvent::KEY_SPACE;
        m.character = ' ';
        handleMessage(m);
    }

    // The session is 200 frames long: every action comes round once in it, and
    // at its end the application is back where it started, but for the normal
    // map, which has moved on to the next.
    void addSession(ThalorinAppProbe& probe) {
        AnemoneModel& model = probe.model();
        // View switches: one at a time, on for five frames.
        const std::vector<bool*> switches = {
            &probe.viewBloom(),       &probe.useSss(),      &probe.viewCapsules(),
            &probe.viewNormalDepth(), &probe.viewTexture(), &probe.viewDepthTexture(),
            &probe.bumpMapping(),     &model.viewTriangles, &model.viewNormals,
            &model.viewHair,          &model.viewModel,
        };
        for (size_t i = 0; i < switches.size(); ++i) {
            bool* flag = switches[i];
            const int phase = static_cast<int>(i) * 18;
            actions_.push_back({kSession, phase, [flag] { *flag = !*flag; }});
            actions_.push_back({kSession, phase + 5, [flag] { *flag = !*flag; }});
        }
        // Shape entries through the panel's setters, each there and back.
        const std::vector<std::function<void(bool)>> shapes = {
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::radialSegments)(there ? 64 : 50);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::heightSegments)(there ? 27 : 20);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::hairInLine)(there ? 26 : 20);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::numberOfLines)(there ? 6 : 4);
            },
            [&model](bool there) { geometrySetter(model, &AnemoneModel::hairCylindrical)(there); },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::bendAngle)(there ? 60.0f : 0.0f);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::bendAxis)(there ? reef::Vec3f(1, 0, 1)
                                                                     : reef::Vec3f(0, 0, 1));
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::hairRadius)(there ? 8.0f : 5.0f);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::topRadius)(there ? 90.0f : 70.0f);
            },
            [&model](bool there) {
                geometrySetter(model, &AnemoneModel::numWaves)(there ? 3 : 10);
            },
        };
        for (size_t i = 0; i < shapes.size(); ++i) {
            const auto& shape = shapes[i];
            const int phase = 2 + static_cast<int>(i) * 10;
            actions_.push_back({kSession, phase, [shape] { shape(true); }});
            actions_.push_back({kSession, phase + 100, [shape] { shape(false); }});
        }
        // Gradient colours: two added, then both removed again.
        auto editor = std::make_shared<thalorin::ColorGradientEditor>(*probe.params(), model);
        actions_.push_back({kSession, 30, [editor] { editor->addColor(); }});
        actions_.push_back({kSession, 60, [editor] { editor->addColor(); }});
        actions_.push_back({kSession, 130, [editor] { editor->removeColor(); }});
        actions_.push_back({kSession, 160, [editor] { editor->removeColor(); }});
        // The ball, the normal map and the window size.
        actions_.push_back({kSession / 2, 1, [this] { pressSpace(); }});
        int32_t* selection = &probe.normalMapSelection();
        const int32_t maps = static_cast<int32_t>(probe.normalMapCount());
        actions_.push_back({kSession, 75, [selection, maps] {
                                *selection = maps > 0 ? (*selection + 1) % maps : 0;
                            }});
        actions_.push_back({kSession, 50, [this] { resizeWindow(216, 162); }});
        actions_.push_back({kSession, 150, [this] { resizeWindow(200, 150); }});
    }

    static constexpr int kSession = 200;

    int warmUpFrames_;
    int lastFrame_;
    SoakFigures& figures_;
    int frame_ = 0;
    std::vector<Action> actions_;
};

void expectSameObjects(const GlObjects& actual, const GlObjects& expected) {
    EXPECT_EQ(actual.textures, expected.textures);
    EXPECT_EQ(actual.framebuffers, expected.framebuffers);
    EXPECT_EQ(actual.renderbuffers, expected.renderbuffers);
    EXPECT_EQ(actual.programs, expected.programs);
}

TEST(Soak, MemoryAndGlObjectsHoldSteady) {
    const int warmUp = 400;
    const int frames = longTests() ? 10000 : 600;
    SoakFigures figures;
    const int code = reef::app::AppBasic::executeLaunch(
        std::make_unique<SoakApp>(warmUp, frames, figures),
        std::make_shared<reef::app::RendererGl>(0), "ThalorinApp", 0, nullptr);
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(figures.ran);

    const long growth = figures.residentAtEnd - figures.residentAfterWarmUp;
    std::printf(
        "%d frames after %d of warm-up: resident %.1f MB -> %.1f MB; textures %d, "
        "framebuffers %d, renderbuffers %d, programs %d after start-up\n",
        frames, warmUp, figures.residentAfterWarmUp / 1048576.0, figures.residentAtEnd / 1048576.0,
        figures.afterStartUp.textures, figures.afterStartUp.framebuffers,
        figures.afterStartUp.renderbuffers, figures.afterStartUp.programs);
    if (kResidentSizeMeaningful) {
        EXPECT_LE(growth, 5L * 1024 * 1024);
    } else {
        std::printf("resident size not checked: freed memory sits in the sanitizer's quarantine\n");
    }
    {
        SCOPED_TRACE("at the end against after start-up");
        expectSameObjects(figures.atEnd, figures.afterStartUp);
    }
    {
        SCOPED_TRACE("at the end against after the warm-up");
        expectSameObjects(figures.atEnd, figures.afterWarmUp);
    }
    EXPECT_EQ(figures.glError, GLenum(GL_NO_ERROR));
    // The session ends where it began: the six default stops.
    EXPECT_EQ(figures.colorsAtEnd, 6);
}

}  // namespace
