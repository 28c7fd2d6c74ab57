// Bars drawn and used through the C API in the shared hidden-window context:
// typing and clamping, dragging, hit tests, quick clicks, buttons, callback
// entries, several windows, the drawn bar's size and colour, and the GL state
// TwDraw leaves behind.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/GlTestEnvironment.h"
#include "tweakbar/TweakBar.h"

namespace {

// A bar stands at (16, 16) until moved. With the default font (13 pixels) the
// title bar is 19 pixels high and the window padding 8, so the first row
// starts at y = 43; rows are 19 pixels high and 4 apart. In a bar 200 wide
// the value column spans x = 126 to 208.
constexpr int kValueX = 167;
constexpr int kCheckBoxX = 135;
int rowY(int row) {
    return 52 + 23 * row;
}

class TweakBarGL : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
        ASSERT_EQ(TwWindowSize(800, 600), 1);
    }
    void TearDown() override {
        // Deletes the font textures while the test's context is current.
        EXPECT_EQ(TwTerminate(), 1);
        GlTest::TearDown();
    }

    static void draw(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(TwDraw(), 1);
        }
    }
    // Press and release with no frame between them.
    static bool click(int x, int y) {
        TwMouseMotion(x, y);
        bool pressed = TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT) != 0;
        bool released = TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT) != 0;
        EXPECT_EQ(pressed, released);
        return pressed && released;
    }
    // Clicks a number field, which turns it into a text field, and types text.
    static void typeInto(int row, const std::string& text) {
        ASSERT_TRUE(click(kValueX, rowY(row)));
        draw();
        for (char c : text) {
            EXPECT_EQ(TwKeyPressed(c, 0), 1) << "key " << c;
        }
    }
};

TEST_F(TweakBarGL, TypedValuesAreClampedToMinAndMax) {
    const struct {
        const char* name;
        TwType type;
        const char* options;
        const char* typed;
        double expected;
    } cases[] = {
        {"above max", TW_TYPE_FLOAT, "min=0 max=1.0 step=0.05", "1.7", 1.0},
        {"below min", TW_TYPE_FLOAT, "min=0.1 step=5", "-3", 0.1},
        {"inside the range", TW_TYPE_FLOAT, "min=0. max=180. step=1.", "90", 90.0},
        {"integer above max", TW_TYPE_INT32, "min=0 max=20 step=1", "25", 20.0},
        {"integer below min", TW_TYPE_INT32, "min=1 step=10", "0", 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TwBar* bar = TwNewBar("Typing");
        ASSERT_NE(bar, nullptr);
        float f = 0.5f;
        int i = 5;
        void* var = c.type == TW_TYPE_FLOAT ? static_cast<void*>(&f) : static_cast<void*>(&i);
        ASSERT_EQ(TwAddVarRW(bar, "value", c.type, var, c.options), 1);
        draw();
        typeInto(0, c.typed);
        EXPECT_EQ(TwKeyPressed(TW_KEY_RETURN, 0), 1);
        draw(2);
        double actual = c.type == TW_TYPE_FLOAT ? double(f) : double(i);
        EXPECT_NEAR(actual, c.expected, 1e-6);
        EXPECT_EQ(TwDeleteBar(bar), 1);
    }
}

TEST_F(TweakBarGL, DefinedOptionsApplyEndToEnd) {
    TwBar* bar = TwNewBar("Options");
    float hidden = 0, first = 0.5f, grouped = 0.5f;
    ASSERT_EQ(TwAddVarRW(bar, "hidden", TW_TYPE_FLOAT, &hidden, ""), 1);
    ASSERT_EQ(TwAddVarRW(bar, "first", TW_TYPE_FLOAT, &first, "min=0 max=1.0 step=0.05"), 1);
    ASSERT_EQ(TwAddVarRW(bar, "grouped", TW_TYPE_FLOAT, &grouped, "group=G"), 1);
    ASSERT_EQ(TwDefine("Options/hidden visible=false\nOptions/first max=0.25\n"
                       "Options/G opened=false"),
              1);
    draw();
    // "hidden" takes no row, so "first" is the first row; its max is now 0.25.
    typeInto(0, "0.9");
    EXPECT_EQ(TwKeyPressed(TW_KEY_RETURN, 0), 1);
    draw(2);
    EXPECT_FLOAT_EQ(first, 0.25f);
    EXPECT_EQ(hidden, 0);

    // The closed group shows its header on row 1 and nothing under it.
    TwMouseMotion(kValueX, rowY(2));
    EXPECT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 1);  // still inside the bar
    TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT);
    draw();
    EXPECT_EQ(TwKeyPressed('3', 0), 0);  // no field under the pointer became editable

    // Read-only entries take no typing.
    ASSERT_EQ(TwDefine("Options/first readonly=true"), 1);
    draw();
    ASSERT_TRUE(click(kValueX, rowY(0)));
    draw();
    EXPECT_EQ(TwKeyPressed('1', 0), 0);
    draw();
    EXPECT_FLOAT_EQ(first, 0.25f);
}

