// The C API's bookkeeping: lifetime, bars and entries by name, enumerated
// types, definitions and errors. Nothing here draws, so no GL is needed.
#include "tweakbar/TweakBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TweakBarApi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
        bar = TwNewBar("Thalorin");
        ASSERT_NE(bar, nullptr);
        TwGetLastError();
    }
    void TearDown() override {
        if (initialised) {
            EXPECT_EQ(TwTerminate(), 1);
        }
    }
    std::string lastError() {
        const char* e = TwGetLastError();
        return e ? e : "";
    }

    TwBar* bar = nullptr;
    bool initialised = true;
    float x = 0.5f;
    float axis[3] = {0, 0, 1};
    bool flag = false;
    int choice = 0;
};

TEST(TweakBarLifetime, CallsFailBeforeInitAndAfterTerminate) {
    float value = 0;
    EXPECT_EQ(TwNewBar("Thalorin"), nullptr);
    EXPECT_NE(TwGetLastError(), nullptr);
    EXPECT_EQ(TwWindowSize(800, 600), 0);
    EXPECT_EQ(TwDraw(), 0);
    EXPECT_EQ(TwMouseMotion(10, 10), 0);
    EXPECT_EQ(TwKeyPressed('a', 0), 0);
    EXPECT_EQ(TwTerminate(), 0);
    // The font scale is defined before TwInit.
    EXPECT_EQ(TwDefine(" GLOBAL fontscaling= 2"), 1);

    EXPECT_EQ(TwInit(TW_OPENGL_CORE, nullptr), 0);
    ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
    EXPECT_EQ(TwInit(TW_OPENGL, nullptr), 0);
    TwBar* bar = TwNewBar("Thalorin");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(TwAddVarRW(bar, "x", TW_TYPE_FLOAT, &value, ""), 1);
    ASSERT_EQ(TwTerminate(), 1);

    EXPECT_EQ(TwAddVarRW(bar, "y", TW_TYPE_FLOAT, &value, ""), 0);
    EXPECT_EQ(TwDeleteBar(bar), 0);
    EXPECT_EQ(TwRemoveVar(bar, "x"), 0);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 0);
    EXPECT_EQ(TwDefine("Thalorin size='1 1'"), 0);

    // A fresh start has none of the old bars.
    ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
    EXPECT_EQ(TwDeleteBar(bar), 0);
    EXPECT_NE(TwNewBar("Thalorin"), nullptr);
    EXPECT_EQ(TwTerminate(), 1);
}

TEST_F(TweakBarApi, EntriesByName) {
    EXPECT_EQ(TwAddVarRW(bar, "r", TW_TYPE_FLOAT, &x, "min=0 step=5"), 1);
    EXPECT_EQ(TwAddVarRW(bar, "r", TW_TYPE_FLOAT, &x, ""), 0);
    EXPECT_NE(lastError().find("r"), std::string::npos);
    EXPECT_EQ(TwRemoveVar(bar, "r"), 1);
    EXPECT_EQ(TwRemoveVar(bar, "r"), 0);
    EXPECT_EQ(TwAddVarRW(bar, "r", TW_TYPE_FLOAT, &x, ""), 1);  // the name is free again
    EXPECT_EQ(TwRemoveVar(bar, "unknown"), 0);
    EXPECT_EQ(TwRemoveVar(bar, nullptr), 0);

    // The panel's separators all have the empty name.
    EXPECT_EQ(TwAddSeparator(bar, "", ""), 1);
    EXPECT_EQ(TwAddSeparator(bar, "", ""), 1);
    EXPECT_EQ(TwAddSeparator(bar, nullptr, nullptr), 1);
    EXPECT_EQ(TwRemoveVar(bar, ""), 0);

    EXPECT_EQ(TwAddButton(
                  bar, "Add color", [](void*) {}, nullptr, ""),
              1);
    EXPECT_EQ(TwAddButton(
                  bar, "Add color", [](void*) {}, nullptr, ""),
              0);
    EXPECT_EQ(TwRemoveVar(bar, "Add color"), 1);

    EXPECT_EQ(TwRemoveAllVars(bar), 1);
    EXPECT_EQ(TwRemoveVar(bar, "r"), 0);
}

