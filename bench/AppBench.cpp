// Start-up of the real application, measured in-process under an X server:
// from the application's construction to the end of its first presented
// frame (window, context, setup with shader compilation and image loading,
// the first resize, update, draw and buffer swap).

#include <benchmark/benchmark.h>

#include <memory>

#include "app/ThalorinApp.h"
#include "framework/app/RendererGl.h"

namespace {

class FirstFrameApp : public ThalorinApp {
public:
    explicit FirstFrameApp(double* seconds) : seconds_(seconds) {}

    // Frame 1's update starts after frame 0 was drawn and swapped.
    void update() override {
        if (frames_++ == 1) {
            *seconds_ = getElapsedSeconds();
            quit();
            return;
        }
        ThalorinApp::update();
    }

private:
    double* seconds_;
    int frames_ = 0;
};

void BM_StartupToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        double seconds = 0.0;
        const int code = reef::app::AppBasic::executeLaunch(
            std::make_unique<FirstFrameApp>(&seconds),
            std::make_shared<reef::app::RendererGl>(5), "ThalorinApp", 0, nullptr);
        if (code != 0) {
            state.SkipWithError("the application could not start (no display?)");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
