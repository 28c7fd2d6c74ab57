#pragma once
// A decoded image that can write its pixels, row by row and converted to the
// layout a target asks for, into an ImageTarget.

#include <cstdint>
#include <memory>

#include "framework/image/ImageIo.h"
#include "framework/image/ImageTarget.h"

namespace reef {

class ImageSource : public ImageIo {
public:
    // Options of a load; the loader always takes the first frame of a file.
    struct Options {};

    // Writes rows 0 .. height - 1 (the image's top row first) into the target's
    // rows of the same index, reordering channels by name and converting the
    // component type when the target's differs. The target must be at least as
    // large as the image.
    virtual void load(ImageTarget& target) = 0;

protected:
    ImageSource() = default;

    // Converts `width` pixels of this source's layout at `sourceRow` into the
    // target's layout at `targetRow`. Channels the source lacks are filled:
    // alpha and padding opaque, grey from RGB by luminance, RGB from grey.
    void convertRow(const void* sourceRow, const ImageTarget& target, void* targetRow) const;
};

using ImageSourceRef = std::shared_ptr<ImageSource>;

}  // namespace reef