TEST_F(TweakBarGL, EscapeCancelsTypingAndKeysAreOnlyTakenWhileEditing) {
    TwBar* bar = TwNewBar("Keys");
    float value = 0.5f;
    ASSERT_EQ(TwAddVarRW(bar, "value", TW_TYPE_FLOAT, &value, "min=0 max=1"), 1);
    draw();
    EXPECT_EQ(TwKeyPressed('9', 0), 0);
    typeInto(0, "0.9");
    EXPECT_EQ(TwKeyPressed(TW_KEY_ESCAPE, 0), 1);  // not the application's quit key now
    draw(2);
    EXPECT_FLOAT_EQ(value, 0.5f);
    EXPECT_EQ(TwKeyPressed(TW_KEY_ESCAPE, 0), 0);
}

TEST_F(TweakBarGL, DraggingMovesByStepWithinTheRange) {
    TwBar* bar = TwNewBar("Drag");
    float value = 0.5f;
    ASSERT_EQ(TwAddVarRW(bar, "value", TW_TYPE_FLOAT, &value, "min=0 max=1 step=0.01"), 1);
    draw();
    TwMouseMotion(kValueX, rowY(0));
    ASSERT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 1);
    draw();
    EXPECT_EQ(TwMouseMotion(kValueX + 10, rowY(0)), 1);
    draw();
    EXPECT_NEAR(value, 0.6f, 1e-5f);  // ten pixels, ten steps
    // The drag stays with the bar far outside it, and stops at max.
    EXPECT_EQ(TwMouseMotion(kValueX + 500, rowY(0) + 300), 1);
    draw();
    EXPECT_FLOAT_EQ(value, 1.0f);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT), 1);
    draw();
    EXPECT_EQ(TwMouseMotion(kValueX + 501, rowY(0) + 300), 0);
}

TEST_F(TweakBarGL, HitTestingUsesTheBarAsLastDrawn) {
    TwBar* bar = TwNewBar("Hits");
    ASSERT_EQ(TwDefine("Hits size='200 300'"), 1);
    float value = 0;
    ASSERT_EQ(TwAddVarRW(bar, "value", TW_TYPE_FLOAT, &value, ""), 1);
    // Not drawn yet: nothing to hit.
    EXPECT_EQ(TwMouseMotion(100, 100), 0);
    draw();

    const struct {
        const char* name;
        int x, y;
    } points[] = {
        {"title bar", 100, 25},  {"body", 100, 200},     {"bottom-left inside", 18, 314},
        {"left of it", 10, 100}, {"below it", 100, 320}, {"right of it", 220, 100},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(p.name);
        bool inside = p.x >= 16 && p.x < 216 && p.y >= 16 && p.y < 316;
        EXPECT_EQ(TwMouseMotion(p.x, p.y), inside ? 1 : 0);
        EXPECT_EQ(TwMouseWheel(inside ? 1 : 2), inside ? 1 : 0);
        EXPECT_EQ(click(p.x, p.y), inside);
        draw();
    }

    // A drag from outside stays with the application over the bar.
    TwMouseMotion(400, 100);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_RIGHT), 0);
    EXPECT_EQ(TwMouseMotion(100, 100), 0);
    EXPECT_EQ(TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_RIGHT), 0);
    draw();

    // Moving the bar by its title: the new place counts from the next frame.
    TwMouseMotion(100, 25);
    ASSERT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 1);
    draw();
    EXPECT_EQ(TwMouseMotion(400, 25), 1);
    draw();
    EXPECT_EQ(TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT), 1);
    draw();
    EXPECT_EQ(TwMouseMotion(100, 200), 0);
    EXPECT_EQ(TwMouseMotion(400, 200), 1);

    // Collapsed, only the title bar is left.
    ASSERT_EQ(TwDefine("Hits iconified=true position='16 16'"), 1);
    draw();
    EXPECT_EQ(TwMouseMotion(100, 25), 1);
    EXPECT_EQ(TwMouseMotion(100, 200), 0);
}

