#include "tests/framework/image/TestImages.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>

#include <jpeglib.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace reef::test {

namespace {

// [SECTION] PNG: the libpng calls live in a function without C++ objects, so
// a longjmp out of libpng crosses no destructor.

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

bool writePng(const PngDescription* d, std::vector<uint8_t>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::free(rows);
        return false;
    }
    png_set_write_fn(png, out, appendBytes, flushNothing);
    png_set_IHDR(png, info, d->width, d->height, d->bitDepth, d->colorType,
                 d->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!d->paletteRgb.empty()) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(d->paletteRgb.data()),
                     static_cast<int>(d->paletteRgb.size() / 3));
    }
    if (!d->paletteAlpha.empty()) {
        png_set_tRNS(png, info, d->paletteAlpha.data(), static_cast<int>(d->paletteAlpha.size()),
                     nullptr);
    }
    png_write_info(png, info);
    const size_t rowBytes = d->rows.size() / d->height;
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * d->height));
    for (int y = 0; y < d->height; ++y) {
        rows[y] = const_cast<png_bytep>(d->rows.data() + y * rowBytes);
    }
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::free(rows);
    return true;
}

// [SECTION] JPEG

struct JpegErrorJump {
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void jumpOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrorJump*>(cinfo->err)->jump, 1);
}

bool writeJpeg(const JpegDescription* d, unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct cinfo;
    JpegErrorJump errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpOnError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = d->width;
    cinfo.image_height = d->height;
    cinfo.input_components = d->components;
    cinfo.in_color_space =
        d->components == 1 ? JCS_GRAYSCALE : (d->components == 4 ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (d->progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    const size_t rowBytes = static_cast<size_t>(d->width) * d->components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(d->pixels.data() + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<uint8_t> encodePng(const PngDescription& png) {
    std::vector<uint8_t> bytes;
    if (!writePng(&png, &bytes)) {
        throw std::runtime_error("test PNG could not be encoded");
    }
    return bytes;
}

std::vector<uint8_t> encodeJpeg(const JpegDescription& jpeg) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = writeJpeg(&jpeg, &buffer, &size);
    std::vector<uint8_t> bytes;
    if (ok) {
        bytes.assign(buffer, buffer + size);
    }
    std::free(buffer);
    if (!ok) {
        throw std::runtime_error("test JPEG could not be encoded");
    }
    return bytes;
}

std::vector<uint8_t> solidRgbPng(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    PngDescription png;
    png.width = width;
    png.height = height;
    png.colorType = PNG_COLOR_TYPE_RGB;
    for (int i = 0; i < width * height; ++i) {
        png.rows.insert(png.rows.end(), {r, g, b});
    }
    return encodePng(png);
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("reef-image-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    path_ = dir.string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string full = (std::filesystem::path(path_) / name).string();
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return full;
}

BufferTarget::BufferTarget(int32_t width, int32_t height, ChannelOrder order, DataType type)
    : channels_(channelOrderNumChannels(order)),
      rowBytes_(static_cast<size_t>(width) * channels_ * dataTypeBytes(type)),
      data_(rowBytes_ * height) {
    setSize(width, height);
    setChannelOrder(order);
    setDataType(type);
    setColorModel(order == Y || order == YA ? CM_GRAY : CM_RGB);
}

void* BufferTarget::getRowPointer(int32_t row) {
    return data_.data() + row * rowBytes_;
}

}  // namespace reef::test
