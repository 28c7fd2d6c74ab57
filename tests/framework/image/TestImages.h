#pragma once
// Test helpers: encode small PNG and JPEG files in memory with libpng and
// libjpeg, write bytes to a temporary file, and an ImageTarget backed by a
// plain buffer.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/image/ImageTarget.h"

namespace reef::test {

struct PngDescription {
    int width = 1;
    int height = 1;
    int colorType = 0;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    // Rows as the PNG stores them: packed low-bit samples, 16-bit big-endian.
    std::vector<uint8_t> rows;
    std::vector<uint8_t> paletteRgb;    // three bytes per entry
    std::vector<uint8_t> paletteAlpha;  // tRNS entries, empty for none
};

std::vector<uint8_t> encodePng(const PngDescription& png);

struct JpegDescription {
    int width = 1;
    int height = 1;
    int components = 3;  // 1 grey, 3 RGB, 4 CMYK
    bool progressive = false;
    std::vector<uint8_t> pixels;  // interleaved, top row first
};

std::vector<uint8_t> encodeJpeg(const JpegDescription& jpeg);

// A solid-colour RGB PNG and JPEG, for tests that only need a valid file.
std::vector<uint8_t> solidRgbPng(int width, int height, uint8_t r, uint8_t g, uint8_t b);

// A fresh temporary directory, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `bytes` to `name` inside the directory and returns the full path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// An ImageTarget over one packed buffer of the layout it is made with.
class BufferTarget : public ImageTarget {
public:
    BufferTarget(int32_t width, int32_t height, ChannelOrder order, DataType type);

    void* getRowPointer(int32_t row) override;

    template <typename T>
    T at(int32_t x, int32_t y, int channel) const {
        const T* values = reinterpret_cast<const T*>(data_.data());
        return values[(static_cast<size_t>(y) * getWidth() + x) * channels_ + channel];
    }

private:
    int channels_;
    size_t rowBytes_;
    std::vector<uint8_t> data_;
};

}  // namespace reef::test
