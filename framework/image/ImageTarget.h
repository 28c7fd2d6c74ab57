#pragma once
// The receiving end of an image load: states the channel order and component
// type it wants (through the ImageIo fields) and hands out each row's storage.

#include <cstdint>
#include <memory>

#include "framework/image/ImageIo.h"

namespace reef {

class ImageTarget : public ImageIo {
public:
    // Writable storage for row `row` (0 = top): width * channels components of
    // the target's data type.
    virtual void* getRowPointer(int32_t row) = 0;

protected:
    ImageTarget() = default;
};

using ImageTargetRef = std::shared_ptr<ImageTarget>;

}  // namespace reef
