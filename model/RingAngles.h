#pragma once
// Cosines and sines of a ring's n + 1 angles j * (float)(2 pi / n), taken in
// double on the float angle and rounded back, and the texture columns j / n.
// Every ring with n segments uses the same numbers, so tubes of many rings
// compute them once.

#include <cmath>
#include <cstdint>
#include <vector>

namespace thalorin {

class RingAngles {
public:
    RingAngles() = default;
    explicit RingAngles(int n) { reset(n); }

    // Recomputes the table for n segments (none for n < 0). A ring without
    // segments has its one vertex at angle 0.
    void reset(int n) {
        n_ = n;
        cos_.clear();
        sin_.clear();
        u_.clear();
        if (n < 0) {
            return;
        }
        const float step = n > 0 ? static_cast<float>(2.0 * 3.14159265358979323846 / n) : 0.0f;
        cos_.resize(static_cast<size_t>(n) + 1);
        sin_.resize(static_cast<size_t>(n) + 1);
        u_.resize(static_cast<size_t>(n) + 1);
        for (int64_t j = 0; j <= n; ++j) {
            const double theta = static_cast<float>(j) * step;
            cos_[j] = static_cast<float>(std::cos(theta));
            sin_[j] = static_cast<float>(std::sin(theta));
            u_[j] = n > 0 ? static_cast<float>(j) / static_cast<float>(n) : 0.0f;
        }
    }

    int segments() const { return n_; }
    float cosAt(int64_t j) const { return cos_[j]; }
    float sinAt(int64_t j) const { return sin_[j]; }
    float uAt(int64_t j) const { return u_[j]; }

private:
    int n_ = -1;
    std::vector<float> cos_;
    std::vector<float> sin_;
    std::vector<float> u_;
};

}  // namespace thalorin
