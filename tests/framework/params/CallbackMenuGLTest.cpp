// The panel wrapper against a recording tweak-bar library: the exact calls it
// makes, and how it marks window events handled. Needs a display for the
// window the panel lives in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/RendererGl.h"
#include "framework/app/Window.h"
#include "framework/params/AntMgr.h"
#include "framework/params/CallbackMenu.h"
#include "tests/framework/params/RecordingTweakBar.h"

namespace {

using reef::ColorA;
using reef::Vec2i;
using reef::app::KeyEvent;
using reef::app::MouseEvent;
using reef::app::WindowRef;
using reef::params::CallbackMenu;
using Calls = std::vector<std::string>;

class CallbackMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        reef::app::WindowFormat format;
        format.setSize({875, 700});
        window_ = std::make_shared<reef::app::Window>(nullptr, format,
                                                      std::make_shared<reef::app::RendererGl>(0));
    }

    // A panel made before the log is cleared: later calls only.
    std::shared_ptr<CallbackMenu> makePanel() {
        auto panel = std::make_shared<CallbackMenu>(window_, "Thalorin", Vec2i(200, 650),
                                                    ColorA(0.3f, 0.3f, 0.3f, 0.4f));
        recording::clear();
        return panel;
    }

    MouseEvent mouse(int initiator, int x = 10, int y = 20, float wheel = 0) {
        return MouseEvent(window_, initiator, x, y, 0, wheel, 0);
    }

    Calls calls() const { return recording::log().calls; }

    WindowRef window_;
};

TEST_F(CallbackMenuTest, FirstPanelStartsTheLibraryAndASecondOneReusesIt) {
    recording::clear();
    CallbackMenu first(window_, "Thalorin", Vec2i(200, 650), ColorA(0.3f, 0.3f, 0.3f, 0.4f));
    EXPECT_EQ(calls(), (Calls{"TwInit(1)", "TwSetCurrentWindow(0)", "TwNewBar(Thalorin)",
                              "TwWindowSize(875, 700)",
                              "TwDefine(`Thalorin` size='200 650' color='76 76 76' alpha=102)",
                              "TwCopyStdStringToClientFunc()"}));
    EXPECT_EQ(first.getTwWindowId(), 0);

    recording::clear();
    CallbackMenu second(window_, "Other", Vec2i(100, 100), ColorA(1, 0.5f, 0, 1));
    EXPECT_EQ(second.getTwWindowId(), 1);
    EXPECT_EQ(calls(), (Calls{"TwSetCurrentWindow(1)", "TwNewBar(Other)", "TwWindowSize(875, 700)",
                              "TwDefine(`Other` size='100 100' color='255 127 0' alpha=255)",
                              "TwCopyStdStringToClientFunc()"}));
}