TEST_F(TweakBarGL, QuickClickBetweenTwoFramesTogglesACheckBox) {
    TwBar* bar = TwNewBar("Check");
    bool flag = false;
    ASSERT_EQ(TwAddVarRW(bar, "hair cylindrical", TW_TYPE_BOOLCPP, &flag, ""), 1);
    draw();
    EXPECT_TRUE(click(kCheckBoxX, rowY(0)));
    draw();
    EXPECT_TRUE(flag);
    EXPECT_TRUE(click(kCheckBoxX, rowY(0)));
    draw();
    EXPECT_FALSE(flag);
    // Two clicks before one frame are two toggles.
    click(kCheckBoxX, rowY(0));
    click(kCheckBoxX, rowY(0));
    draw();
    EXPECT_FALSE(flag);
}

struct Gradient {
    TwBar* bar = nullptr;
    std::vector<float> starts = {0.0f, 0.35f};
    int presses = 0;
};

// Like the colour gradient's "Add color": removes every stop entry and adds
// them all again with one more, from inside the button callback.
void addStop(void* data) {
    auto* g = static_cast<Gradient*>(data);
    ++g->presses;
    for (size_t i = 0; i < g->starts.size(); ++i) {
        EXPECT_EQ(TwRemoveVar(g->bar, ("Color" + std::to_string(i) + " starts at").c_str()), 1);
    }
    g->starts.push_back(1.0f);
    for (size_t i = 0; i < g->starts.size(); ++i) {
        EXPECT_EQ(TwAddVarRW(g->bar, ("Color" + std::to_string(i) + " starts at").c_str(),
                             TW_TYPE_FLOAT, &g->starts[i], "min=0 max=1.0 step=0.05"),
                  1);
    }
}

TEST_F(TweakBarGL, ButtonFiresOncePerClickAndMayRebuildTheBar) {
    Gradient gradient;
    gradient.starts.reserve(16);  // the entries hold the elements' addresses
    gradient.bar = TwNewBar("Buttons");
    ASSERT_EQ(TwAddButton(gradient.bar, "Add color", addStop, &gradient, ""), 1);
    for (size_t i = 0; i < gradient.starts.size(); ++i) {
        ASSERT_EQ(TwAddVarRW(gradient.bar, ("Color" + std::to_string(i) + " starts at").c_str(),
                             TW_TYPE_FLOAT, &gradient.starts[i], ""),
                  1);
    }
    draw();
    EXPECT_TRUE(click(100, rowY(0)));
    draw(3);
    EXPECT_EQ(gradient.presses, 1);
    EXPECT_EQ(gradient.starts.size(), 3u);
    EXPECT_TRUE(click(100, rowY(0)));
    draw();
    EXPECT_EQ(gradient.presses, 2);
    // The re-added entries work: the last one takes typing.
    typeInto(4, "0.5");
    EXPECT_EQ(TwKeyPressed(TW_KEY_RETURN, 0), 1);
    draw(2);
    EXPECT_FLOAT_EQ(gradient.starts[3], 0.5f);
}

struct Reentry {
    TwBar* bar = nullptr;
    int nestedDraw = -1, nestedTerminate = -1, deleted = -1;
};

