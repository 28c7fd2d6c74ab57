#include "tweakbar/Definition.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tweakbar {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isQuote(char c) {
    return c == '\'' || c == '"' || c == '`';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\n')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

// A cursor over one line of text.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void skip() { ++pos_; }
    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_])) {
            ++pos_;
        }
    }
    bool nextWordHas(char c) const {
        for (size_t i = pos_; i < text_.size() && !isBlank(text_[i]); ++i) {
            if (text_[i] == c) {
                return true;
            }
        }
        return false;
    }
    // Reads up to (not including) a blank or any of stops.
    std::string_view readUntil(std::string_view stops) {
        size_t start = pos_;
        while (!atEnd() && !isBlank(text_[pos_]) &&
               stops.find(text_[pos_]) == std::string_view::npos) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }
    // After an opening quote: reads to the matching quote, or to the end of the
    // line when there is none (a problem for the caller to report).
    std::string_view readQuoted(char quote, bool& terminated) {
        size_t start = pos_;
        size_t end = text_.find(quote, pos_);
        terminated = end != std::string_view::npos;
        if (!terminated) {
            end = text_.size();
        }
        pos_ = terminated ? end + 1 : end;
        return text_.substr(start, end - start);
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

void parseOptionsInto(Reader& in, std::vector<Option>& out, Problems& problems) {
    for (;;) {
        in.skipBlanks();
        if (in.atEnd()) {
            return;
        }
        Option option;
        option.key = std::string(in.readUntil("="));
        in.skipBlanks();
        if (in.peek() == '=') {
            in.skip();
            bool spaced = isBlank(in.peek());
            in.skipBlanks();
            option.hasValue = true;
            if (spaced && !isQuote(in.peek()) && in.nextWordHas('=')) {
                // "min= max=1": a blank after "=" may precede the value
                // ("fontscaling= 2"), but not the next option.
            } else if (isQuote(in.peek())) {
                char quote = in.peek();
                in.skip();
                bool terminated = false;
                option.value = std::string(in.readQuoted(quote, terminated));
                if (!terminated) {
                    problems.push_back("missing closing quote after " + option.key + "=");
                }
            } else {
                option.value = std::string(in.readUntil(""));
            }
        }
        if (option.key.empty()) {
            problems.push_back("an option has no name");
            continue;
        }
        out.push_back(std::move(option));
    }
}

// A name: backquoted (may hold blanks and slashes) or bare up to a blank or stops.
std::string readName(Reader& in, std::string_view stops, Problems& problems) {
    if (in.peek() == '`') {
        in.skip();
        bool terminated = false;
        std::string name(in.readQuoted('`', terminated));
        if (!terminated) {
            problems.push_back("missing closing backquote after `" + name);
        }
        return name;
    }
    return std::string(in.readUntil(stops));
}

std::optional<int> toInt(double v) {
    if (!(v >= double(std::numeric_limits<int>::min()) &&
          v <= double(std::numeric_limits<int>::max()))) {
        return std::nullopt;
    }
    return int(std::lround(v));
}

// Reads exactly N numbers separated by blanks or commas.
template <size_t N>
std::optional<std::array<int, N>> parseInts(std::string_view text) {
    std::array<int, N> result{};
    size_t count = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (isBlank(text[pos]) || text[pos] == ',')) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        size_t start = pos;
        while (pos < text.size() && !isBlank(text[pos]) && text[pos] != ',') {
            ++pos;
        }
        if (count == N) {
            return std::nullopt;
        }
        auto number = parseNumber(text.substr(start, pos - start));
        auto integer = number ? toInt(*number) : std::nullopt;
        if (!integer) {
            return std::nullopt;
        }
        result[count++] = *integer;
    }
    if (count != N) {
        return std::nullopt;
    }
    return result;
}

// Reads the typed options one by one, reporting malformed values of known keys.
class OptionReader {
public:
    OptionReader(const Option& option, Problems& problems) : option_(option), problems_(problems) {}

    bool is(std::string_view key) const { return equalsNoCase(option_.key, key); }

