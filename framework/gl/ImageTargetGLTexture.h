#pragma once
// The image sink of a texture upload: a tightly packed buffer of the image's
// own component type, in RGB(A) or grey(-alpha) order by the image's colour
// model and alpha, filled row by row by an ImageSource.

#include <cstdint>
#include <vector>

#include "framework/image/ImageTarget.h"

namespace reef::gl {

template <typename T>
class ImageTargetGLTexture : public ImageTarget {
public:
    ImageTargetGLTexture(int32_t width, int32_t height, bool isGray, bool hasAlpha) {
        setSize(width, height);
        setColorModel(isGray ? CM_GRAY : CM_RGB);
        setDataType(sizeof(T) == 1 ? UINT8 : (sizeof(T) == 2 ? UINT16 : FLOAT32));
        setChannelOrder(isGray ? (hasAlpha ? YA : Y) : (hasAlpha ? RGBA : RGB));
        components_ = channelOrderNumChannels(getChannelOrder());
        data_.resize(static_cast<size_t>(width) * height * components_);
    }

    void* getRowPointer(int32_t row) override {
        return data_.data() + static_cast<size_t>(row) * getWidth() * components_;
    }
    const T* getData() const { return data_.data(); }

private:
    int components_ = 0;
    std::vector<T> data_;
};

}  // namespace reef::gl