TEST_F(TweakBarGL, CallbacksMayDeleteTheirBarButNotNestDrawing) {
    Reentry reentry;
    reentry.bar = TwNewBar("Reentry");
    ASSERT_EQ(TwAddButton(
                  reentry.bar, "Close",
                  [](void* data) {
                      auto* r = static_cast<Reentry*>(data);
                      r->nestedDraw = TwDraw();
                      r->nestedTerminate = TwTerminate();
                      r->deleted = TwDeleteBar(r->bar);
                      TwSetCurrentWindow(3);
                  },
                  &reentry, ""),
              1);
    draw();
    EXPECT_TRUE(click(100, rowY(0)));
    draw();
    EXPECT_EQ(reentry.nestedDraw, 0);
    EXPECT_EQ(reentry.nestedTerminate, 0);
    EXPECT_EQ(reentry.deleted, 1);
    EXPECT_EQ(TwGetCurrentWindow(), 0);  // TwDraw's window stays current
    draw();
    EXPECT_EQ(TwMouseMotion(100, rowY(0)), 0);  // the bar is gone
}

TEST_F(TweakBarGL, ThrowingCallbacksLeaveTheLibraryUsable) {
    TwBar* bar = TwNewBar("Throwing");
    bool shown = false;
    ASSERT_EQ(TwAddVarCB(
                  bar, "flag", TW_TYPE_BOOLCPP,
                  [](const void*, void*) { throw std::runtime_error("setter failed"); },
                  [](void* v, void* data) { *static_cast<bool*>(v) = *static_cast<bool*>(data); },
                  &shown, ""),
              1);
    draw();
    EXPECT_TRUE(click(kCheckBoxX, rowY(0)));
    EXPECT_THROW(TwDraw(), std::runtime_error);
    EXPECT_EQ(TwDraw(), 1);
    EXPECT_EQ(TwMouseMotion(kCheckBoxX, rowY(0)), 1);

    // A getter that throws in the middle of the bar's window.
    ASSERT_EQ(TwAddVarCB(
                  bar, "broken", TW_TYPE_FLOAT, nullptr,
                  [](void*, void*) { throw std::runtime_error("getter failed"); }, nullptr, ""),
              1);
    EXPECT_THROW(TwDraw(), std::runtime_error);
    ASSERT_EQ(TwRemoveVar(bar, "broken"), 1);
    EXPECT_EQ(TwDraw(), 1);
    EXPECT_EQ(TwMouseMotion(kCheckBoxX, rowY(0)), 1);
}

struct Accessor {
    float value = 70.0f;
    int gets = 0, sets = 0;
    float lastSet = 0;
};

TEST_F(TweakBarGL, CallbackEntriesReadEveryFrameAndWriteOnlyOnChange) {
    Accessor accessor;
    TwBar* bar = TwNewBar("Callbacks");
    ASSERT_EQ(TwAddVarCB(
                  bar, "r", TW_TYPE_FLOAT,
                  [](const void* v, void* data) {
                      auto* a = static_cast<Accessor*>(data);
                      std::memcpy(&a->lastSet, v, sizeof(float));
                      a->value = a->lastSet;
                      ++a->sets;
                  },
                  [](void* v, void* data) {
                      auto* a = static_cast<Accessor*>(data);
                      std::memcpy(v, &a->value, sizeof(float));
                      ++a->gets;
                  },
                  &accessor, "min=0 step=5"),
              1);
    draw(3);
    EXPECT_GE(accessor.gets, 3);
    EXPECT_EQ(accessor.sets, 0);

    // Typing sets once, when the field is left, with the clamped value.
    typeInto(0, "-40");
    draw();
    EXPECT_EQ(accessor.sets, 0);
    EXPECT_EQ(TwKeyPressed(TW_KEY_RETURN, 0), 1);
    draw(2);
    EXPECT_EQ(accessor.sets, 1);
    EXPECT_EQ(accessor.lastSet, 0.0f);
    // The shown value follows the getter, not the last edit.
    accessor.value = 12.0f;
    int gets = accessor.gets;
    draw();
    EXPECT_GT(accessor.gets, gets);
    EXPECT_EQ(accessor.sets, 1);
}

