#pragma once
// The definition syntax of bars and entries, as plain functions with no state:
//   "barName option=value ...", "barName/entryName option=value ...",
//   "GLOBAL option=value ...".
// Names may be enclosed in backquotes to hold blanks; values may be enclosed in
// ' " or ` quotes. A line never fails as a whole: problems are reported per
// option and the rest is kept.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tweakbar {

struct Option {
    std::string key;
    std::string value;      // without its quotes
    bool hasValue = false;  // "key" alone, without "="
};

struct Definition {
    enum class Target { Global, Bar, Entry };
    Target target = Target::Bar;
    std::string barName;
    std::string entryName;  // empty unless target is Entry
    std::vector<Option> options;
};

// Problems found while reading, one readable line each.
using Problems = std::vector<std::string>;

std::vector<Option> parseOptions(std::string_view text, Problems& problems);

// Splits text at newlines; blank lines are skipped, a line without a name is a
// problem.
std::vector<Definition> parseDefinitions(std::string_view text, Problems& problems);

// The options an entry understands. Unset fields were not given (or were
// malformed); unknown keys are ignored.
struct EntryOptions {
    std::optional<double> min, max, step;
    std::optional<int> precision;
    std::optional<bool> opened, readonly, visible;
    std::optional<std::string> label, group, help;
};

struct BarOptions {
    std::optional<std::array<int, 2>> size, position;
    std::optional<std::array<int, 3>> color;  // 0..255 each
    std::optional<int> alpha;                 // 0..255
    std::optional<int> valuesWidth;
    std::optional<bool> iconified, visible, movable, resizable, iconifiable;
    std::optional<std::string> label, help;
};

struct GlobalOptions {
    std::optional<float> fontScaling;  // greater than 0
};

EntryOptions readEntryOptions(const std::vector<Option>& options, Problems& problems);
BarOptions readBarOptions(const std::vector<Option>& options, Problems& problems);
GlobalOptions readGlobalOptions(const std::vector<Option>& options, Problems& problems);

// Value readers shared with the option readers; exposed for tests.
std::optional<double> parseNumber(std::string_view text);  // finite only
std::optional<bool> parseBool(std::string_view text);
// Digits after the point needed to show value exactly, up to maxDigits.
int decimalsOf(double value, int maxDigits = 7);

}  // namespace tweakbar
