#include "framework/image/ImageSource.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace reef {

namespace {

// [SECTION] component conversion: unsigned values are scaled to the full range
// of the other type; floats are 0..1 and clamped (NaN becomes 0).

template <typename T>
T fullValue();
template <>
uint8_t fullValue<uint8_t>() {
    return 255;
}
template <>
uint16_t fullValue<uint16_t>() {
    return 65535;
}
template <>
float fullValue<float>() {
    return 1.0f;
}

template <typename T>
float toUnit(T v) {
    return static_cast<float>(v) / static_cast<float>(fullValue<T>());
}
template <>
float toUnit<float>(float v) {
    return v;
}

template <typename T>
T fromUnit(float v) {
    if (!(v > 0.0f)) {
        return 0;
    }
    if (v >= 1.0f) {
        return fullValue<T>();
    }
    return static_cast<T>(v * static_cast<float>(fullValue<T>()) + 0.5f);
}
template <>
float fromUnit<float>(float v) {
    return v;
}

template <typename S, typename D>
D convertComponent(S v) {
    return fromUnit<D>(toUnit(v));
}
template <>
uint8_t convertComponent<uint8_t, uint8_t>(uint8_t v) {
    return v;
}
template <>
uint16_t convertComponent<uint16_t, uint16_t>(uint16_t v) {
    return v;
}
template <>
float convertComponent<float, float>(float v) {
    return v;
}
template <>
uint16_t convertComponent<uint8_t, uint16_t>(uint8_t v) {
    return static_cast<uint16_t>(v * 257u);
}
template <>
uint8_t convertComponent<uint16_t, uint8_t>(uint16_t v) {
    return static_cast<uint8_t>((v * 255u + 32767u) / 65535u);
}

// Where a target channel takes its value from.
enum SourceKind { FROM_CHANNEL, FROM_FULL, FROM_LUMINANCE };
struct ChannelSource {
    SourceKind kind = FROM_FULL;
    int index = 0;
};

constexpr int kMaxChannels = 4;

int findChannel(ImageIo::ChannelOrder order, ImageIo::Channel channel) {
    for (int i = 0; i < ImageIo::channelOrderNumChannels(order); ++i) {
        if (ImageIo::channelAt(order, i) == channel) {
            return i;
        }
    }
    return -1;
}

ChannelSource sourceFor(ImageIo::ChannelOrder sourceOrder, ImageIo::Channel wanted) {
    ChannelSource s;
    if (wanted == ImageIo::CHAN_PAD) {
        return s;
    }
    const int direct = findChannel(sourceOrder, wanted);
    if (direct >= 0) {
        s.kind = FROM_CHANNEL;
        s.index = direct;
        return s;
    }
    const bool wantsColor = wanted == ImageIo::CHAN_RED || wanted == ImageIo::CHAN_GREEN ||
                            wanted == ImageIo::CHAN_BLUE;
    if (wantsColor) {
        const int grey = findChannel(sourceOrder, ImageIo::CHAN_YLUM);
        if (grey >= 0) {
            s.kind = FROM_CHANNEL;
            s.index = grey;
        }
        return s;
    }
    if (wanted == ImageIo::CHAN_YLUM && findChannel(sourceOrder, ImageIo::CHAN_RED) >= 0) {
        s.kind = FROM_LUMINANCE;
    }
    return s;
}

template <typename S, typename D>
void convertPixels(const S* src, int srcChannels, const ChannelSource* map, int dstChannels,
                   const int rgb[3], D* dst, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        for (int c = 0; c < dstChannels; ++c) {
            switch (map[c].kind) {
                case FROM_CHANNEL:
                    dst[c] = convertComponent<S, D>(src[map[c].index]);
                    break;
                case FROM_FULL:
                    dst[c] = fullValue<D>();
                    break;
                case FROM_LUMINANCE:
                    dst[c] =
                        fromUnit<D>(0.299f * toUnit(src[rgb[0]]) + 0.587f * toUnit(src[rgb[1]]) +
                                    0.114f * toUnit(src[rgb[2]]));
                    break;
            }
        }
        src += srcChannels;
        dst += dstChannels;
    }
}

template <typename S>
void convertFrom(const S* src, int srcChannels, const ChannelSource* map, int dstChannels,
                 const int rgb[3], ImageIo::DataType dstType, void* dst, int32_t width) {
    switch (dstType) {
        case ImageIo::UINT8:
            convertPixels(src, srcChannels, map, dstChannels, rgb, static_cast<uint8_t*>(dst),
                          width);
            break;
        case ImageIo::UINT16:
            convertPixels(src, srcChannels, map, dstChannels, rgb, static_cast<uint16_t*>(dst),
                          width);
            break;
        case ImageIo::FLOAT32:
            convertPixels(src, srcChannels, map, dstChannels, rgb, static_cast<float*>(dst), width);
            break;
        case ImageIo::DATA_UNKNOWN:
            assert(!"target data type must be known");
            break;
    }
}

}  // namespace

void ImageSource::convertRow(const void* sourceRow, const ImageTarget& target,
                             void* targetRow) const {
    const ChannelOrder srcOrder = getChannelOrder();
    const ChannelOrder dstOrder = target.getChannelOrder();
    const int32_t width = getWidth();
    if (srcOrder == dstOrder && getDataType() == target.getDataType()) {
        std::memcpy(targetRow, sourceRow,
                    static_cast<size_t>(width) * channelOrderNumChannels(srcOrder) *
                        dataTypeBytes(getDataType()));
        return;
    }

    const int srcChannels = channelOrderNumChannels(srcOrder);
    const int dstChannels = channelOrderNumChannels(dstOrder);
    assert(srcChannels > 0 && dstChannels > 0 && "CUSTOM channel orders cannot be converted");
    ChannelSource map[kMaxChannels];
    for (int c = 0; c < dstChannels; ++c) {
        map[c] = sourceFor(srcOrder, channelAt(dstOrder, c));
    }
    const int rgb[3] = {findChannel(srcOrder, CHAN_RED), findChannel(srcOrder, CHAN_GREEN),
                        findChannel(srcOrder, CHAN_BLUE)};

    switch (getDataType()) {
        case UINT8:
            convertFrom(static_cast<const uint8_t*>(sourceRow), srcChannels, map, dstChannels, rgb,
                        target.getDataType(), targetRow, width);
            break;
        case UINT16:
            convertFrom(static_cast<const uint16_t*>(sourceRow), srcChannels, map, dstChannels, rgb,
                        target.getDataType(), targetRow, width);
            break;
        case FLOAT32:
            convertFrom(static_cast<const float*>(sourceRow), srcChannels, map, dstChannels, rgb,
                        target.getDataType(), targetRow, width);
            break;
        case DATA_UNKNOWN:
            assert(!"source data type must be known");
            break;
    }
}

}  // namespace reef