struct Axis {
    float v[3] = {0, 0, 1};
    int sets = 0;
};

TEST_F(TweakBarGL, DirectionDragStaysNormalised) {
    Axis axis;
    TwBar* bar = TwNewBar("Direction");
    ASSERT_EQ(TwAddVarCB(
                  bar, "Bend Axis", TW_TYPE_DIR3F,
                  [](const void* v, void* data) {
                      auto* a = static_cast<Axis*>(data);
                      std::memcpy(a->v, v, sizeof a->v);
                      ++a->sets;
                  },
                  [](void* v, void* data) {
                      std::memcpy(v, static_cast<Axis*>(data)->v, sizeof(Axis::v));
                  },
                  &axis, ""),
              1);
    draw();
    // The small disc leads the value column.
    TwMouseMotion(kCheckBoxX, rowY(0));
    ASSERT_EQ(TwMouseButton(TW_MOUSE_PRESSED, TW_MOUSE_LEFT), 1);
    draw();
    TwMouseMotion(kCheckBoxX + 4, rowY(0));
    draw();
    TwMouseButton(TW_MOUSE_RELEASED, TW_MOUSE_LEFT);
    draw();
    EXPECT_GE(axis.sets, 1);
    EXPECT_GT(axis.v[0], 0.1f);  // swung towards +x
    float length = std::sqrt(axis.v[0] * axis.v[0] + axis.v[1] * axis.v[1] + axis.v[2] * axis.v[2]);
    EXPECT_NEAR(length, 1.0f, 1e-5f);
}

TEST_F(TweakBarGL, EnumDropDownReachesBelowTheBar) {
    TwBar* bar = TwNewBar("Choice");
    ASSERT_EQ(TwDefine("Choice size='200 80'"), 1);
    const TwEnumVal maps[] = {{0, "rock"}, {1, "sand"}, {2, "moss"}, {3, "reef"}};
    TwType type = TwDefineEnum("normal mapEnumType", maps, 4);
    int choice = 0;
    ASSERT_EQ(TwAddVarRW(bar, "normal map", type, &choice, ""), 1);
    draw();
    ASSERT_TRUE(click(kValueX, rowY(0)));
    draw(2);  // a new list is measured for one frame before it shows
    // The list hangs below the bar (which ends at y = 96); its third label is
    // still the bar's.
    const int thirdItemY = 62 + 8 + 17 * 2 + 6;
    ASSERT_GT(thirdItemY, 96);
    EXPECT_TRUE(click(kValueX, thirdItemY));
    draw(2);
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(TwMouseMotion(kValueX, thirdItemY), 0);  // the list has closed
}

TEST_F(TweakBarGL, WindowsHaveSeparateContexts) {
    bool first = false, second = false;
    TwBar* a = TwNewBar("Thalorin");
    ASSERT_EQ(TwAddVarRW(a, "flag", TW_TYPE_BOOLCPP, &first, ""), 1);
    ASSERT_EQ(TwSetCurrentWindow(1), 1);
    ASSERT_EQ(TwWindowSize(800, 600), 1);
    TwBar* b = TwNewBar("Thalorin");
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(TwAddVarRW(b, "flag", TW_TYPE_BOOLCPP, &second, ""), 1);

    TwSetCurrentWindow(0);
    draw();
    // Window 1 has drawn nothing yet, though its bar would stand at the same place.
    TwSetCurrentWindow(1);
    EXPECT_EQ(TwMouseMotion(kCheckBoxX, rowY(0)), 0);
    draw();
    EXPECT_TRUE(click(kCheckBoxX, rowY(0)));
    draw();
    EXPECT_TRUE(second);
    TwSetCurrentWindow(0);
    draw();
    EXPECT_FALSE(first);
    EXPECT_EQ(TwGetCurrentWindow(), 0);

    // A window of zero size skips drawing.
    ASSERT_EQ(TwWindowSize(0, 0), 1);
    draw();
}

GLuint compileProgram() {
    const char* vertex = "void main() { gl_Position = ftransform(); }";
    const char* fragment = "void main() { gl_FragColor = vec4(1.0); }";
    GLuint program = glCreateProgram();
    for (auto [type, source] :
         {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}}) {
        GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_TRUE(linked);
    return program;
}

