#pragma once
// The platform image source: decodes a PNG or JPEG file (chosen by the file's
// first bytes, not its name) once, at construction, and keeps the pixels.
// Other file types fail with ImageIoExceptionFailedLoad.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/DataSource.h"
#include "framework/image/ImageSource.h"

namespace reef {

class ImageSourceFile : public ImageSource {
public:
    // Reads and decodes the file a DataSource names. Throws
    // ImageIoExceptionFailedLoad when it cannot be read or decoded.
    explicit ImageSourceFile(const DataSource& dataSource);
    // Decodes an encoded image held in memory; the bytes are not kept.
    ImageSourceFile(const uint8_t* data, size_t size);

    static ImageSourceRef create(DataSourceRef dataSource, Options options = Options());

    void load(ImageTarget& target) override;

    // Tightly packed rows, top row first.
    const uint8_t* getPixels() const { return pixels_.get(); }
    size_t getRowBytes() const { return rowBytes_; }

private:
    struct FreeDeleter {
        void operator()(uint8_t* p) const;
    };

    void decode(const uint8_t* data, size_t size);

    std::unique_ptr<uint8_t, FreeDeleter> pixels_;
    size_t rowBytes_ = 0;
};

}  // namespace reef