TEST_F(TweakBarApi, RejectedEntries) {
    const struct {
        const char* name;
        int (*add)(TwBar*, void*);
    } cases[] = {
        {"no name", [](TwBar* b, void* v) { return TwAddVarRW(b, nullptr, TW_TYPE_FLOAT, v, ""); }},
        {"empty name", [](TwBar* b, void* v) { return TwAddVarRW(b, "", TW_TYPE_FLOAT, v, ""); }},
        {"no variable",
         [](TwBar* b, void*) { return TwAddVarRW(b, "a", TW_TYPE_FLOAT, nullptr, ""); }},
        {"packed colour unsupported",
         [](TwBar* b, void* v) { return TwAddVarRW(b, "a", TW_TYPE_COLOR32, v, ""); }},
        {"unknown type", [](TwBar* b, void* v) { return TwAddVarRW(b, "a", TwType(999), v, ""); }},
        {"no getter",
         [](TwBar* b, void*) {
             return TwAddVarCB(
                 b, "a", TW_TYPE_FLOAT, [](const void*, void*) {}, nullptr, nullptr, "");
         }},
        {"unknown bar",
         [](TwBar*, void* v) {
             int notABar = 0;
             return TwAddVarRW(reinterpret_cast<TwBar*>(&notABar), "a", TW_TYPE_FLOAT, v, "");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.add(bar, &x), 0);
        EXPECT_FALSE(lastError().empty());
    }
    // Without a setter an entry is read-only, not an error.
    EXPECT_EQ(TwAddVarCB(
                  bar, "FPS", TW_TYPE_FLOAT, nullptr, [](void*, void*) {}, nullptr, ""),
              1);
}

TEST_F(TweakBarApi, MalformedOptionsStillAddTheEntry) {
    EXPECT_EQ(TwAddVarRW(bar, "r", TW_TYPE_FLOAT, &x, "min=abc step=5"), 1);
    EXPECT_NE(lastError().find("min"), std::string::npos);
    EXPECT_EQ(TwRemoveVar(bar, "r"), 1);
}

TEST_F(TweakBarApi, EnumeratedTypes) {
    const TwEnumVal maps[] = {{0, "rock"}, {1, "sand"}, {2, nullptr}};
    TwType type = TwDefineEnum("normal mapEnumType", maps, 3);
    EXPECT_NE(type, TW_TYPE_UNDEF);
    for (TwType builtIn :
         {TW_TYPE_BOOLCPP, TW_TYPE_INT32, TW_TYPE_FLOAT, TW_TYPE_COLOR3F, TW_TYPE_DIR3F}) {
        EXPECT_NE(type, builtIn);
    }
    EXPECT_EQ(TwDefineEnum("normal mapEnumType", maps, 2), type);  // redefined in place
    TwType other = TwDefineEnum("otherEnumType", nullptr, 0);      // an empty list is allowed
    EXPECT_NE(other, TW_TYPE_UNDEF);
    EXPECT_NE(other, type);
    EXPECT_EQ(TwDefineEnum("broken", nullptr, 2), TW_TYPE_UNDEF);
    EXPECT_EQ(TwDefineEnum(nullptr, maps, 1), TW_TYPE_UNDEF);

    EXPECT_EQ(TwAddVarRW(bar, "normal map", type, &choice, ""), 1);
    EXPECT_EQ(TwAddVarRW(bar, "other", other, &choice, ""), 1);
}

TEST_F(TweakBarApi, Definitions) {
    ASSERT_EQ(TwAddVarRW(bar, "Bend Axis", TW_TYPE_DIR3F, axis, "group=Shape"), 1);
    ASSERT_EQ(TwAddVarRW(bar, "hair cylindrical", TW_TYPE_BOOLCPP, &flag, "group=Hair"), 1);
    const struct {
        const char* text;
        int result;
    } cases[] = {
        {"`Thalorin` size='200 650' color='76 76 76' alpha=102", 1},
        {"Thalorin label='Anemone' position='40 40' valueswidth=fit", 1},
        {"`Thalorin`/`Bend Axis` opened=1 label='Bend axis'", 1},
        {"Thalorin/Shape opened=false", 1},
        {"Thalorin/Hair group=Shape", 1},
        {"Thalorin/Shape group=Hair", 0},  // a group inside itself
        {"Thalorin/Unknown opened=true", 0},
        {"Other size='10 10'", 0},
        {"Thalorin size='10'", 0},
        {"Thalorin colour=5 unknown", 1},
        {"a alpha=1\nThalorin alpha=2", 0},  // the bad line fails, the good one applies
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TwDefine(c.text), c.result);
        EXPECT_EQ(lastError().empty(), c.result == 1);
    }
    EXPECT_EQ(TwDefine(nullptr), 0);
}

TEST_F(TweakBarApi, BarsBelongToTheirWindow) {
    EXPECT_EQ(TwNewBar("Thalorin"), nullptr);  // taken in window 0
    ASSERT_EQ(TwSetCurrentWindow(1), 1);
    EXPECT_EQ(TwGetCurrentWindow(), 1);
    TwBar* second = TwNewBar("Thalorin");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, bar);
    EXPECT_EQ(TwDefine("Thalorin alpha=10"), 1);

    // Handles are found whichever window is current, as the panel's deleter
    // selects the window first but entries may be added from anywhere.
    EXPECT_EQ(TwAddVarRW(bar, "x", TW_TYPE_FLOAT, &x, ""), 1);
    EXPECT_EQ(TwDeleteBar(second), 1);
    EXPECT_EQ(TwDeleteBar(second), 0);
    EXPECT_EQ(TwDefine("Thalorin alpha=10"), 0);
    TwSetCurrentWindow(0);
    EXPECT_EQ(TwDefine("Thalorin alpha=10"), 1);
}

TEST_F(TweakBarApi, InputBeforeAnyDrawingIsNotUsed) {
    ASSERT_EQ(TwAddVarRW(bar, "x", TW_TYPE_FLOAT, &x, ""), 1);
    EXPECT_EQ(TwMouseMotion(30, 30), 0);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 0);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT), 0);
    EXPECT_EQ(TwMouseWheel(3), 0);
    EXPECT_EQ(TwKeyPressed('1', 0), 0);
    // Input for a window that has no bars at all.
    TwSetCurrentWindow(5);
    EXPECT_EQ(TwMouseMotion(30, 30), 0);
    EXPECT_EQ(TwMouseButton(TwMouseAction(7), TW_MOUSE_LEFT), 0);
}

TEST_F(TweakBarApi, ZeroWindowSizeDrawsNothing) {
    // No GL context exists in this test: a draw that tried to render would crash.
    EXPECT_EQ(TwWindowSize(0, 0), 1);
    EXPECT_EQ(TwDraw(), 1);
    EXPECT_EQ(TwWindowSize(-1, 10), 0);
}

}  // namespace
