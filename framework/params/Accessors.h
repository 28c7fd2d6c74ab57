#pragma once
// A setter and a getter for one panel entry whose value lives behind code.

#include <functional>

namespace reef::params {

template <typename T>
struct Accessors {
    Accessors(std::function<void(T)> setter, std::function<T()> getter)
        : setter(std::move(setter)), getter(std::move(getter)) {}

    std::function<void(T)> setter;
    std::function<T()> getter;
};

}  // namespace reef::params
