// The definition syntax: targets, bar options, global options, entry options,
// quoting and malformed text. No GL needed.
#include "tweakbar/Definition.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tweakbar {
namespace {

using Target = Definition::Target;

TEST(Definition, TargetsAndNames) {
    const struct {
        const char* name;
        const char* text;
        Target target;
        const char* bar;
        const char* entry;
        size_t options;
    } cases[] = {
        {"panel bar", "`Thalorin` size='200 650' color='76 76 76' alpha=102", Target::Bar,
         "Thalorin", "", 3},
        {"bare bar name", "Thalorin iconified=true", Target::Bar, "Thalorin", "", 1},
        {"blanks in a backquoted name", "`My Bar` label='Two words'", Target::Bar, "My Bar", "", 1},
        {"global", " GLOBAL fontscaling= 2", Target::Global, "GLOBAL", "", 1},
        {"entry", "Thalorin/r min=1", Target::Entry, "Thalorin", "r", 1},
        {"backquoted entry", "`Thalorin`/`Bend Axis` opened=1", Target::Entry, "Thalorin",
         "Bend Axis", 1},
        {"slash inside backquotes", "`a/b` alpha=3", Target::Bar, "a/b", "", 1},
        {"no options", "Thalorin", Target::Bar, "Thalorin", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Problems problems;
        auto definitions = parseDefinitions(c.text, problems);
        EXPECT_TRUE(problems.empty());
        ASSERT_EQ(definitions.size(), 1u);
        EXPECT_EQ(definitions[0].target, c.target);
        EXPECT_EQ(definitions[0].barName, c.bar);
        EXPECT_EQ(definitions[0].entryName, c.entry);
        EXPECT_EQ(definitions[0].options.size(), c.options);
    }
}

TEST(Definition, SeveralLinesAndBlankLines) {
    Problems problems;
    auto definitions = parseDefinitions("\n a alpha=1\n\n  \r\nb/c max=2\n", problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(definitions.size(), 2u);
    EXPECT_EQ(definitions[0].barName, "a");
    EXPECT_EQ(definitions[1].entryName, "c");

    EXPECT_TRUE(parseDefinitions("", problems).empty());
    EXPECT_TRUE(problems.empty());
}

TEST(Definition, PanelBarOptions) {
    // The panel's own definition: 0.3 x 255 truncates to 76, 0.4 x 255 to 102.
    Problems problems;
    auto definitions =
        parseDefinitions("`Thalorin` size='200 650' color='76 76 76' alpha=102", problems);
    ASSERT_EQ(definitions.size(), 1u);
    BarOptions bar = readBarOptions(definitions[0].options, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_TRUE(bar.size && bar.color && bar.alpha);
    EXPECT_EQ(*bar.size, (std::array<int, 2>{200, 650}));
    EXPECT_EQ(*bar.color, (std::array<int, 3>{76, 76, 76}));
    EXPECT_EQ(*bar.alpha, 102);
    EXPECT_FALSE(bar.position);
    EXPECT_FALSE(bar.label);
}

TEST(Definition, BarOptionValues) {
    const struct {
        const char* name;
        const char* text;
        bool problem;
        std::optional<std::array<int, 2>> size, position;
        std::optional<std::array<int, 3>> color;
        std::optional<int> alpha;
    } cases[] = {
        {"double quotes", "position=\"10 20\"", false, {}, {{10, 20}}, {}, {}},
        {"commas", "size='300,400'", false, {{300, 400}}, {}, {}, {}},
        {"colour clamped to a byte", "color='300 -5 76'", false, {}, {}, {{255, 0, 76}}, {}},
        {"alpha clamped to a byte", "alpha=300", false, {}, {}, {}, 255},
        {"one number for a size", "size='200'", true, {}, {}, {}, {}},
        {"three numbers for a size", "size='1 2 3'", true, {}, {}, {}, {}},
        {"negative size", "size='-1 5'", true, {}, {}, {}, {}},
        {"words for a colour", "color='red green blue' alpha=7", true, {}, {}, {}, 7},
        {"unknown options ignored", "text=light refresh=0.5 fontsize=3", false, {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Problems problems;
        BarOptions bar = readBarOptions(parseOptions(c.text, problems), problems);
        EXPECT_EQ(!problems.empty(), c.problem);
        EXPECT_EQ(bar.size, c.size);
        EXPECT_EQ(bar.position, c.position);
        EXPECT_EQ(bar.color, c.color);
        EXPECT_EQ(bar.alpha, c.alpha);
    }
}

TEST(Definition, GlobalOptions) {
    const struct {
        const char* name;
        const char* text;
        std::optional<float> scale;
        bool problem;
    } cases[] = {
        {"panel text", " GLOBAL fontscaling= 2", 2.0f, false},
        {"fraction", "GLOBAL fontscaling=1.5", 1.5f, false},
        {"zero", "GLOBAL fontscaling=0", std::nullopt, true},
        {"other global options", "GLOBAL help='Some help' iconpos=topleft", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Problems problems;
        auto definitions = parseDefinitions(c.text, problems);
        ASSERT_EQ(definitions.size(), 1u);
        ASSERT_EQ(definitions[0].target, Target::Global);
        GlobalOptions global = readGlobalOptions(definitions[0].options, problems);
        EXPECT_EQ(global.fontScaling, c.scale);
        EXPECT_EQ(!problems.empty(), c.problem);
    }
}

TEST(Definition, EntryOptionTextsOfThePanel) {
    const struct {
        const char* text;
        std::optional<double> min, max, step;
        std::optional<bool> opened;
    } cases[] = {
        {"", {}, {}, {}, {}},
        {"min=0 step=5", 0.0, {}, 5.0, {}},
        {"min=0.0 max=1.0 step=0.1", 0.0, 1.0, 0.1, {}},
        {"min=0. max=180. step=1.", 0.0, 180.0, 1.0, {}},
        {"min=0.01 max=1.0 step=0.05", 0.01, 1.0, 0.05, {}},
        {"min=0.0 max=1.0 step=0.0001", 0.0, 1.0, 0.0001, {}},
        {"opened=1", {}, {}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Problems problems;
        EntryOptions entry = readEntryOptions(parseOptions(c.text, problems), problems);
        EXPECT_TRUE(problems.empty());
        EXPECT_EQ(entry.min, c.min);
        EXPECT_EQ(entry.max, c.max);
        EXPECT_EQ(entry.step, c.step);
        EXPECT_EQ(entry.opened, c.opened);
        EXPECT_FALSE(entry.label || entry.group || entry.help || entry.readonly || entry.visible ||
                     entry.precision);
    }
}

TEST(Definition, EntryTextOptionsAndFlags) {
    Problems problems;
    EntryOptions entry = readEntryOptions(
        parseOptions(" label='Bend axis' group=Shape readonly=true visible=false precision=2 "
                     "help=\"Axis of the bend\" keyincr=UP keydecr=DOWN",
                     problems),
        problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(entry.label, "Bend axis");
    EXPECT_EQ(entry.group, "Shape");
    EXPECT_EQ(entry.readonly, true);
    EXPECT_EQ(entry.visible, false);
    EXPECT_EQ(entry.precision, 2);
    EXPECT_EQ(entry.help, "Axis of the bend");

    // A flag alone means true; blanks around "=" are allowed.
    entry =
        readEntryOptions(parseOptions("readonly opened = false label = ``", problems), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(entry.readonly, true);
    EXPECT_EQ(entry.opened, false);
    EXPECT_EQ(entry.label, "");
}

TEST(Definition, MalformedEntryOptionsKeepTheRest) {
    const struct {
        const char* name;
        const char* text;
        std::optional<double> min, max;
        std::optional<std::string> label;
    } cases[] = {
        {"word for a number", "min=abc max=2", {}, 2.0, {}},
        {"empty value", "min= max=2", {}, 2.0, {}},
        {"infinity", "min=inf max=2", {}, 2.0, {}},
        {"not a number", "min=nan max=2", {}, 2.0, {}},
        {"zero step", "step=0 min=1", 1.0, {}, {}},
        {"precision out of range", "precision=20 min=1", 1.0, {}, {}},
        {"not a truth value", "opened=maybe max=3", {}, 3.0, {}},
        {"option without a name", "=5 min=1", 1.0, {}, {}},
        {"label without a value", "label min=1", 1.0, {}, {}},
        {"unterminated quote", "min=1 label='unterminated max=4", 1.0, {}, "unterminated max=4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Problems problems;
        EntryOptions entry = readEntryOptions(parseOptions(c.text, problems), problems);
        EXPECT_FALSE(problems.empty());
        EXPECT_EQ(entry.min, c.min);
        EXPECT_EQ(entry.max, c.max);
        EXPECT_EQ(entry.label, c.label);
    }
}

TEST(Definition, UnknownOptionsAreNotProblems) {
    Problems problems;
    EntryOptions entry =
        readEntryOptions(parseOptions("colormode=hls arrow=0 foo bar=`baz`", problems), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(entry.min || entry.label || entry.opened);
}

TEST(Definition, MalformedDefinitions) {
    const struct {
        const char* name;
        const char* text;
        size_t definitions;
    } cases[] = {
        {"no bar name", "/var min=1", 0},
        {"no entry name", "bar/ min=1", 0},
        {"unterminated backquote", "`Thalorin size='1 2'", 1},
        {"empty backquotes", "`` alpha=3", 0},
        {"bad line between good ones", "a alpha=1\n/x\nb alpha=2", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Problems problems;
        EXPECT_EQ(parseDefinitions(c.text, problems).size(), c.definitions);
        EXPECT_FALSE(problems.empty());
    }
}

TEST(Definition, Numbers) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.", 1.0}, {"+2", 2.0},  {" 3 ", 3.0}, {"-0.5", -0.5}, {"1e3", 1000.0},
        {"", {}},    {"0x10", {}}, {"1,5", {}},  {"inf", {}},    {"5 6", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseNumber(c.text), c.value);
    }
}

TEST(Definition, TruthValues) {
    for (const char* yes : {"true", "TRUE", "1", "yes", "on"}) {
        EXPECT_EQ(parseBool(yes), true) << yes;
    }
    for (const char* no : {"false", "False", "0", "no", "off"}) {
        EXPECT_EQ(parseBool(no), false) << no;
    }
    EXPECT_EQ(parseBool("2"), std::nullopt);
}

TEST(Definition, DecimalsOfSteps) {
    // The steps of the panel: "KQ" steps by 0.0001, "SSAO offset" by 0.001.
    const struct {
        double step;
        int decimals;
    } cases[] = {{5, 0}, {1.0, 0}, {0.5, 1}, {0.05, 2}, {0.005, 3}, {0.001, 3}, {0.0001, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(decimalsOf(c.step), c.decimals);
    }
}

}  // namespace
}  // namespace tweakbar
