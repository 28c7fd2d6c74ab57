// Runs real, short-lived applications in a hidden-window session: the launch
// sequence, event delivery through the signals and full-screen switching.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/app/AppBasic.h"
#include "framework/app/RendererGl.h"

namespace {

using reef::Vec2i;
using reef::app::AppBasic;
using reef::app::KeyEvent;
using reef::app::MouseEvent;
using reef::platform::Message;

struct Journal {
    std::vector<std::string> calls;
    std::vector<MouseEvent> mouseDowns;
    std::vector<Vec2i> resizeSizes;
    int framesRun = 0;
};

// Runs `script` during its first update, then quits.
class ScriptedApp : public AppBasic {
public:
    using Script = std::function<void(ScriptedApp&)>;
    ScriptedApp(Journal* journal, Script script) : journal_(journal), script_(std::move(script)) {}

    void prepareSettings(Settings* settings) override { settings->setWindowSize(320, 240); }
    void setup() override { journal_->calls.push_back("setup"); }
    void resize() override {
        journal_->calls.push_back("resize");
        journal_->resizeSizes.push_back(getWindowSize());
    }
    void update() override {
        if (journal_->framesRun++ == 0) {
            journal_->calls.push_back("update");
            script_(*this);
        }
        quit();
    }
    void draw() override { journal_->calls.push_back("draw"); }
    void shutdown() override { journal_->calls.push_back("shutdown"); }
    void mouseDown(MouseEvent event) override { journal_->mouseDowns.push_back(event); }

    void send(const Message& m) { handleMessage(m); }
    Message mouseDownAt(int x, int y) {
        Message m;
        m.kind = Message::Kind::MouseDown;
        m.windowId = getWindow()->getNativeId();
        m.button = reef::platform::MouseButton::Left;
        m.buttonState = 0x1;
        m.position = {x, y};
        return m;
    }

private:
    Journal* journal_;
    Script script_;
};

int launch(Journal* journal, ScriptedApp::Script script) {
    return AppBasic::executeLaunch(std::make_unique<ScriptedApp>(journal, std::move(script)),
                                   std::make_shared<reef::app::RendererGl>(0), "Test", 0, nullptr);
}

TEST(AppDelivery, LaunchRunsTheHooksInOrder) {
    Journal journal;
    EXPECT_EQ(launch(&journal, [](ScriptedApp&) {}), 0);
    EXPECT_EQ(journal.calls,
              (std::vector<std::string>{"setup", "resize", "update", "draw", "shutdown"}));
    ASSERT_EQ(journal.resizeSizes.size(), 1u);
    EXPECT_EQ(journal.resizeSizes[0], Vec2i(320, 240));
}

TEST(AppDelivery, AHandledEventNeverReachesTheApplication) {
    Journal journal;
    launch(&journal, [](ScriptedApp& app) {
        auto window = app.getWindow();
        // A listener that takes clicks on the left half of the window.
        const int half = window->getWidth() / 2;
        window->getSignalMouseDown().connect([half](MouseEvent& e) {
            if (e.getX() < half) {
                e.setHandled();
            }
        });
        app.send(app.mouseDownAt(10, 10));
        app.send(app.mouseDownAt(200, 10));
    });
    ASSERT_EQ(journal.mouseDowns.size(), 1u);
    EXPECT_EQ(journal.mouseDowns[0].getX(), 200);
    EXPECT_TRUE(journal.mouseDowns[0].isLeft());
}

TEST(AppDelivery, ResizeListenersCannotStopTheResizeHook) {
    Journal journal;
    int listenerCalls = 0;
    launch(&journal, [&](ScriptedApp& app) {
        app.getWindow()->getSignalResize().connect([&] { ++listenerCalls; });
        Message m;
        m.kind = Message::Kind::Resized;
        m.windowId = app.getWindow()->getNativeId();
        m.size = {400, 300};
        app.send(m);
        app.send(m);  // the same size again delivers nothing new
    });
    EXPECT_EQ(listenerCalls, 1);
    ASSERT_EQ(journal.resizeSizes.size(), 2u);
    EXPECT_EQ(journal.resizeSizes[1], Vec2i(400, 300));
}

TEST(AppDelivery, ResizeLoadsTheWindowMatrices) {
    Journal journal;
    std::vector<float> corner;
    launch(&journal, [&](ScriptedApp& app) {
        // The window's top-left pixel is the origin and y grows downwards.
        GLfloat projection[16], modelView[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        auto toNdc = [&](float x, float y) {
            float eye[4], clip[4];
            for (int r = 0; r < 4; ++r) {
                eye[r] = modelView[r] * x + modelView[4 + r] * y + modelView[12 + r];
            }
            for (int r = 0; r < 4; ++r) {
                clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] +
                          projection[8 + r] * eye[2] + projection[12 + r] * eye[3];
            }
            return std::vector<float>{clip[0] / clip[3], clip[1] / clip[3]};
        };
        corner = toNdc(0, 0);
        auto far = toNdc(float(app.getWindowWidth()), float(app.getWindowHeight()));
        corner.insert(corner.end(), far.begin(), far.end());
    });
    ASSERT_EQ(corner.size(), 4u);
    EXPECT_NEAR(corner[0], -1.0f, 1e-4);
    EXPECT_NEAR(corner[1], 1.0f, 1e-4);
    EXPECT_NEAR(corner[2], 1.0f, 1e-4);
    EXPECT_NEAR(corner[3], -1.0f, 1e-4);
}

TEST(AppDelivery, FullScreenTogglesRestoreTheWindowedSize) {
    Journal journal;
    Vec2i fullSize, restored;
    bool stillFull = false;
    launch(&journal, [&](ScriptedApp& app) {
        auto window = app.getWindow();
        window->setFullScreen(true);
        fullSize = window->getSize();
        window->setFullScreen(true);  // no change, no resize
        stillFull = window->isFullScreen();
        window->setFullScreen(false);
        restored = window->getSize();
    });
    const reef::Area display = reef::platform::mainDisplayArea();
    EXPECT_EQ(fullSize, Vec2i(display.getWidth(), display.getHeight()));
    EXPECT_TRUE(stillFull);
    EXPECT_EQ(restored, Vec2i(320, 240));
    // setup's resize, entering, leaving.
    ASSERT_EQ(journal.resizeSizes.size(), 3u);
    EXPECT_EQ(journal.resizeSizes[1], fullSize);
    EXPECT_EQ(journal.resizeSizes[2], Vec2i(320, 240));
}

TEST(AppDelivery, ClosingTheLastWindowQuits) {
    Journal journal;
    bool invalidAfterClose = false;
    launch(&journal, [&](ScriptedApp& app) {
        auto window = app.getWindow();
        Message m;
        m.kind = Message::Kind::CloseRequested;
        m.windowId = window->getNativeId();
        app.send(m);
        invalidAfterClose = !window->isValid();
        EXPECT_THROW(window->getSize(), reef::app::ExcInvalidWindow);
        EXPECT_TRUE(app.isQuitRequested());
    });
    EXPECT_TRUE(invalidAfterClose);
}

}  // namespace
