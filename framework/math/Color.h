#pragma once
// RGB and RGBA colours of floats in 0..1. Color is exactly three consecutive
// floats: its address is handed to the panel as a colour value.

namespace reef {

struct Color {
    float r = 0, g = 0, b = 0;

    constexpr Color() = default;
    constexpr Color(float r_, float g_, float b_) : r(r_), g(g_), b(b_) {}

    constexpr bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Color& o) const { return !(*this == o); }
};

struct ColorA {
    float r = 0, g = 0, b = 0, a = 1;

    constexpr ColorA() = default;
    constexpr ColorA(float r_, float g_, float b_, float a_ = 1) : r(r_), g(g_), b(b_), a(a_) {}
    constexpr ColorA(const Color& c, float a_ = 1) : r(c.r), g(c.g), b(c.b), a(a_) {}

    constexpr bool operator==(const ColorA& o) const {
        return r == o.r && g == o.g && b == o.b && a == o.a;
    }
    constexpr bool operator!=(const ColorA& o) const { return !(*this == o); }
    const float* data() const { return &r; }
};

static_assert(sizeof(Color) == 3 * sizeof(float), "Color must be three consecutive floats");
static_assert(sizeof(ColorA) == 4 * sizeof(float), "ColorA must be four consecutive floats");

}  // namespace reef
