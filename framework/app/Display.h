#pragma once
// A monitor: its area in desktop pixels.

#include <memory>

#include "framework/math/Area.h"

namespace reef {

class Display {
public:
    explicit Display(const Area& area) : area_(area) {}

    const Area& getBounds() const { return area_; }
    int getWidth() const { return area_.getWidth(); }
    int getHeight() const { return area_.getHeight(); }

private:
    Area area_;
};

using DisplayRef = std::shared_ptr<Display>;

}  // namespace reef
