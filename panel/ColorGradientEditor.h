#pragma once
// The colour-gradient stops in the panel: two entries per stop, "Add color"
// appending a black stop at 1.0 and "Remove color" dropping the last stop
// (never fewer than two).

#include <string>

#include "framework/params/CallbackMenu.h"
#include "model/AnemoneModel.h"

namespace thalorin {

class ColorGradientEditor {
public:
    ColorGradientEditor(reef::params::CallbackMenu& panel, AnemoneModel& model)
        : panel_(panel), model_(model) {}

    // The two entries of every stop, in order.
    void addStopEntries();
    void addColor();
    void removeColor();

    static std::string colorLabel(size_t stop);
    static std::string startLabel(size_t stop);

private:
    void addEntries(size_t stop);
    void removeEntries(size_t stop);

    reef::params::CallbackMenu& panel_;
    AnemoneModel& model_;
};

}  // namespace thalorin