TEST_F(CallbackMenuTest, FontScalingIsDefinedBeforeTheLibraryStarts) {
    const struct {
        const char* name;
        int scale;
        Calls expected;
    } cases[] = {
        {"scale 1", 1, {"TwInit(1)", "TwTerminate()"}},
        {"scale 2", 2, {"TwDefine( GLOBAL fontscaling= 2)", "TwInit(1)", "TwTerminate()"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recording::clear();
        { reef::params::AntMgr mgr(c.scale); }
        EXPECT_EQ(calls(), c.expected);
    }
    recording::clear();
    recording::log().initResult = 0;
    EXPECT_THROW(reef::params::AntMgr(1), reef::Exception);
    recording::log().initResult = 1;
}

TEST_F(CallbackMenuTest, WheelPositionAccumulatesAndIsTruncated) {
    auto panel = makePanel();
    for (float step : {0.5f, 0.5f, -1.0f}) {
        MouseEvent e = mouse(0, 0, 0, step);
        reef::app::emitEvent(window_->getSignalMouseWheel(), e);
    }
    const int id = panel->getTwWindowId();
    const std::string select = "TwSetCurrentWindow(" + std::to_string(id) + ")";
    EXPECT_EQ(calls(), (Calls{select, "TwMouseWheel(0)", select, "TwMouseWheel(1)", select,
                              "TwMouseWheel(0)"}));
}

TEST_F(CallbackMenuTest, ButtonRuleForPressAndRelease) {
    auto panel = makePanel();
    const struct {
        const char* name;
        int initiator;
        const char* expected;
    } cases[] = {
        {"left", 0x1, "TwMouseButton(1, 1)"},    {"right", 0x2, "TwMouseButton(1, 3)"},
        {"middle", 0x4, "TwMouseButton(1, 2)"},  {"left and right", 0x3, "TwMouseButton(1, 1)"},
        {"neither", 0x0, "TwMouseButton(1, 2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recording::clear();
        MouseEvent e = mouse(c.initiator);
        reef::app::emitEvent(window_->getSignalMouseDown(), e);
        ASSERT_EQ(calls().size(), 2u);
        EXPECT_EQ(calls()[1], c.expected);
    }
    // Focus loss during a drag releases with initiator 0: a middle release.
    recording::clear();
    MouseEvent up = mouse(0);
    reef::app::emitEvent(window_->getSignalMouseUp(), up);
    EXPECT_EQ(calls().back(), "TwMouseButton(0, 2)");
}

TEST_F(CallbackMenuTest, KeysGoByTheKeyMapOrTheirCharacter) {
    auto panel = makePanel();
    const struct {
        const char* name;
        int code;
        uint32_t character;
        unsigned modifiers;
        const char* expected;
    } cases[] = {
        {"F5", KeyEvent::KEY_F1 + 4, 0, 0, "TwKeyPressed(286, 0x0000)"},
        {"letter", 'a', 97, 0, "TwKeyPressed(97, 0x0000)"},
        {"up arrow", KeyEvent::KEY_UP, 0, 0, "TwKeyPressed(0, 0x0000)"},
        {"return", KeyEvent::KEY_RETURN, 13, 0, "TwKeyPressed(13, 0x0000)"},
        {"delete", KeyEvent::KEY_DELETE, 127, 0, "TwKeyPressed(127, 0x0000)"},
        {"shift and control", 'a', 1, 0x08 | 0x20, "TwKeyPressed(1, 0x00c3)"},
        {"alt", 'x', 'x', 0x10, "TwKeyPressed(120, 0x0100)"},
        {"meta is not passed", 'x', 'x', 0x40, "TwKeyPressed(120, 0x0000)"},
        {"character above 127", 'e', 0xe9, 0, "TwKeyPressed(-23, 0x0000)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recording::clear();
        KeyEvent e(window_, c.code, c.character, c.modifiers, 0);
        reef::app::emitEvent(window_->getSignalKeyDown(), e);
        ASSERT_FALSE(calls().empty());
        EXPECT_EQ(calls().back(), c.expected);
    }
}

TEST_F(CallbackMenuTest, ConsumedEventsAreMarkedHandled) {
    auto panel = makePanel();
    for (int result : {1, 0}) {
        SCOPED_TRACE(result);
        recording::log().nextInputResult = result;
        MouseEvent down = mouse(0x1);
        reef::app::emitEvent(window_->getSignalMouseDown(), down);
        EXPECT_EQ(down.isHandled(), result != 0);
        MouseEvent drag = mouse(0);
        reef::app::emitEvent(window_->getSignalMouseDrag(), drag);
        EXPECT_EQ(drag.isHandled(), result != 0);
        KeyEvent key(window_, 'a', 'a', 0, 0);
        reef::app::emitEvent(window_->getSignalKeyDown(), key);
        EXPECT_EQ(key.isHandled(), result != 0);
    }
    recording::log().nextInputResult = 0;
}

TEST_F(CallbackMenuTest, ContentScaleMultipliesSizesAndPointerPositions) {
    window_->setContentScale(2.0f);
    auto panel =
        std::make_shared<CallbackMenu>(window_, "Scaled", Vec2i(200, 650), ColorA(0, 0, 0, 1));
    recording::clear();
    MouseEvent move = mouse(0, 10, 20);
    reef::app::emitEvent(window_->getSignalMouseMove(), move);
    window_->getSignalResize()();
    EXPECT_EQ(calls()[1], "TwMouseMotion(20, 40)");
    EXPECT_EQ(calls()[3], "TwWindowSize(1750, 1400)");
}

TEST_F(CallbackMenuTest, EntriesReachTheLibraryWithTheirTypesAndOptions) {
    auto panel = makePanel();
    bool flag = true;
    float value = 0.5f;
    reef::Color color;
    int32_t choice = 1;
    panel->addParam("animation", &flag);
    panel->addParam("texture alpha", &value, "min=0.01 max=1.0 step=0.01");
    panel->addParam("Diffuse", &color, "", true);
    panel->addParam("normal map", {"cells", "ridges"}, &choice);
    panel->addSeparator("sep", "");
    panel->removeParam("texture alpha");
    panel->draw();
    EXPECT_EQ(calls(), (Calls{
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwAddVarRW(animation, 1, )",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwAddVarRW(texture alpha, 12, min=0.01 max=1.0 step=0.01)",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwAddVarRO(Diffuse, 15, )",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwDefineEnum(normal mapEnumType, 0=cells, 1=ridges)",
                           "TwAddVarRW(normal map, 100, )",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwAddSeparator(sep, )",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwRemoveVar(texture alpha)",
                           "TwSetCurrentWindow(" + std::to_string(panel->getTwWindowId()) + ")",
                           "TwDraw()",
                       }));
}

TEST_F(CallbackMenuTest, AccessorEntriesCallThroughTheirSetterAndGetter) {
    auto panel = makePanel();
    float stored = 2.0f;
    int setterCalls = 0;
    panel->addParam<float>(
        "H", [&](float v) { stored = v, ++setterCalls; }, [&] { return stored; }, "min=0.1");
    EXPECT_EQ(calls().back(), "TwAddVarCB(H, 12, min=0.1)");
    auto& log = recording::log();
    float shown = 0;
    log.lastGetter(&shown, log.lastClientData);
    EXPECT_EQ(shown, 2.0f);
    const float typed = 7.5f;
    log.lastSetter(&typed, log.lastClientData);
    EXPECT_EQ(stored, 7.5f);
    EXPECT_EQ(setterCalls, 1);

    reef::Vec3f axis(0, 0, 1);
    panel->addParam<reef::Vec3f>(
        "Bend Axis", [&](reef::Vec3f v) { axis = v; }, [&] { return axis; });
    EXPECT_EQ(calls().back(), "TwAddVarCB(Bend Axis, 21, )");
    const reef::Vec3f up(0, 1, 0);
    log.lastSetter(&up, log.lastClientData);
    EXPECT_EQ(axis, up);

    int clicks = 0;
    panel->addButton("Add color", [&] { ++clicks; });
    EXPECT_EQ(calls().back(), "TwAddButton(Add color, )");
    log.lastButton(log.lastClientData);
    EXPECT_EQ(clicks, 1);

    std::string destination = "old";
    log.copyString(destination, "new");
    EXPECT_EQ(destination, "new");
    log.copyString(destination, destination);
    EXPECT_EQ(destination, "new");
}

TEST_F(CallbackMenuTest, DestroyingThePanelDeletesItsBarInItsOwnContext) {
    auto panel = makePanel();
    const int id = panel->getTwWindowId();
    panel.reset();
    EXPECT_EQ(calls(), (Calls{"TwSetCurrentWindow(" + std::to_string(id) + ")", "TwDeleteBar()"}));
    // The connections outlive the panel and only ever select its context.
    recording::clear();
    MouseEvent e = mouse(0x1);
    reef::app::emitEvent(window_->getSignalMouseDown(), e);
    EXPECT_FALSE(calls().empty());
}

}  // namespace
