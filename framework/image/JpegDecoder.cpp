// JPEG decoding with libjpeg-turbo. Everything between setjmp and the end of
// the decode is plain C: the error handlers below leave by longjmp.
//
// Layouts delivered: 8-bit grey, and 8-bit RGB for YCbCr and RGB files. CMYK
// and YCCK files are refused. Warnings that mean the pixel data is damaged (a
// truncated file, a corrupt entropy-coded segment) fail the decode rather than
// yielding a partly grey image.

#include <cstdio>
// jpeglib.h needs size_t and FILE declared first, jerror.h needs jconfig.h.
#include <jpeglib.h>

#include <jerror.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "framework/image/ImageDecoders.h"

namespace reef::decoders {

namespace {

// libjpeg's working memory (progressive coefficient buffers and the like).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;
// A progressive file may hold any number of scans; each one re-reads the whole
// coefficient buffer, so a tiny hostile file could otherwise take minutes.
constexpr int kMaxScans = 500;

struct JpegErrors {
    jpeg_error_mgr pub;
    jmp_buf jump;
    DecodedImage* out;
};

[[noreturn]] void failWith(j_common_ptr cinfo) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    std::snprintf(errors->out->error, sizeof(errors->out->error), "JPEG: %s", message);
    std::longjmp(errors->jump, 1);
}

void onErrorExit(j_common_ptr cinfo) {
    failWith(cinfo);
}

bool isDamagedDataWarning(int code) {
    switch (code) {
#if JPEG_LIB_VERSION >= 70 || defined(C_ARITH_CODING_SUPPORTED) || defined(D_ARITH_CODING_SUPPORTED)
        case JWRN_ARITH_BAD_CODE:
#endif
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_TOO_MUCH_DATA:
            return true;
        default:
            return false;
    }
}

void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && isDamagedDataWarning(cinfo->err->msg_code)) {
        failWith(cinfo);
    }
}

void onProgress(j_common_ptr cinfo) {
    const j_decompress_ptr dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans) {
        JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
        std::snprintf(errors->out->error, sizeof(errors->out->error), "JPEG: more than %d scans",
                      kMaxScans);
        std::longjmp(errors->jump, 1);
    }
}

bool fail(DecodedImage* out, const char* reason) {
    std::snprintf(out->error, sizeof(out->error), "JPEG: %s", reason);
    return false;
}

}  // namespace

bool isJpeg(const uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool decodeJpeg(const uint8_t* data, size_t size, DecodedImage* out) {
    out->pixels = nullptr;
    out->error[0] = '\0';
    if (!isJpeg(data, size)) {
        return fail(out, "not a JPEG file");
    }

    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onErrorExit;
    errors.pub.emit_message = onMessage;
    errors.out = out;
    progress.progress_monitor = onProgress;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(out->pixels);
        out->pixels = nullptr;
        return false;
    }

    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        std::snprintf(out->error, sizeof(out->error), "JPEG: no image in file");
        std::longjmp(errors.jump, 1);
    }
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxImageSide ||
        cinfo.image_height > kMaxImageSide) {
        std::snprintf(out->error, sizeof(out->error), "JPEG: image size out of range");
        std::longjmp(errors.jump, 1);
    }
    switch (cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_YCbCr:
        case JCS_RGB:
            cinfo.out_color_space = JCS_RGB;
            break;
        default:
            std::snprintf(out->error, sizeof(out->error), "JPEG: unsupported colour space");
            std::longjmp(errors.jump, 1);
    }

    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = static_cast<size_t>(cinfo.output_width) * cinfo.output_components;
    out->pixels = static_cast<uint8_t*>(std::malloc(rowBytes * cinfo.output_height));
    if (out->pixels == nullptr) {
        std::snprintf(out->error, sizeof(out->error), "JPEG: out of memory");
        std::longjmp(errors.jump, 1);
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->pixels + static_cast<size_t>(cinfo.output_scanline) * rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);

    out->width = cinfo.output_width;
    out->height = cinfo.output_height;
    out->channels = cinfo.output_components;
    out->bitDepth = 8;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace reef::decoders
