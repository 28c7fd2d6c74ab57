#pragma once
// A single-channel image of one component type, tightly packed, top row first.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace reef {

template <typename T>
class ChannelT {
public:
    ChannelT() = default;
    ChannelT(int32_t width, int32_t height)
        : width_(width), height_(height), data_(static_cast<size_t>(width) * height) {
        assert(width >= 0 && height >= 0 && "a channel cannot have a negative size");
    }

    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }
    // Bytes from one row to the next.
    size_t getRowBytes() const { return static_cast<size_t>(width_) * sizeof(T); }
    // Values from one row to the next (the GL unpack row length).
    int32_t getRowLength() const { return width_; }

    T* getData() { return data_.data(); }
    const T* getData() const { return data_.data(); }
    T getValue(int32_t x, int32_t y) const { return data_[index(x, y)]; }
    void setValue(int32_t x, int32_t y, T value) { data_[index(x, y)] = value; }

private:
    size_t index(int32_t x, int32_t y) const {
        assert(x >= 0 && x < width_ && y >= 0 && y < height_ && "pixel outside the channel");
        return static_cast<size_t>(y) * width_ + x;
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<T> data_;
};

using Channel8u = ChannelT<unsigned char>;

}  // namespace reef
