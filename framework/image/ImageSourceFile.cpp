#include "framework/image/ImageSourceFile.h"

#include <cassert>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/image/ImageDecoders.h"
#include "framework/image/ImageIoException.h"

namespace reef {

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ImageIoExceptionFailedLoad(path + ": cannot open file");
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw ImageIoExceptionFailedLoad(path + ": cannot read file");
    }
    return bytes;
}

}  // namespace

void ImageSourceFile::FreeDeleter::operator()(uint8_t* p) const {
    std::free(p);
}

ImageSourceFile::ImageSourceFile(const DataSource& dataSource) {
    if (!dataSource.isFilePath()) {
        throw ImageIoExceptionFailedLoad("image source is not a file");
    }
    const std::string& path = dataSource.getFilePath();
    const std::vector<uint8_t> bytes = readFile(path);
    try {
        decode(bytes.data(), bytes.size());
    } catch (const ImageIoExceptionFailedLoad& e) {
        throw ImageIoExceptionFailedLoad(path + ": " + e.what());
    }
}

ImageSourceFile::ImageSourceFile(const uint8_t* data, size_t size) {
    decode(data, size);
}

ImageSourceRef ImageSourceFile::create(DataSourceRef dataSource, Options) {
    if (!dataSource) {
        throw ImageIoExceptionFailedLoad("no image source given");
    }
    return std::make_shared<ImageSourceFile>(*dataSource);
}

void ImageSourceFile::decode(const uint8_t* data, size_t size) {
    decoders::DecodedImage image;
    bool ok = false;
    if (decoders::isPng(data, size)) {
        ok = decoders::decodePng(data, size, &image);
    } else if (decoders::isJpeg(data, size)) {
        ok = decoders::decodeJpeg(data, size, &image);
    } else {
        throw ImageIoExceptionFailedLoad(size == 0 ? "file is empty" : "not a PNG or JPEG image");
    }
    if (!ok) {
        throw ImageIoExceptionFailedLoad(image.error);
    }
    pixels_.reset(image.pixels);

    static const ChannelOrder kOrders[] = {Y, YA, RGB, RGBA};
    setSize(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
    setColorModel(image.channels <= 2 ? CM_GRAY : CM_RGB);
    setDataType(image.bitDepth == 16 ? UINT16 : UINT8);
    setChannelOrder(kOrders[image.channels - 1]);
    rowBytes_ = static_cast<size_t>(image.width) * image.channels * (image.bitDepth / 8);
}

void ImageSourceFile::load(ImageTarget& target) {
    assert(target.getWidth() >= getWidth() && target.getHeight() >= getHeight() &&
           "the target must hold the whole image");
    for (int32_t row = 0; row < getHeight(); ++row) {
        convertRow(pixels_.get() + static_cast<size_t>(row) * rowBytes_, target,
                   target.getRowPointer(row));
    }
}

}  // namespace reef
