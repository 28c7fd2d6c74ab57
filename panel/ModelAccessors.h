#pragma once
// The accessor-bound entries: "FPS", and the eighteen geometry parameters whose
// setters store the value and rebuild the whole model at once.

#include <functional>
#include <string>

#include "framework/params/CallbackMenu.h"
#include "model/AnemoneModel.h"

namespace thalorin {

void addFpsParam(reef::params::CallbackMenu& panel, std::function<float()> averageFps);

// The setter of a geometry entry: stores the value in `member`, then rebuilds
// the model, which may store a limited value back (AnemoneModel::rebuild).
// The model must outlive the setter.
template <typename T>
std::function<void(T)> geometrySetter(AnemoneModel& model, T AnemoneModel::*member) {
    AnemoneModel* m = &model;
    return [m, member](T value) {
        m->*member = value;
        m->rebuild();
    };
}

// The getter of a geometry entry: the member's current value.
template <typename T>
std::function<T()> geometryGetter(const AnemoneModel& model, T AnemoneModel::*member) {
    const AnemoneModel* m = &model;
    return [m, member] { return m->*member; };
}

// Adds one store-and-rebuild entry bound to `member` of `model`.
template <typename T>
void addGeometryParam(reef::params::CallbackMenu& panel, AnemoneModel& model,
                      const std::string& label, T AnemoneModel::*member,
                      const std::string& options) {
    panel.addParam<T>(label, geometrySetter(model, member), geometryGetter(model, member), options);
}

}  // namespace thalorin
