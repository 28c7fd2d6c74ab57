#pragma once
// The accessor-bound entries: "FPS", and the eighteen geometry parameters whose
// setters store the value and rebuild the whole model at once.

#include <functional>
#include <string>

#include "framework/params/CallbackMenu.h"
#include "model/AnemoneModel.h"

namespace thalorin {

void addFpsParam(reef::params::CallbackMenu& panel, std::function<float()> averageFps);

// Adds one store-and-rebuild entry bound to `member` of `model`.
template <typename T>
void addGeometryParam(reef::params::CallbackMenu& panel, AnemoneModel& model,
                      const std::string& label, T AnemoneModel::*member,
                      const std::string& options) {
    AnemoneModel* m = &model;
    panel.addParam<T>(
        label,
        [m, member](T value) {
            m->*member = value;
            m->rebuild();
        },
        [m, member] { return m->*member; }, options);
}

}  // namespace thalorin
