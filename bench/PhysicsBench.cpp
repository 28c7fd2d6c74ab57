// Tentacle physics and tube speed: the model's frame update, the tube
// regeneration alone and a full rebuild.
// Targets (median, Release): update at the defaults (52 tentacles) <= 3 ms;
// tube regeneration <= 0.8 ms; rebuild() <= 5 ms. The update is also run at
// 4x and 16x the tentacles ("Hair in line" 80 and 320) to show how it grows.
#include <benchmark/benchmark.h>

#include <btBulletDynamicsCommon.h>

#include "model/AnemoneModel.h"

namespace {

using thalorin::AnemoneModel;

// Contact figures of the world as it stands.
void countContacts(const AnemoneModel& model, benchmark::State& state) {
    btCollisionDispatcher* dispatcher = model.physicsWorld.getDispatcher();
    const int manifolds = dispatcher->getNumManifolds();
    int contacts = 0;
    for (int i = 0; i < manifolds; ++i) {
        contacts += dispatcher->getInternalManifoldPointer()[i]->getNumContacts();
    }
    state.counters["tentacles"] = static_cast<double>(model.getTentacleChains().size());
    state.counters["manifolds"] = manifolds;
    state.counters["contacts"] = contacts;
}

// One frame at 60 fps: tubes from the chains, the current, one 1/60 s substep.
// The simulation first runs a second so the chains are moving, not at rest.
void BM_ModelUpdate(benchmark::State& state) {
    AnemoneModel model;
    model.hairInLine = static_cast<int>(state.range(0));
    model.rebuild();
    int frame = 0;
    for (; frame < 60; ++frame) {
        model.update(static_cast<float>(frame) / 60.0f);
    }
    for (auto _ : state) {
        model.update(static_cast<float>(frame++) / 60.0f);
        benchmark::DoNotOptimize(model.getTentacleMesh().getVertices().data());
        benchmark::ClobberMemory();
    }
    countContacts(model, state);
}
BENCHMARK(BM_ModelUpdate)->Arg(20)->Arg(80)->Arg(320)->Unit(benchmark::kMillisecond);

// The tube meshes alone: an update whose time does not move steps nothing.
void BM_TubeRegeneration(benchmark::State& state) {
    AnemoneModel model;
    model.rebuild();
    for (int frame = 0; frame < 60; ++frame) {
        model.update(static_cast<float>(frame) / 60.0f);
    }
    for (auto _ : state) {
        model.update(model.lastUpdateTime);
        benchmark::DoNotOptimize(model.getTentacleMesh().getVertices().data());
        benchmark::ClobberMemory();
    }
    state.counters["vertices"] = static_cast<double>(model.tentacleVertexCount());
}
BENCHMARK(BM_TubeRegeneration)->Unit(benchmark::kMillisecond);

// Body, 52 chains destroyed and recreated, tubes and heights.
void BM_Rebuild(benchmark::State& state) {
    AnemoneModel model;
    model.rebuild();
    for (auto _ : state) {
        model.rebuild();
        benchmark::DoNotOptimize(model.getTentacleMesh().getVertices().data());
        benchmark::ClobberMemory();
    }
    countContacts(model, state);
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond);

}  // namespace
