#pragma once
// Internal: the PNG and JPEG decoders behind ImageSourceFile. They are plain
// C-style functions because libpng and libjpeg report errors by longjmp: no
// object with a destructor may be live in a frame that a longjmp crosses.
// On success `pixels` is a malloc'd buffer the caller frees; on failure it is
// null and `error` holds a one-line reason.

#include <cstddef>
#include <cstdint>

namespace reef::decoders {

// Larger images are refused from their header, before any pixel buffer exists.
constexpr uint32_t kMaxImageSide = 16384;

struct DecodedImage {
    uint8_t* pixels = nullptr;  // height rows of width * channels components, top row first
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 0;  // 1 grey, 2 grey-alpha, 3 RGB, 4 RGBA
    int bitDepth = 0;  // 8 or 16 (native byte order)
    char error[256] = {};
};

bool isPng(const uint8_t* data, size_t size);
bool isJpeg(const uint8_t* data, size_t size);

bool decodePng(const uint8_t* data, size_t size, DecodedImage* out);
bool decodeJpeg(const uint8_t* data, size_t size, DecodedImage* out);

}  // namespace reef::decoders
