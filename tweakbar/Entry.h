#pragma once
// One line of a bar: a value bound by address or through callbacks, a button or
// a separator, with the options that shape its widget.

#include <cstddef>
#include <optional>
#include <string>

#include "tweakbar/Definition.h"
#include "tweakbar/TweakBar.h"

namespace tweakbar {

enum class EntryKind { Bool, Number, Color, Direction, Enum, Button, Separator };

// Room for one value of any supported type, aligned for doubles.
struct ValueBuffer {
    alignas(8) unsigned char bytes[32] = {};
};

struct TypeInfo {
    EntryKind kind;
    size_t size;
};

// Kind and size of a value type; enumTypes are the ids TwDefineEnum handed out.
std::optional<TypeInfo> typeInfo(TwType type, bool isEnumType);

// Numbers of any supported width, read and written through double.
double numberValue(TwType type, const ValueBuffer& value);
void setNumberValue(TwType type, ValueBuffer& value, double number);

class Entry {
public:
    Entry(int id, std::string name, TwType type, EntryKind kind, size_t size);

    int id() const { return id_; }
    const std::string& name() const { return name_; }
    TwType type() const { return type_; }
    EntryKind kind() const { return kind_; }

    // Bindings; exactly one is set by the bar that creates the entry.
    void bindVariable(void* var, bool readOnly);
    void bindCallbacks(TwSetVarCallback setter, TwGetVarCallback getter, void* clientData);
    void bindButton(TwButtonCallback callback, void* clientData);

    void applyOptions(const EntryOptions& options);

    bool readOnly() const;
    bool visible() const { return visible_; }
    const std::string& label() const { return label_.empty() ? name_ : label_; }
    const std::string& group() const { return group_; }
    const std::string& help() const { return help_; }
    // Bounds in the order they apply (a reversed pair is swapped).
    std::optional<double> min() const;
    std::optional<double> max() const;
    // The change of one drag step; 1 for integers and 0.01 for reals by default.
    double step() const;
    // Digits shown after the point for reals.
    int precision() const;
    bool opened() const { return opened_; }
    void setOpened(bool opened) { opened_ = opened; }

    // The current value, through the variable or the getter.
    ValueBuffer read() const;
    // Clamps numbers to min and max, normalises directions; false when the value
    // cannot be accepted (not a number, a zero direction).
    bool sanitize(ValueBuffer& value) const;
    // Stores into the variable; callback entries go through call() instead.
    void writeVariable(const ValueBuffer& value) const;
    bool hasVariable() const { return var_ != nullptr; }
    // Runs the setter with value, or the button callback.
    void call(const ValueBuffer& value) const;

private:
    int id_;
    std::string name_;
    TwType type_;
    EntryKind kind_;
    size_t size_;

    void* var_ = nullptr;
    bool boundReadOnly_ = false;
    TwSetVarCallback setter_ = nullptr;
    TwGetVarCallback getter_ = nullptr;
    TwButtonCallback button_ = nullptr;
    void* clientData_ = nullptr;

    std::string label_, group_, help_;
    std::optional<double> min_, max_, step_;
    std::optional<int> precision_;
    bool readOnlyOption_ = false;
    bool visible_ = true;
    bool opened_ = false;
};

}  // namespace tweakbar