    void number(std::optional<double>& out) {
        auto v = parseNumber(option_.value);
        if (v) {
            out = v;
        } else {
            bad("a number");
        }
    }
    void integer(std::optional<int>& out, int low, int high) {
        auto v = parseNumber(option_.value);
        auto i = v ? toInt(*v) : std::nullopt;
        if (i && *i >= low && *i <= high) {
            out = i;
        } else {
            bad("a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        }
    }
    // A key alone means true.
    void flag(std::optional<bool>& out) {
        if (!option_.hasValue) {
            out = true;
            return;
        }
        auto v = parseBool(option_.value);
        if (v) {
            out = v;
        } else {
            bad("true or false");
        }
    }
    void text(std::optional<std::string>& out) {
        if (option_.hasValue) {
            out = option_.value;
        } else {
            bad("a text");
        }
    }
    template <size_t N>
    void integers(std::optional<std::array<int, N>>& out) {
        auto v = parseInts<N>(option_.value);
        if (v) {
            out = v;
        } else {
            bad(std::to_string(N) + " whole numbers");
        }
    }
    void bad(const std::string& expected) {
        problems_.push_back("option " + option_.key + "='" + option_.value + "' needs " + expected);
    }

private:
    const Option& option_;
    Problems& problems_;
};

}  // namespace

std::vector<Option> parseOptions(std::string_view text, Problems& problems) {
    std::vector<Option> options;
    // Newlines separate definitions elsewhere; inside one option list they are blanks.
    std::string line(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    Reader in(line);
    parseOptionsInto(in, options, problems);
    return options;
}

std::vector<Definition> parseDefinitions(std::string_view text, Problems& problems) {
    std::vector<Definition> definitions;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        Reader in(line);
        Definition definition;
        bool bare = in.peek() != '`';
        definition.barName = readName(in, "/", problems);
        if (in.peek() == '/') {
            in.skip();
            definition.target = Definition::Target::Entry;
            definition.entryName = readName(in, "", problems);
            if (definition.entryName.empty()) {
                problems.push_back("no entry name after " + definition.barName + "/");
                continue;
            }
        } else if (bare && definition.barName == "GLOBAL") {
            definition.target = Definition::Target::Global;
        }
        if (definition.barName.empty()) {
            problems.push_back("a definition has no bar name: " + std::string(line));
            continue;
        }
        parseOptionsInto(in, definition.options, problems);
        definitions.push_back(std::move(definition));
    }
    return definitions;
}

EntryOptions readEntryOptions(const std::vector<Option>& options, Problems& problems) {
    EntryOptions result;
    for (const Option& option : options) {
        OptionReader r(option, problems);
        if (r.is("min")) {
            r.number(result.min);
        } else if (r.is("max")) {
            r.number(result.max);
        } else if (r.is("step")) {
            std::optional<double> step;
            r.number(step);
            if (step && *step == 0) {
                r.bad("a step other than 0");
            } else if (step) {
                result.step = step;
            }
        } else if (r.is("precision")) {
            r.integer(result.precision, -1, 12);
            if (result.precision == -1) {
                result.precision.reset();  // -1 asks for the default
            }
        } else if (r.is("opened")) {
            r.flag(result.opened);
        } else if (r.is("readonly")) {
            r.flag(result.readonly);
        } else if (r.is("visible")) {
            r.flag(result.visible);
        } else if (r.is("label")) {
            r.text(result.label);
        } else if (r.is("group")) {
            r.text(result.group);
        } else if (r.is("help")) {
            r.text(result.help);
        }
    }
    return result;
}

BarOptions readBarOptions(const std::vector<Option>& options, Problems& problems) {
    BarOptions result;
    for (const Option& option : options) {
        OptionReader r(option, problems);
        if (r.is("size")) {
            r.integers(result.size);
            if (result.size && ((*result.size)[0] < 0 || (*result.size)[1] < 0)) {
                r.bad("a size of at least 0 0");
                result.size.reset();
            }
        } else if (r.is("position")) {
            r.integers(result.position);
        } else if (r.is("color")) {
            r.integers(result.color);
            if (result.color) {
                for (int& c : *result.color) {
                    c = std::clamp(c, 0, 255);
                }
            }
        } else if (r.is("alpha")) {
            std::optional<double> alpha;
            r.number(alpha);
            if (alpha) {
                result.alpha = std::clamp(*toInt(std::clamp(*alpha, 0.0, 255.0)), 0, 255);
            }
        } else if (r.is("valueswidth")) {
            // "fit" leaves the split to the layout.
            if (!equalsNoCase(option.value, "fit")) {
                r.integer(result.valuesWidth, 0, 1 << 16);
            }
        } else if (r.is("iconified")) {
            r.flag(result.iconified);
        } else if (r.is("visible")) {
            r.flag(result.visible);
        } else if (r.is("movable")) {
            r.flag(result.movable);
        } else if (r.is("resizable")) {
            r.flag(result.resizable);
        } else if (r.is("iconifiable")) {
            r.flag(result.iconifiable);
        } else if (r.is("label")) {
            r.text(result.label);
        } else if (r.is("help")) {
            r.text(result.help);
        }
    }
    return result;
}

GlobalOptions readGlobalOptions(const std::vector<Option>& options, Problems& problems) {
    GlobalOptions result;
    for (const Option& option : options) {
        OptionReader r(option, problems);
        if (r.is("fontscaling")) {
            std::optional<double> scale;
            r.number(scale);
            if (scale && *scale > 0 && *scale <= 16) {
                result.fontScaling = float(*scale);
            } else if (scale) {
                r.bad("a scale above 0 and at most 16");
            }
        }
    }
    return result;
}

std::optional<double> parseNumber(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseBool(std::string_view text) {
    text = trim(text);
    for (const char* yes : {"true", "1", "yes", "on"}) {
        if (equalsNoCase(text, yes)) {
            return true;
        }
    }
    for (const char* no : {"false", "0", "no", "off"}) {
        if (equalsNoCase(text, no)) {
            return false;
        }
    }
    return std::nullopt;
}

int decimalsOf(double value, int maxDigits) {
    double scaled = std::fabs(value);
    for (int digits = 0; digits < maxDigits; ++digits) {
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) {
            return digits;
        }
        scaled *= 10;
    }
    return maxDigits;
}

}  // namespace tweakbar