TEST_F(TweakBarGL, FontScalingDefinedBeforeInitEnlargesTheBar) {
    ASSERT_EQ(TwTerminate(), 1);
    ASSERT_EQ(TwDefine(" GLOBAL fontscaling= 2"), 1);
    ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
    ASSERT_EQ(TwWindowSize(800, 600), 1);
    TwBar* bar = TwNewBar("Scaled");
    bool flag = false;
    ASSERT_EQ(TwAddVarRW(bar, "flag", TW_TYPE_BOOLCPP, &flag, ""), 1);
    draw();
    // Font and spacing doubled: title bar and rows 38 high, padding 16, so the
    // check box spans x = 125 to 163 and y = 70 to 108. Unscaled, nothing
    // stands at this point.
    EXPECT_TRUE(click(144, 89));
    draw();
    EXPECT_TRUE(flag);
}

// Reads back the red channel of one window pixel (y downward, as the bars count).
int redAt(int x, int y) {
    unsigned char rgba[4] = {};
    glReadPixels(x, reef::test::kGlTestWindowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ(rgba[1], 0) << "green at " << x << ", " << y;
    return rgba[0];
}

TEST_F(TweakBarGL, BarIsDrawnAtItsSizeColourAndAlpha) {
    const struct {
        const char* name;
        const char* definition;
        int red;
    } cases[] = {
        {"opaque", "Red size='100 120' color='255 0 0' alpha=255", 255},
        {"half transparent", "Red size='100 120' color='255 0 0' alpha=128", 128},
    };
    ASSERT_EQ(TwWindowSize(reef::test::kGlTestWindowWidth, reef::test::kGlTestWindowHeight), 1);
    glViewport(0, 0, reef::test::kGlTestWindowWidth, reef::test::kGlTestWindowHeight);
    // A scene's program (all white) and vertex buffer stay bound: the bar must
    // still be drawn with its own colours from its own arrays.
    GLuint program = compileProgram();
    GLuint buffer;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, 16, nullptr, GL_STATIC_DRAW);
    glUseProgram(program);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TwBar* bar = TwNewBar("Red");
        ASSERT_EQ(TwDefine(c.definition), 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        // Blended over black; llvmpipe may round either way.
        EXPECT_NEAR(redAt(66, 100), c.red, 2);  // body
        EXPECT_NEAR(redAt(30, 130), c.red, 2);  // near the bottom-left corner
        EXPECT_EQ(redAt(120, 100), 0);          // right of the 100 wide bar
        EXPECT_EQ(redAt(66, 140), 0);           // below the 120 high bar
        EXPECT_EQ(redAt(10, 100), 0);           // left of its x = 16
        TwDeleteBar(bar);
    }
    glUseProgram(0);
    glDeleteProgram(program);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
}

// The state TwDraw must leave alone.
struct GlSnapshot {
    GLint program, activeTexture, texture0, texture1, matrixMode, arrayBuffer;
    GLint viewport[4], scissorBox[4], blendSrc, blendDst, polygonMode[2];
    GLint unpackAlignment, unpackRowLength;
    GLboolean blend, cull, depth, scissor, lighting, texture2d, vertexArray, normalArray,
        colorArray;
    GLint attribute1;
    GLfloat colour[4], modelview[16], projection[16];

    static GlSnapshot take() {
        GlSnapshot s{};
        glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
        glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
        glActiveTexture(GL_TEXTURE0);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture0);
        s.texture2d = glIsEnabled(GL_TEXTURE_2D);
        glActiveTexture(GL_TEXTURE1);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture1);
        glActiveTexture(GLenum(s.activeTexture));
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
        glGetIntegerv(GL_VIEWPORT, s.viewport);
        glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);
        glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
        glGetIntegerv(GL_BLEND_DST, &s.blendDst);
        glGetIntegerv(GL_POLYGON_MODE, s.polygonMode);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &s.unpackAlignment);
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &s.unpackRowLength);
        s.blend = glIsEnabled(GL_BLEND);
        s.cull = glIsEnabled(GL_CULL_FACE);
        s.depth = glIsEnabled(GL_DEPTH_TEST);
        s.scissor = glIsEnabled(GL_SCISSOR_TEST);
        s.lighting = glIsEnabled(GL_LIGHTING);
        s.vertexArray = glIsEnabled(GL_VERTEX_ARRAY);
        s.normalArray = glIsEnabled(GL_NORMAL_ARRAY);
        s.colorArray = glIsEnabled(GL_COLOR_ARRAY);
        glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &s.attribute1);
        glGetFloatv(GL_CURRENT_COLOR, s.colour);
        glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
        glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
        return s;
    }
};

