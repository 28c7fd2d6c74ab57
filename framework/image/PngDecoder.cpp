// PNG decoding with libpng. Everything between setjmp and the end of the
// decode is plain C: libpng leaves a failed read by longjmp.
//
// Layouts delivered: 8/16-bit grey, grey-alpha, RGB and RGBA as stored;
// palette images and 1/2/4-bit grey are expanded to 8-bit RGB. tRNS chunks are
// ignored, so a palette image never gains an alpha channel.

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/image/ImageDecoders.h"

namespace reef::decoders {

namespace {

struct PngInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
    DecodedImage* out;
};

void readBytes(png_structp png, png_bytep dest, png_size_t length) {
    PngInput* in = static_cast<PngInput*>(png_get_io_ptr(png));
    if (length > in->size - in->pos) {
        png_error(png, "file is truncated");
    }
    std::memcpy(dest, in->data + in->pos, length);
    in->pos += length;
}

void onError(png_structp png, png_const_charp message) {
    DecodedImage* out = static_cast<DecodedImage*>(png_get_error_ptr(png));
    std::snprintf(out->error, sizeof(out->error), "PNG: %s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

bool fail(DecodedImage* out, const char* reason) {
    std::snprintf(out->error, sizeof(out->error), "PNG: %s", reason);
    return false;
}

bool hostIsLittleEndian() {
    const uint16_t probe = 1;
    uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

bool isPng(const uint8_t* data, size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool decodePng(const uint8_t* data, size_t size, DecodedImage* out) {
    out->pixels = nullptr;
    out->error[0] = '\0';
    if (!isPng(data, size)) {
        return fail(out, "not a PNG file");
    }
    PngInput input = {data, size, 0, out};

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, out, onError, onWarning);
    if (png == nullptr) {
        return fail(out, "out of memory");
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return fail(out, "out of memory");
    }
    // Assigned after setjmp, so volatile: its value must survive the longjmp.
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::free(rows);
        std::free(out->pixels);
        out->pixels = nullptr;
        return false;
    }

    png_set_read_fn(png, &input, readBytes);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
        png_error(png, "image size out of range");
    }

    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
        png_set_strip_alpha(png);
    } else if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    if (bitDepth == 16 && hostIsLittleEndian()) {
        png_set_swap(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const int outDepth = png_get_bit_depth(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (channels < 1 || channels > 4 || (outDepth != 8 && outDepth != 16) ||
        rowBytes != static_cast<size_t>(width) * channels * (outDepth / 8)) {
        png_error(png, "unsupported pixel layout");
    }

    out->pixels = static_cast<uint8_t*>(std::malloc(rowBytes * height));
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (out->pixels == nullptr || rows == nullptr) {
        png_error(png, "out of memory");
    }
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = out->pixels + y * rowBytes;
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);

    png_destroy_read_struct(&png, &info, nullptr);
    std::free(rows);
    out->width = width;
    out->height = height;
    out->channels = channels;
    out->bitDepth = outDepth;
    return true;
}

}  // namespace reef::decoders
