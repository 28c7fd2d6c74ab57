#include "framework/image/ImageIo.h"

namespace reef {

bool ImageIo::channelOrderHasAlpha(ChannelOrder order) {
    return order == RGBA || order == BGRA || order == YA;
}

int ImageIo::channelOrderNumChannels(ChannelOrder order) {
    switch (order) {
        case RGBA:
        case BGRA:
        case BGRX:
            return 4;
        case RGB:
        case BGR:
            return 3;
        case YA:
            return 2;
        case Y:
            return 1;
        case CUSTOM:
            break;
    }
    return 0;
}

ImageIo::Channel ImageIo::channelAt(ChannelOrder order, int index) {
    static const Channel kRgba[] = {CHAN_RED, CHAN_GREEN, CHAN_BLUE, CHAN_ALPHA};
    static const Channel kBgra[] = {CHAN_BLUE, CHAN_GREEN, CHAN_RED, CHAN_ALPHA};
    static const Channel kBgrx[] = {CHAN_BLUE, CHAN_GREEN, CHAN_RED, CHAN_PAD};
    static const Channel kYa[] = {CHAN_YLUM, CHAN_ALPHA};
    if (index < 0 || index >= channelOrderNumChannels(order)) {
        return CHAN_PAD;
    }
    switch (order) {
        case RGBA:
        case RGB:
            return kRgba[index];
        case BGRA:
        case BGR:
            return kBgra[index];
        case BGRX:
            return kBgrx[index];
        case Y:
        case YA:
            return kYa[index];
        case CUSTOM:
            break;
    }
    return CHAN_PAD;
}

size_t ImageIo::dataTypeBytes(DataType type) {
    switch (type) {
        case UINT8:
            return 1;
        case UINT16:
            return 2;
        case FLOAT32:
            return 4;
        case DATA_UNKNOWN:
            break;
    }
    return 0;
}

}  // namespace reef