void expectSame(const GlSnapshot& a, const GlSnapshot& b) {
    EXPECT_EQ(a.program, b.program);
    EXPECT_EQ(a.activeTexture, b.activeTexture);
    EXPECT_EQ(a.texture0, b.texture0);
    EXPECT_EQ(a.texture1, b.texture1);
    EXPECT_EQ(a.matrixMode, b.matrixMode);
    EXPECT_EQ(a.arrayBuffer, b.arrayBuffer);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.viewport[i], b.viewport[i]);
        EXPECT_EQ(a.scissorBox[i], b.scissorBox[i]);
        EXPECT_EQ(a.colour[i], b.colour[i]);
    }
    EXPECT_EQ(a.blendSrc, b.blendSrc);
    EXPECT_EQ(a.blendDst, b.blendDst);
    EXPECT_EQ(a.polygonMode[0], b.polygonMode[0]);
    EXPECT_EQ(a.unpackAlignment, b.unpackAlignment);
    EXPECT_EQ(a.unpackRowLength, b.unpackRowLength);
    EXPECT_EQ(a.blend, b.blend);
    EXPECT_EQ(a.cull, b.cull);
    EXPECT_EQ(a.depth, b.depth);
    EXPECT_EQ(a.scissor, b.scissor);
    EXPECT_EQ(a.lighting, b.lighting);
    EXPECT_EQ(a.texture2d, b.texture2d);
    EXPECT_EQ(a.vertexArray, b.vertexArray);
    EXPECT_EQ(a.normalArray, b.normalArray);
    EXPECT_EQ(a.colorArray, b.colorArray);
    EXPECT_EQ(a.attribute1, b.attribute1);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(a.modelview[i], b.modelview[i]);
        EXPECT_EQ(a.projection[i], b.projection[i]);
    }
}

TEST_F(TweakBarGL, DrawLeavesTheGlStateAsItFoundIt) {
    TwBar* bar = TwNewBar("State");
    float value = 1;
    bool flag = true;
    ASSERT_EQ(TwAddVarRW(bar, "value", TW_TYPE_FLOAT, &value, ""), 1);
    ASSERT_EQ(TwAddVarRW(bar, "flag", TW_TYPE_BOOLCPP, &flag, ""), 1);

    // A scene's state: a program, textures on two units, a buffer, client
    // arrays, odd matrices, viewport, scissor, blending and polygon mode.
    GLuint program = compileProgram();
    GLuint textures[2], buffer;
    glGenTextures(2, textures);
    glGenBuffers(1, &buffer);
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableVertexAttribArray(1);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 10, 0, 20, -1, 1);
    glViewport(10, 20, 100, 50);
    glScissor(1, 2, 3, 4);
    glEnable(GL_SCISSOR_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);

    GlSnapshot before = GlSnapshot::take();
    draw();  // the first draw also uploads the font
    {
        SCOPED_TRACE("first draw");
        expectSame(before, GlSnapshot::take());
    }
    draw();
    {
        SCOPED_TRACE("second draw");
        expectSame(before, GlSnapshot::take());
    }

    // Back to the defaults for the tests after this one.
    glUseProgram(0);
    glDeleteProgram(program);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(2, textures);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableVertexAttribArray(1);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, reef::test::kGlTestWindowWidth, reef::test::kGlTestWindowHeight);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ZERO);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glColor4f(1, 1, 1, 1);
}

}  // namespace
