// Model geometry speed: body rebuilds and one tentacle's spline.
// Targets (median): body rebuild at the defaults <= 0.1 ms; one tentacle
// spline (solve + 21 samples) <= 10 microseconds.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/AnemoneModel.h"
#include "model/TentacleSpline.h"

namespace {

using thalorin::AnemoneModel;
using thalorin::TentacleSpline;
using thalorin::Vec3d;

// The body alone: without tentacles a rebuild makes no chains and no tubes
// (the full rebuild is measured with the physics benchmarks).
void BM_BodyRebuild(benchmark::State& state) {
    AnemoneModel model;
    model.numberOfLines = 0;
    model.radialSegments = static_cast<int>(state.range(0));
    model.heightSegments = static_cast<int>(state.range(1));
    for (auto _ : state) {
        model.rebuild();
        benchmark::DoNotOptimize(model.getBodyMesh().getVertices().data());
        benchmark::ClobberMemory();
    }
    state.counters["vertices"] = static_cast<double>(model.bodyVertexCount());
}
BENCHMARK(BM_BodyRebuild)->Args({50, 20})->Args({500, 200})->Unit(benchmark::kMicrosecond);

// Six knots like a real chain: a point 10 below the root, then five link
// centres 20 apart, slightly bent. Sampled as the tube is: 21 points and tangents.
void BM_TentacleSpline(benchmark::State& state) {
    const std::vector<Vec3d> knots = {Vec3d(-1, -9.95, 0), Vec3d(0, 0, 0),     Vec3d(2, 19.9, 0),
                                      Vec3d(6, 39.5, 1),   Vec3d(12, 58.5, 2), Vec3d(20, 77, 3)};
    const Vec3d start = Vec3d(2, 19.9, 0) / Vec3d(2, 19.9, 0).length();
    for (auto _ : state) {
        TentacleSpline spline(knots, start);
        spline.solve();
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            benchmark::DoNotOptimize(spline.pointAt(t));
            benchmark::DoNotOptimize(spline.tangentAt(t));
        }
    }
}
BENCHMARK(BM_TentacleSpline)->Unit(benchmark::kMicrosecond);

}  // namespace
