// Writes a small seed corpus for the image fuzzer: one file per decoded
// layout (PNG colour types and bit depths, palette, interlaced; baseline,
// progressive and grey JPEG). Usage: fuzz_write_seeds <directory>

#include <png.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/framework/image/TestImages.h"

namespace {

using reef::test::JpegDescription;
using reef::test::PngDescription;

PngDescription png(int colorType, int bitDepth, int width, int height, int bytesPerRow) {
    PngDescription d;
    d.colorType = colorType;
    d.bitDepth = bitDepth;
    d.width = width;
    d.height = height;
    for (int i = 0; i < bytesPerRow * height; ++i) {
        d.rows.push_back(static_cast<uint8_t>(i * 37));
    }
    return d;
}

JpegDescription jpeg(int components, bool progressive) {
    JpegDescription d;
    d.width = 16;
    d.height = 16;
    d.components = components;
    d.progressive = progressive;
    for (int i = 0; i < 16 * 16 * components; ++i) {
        d.pixels.push_back(static_cast<uint8_t>(i * 13));
    }
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    PngDescription palette = png(PNG_COLOR_TYPE_PALETTE, 4, 8, 4, 4);
    palette.paletteRgb.assign(16 * 3, 90);
    palette.paletteAlpha = {0, 255, 128};
    PngDescription interlaced = png(PNG_COLOR_TYPE_RGB, 8, 9, 9, 27);
    interlaced.interlaced = true;

    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } seeds[] = {
        {"rgb8.png", reef::test::encodePng(png(PNG_COLOR_TYPE_RGB, 8, 4, 4, 12))},
        {"rgba16.png", reef::test::encodePng(png(PNG_COLOR_TYPE_RGBA, 16, 3, 2, 24))},
        {"grey2.png", reef::test::encodePng(png(PNG_COLOR_TYPE_GRAY, 2, 8, 2, 2))},
        {"grey-alpha8.png", reef::test::encodePng(png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 4, 4, 8))},
        {"palette4.png", reef::test::encodePng(palette)},
        {"interlaced.png", reef::test::encodePng(interlaced)},
        {"rgb.jpg", reef::test::encodeJpeg(jpeg(3, false))},
        {"progressive.jpg", reef::test::encodeJpeg(jpeg(3, true))},
        {"grey.jpg", reef::test::encodeJpeg(jpeg(1, false))},
    };
    for (const auto& seed : seeds) {
        std::ofstream out(std::string(argv[1]) + "/" + seed.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.bytes.data()),
                  static_cast<std::streamsize>(seed.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", seed.name);
            return 1;
        }
    }
    return 0;
}
