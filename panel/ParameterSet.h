#pragma once
// The panel's entries in display order: geometry accessors that rebuild the
// model, shading and view values bound by address, the normal-map choice, the
// colour-gradient buttons and one pair of entries per gradient stop.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/math/Color.h"
#include "framework/params/CallbackMenu.h"
#include "model/AnemoneModel.h"

namespace thalorin {

// Where every entry's value lives. The pointers must stay valid, at fixed
// addresses, for the panel's life.
struct ParameterTargets {
    AnemoneModel* model = nullptr;
    std::function<float()> averageFps;
    float* textureAlpha = nullptr;
    bool* viewTexture = nullptr;
    bool* bumpMapping = nullptr;
    const std::vector<std::string>* normalMapNames = nullptr;
    int32_t* normalMapSelection = nullptr;
    bool* viewDepthTexture = nullptr;
    bool* viewNormalDepth = nullptr;
    float* ssaoDarkness = nullptr;
    float* ssaoTotStrength = nullptr;
    float* ssaoStrength = nullptr;
    float* ssaoOffset = nullptr;
    float* ssaoFalloff = nullptr;
    float* ssaoRad = nullptr;
    bool* useSss = nullptr;
    float* sssPower = nullptr;
    float* sssScale = nullptr;
    float* sssDistortion = nullptr;
    float* sssAmbient = nullptr;
    float* sssShininess = nullptr;
    reef::Color* sssDiffuse = nullptr;
    float* kC = nullptr;
    float* kL = nullptr;
    float* kQ = nullptr;
    float* specScale = nullptr;
    bool* viewCapsules = nullptr;
    bool* viewBloom = nullptr;
    bool* animation = nullptr;
    std::function<void()> addColor;
    std::function<void()> removeColor;
};

// Adds every entry to `panel`, top to bottom.
void setupParams(reef::params::CallbackMenu& panel, const ParameterTargets& targets);

}  // namespace thalorin
