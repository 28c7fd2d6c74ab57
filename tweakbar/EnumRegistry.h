#pragma once
// The enumerated types made by TwDefineEnum: shared by all window contexts and
// kept until the library terminates.

#include <string>
#include <vector>

#include "tweakbar/TweakBar.h"

namespace tweakbar {

struct EnumValue {
    int value;
    std::string label;
};

class EnumRegistry {
public:
    // Ids of enumerated types start here, clear of the built-in type ids.
    static constexpr int kFirstEnumType = 0x1000;

    // Defining a name again replaces its values and keeps its type id.
    TwType define(const std::string& name, std::vector<EnumValue> values);
    bool isEnum(TwType type) const;
    // The values of an enumerated type; empty for any other type.
    const std::vector<EnumValue>& values(TwType type) const;

private:
    struct Enum {
        std::string name;
        std::vector<EnumValue> values;
    };
    std::vector<Enum> enums_;
};

}  // namespace tweakbar
