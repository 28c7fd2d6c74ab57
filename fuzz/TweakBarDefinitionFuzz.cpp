// Feeds arbitrary text to the definition parser and to every option reader:
// nothing may crash, hang or read out of bounds, and every accepted value must
// be within its documented range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tweakbar/Definition.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tweakbar::Problems problems;
    for (const auto& definition : tweakbar::parseDefinitions(text, problems)) {
        check(!definition.barName.empty());
        auto bar = tweakbar::readBarOptions(definition.options, problems);
        if (bar.color) {
            for (int c : *bar.color) {
                check(c >= 0 && c <= 255);
            }
        }
        if (bar.alpha) {
            check(*bar.alpha >= 0 && *bar.alpha <= 255);
        }
        if (bar.size) {
            check((*bar.size)[0] >= 0 && (*bar.size)[1] >= 0);
        }
        auto global = tweakbar::readGlobalOptions(definition.options, problems);
        if (global.fontScaling) {
            check(*global.fontScaling > 0);
        }
    }
    auto entry = tweakbar::readEntryOptions(tweakbar::parseOptions(text, problems), problems);
    for (const auto& bound : {entry.min, entry.max, entry.step}) {
        if (bound) {
            check(std::isfinite(*bound));
        }
    }
    if (entry.step) {
        check(*entry.step != 0);
    }
    if (entry.precision) {
        check(*entry.precision >= 0 && *entry.precision <= 12);
    }
    return 0;
}
