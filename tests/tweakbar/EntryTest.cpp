// Entry values: clamping to min and max, normalised directions, rejected
// values, read-only rules and the digits shown. No GL needed.
#include "tweakbar/Entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tweakbar {
namespace {

Entry makeEntry(TwType type, const char* options) {
    auto info = typeInfo(type, false);
    EXPECT_TRUE(info.has_value());
    Entry entry(1, "value", type, info->kind, info->size);
    Problems problems;
    entry.applyOptions(readEntryOptions(parseOptions(options, problems), problems));
    EXPECT_TRUE(problems.empty());
    return entry;
}

template <typename T>
ValueBuffer bufferOf(const T& value) {
    ValueBuffer buffer;
    std::memcpy(buffer.bytes, &value, sizeof value);
    return buffer;
}

template <typename T>
T valueOf(const ValueBuffer& buffer) {
    T value;
    std::memcpy(&value, buffer.bytes, sizeof value);
    return value;
}

TEST(Entry, NumbersAreClampedToTheirOptions) {
    const struct {
        const char* name;
        TwType type;
        const char* options;
        double value, expected;
    } cases[] = {
        {"num waves above its max", TW_TYPE_INT32, "min=0 max=20 step=1", 25, 20},
        {"radial segments below its min", TW_TYPE_INT32, "min=1 step=10", 0, 1},
        {"R below its min", TW_TYPE_FLOAT, "min=0.1 step=5", 0.05, 0.1},
        {"bend angle inside its range", TW_TYPE_FLOAT, "min=0. max=180. step=1.", 90, 90},
        {"bend angle above its range", TW_TYPE_FLOAT, "min=0. max=180. step=1.", 200, 180},
        {"no bounds", TW_TYPE_DOUBLE, "", -1e6, -1e6},
        {"reversed bounds", TW_TYPE_FLOAT, "min=1 max=0", 2, 1},
        {"unsigned below zero", TW_TYPE_UINT16, "", -5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Entry entry = makeEntry(c.type, c.options);
        ValueBuffer value;
        setNumberValue(c.type, value, c.value);
        ASSERT_TRUE(entry.sanitize(value));
        EXPECT_FLOAT_EQ(float(numberValue(c.type, value)), float(c.expected));
    }
}

TEST(Entry, RejectsValuesThatWouldPoisonTheModel) {
    Entry number = makeEntry(TW_TYPE_FLOAT, "min=0 step=5");
    ValueBuffer nan = bufferOf(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(number.sanitize(nan));

    // An unbounded float field never hands out an infinity.
    Entry unbounded = makeEntry(TW_TYPE_FLOAT, "");
    ValueBuffer huge = bufferOf(std::numeric_limits<float>::infinity());
    ASSERT_TRUE(unbounded.sanitize(huge));
    EXPECT_TRUE(std::isfinite(valueOf<float>(huge)));

    Entry direction = makeEntry(TW_TYPE_DIR3F, "opened=1");
    float zero[3] = {0, 0, 0};
    ValueBuffer zeroBuffer = bufferOf(zero);
    EXPECT_FALSE(direction.sanitize(zeroBuffer));
    float nanDirection[3] = {std::nanf(""), 0, 1};
    ValueBuffer nanBuffer = bufferOf(nanDirection);
    EXPECT_FALSE(direction.sanitize(nanBuffer));
}

TEST(Entry, DirectionsAreNormalised) {
    Entry single = makeEntry(TW_TYPE_DIR3F, "");
    float f[3] = {0, 3, 4};
    ValueBuffer value = bufferOf(f);
    ASSERT_TRUE(single.sanitize(value));
    std::memcpy(f, value.bytes, sizeof f);
    EXPECT_FLOAT_EQ(f[0], 0.0f);
    EXPECT_FLOAT_EQ(f[1], 0.6f);
    EXPECT_FLOAT_EQ(f[2], 0.8f);

    Entry twice = makeEntry(TW_TYPE_DIR3D, "");
    double d[3] = {-2, 0, 0};
    value = bufferOf(d);
    ASSERT_TRUE(twice.sanitize(value));
    std::memcpy(d, value.bytes, sizeof d);
    EXPECT_DOUBLE_EQ(d[0], -1.0);
    EXPECT_DOUBLE_EQ(d[1], 0.0);
}

TEST(Entry, ColoursStayInsideZeroToOne) {
    Entry colour = makeEntry(TW_TYPE_COLOR3F, "");
    float c[3] = {1.5f, -0.5f, 0.5f};
    ValueBuffer value = bufferOf(c);
    ASSERT_TRUE(colour.sanitize(value));
    std::memcpy(c, value.bytes, sizeof c);
    EXPECT_EQ(c[0], 1.0f);
    EXPECT_EQ(c[1], 0.0f);
    EXPECT_EQ(c[2], 0.5f);
}

TEST(Entry, BooleansOfEveryWidth) {
    const struct {
        TwType type;
        size_t size;
    } cases[] = {{TW_TYPE_BOOLCPP, sizeof(bool)},
                 {TW_TYPE_BOOL8, 1},
                 {TW_TYPE_BOOL16, 2},
                 {TW_TYPE_BOOL32, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        Entry entry = makeEntry(c.type, "");
        ValueBuffer value;
        value.bytes[0] = 7;
        ASSERT_TRUE(entry.sanitize(value));
        uint32_t stored = 0;
        std::memcpy(&stored, value.bytes, c.size);
        EXPECT_EQ(stored, 1u);
    }
}

TEST(Entry, ReadOnlyRules) {
    float x = 0;
    Entry rw = makeEntry(TW_TYPE_FLOAT, "");
    rw.bindVariable(&x, false);
    EXPECT_FALSE(rw.readOnly());

    Entry ro = makeEntry(TW_TYPE_FLOAT, "");
    ro.bindVariable(&x, true);
    EXPECT_TRUE(ro.readOnly());

    Entry option = makeEntry(TW_TYPE_FLOAT, "readonly=true");
    option.bindVariable(&x, false);
    EXPECT_TRUE(option.readOnly());

    Entry getterOnly = makeEntry(TW_TYPE_FLOAT, "");
    getterOnly.bindCallbacks(
        nullptr, [](void*, void*) {}, nullptr);
    EXPECT_TRUE(getterOnly.readOnly());
}

TEST(Entry, DigitsShownFollowTheStep) {
    const struct {
        TwType type;
        const char* options;
        int precision;
    } cases[] = {
        {TW_TYPE_FLOAT, "min=0.0 max=1.0 step=0.0001", 4},  // "KQ"
        {TW_TYPE_FLOAT, "min=0.0 max=1.0 step=0.001", 3},   // "SSAO offset"
        {TW_TYPE_FLOAT, "min=0 step=5", 1},
        {TW_TYPE_FLOAT, "", 3},
        {TW_TYPE_FLOAT, "step=0.01 precision=6", 6},
        {TW_TYPE_INT32, "min=1 step=10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        EXPECT_EQ(makeEntry(c.type, c.options).precision(), c.precision);
    }
}

TEST(Entry, CallbackEntriesReadThroughTheGetterAndWriteThroughTheSetter) {
    struct Client {
        float value = 4.0f;
        int gets = 0, sets = 0;
    } client;
    Entry entry = makeEntry(TW_TYPE_FLOAT, "");
    entry.bindCallbacks(
        [](const void* v, void* data) {
            auto* c = static_cast<Client*>(data);
            std::memcpy(&c->value, v, sizeof c->value);
            ++c->sets;
        },
        [](void* v, void* data) {
            auto* c = static_cast<Client*>(data);
            std::memcpy(v, &c->value, sizeof c->value);
            ++c->gets;
        },
        &client);
    EXPECT_FLOAT_EQ(valueOf<float>(entry.read()), 4.0f);
    EXPECT_EQ(client.gets, 1);
    EXPECT_EQ(client.sets, 0);
    entry.call(bufferOf(9.0f));
    EXPECT_EQ(client.sets, 1);
    EXPECT_FLOAT_EQ(client.value, 9.0f);
}

}  // namespace
}  // namespace tweakbar
