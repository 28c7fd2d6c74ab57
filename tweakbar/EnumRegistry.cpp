#include "tweakbar/EnumRegistry.h"

namespace tweakbar {

TwType EnumRegistry::define(const std::string& name, std::vector<EnumValue> values) {
    for (size_t i = 0; i < enums_.size(); ++i) {
        if (enums_[i].name == name) {
            enums_[i].values = std::move(values);
            return TwType(kFirstEnumType + int(i));
        }
    }
    enums_.push_back({name, std::move(values)});
    return TwType(kFirstEnumType + int(enums_.size()) - 1);
}

bool EnumRegistry::isEnum(TwType type) const {
    return int(type) >= kFirstEnumType && int(type) - kFirstEnumType < int(enums_.size());
}

const std::vector<EnumValue>& EnumRegistry::values(TwType type) const {
    static const std::vector<EnumValue> none;
    return isEnum(type) ? enums_[size_t(type) - kFirstEnumType].values : none;
}

}  // namespace tweakbar
