// Loading into a target: channels reordered by name, component types converted.

#include "framework/image/ImageSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/framework/image/TestImages.h"

namespace reef::test {
namespace {

// A one-pixel source of any layout, standing in for codecs that deliver
// blue-green-red orders.
class OnePixelSource : public ImageSource {
public:
    OnePixelSource(ChannelOrder order, DataType type, std::vector<uint8_t> bytes)
        : bytes_(std::move(bytes)) {
        setSize(1, 1);
        setChannelOrder(order);
        setDataType(type);
        setColorModel(order == Y || order == YA ? CM_GRAY : CM_RGB);
    }
    void load(ImageTarget& target) override {
        convertRow(bytes_.data(), target, target.getRowPointer(0));
    }

private:
    std::vector<uint8_t> bytes_;
};

template <typename T>
std::vector<uint8_t> bytesOf(std::initializer_list<T> values) {
    std::vector<uint8_t> bytes(values.size() * sizeof(T));
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}

TEST(ImageSourceConversion, ReordersChannelsByName) {
    const struct {
        const char* name;
        ImageIo::ChannelOrder from;
        std::vector<uint8_t> pixel;
        ImageIo::ChannelOrder to;
        std::vector<uint8_t> expected;
    } cases[] = {
        {"BGR to RGB", ImageIo::BGR, {3, 2, 1}, ImageIo::RGB, {1, 2, 3}},
        {"BGRA to RGBA", ImageIo::BGRA, {3, 2, 1, 4}, ImageIo::RGBA, {1, 2, 3, 4}},
        {"BGRX to RGB drops the ignored byte",
         ImageIo::BGRX,
         {3, 2, 1, 99},
         ImageIo::RGB,
         {1, 2, 3}},
        {"RGB to RGBA is opaque", ImageIo::RGB, {1, 2, 3}, ImageIo::RGBA, {1, 2, 3, 255}},
        {"grey-alpha to RGBA", ImageIo::YA, {9, 8}, ImageIo::RGBA, {9, 9, 9, 8}},
        {"RGBA copied as it is", ImageIo::RGBA, {1, 2, 3, 4}, ImageIo::RGBA, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OnePixelSource source(c.from, ImageIo::UINT8, c.pixel);
        BufferTarget target(1, 1, c.to, ImageIo::UINT8);
        source.load(target);
        for (size_t ch = 0; ch < c.expected.size(); ++ch) {
            EXPECT_EQ(target.at<uint8_t>(0, 0, static_cast<int>(ch)), c.expected[ch])
                << "channel " << ch;
        }
    }
}

TEST(ImageSourceConversion, ConvertsComponentTypes) {
    OnePixelSource eightBit(ImageIo::RGB, ImageIo::UINT8, {0, 128, 255});
    BufferTarget sixteen(1, 1, ImageIo::RGB, ImageIo::UINT16);
    eightBit.load(sixteen);
    EXPECT_EQ(sixteen.at<uint16_t>(0, 0, 0), 0);
    EXPECT_EQ(sixteen.at<uint16_t>(0, 0, 1), 128 * 257);
    EXPECT_EQ(sixteen.at<uint16_t>(0, 0, 2), 65535);

    BufferTarget floats(1, 1, ImageIo::RGB, ImageIo::FLOAT32);
    eightBit.load(floats);
    EXPECT_FLOAT_EQ(floats.at<float>(0, 0, 1), 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(floats.at<float>(0, 0, 2), 1.0f);

    OnePixelSource floatSource(ImageIo::RGB, ImageIo::FLOAT32, bytesOf<float>({-0.5f, 0.5f, 2.0f}));
    BufferTarget bytes(1, 1, ImageIo::RGB, ImageIo::UINT8);
    floatSource.load(bytes);
    EXPECT_EQ(bytes.at<uint8_t>(0, 0, 0), 0);    // clamped
    EXPECT_EQ(bytes.at<uint8_t>(0, 0, 1), 128);  // rounded
    EXPECT_EQ(bytes.at<uint8_t>(0, 0, 2), 255);  // clamped
}

}  // namespace
}  // namespace reef::test
