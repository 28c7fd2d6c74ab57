#include "tweakbar/Entry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tweakbar {
namespace {

template <typename T>
T load(const ValueBuffer& value) {
    T v;
    std::memcpy(&v, value.bytes, sizeof(T));
    return v;
}

template <typename T>
void store(ValueBuffer& value, T v) {
    std::memcpy(value.bytes, &v, sizeof(T));
}

// Rounds and saturates to the range of an integer type.
template <typename T>
T toInteger(double number) {
    double lo = double(std::numeric_limits<T>::min());
    double hi = double(std::numeric_limits<T>::max());
    return T(std::clamp(std::round(number), lo, hi));
}

bool isIntegerType(TwType type) {
    return type >= TW_TYPE_INT8 && type <= TW_TYPE_UINT32;
}

// Lengths are measured in double whatever the stored precision, so the
// normalised float components are as close to unit length as floats allow.
template <typename T>
bool normalize(T* v) {
    double x = v[0], y = v[1], z = v[2];
    double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0) || !std::isfinite(length)) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        v[i] = T(double(v[i]) / length);
    }
    return true;
}

}  // namespace

std::optional<TypeInfo> typeInfo(TwType type, bool isEnumType) {
    if (isEnumType) {
        return TypeInfo{EntryKind::Enum, sizeof(int)};
    }
    switch (type) {
        case TW_TYPE_BOOLCPP:
            return TypeInfo{EntryKind::Bool, sizeof(bool)};
        case TW_TYPE_BOOL8:
            return TypeInfo{EntryKind::Bool, 1};
        case TW_TYPE_BOOL16:
            return TypeInfo{EntryKind::Bool, 2};
        case TW_TYPE_BOOL32:
            return TypeInfo{EntryKind::Bool, 4};
        case TW_TYPE_INT8:
        case TW_TYPE_UINT8:
            return TypeInfo{EntryKind::Number, 1};
        case TW_TYPE_INT16:
        case TW_TYPE_UINT16:
            return TypeInfo{EntryKind::Number, 2};
        case TW_TYPE_INT32:
        case TW_TYPE_UINT32:
        case TW_TYPE_FLOAT:
            return TypeInfo{EntryKind::Number, 4};
        case TW_TYPE_DOUBLE:
            return TypeInfo{EntryKind::Number, 8};
        case TW_TYPE_COLOR3F:
            return TypeInfo{EntryKind::Color, 3 * sizeof(float)};
        case TW_TYPE_COLOR4F:
            return TypeInfo{EntryKind::Color, 4 * sizeof(float)};
        case TW_TYPE_DIR3F:
            return TypeInfo{EntryKind::Direction, 3 * sizeof(float)};
        case TW_TYPE_DIR3D:
            return TypeInfo{EntryKind::Direction, 3 * sizeof(double)};
        default:
            return std::nullopt;
    }
}

double numberValue(TwType type, const ValueBuffer& value) {
    switch (type) {
        case TW_TYPE_INT8:
            return load<int8_t>(value);
        case TW_TYPE_UINT8:
            return load<uint8_t>(value);
        case TW_TYPE_INT16:
            return load<int16_t>(value);
        case TW_TYPE_UINT16:
            return load<uint16_t>(value);
        case TW_TYPE_INT32:
            return load<int32_t>(value);
        case TW_TYPE_UINT32:
            return load<uint32_t>(value);
        case TW_TYPE_FLOAT:
            return load<float>(value);
        case TW_TYPE_DOUBLE:
            return load<double>(value);
        default:
            return 0;
    }
}

void setNumberValue(TwType type, ValueBuffer& value, double number) {
    switch (type) {
        case TW_TYPE_INT8:
            return store(value, toInteger<int8_t>(number));
        case TW_TYPE_UINT8:
            return store(value, toInteger<uint8_t>(number));
        case TW_TYPE_INT16:
            return store(value, toInteger<int16_t>(number));
        case TW_TYPE_UINT16:
            return store(value, toInteger<uint16_t>(number));
        case TW_TYPE_INT32:
            return store(value, toInteger<int32_t>(number));
        case TW_TYPE_UINT32:
            return store(value, toInteger<uint32_t>(number));
        case TW_TYPE_FLOAT:
            return store(value, float(number));
        case TW_TYPE_DOUBLE:
            return store(value, number);
        default:
            return;
    }
}

Entry::Entry(int id, std::string name, TwType type, EntryKind kind, size_t size)
    : id_(id), name_(std::move(name)), type_(type), kind_(kind), size_(size) {}

void Entry::bindVariable(void* var, bool readOnly) {
    var_ = var;
    boundReadOnly_ = readOnly;
}

