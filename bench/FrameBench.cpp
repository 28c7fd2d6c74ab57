// The real application's frame at its launch size (875 x 700) with the panel
// defaults, whole and pass by pass. Needs a display (run it under xvfb-run):
// it opens the application's own window and runs the benchmarks inside the
// first update. Each iteration is bracketed by glFinish and timed by hand, so
// the GPU's share of a pass is counted; the set-up a pass needs (a depth
// clear, say) runs before the bracket.
//
// The passes are timed as the frame calls them; "floor, markers and ball"
// repeats the frame's own draw calls for those three.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>

#include "framework/gl/Draw.h"
#include "framework/gl/State.h"
#include "framework/platform/Platform.h"
#include "tests/app/ThalorinAppProbe.h"

namespace {

using reef::Vec3f;

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// Times `work` between two glFinish calls per iteration, after `prepare`.
// With a software rasteriser the "GPU" is this process's own worker
// threads: their CPU time ("cpu_ms", all threads) varies less than the wall
// time on a busy machine.
void timeGl(benchmark::State& state, const std::function<void()>& prepare,
            const std::function<void()>& work) {
    double cpuSeconds = 0;
    for (auto _ : state) {
        prepare();
        glFinish();
        const double cpuStart = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        glFinish();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        cpuSeconds += processCpuSeconds() - cpuStart;
        state.SetIterationTime(elapsed.count());
    }
    state.counters["cpu_ms"] =
        benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

// The state the frame gives the 3-D passes: the scene camera's matrices,
// culling, depth test and depth writes on.
class SceneState {
public:
    explicit SceneState(ThalorinAppProbe& probe) {
        reef::gl::pushMatrices();
        reef::gl::setCameraMatrices(probe.camera());
        glEnable(GL_CULL_FACE);
        reef::gl::setDepthTest(true);
        reef::gl::setDepthWrite(true);
    }
    ~SceneState() {
        reef::gl::setDepthWrite(false);
        reef::gl::setDepthTest(false);
        glDisable(GL_CULL_FACE);
        reef::gl::popMatrices();
    }
    SceneState(const SceneState&) = delete;
    SceneState& operator=(const SceneState&) = delete;
};

// A fresh depth buffer for each iteration: drawing the same model again over
// its own depth would fail the depth test and skip the shading.
void clearDepth() {
    glClear(GL_DEPTH_BUFFER_BIT);
}

void registerBenchmarks(ScriptedThalorinApp& app) {
    const auto add = [](const char* name, std::function<void(benchmark::State&)> body) {
        benchmark::RegisterBenchmark(name, std::move(body))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
    };
    const auto nothing = [] {};

    add("Frame/whole (update, draw, swap)", [&app, nothing](benchmark::State& state) {
        timeGl(state, nothing, [&] {
            app.ThalorinApp::update();
            app.draw();
            app.getWindow()->getRenderer()->finishDraw();
        });
    });
    add("Frame/update", [&app, nothing](benchmark::State& state) {
        timeGl(state, nothing, [&] { app.ThalorinApp::update(); });
    });
    add("Frame/draw",
        [&app, nothing](benchmark::State& state) { timeGl(state, nothing, [&] { app.draw(); }); });

    add("Pass/background (clear and gradient quad)", [&app, nothing](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        timeGl(state, nothing, [&] {
            reef::gl::clear(reef::ColorA(0, 0, 0, 1), true);
            probe.drawBackground();
        });
    });
    add("Pass/gradient strip", [&app, nothing](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        timeGl(state, nothing, [&] { probe.renderGradient(); });
    });
    // The resolve of the four-sample image is counted with the stage that
    // drew it.
    add("Pass/normal-depth stage", [&app, nothing](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const ProgramRemoval noOcclusion(probe.ssaoProg());
        timeGl(state, nothing, [&] {
            probe.renderAmbientOcclusion();
            probe.normalDepthFbo().getTexture(0);
        });
    });
    add("Pass/ambient-occlusion stage", [&app, nothing](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const ProgramRemoval noNormalDepth(probe.normalDepthProg());
        timeGl(state, nothing, [&] {
            probe.renderAmbientOcclusion();
            probe.occlusionFbo().getTexture(0);
        });
    });
    add("Pass/model, subsurface", [&app](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const SceneState scene(probe);
        const Vec3f eye = probe.camera().getEyePoint();
        timeGl(state, clearDepth, [&] { probe.drawModel(eye); });
    });
    add("Pass/model, bump-gradient", [&app](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const SceneState scene(probe);
        timeGl(state, clearDepth, [&] { probe.drawModelLit(); });
    });
    add("Pass/bloom branch (model included)", [&app](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const SceneState scene(probe);
        const Vec3f eye = probe.camera().getEyePoint();
        timeGl(state, clearDepth, [&] { probe.drawBloom(eye); });
    });
    add("Pass/floor, markers and ball", [&app](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        const SceneState scene(probe);
        timeGl(state, clearDepth, [&] {
            for (int i = 0; i < 3; ++i) {
                const Vec3f& c = probe.lightColors()[i];
                glColor4f(c.x, c.y, c.z, 1.0f);
                reef::gl::drawSphere(probe.lightPositions()[i], 10.0f, 12);
            }
            probe.floorMaterial().apply();
            glColor4f(0.2125f, 0.1275f, 0.054f, 1.0f);
            reef::gl::drawCube(Vec3f(0, 0, 0), Vec3f(1000, 1, 1000));
            glColor4f(0, 0, 0, 1);
            reef::gl::drawSphere(probe.model().ballPosition, 30.0f, 30);
        });
    });
    add("Pass/panel", [&app, nothing](benchmark::State& state) {
        ThalorinAppProbe probe(app);
        timeGl(state, nothing, [&] { probe.params()->draw(); });
    });
    add("Pass/buffer swap", [&app, nothing](benchmark::State& state) {
        timeGl(state, nothing, [&] { app.getWindow()->getRenderer()->finishDraw(); });
    });
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    try {
        reef::platform::initialize();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "The frame benchmark needs a display (run it under xvfb-run): %s\n",
                     e.what());
        return 1;
    }
    bool ran = false;
    const int code = ScriptedThalorinApp::run(0, [&ran](ScriptedThalorinApp& app) {
        if (!app.getParams()) {
            std::fprintf(stderr, "setup did not finish: are the assets there?\n");
            return;
        }
        // One whole frame first, so that light 0 and the targets hold what
        // a running program's passes find there.
        app.draw();
        app.getWindow()->getRenderer()->finishDraw();
        registerBenchmarks(app);
        benchmark::RunSpecifiedBenchmarks();
        ran = true;
    });
    benchmark::Shutdown();
    return code != 0 ? code : (ran ? 0 : 1);
}
