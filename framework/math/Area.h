#pragma once
// Integer (Area) and float (Rectf) rectangles. Built from two corners they are
// normalised so that x1 <= x2 and y1 <= y2.

#include <algorithm>
#include <cstdint>

namespace reef {

template <typename T>
struct RectT {
    T x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    constexpr RectT() = default;
    constexpr RectT(T ax, T ay, T bx, T by)
        : x1(std::min(ax, bx)), y1(std::min(ay, by)), x2(std::max(ax, bx)), y2(std::max(ay, by)) {}

    constexpr T getWidth() const { return x2 - x1; }
    constexpr T getHeight() const { return y2 - y1; }
    constexpr bool operator==(const RectT& o) const {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
    }
    constexpr bool operator!=(const RectT& o) const { return !(*this == o); }
};

using Area = RectT<int32_t>;
using Rectf = RectT<float>;

}  // namespace reef
