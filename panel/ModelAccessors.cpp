#include "panel/ModelAccessors.h"

namespace thalorin {

void addFpsParam(reef::params::CallbackMenu& panel, std::function<float()> averageFps) {
    // Edits are ignored: the entry always shows the measured rate.
    panel.addParam<float>(
        "FPS", [](float) {}, std::move(averageFps), "");
}

}  // namespace thalorin
