#pragma once
// The common description of image sources and targets: size, colour model,
// component type and the order of the channels within one pixel.

#include <cstddef>
#include <cstdint>

namespace reef {

class ImageIo {
public:
    enum ColorModel { CM_RGB, CM_GRAY, CM_UNKNOWN };
    enum DataType { UINT8, UINT16, FLOAT32, DATA_UNKNOWN };
    // X is an ignored fourth channel.
    enum ChannelOrder { RGBA, BGRA, BGRX, RGB, BGR, Y, YA, CUSTOM };
    // Channel names used when reordering pixels.
    enum Channel { CHAN_RED, CHAN_GREEN, CHAN_BLUE, CHAN_ALPHA, CHAN_YLUM, CHAN_PAD };

    virtual ~ImageIo() = default;

    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }
    ColorModel getColorModel() const { return colorModel_; }
    DataType getDataType() const { return dataType_; }
    ChannelOrder getChannelOrder() const { return channelOrder_; }
    bool hasAlpha() const { return channelOrderHasAlpha(channelOrder_); }

    static bool channelOrderHasAlpha(ChannelOrder order);
    // 0 for CUSTOM.
    static int channelOrderNumChannels(ChannelOrder order);
    // The channel stored at position `index` of a pixel in `order`.
    static Channel channelAt(ChannelOrder order, int index);
    // Bytes of one component; 0 for DATA_UNKNOWN.
    static size_t dataTypeBytes(DataType type);

protected:
    ImageIo() = default;

    void setSize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
    }
    void setColorModel(ColorModel model) { colorModel_ = model; }
    void setDataType(DataType type) { dataType_ = type; }
    void setChannelOrder(ChannelOrder order) { channelOrder_ = order; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    ColorModel colorModel_ = CM_UNKNOWN;
    DataType dataType_ = DATA_UNKNOWN;
    ChannelOrder channelOrder_ = CUSTOM;
};

}  // namespace reef
