// libFuzzer target: arbitrary bytes through the file image source's decoders
// and on into an 8-bit RGBA target. Any exception is an acceptable answer;
// crashes, sanitizer reports and leaks are not.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "framework/image/ImageSourceFile.h"
#include "framework/image/ImageTarget.h"

namespace {

class Rgba8Target : public reef::ImageTarget {
public:
    Rgba8Target(int32_t width, int32_t height) : pixels_(static_cast<size_t>(width) * height * 4) {
        setSize(width, height);
        setColorModel(CM_RGB);
        setDataType(UINT8);
        setChannelOrder(RGBA);
    }
    void* getRowPointer(int32_t row) override {
        return pixels_.data() + static_cast<size_t>(row) * getWidth() * 4;
    }

private:
    std::vector<uint8_t> pixels_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        reef::ImageSourceFile source(data, size);
        Rgba8Target target(source.getWidth(), source.getHeight());
        source.load(target);
    } catch (const std::exception&) {
    }
    return 0;
}