void Entry::bindCallbacks(TwSetVarCallback setter, TwGetVarCallback getter, void* clientData) {
    setter_ = setter;
    getter_ = getter;
    clientData_ = clientData;
}

void Entry::bindButton(TwButtonCallback callback, void* clientData) {
    button_ = callback;
    clientData_ = clientData;
}

void Entry::applyOptions(const EntryOptions& options) {
    if (options.min) {
        min_ = options.min;
    }
    if (options.max) {
        max_ = options.max;
    }
    if (options.step) {
        step_ = options.step;
    }
    if (options.precision) {
        precision_ = options.precision;
    }
    if (options.readonly) {
        readOnlyOption_ = *options.readonly;
    }
    if (options.visible) {
        visible_ = *options.visible;
    }
    if (options.opened) {
        opened_ = *options.opened;
    }
    if (options.label) {
        label_ = *options.label;
    }
    if (options.group) {
        group_ = *options.group;
    }
    if (options.help) {
        help_ = *options.help;
    }
}

bool Entry::readOnly() const {
    switch (kind_) {
        case EntryKind::Separator:
            return true;
        case EntryKind::Button:
            return readOnlyOption_ || button_ == nullptr;
        default:
            return readOnlyOption_ || boundReadOnly_ || (var_ == nullptr && setter_ == nullptr);
    }
}

std::optional<double> Entry::min() const {
    return (min_ && max_ && *min_ > *max_) ? max_ : min_;
}

std::optional<double> Entry::max() const {
    return (min_ && max_ && *min_ > *max_) ? min_ : max_;
}

double Entry::step() const {
    if (step_) {
        return std::fabs(*step_);
    }
    return isIntegerType(type_) ? 1.0 : 0.01;
}

int Entry::precision() const {
    if (precision_) {
        return *precision_;
    }
    if (isIntegerType(type_)) {
        return 0;
    }
    return step_ ? std::max(1, decimalsOf(*step_)) : 3;
}

ValueBuffer Entry::read() const {
    ValueBuffer value;
    if (var_) {
        std::memcpy(value.bytes, var_, size_);
    } else if (getter_) {
        getter_(value.bytes, clientData_);
    }
    return value;
}

bool Entry::sanitize(ValueBuffer& value) const {
    switch (kind_) {
        case EntryKind::Bool: {
            bool on = false;
            for (size_t i = 0; i < size_; ++i) {
                on = on || value.bytes[i] != 0;
            }
            std::memset(value.bytes, 0, size_);
            switch (type_) {
                case TW_TYPE_BOOL16:
                    store(value, uint16_t(on));
                    break;
                case TW_TYPE_BOOL32:
                    store(value, uint32_t(on));
                    break;
                case TW_TYPE_BOOL8:
                    store(value, uint8_t(on));
                    break;
                default:
                    store(value, on);
                    break;
            }
            return true;
        }
        case EntryKind::Number: {
            double number = numberValue(type_, value);
            if (std::isnan(number)) {
                return false;
            }
            if (auto lo = min()) {
                number = std::max(number, *lo);
            }
            if (auto hi = max()) {
                number = std::min(number, *hi);
            }
            if (type_ == TW_TYPE_FLOAT) {
                // Keep infinities out: a float field holds finite values only.
                number = std::clamp(number, double(-std::numeric_limits<float>::max()),
                                    double(std::numeric_limits<float>::max()));
            }
            setNumberValue(type_, value, number);
            return true;
        }
        case EntryKind::Color: {
            float c[4];
            size_t n = size_ / sizeof(float);
            std::memcpy(c, value.bytes, size_);
            for (size_t i = 0; i < n; ++i) {
                if (std::isnan(c[i])) {
                    return false;
                }
                c[i] = std::clamp(c[i], 0.0f, 1.0f);
            }
            std::memcpy(value.bytes, c, size_);
            return true;
        }
        case EntryKind::Direction: {
            if (type_ == TW_TYPE_DIR3D) {
                double d[3];
                std::memcpy(d, value.bytes, sizeof d);
                if (!normalize(d)) {
                    return false;
                }
                std::memcpy(value.bytes, d, sizeof d);
            } else {
                float f[3];
                std::memcpy(f, value.bytes, sizeof f);
                if (!normalize(f)) {
                    return false;
                }
                std::memcpy(value.bytes, f, sizeof f);
            }
            return true;
        }
        default:
            return true;
    }
}

void Entry::writeVariable(const ValueBuffer& value) const {
    if (var_ && !boundReadOnly_) {
        std::memcpy(var_, value.bytes, size_);
    }
}

void Entry::call(const ValueBuffer& value) const {
    if (kind_ == EntryKind::Button) {
        if (button_) {
            button_(clientData_);
        }
    } else if (setter_) {
        setter_(value.bytes, clientData_);
    }
}

}  // namespace tweakbar
