// Decoding PNG and JPEG files into the layouts of the loader's table, row order,
// and clean failures on damaged or foreign files.

#include "framework/image/ImageSourceFile.h"

#include <gtest/gtest.h>
#include <png.h>

#include <memory>

#include "framework/DataSource.h"
#include "framework/image/ImageIoException.h"
#include "framework/image/LoadImage.h"
#include "tests/framework/image/TestImages.h"

namespace reef::test {
namespace {

PngDescription pngOf(int colorType, int bitDepth, int width, int height,
                     std::vector<uint8_t> rows) {
    PngDescription png;
    png.colorType = colorType;
    png.bitDepth = bitDepth;
    png.width = width;
    png.height = height;
    png.rows = std::move(rows);
    return png;
}

ImageSourceFile decode(const std::vector<uint8_t>& bytes) {
    return ImageSourceFile(bytes.data(), bytes.size());
}

TEST(ImageSourceFile, PngLayoutsMapOntoTheTable) {
    // 2 x 1 images; the expected first-pixel RGBA8 values follow the PNG rules
    // for widening samples (a 4-bit 5 is 0x55, a 2-bit 2 is 0xAA, a 1-bit 1 is 0xFF).
    PngDescription palette = pngOf(PNG_COLOR_TYPE_PALETTE, 8, 2, 1, {1, 0});
    palette.paletteRgb = {10, 20, 30, 40, 50, 60};
    PngDescription palette4 = pngOf(PNG_COLOR_TYPE_PALETTE, 4, 2, 1, {0x10});
    palette4.paletteRgb = {10, 20, 30, 40, 50, 60};
    PngDescription paletteTrns = palette;
    paletteTrns.paletteAlpha = {0, 128};
    PngDescription interlaced = pngOf(PNG_COLOR_TYPE_RGB, 8, 2, 1, {1, 2, 3, 4, 5, 6});
    interlaced.interlaced = true;

    const struct {
        const char* name;
        PngDescription png;
        ImageIo::ColorModel model;
        ImageIo::DataType type;
        ImageIo::ChannelOrder order;
        uint8_t first[4];  // first pixel as RGBA8
    } cases[] = {
        {"rgb8",
         pngOf(PNG_COLOR_TYPE_RGB, 8, 2, 1, {1, 2, 3, 4, 5, 6}),
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {1, 2, 3, 255}},
        {"rgba8",
         pngOf(PNG_COLOR_TYPE_RGBA, 8, 2, 1, {1, 2, 3, 4, 5, 6, 7, 8}),
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGBA,
         {1, 2, 3, 4}},
        {"rgb16",
         pngOf(PNG_COLOR_TYPE_RGB, 16, 2, 1, {0xFF, 0xFF, 0, 0, 0x80, 0x80, 0, 0, 0, 0, 0, 0}),
         ImageIo::CM_RGB,
         ImageIo::UINT16,
         ImageIo::RGB,
         {255, 0, 128, 255}},
        {"rgba16",
         pngOf(PNG_COLOR_TYPE_RGBA, 16, 1, 1, {0, 0, 0xFF, 0xFF, 0, 0, 0x80, 0x80}),
         ImageIo::CM_RGB,
         ImageIo::UINT16,
         ImageIo::RGBA,
         {0, 255, 0, 128}},
        {"grey8",
         pngOf(PNG_COLOR_TYPE_GRAY, 8, 2, 1, {7, 9}),
         ImageIo::CM_GRAY,
         ImageIo::UINT8,
         ImageIo::Y,
         {7, 7, 7, 255}},
        {"grey16",
         pngOf(PNG_COLOR_TYPE_GRAY, 16, 1, 1, {0x80, 0x80}),
         ImageIo::CM_GRAY,
         ImageIo::UINT16,
         ImageIo::Y,
         {128, 128, 128, 255}},
        {"grey-alpha8",
         pngOf(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 1, 1, {7, 9}),
         ImageIo::CM_GRAY,
         ImageIo::UINT8,
         ImageIo::YA,
         {7, 7, 7, 9}},
        {"grey-alpha16",
         pngOf(PNG_COLOR_TYPE_GRAY_ALPHA, 16, 1, 1, {0xFF, 0xFF, 0, 0}),
         ImageIo::CM_GRAY,
         ImageIo::UINT16,
         ImageIo::YA,
         {255, 255, 255, 0}},
        {"palette8", palette, ImageIo::CM_RGB, ImageIo::UINT8, ImageIo::RGB, {40, 50, 60, 255}},
        {"palette4", palette4, ImageIo::CM_RGB, ImageIo::UINT8, ImageIo::RGB, {40, 50, 60, 255}},
        {"palette with tRNS",
         paletteTrns,
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {40, 50, 60, 255}},
        {"grey4",
         pngOf(PNG_COLOR_TYPE_GRAY, 4, 2, 1, {0x50}),
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {0x55, 0x55, 0x55, 255}},
        {"grey2",
         pngOf(PNG_COLOR_TYPE_GRAY, 2, 2, 1, {0x80}),
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {0xAA, 0xAA, 0xAA, 255}},
        {"grey1",
         pngOf(PNG_COLOR_TYPE_GRAY, 1, 2, 1, {0x80}),
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {255, 255, 255, 255}},
        {"interlaced rgb8",
         interlaced,
         ImageIo::CM_RGB,
         ImageIo::UINT8,
         ImageIo::RGB,
         {1, 2, 3, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageSourceFile source = decode(encodePng(c.png));
        EXPECT_EQ(source.getWidth(), c.png.width);
        EXPECT_EQ(source.getHeight(), c.png.height);
        EXPECT_EQ(source.getColorModel(), c.model);
        EXPECT_EQ(source.getDataType(), c.type);
        EXPECT_EQ(source.getChannelOrder(), c.order);

        ImageSourceFile loadable = decode(encodePng(c.png));
        BufferTarget target(c.png.width, c.png.height, ImageIo::RGBA, ImageIo::UINT8);
        loadable.load(target);
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(target.at<uint8_t>(0, 0, ch), c.first[ch]) << "channel " << ch;
        }
    }
}

TEST(ImageSourceFile, SixteenBitSamplesArriveInNativeOrder) {
    ImageSourceFile source =
        decode(encodePng(pngOf(PNG_COLOR_TYPE_GRAY, 16, 2, 1, {0x12, 0x34, 0xFE, 0xDC})));
    BufferTarget target(2, 1, ImageIo::Y, ImageIo::UINT16);
    source.load(target);
    EXPECT_EQ(target.at<uint16_t>(0, 0, 0), 0x1234);
    EXPECT_EQ(target.at<uint16_t>(1, 0, 0), 0xFEDC);
}

TEST(ImageSourceFile, TopRowIsDeliveredFirst) {
    // 1 x 3 grey image: 10 on top, 20, 30 at the bottom.
    ImageSourceFile png = decode(encodePng(pngOf(PNG_COLOR_TYPE_GRAY, 8, 1, 3, {10, 20, 30})));
    BufferTarget target(1, 3, ImageIo::Y, ImageIo::UINT8);
    png.load(target);
    EXPECT_EQ(target.at<uint8_t>(0, 0, 0), 10);
    EXPECT_EQ(target.at<uint8_t>(0, 2, 0), 30);

    // 8 x 16 JPEG, white over black in two 8-row blocks (lossy: allow 8/255).
    JpegDescription jpeg;
    jpeg.width = 8;
    jpeg.height = 16;
    jpeg.components = 1;
    jpeg.pixels.assign(8 * 8, 255);
    jpeg.pixels.resize(8 * 16, 0);
    ImageSourceFile jpg = decode(encodeJpeg(jpeg));
    BufferTarget jpegTarget(8, 16, ImageIo::Y, ImageIo::UINT8);
    jpg.load(jpegTarget);
    EXPECT_NEAR(jpegTarget.at<uint8_t>(4, 0, 0), 255, 8);
    EXPECT_NEAR(jpegTarget.at<uint8_t>(4, 15, 0), 0, 8);
}

TEST(ImageSourceFile, JpegLayouts) {
    const struct {
        const char* name;
        int components;
        bool progressive;
        ImageIo::ColorModel model;
        ImageIo::ChannelOrder order;
    } cases[] = {
        {"rgb baseline", 3, false, ImageIo::CM_RGB, ImageIo::RGB},
        {"rgb progressive", 3, true, ImageIo::CM_RGB, ImageIo::RGB},
        {"grey", 1, false, ImageIo::CM_GRAY, ImageIo::Y},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JpegDescription jpeg;
        jpeg.width = 16;
        jpeg.height = 8;
        jpeg.components = c.components;
        jpeg.progressive = c.progressive;
        for (int i = 0; i < 16 * 8; ++i) {
            const uint8_t rgb[3] = {200, 100, 50};
            jpeg.pixels.insert(jpeg.pixels.end(), rgb, rgb + c.components);
        }
        ImageSourceFile source = decode(encodeJpeg(jpeg));
        EXPECT_EQ(source.getWidth(), 16);
        EXPECT_EQ(source.getHeight(), 8);
        EXPECT_EQ(source.getColorModel(), c.model);
        EXPECT_EQ(source.getDataType(), ImageIo::UINT8);
        EXPECT_EQ(source.getChannelOrder(), c.order);

        BufferTarget target(16, 8, ImageIo::RGB, ImageIo::UINT8);
        source.load(target);
        // Quality 100 on a flat colour: within 3/255 after the YCbCr round trip.
        EXPECT_NEAR(target.at<uint8_t>(5, 5, 0), 200, 3);
        if (c.components == 3) {
            EXPECT_NEAR(target.at<uint8_t>(5, 5, 1), 100, 3);
            EXPECT_NEAR(target.at<uint8_t>(5, 5, 2), 50, 3);
        }
    }
}

std::vector<uint8_t> truncated(std::vector<uint8_t> bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

TEST(ImageSourceFile, DamagedAndForeignFilesFailToLoad) {
    const std::vector<uint8_t> png = solidRgbPng(16, 16, 1, 2, 3);
    JpegDescription jpegDescription;
    jpegDescription.width = 16;
    jpegDescription.height = 16;
    jpegDescription.pixels.assign(16 * 16 * 3, 77);
    const std::vector<uint8_t> jpeg = encodeJpeg(jpegDescription);
    JpegDescription cmyk = jpegDescription;
    cmyk.components = 4;
    cmyk.pixels.assign(16 * 16 * 4, 77);
    std::vector<uint8_t> badCrc = png;
    badCrc[20] ^= 0x01;  // inside IHDR's height field: its CRC no longer matches

    const std::string text = "this is a text file, not an image\n";
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"text named .png", std::vector<uint8_t>(text.begin(), text.end())},
        {"empty file", {}},
        {"PNG signature only", truncated(png, 8)},
        {"PNG cut inside the image data", truncated(png, png.size() / 2)},
        {"PNG without its end chunk", truncated(png, png.size() - 12)},
        {"PNG header with a bad CRC", badCrc},
        {"PNG wider than 16384 pixels",
         encodePng(pngOf(PNG_COLOR_TYPE_GRAY, 8, 16385, 1, std::vector<uint8_t>(16385, 0)))},
        {"JPEG start marker only", truncated(jpeg, 3)},
        {"JPEG cut inside the scan", truncated(jpeg, jpeg.size() / 2)},
        {"JPEG without its end marker", truncated(jpeg, jpeg.size() - 2)},
        {"JPEG taller than 16384 pixels",
         [] {
             JpegDescription tall;
             tall.width = 1;
             tall.height = 16385;
             tall.components = 1;
             tall.pixels.assign(16385, 0);
             return encodeJpeg(tall);
         }()},
        {"CMYK JPEG", encodeJpeg(cmyk)},
        {"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(decode(c.bytes), ImageIoExceptionFailedLoad);
        const std::string path = dir.write("image.png", c.bytes);
        EXPECT_THROW(loadImage(path), ImageIoExceptionFailedLoad);
    }
}

TEST(ImageSourceFile, MissingFileFailsToLoad) {
    TempDir dir;
    EXPECT_THROW(loadImage(dir.path() + "/absent.png"), ImageIoExceptionFailedLoad);
    EXPECT_THROW(loadImage(dir.path()), ImageIoExceptionFailedLoad);
}

TEST(ImageSourceFile, ContentDecidesTheFileTypeNotTheName) {
    JpegDescription jpeg;
    jpeg.width = 8;
    jpeg.height = 8;
    jpeg.pixels.assign(8 * 8 * 3, 128);
    TempDir dir;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        int width;
    } cases[] = {
        {"skin.tga", solidRgbPng(3, 2, 0, 0, 0), 3},
        {"photo.PNG", encodeJpeg(jpeg), 8},
        {"plain", solidRgbPng(5, 1, 0, 0, 0), 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageSourceRef source = loadImage(dir.write(c.name, c.bytes));
        ASSERT_TRUE(source);
        EXPECT_EQ(source->getWidth(), c.width);
    }
}

}  // namespace
}  // namespace reef::test
