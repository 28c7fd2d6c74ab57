// Input between frames: the per-frame queue, the ownership of pointer and keys,
// key translation and the direction drag. No GL needed.
#include <gtest/gtest.h>

#include <cmath>

#include "tweakbar/DirectionWidget.h"
#include "tweakbar/InputQueue.h"
#include "tweakbar/InputRouter.h"
#include "tweakbar/TweakBar.h"

namespace tweakbar {
namespace {

TEST(InputQueue, QuickClickTakesTwoFrames) {
    InputQueue queue;
    queue.mouseMoved(50, 60);
    queue.mouseButton(kMouseLeft, true);
    queue.mouseButton(kMouseLeft, false);

    FrameInput press = queue.nextFrame();
    EXPECT_EQ(press.mouseX, 50);
    EXPECT_EQ(press.mouseY, 60);
    EXPECT_TRUE(press.mouseDown[kMouseLeft]);
    EXPECT_FALSE(queue.empty());

    FrameInput release = queue.nextFrame();
    EXPECT_FALSE(release.mouseDown[kMouseLeft]);
    EXPECT_TRUE(queue.empty());
}

TEST(InputQueue, TransitionHappensWhereThePointerWas) {
    InputQueue queue;
    queue.mouseMoved(10, 20);
    queue.mouseButton(kMouseRight, true);
    queue.mouseMoved(30, 40);

    FrameInput first = queue.nextFrame();
    EXPECT_EQ(first.mouseX, 10);
    EXPECT_TRUE(first.mouseDown[kMouseRight]);
    FrameInput second = queue.nextFrame();
    EXPECT_EQ(second.mouseX, 30);
    EXPECT_EQ(second.mouseY, 40);
    EXPECT_TRUE(second.mouseDown[kMouseRight]);  // held until released
}

TEST(InputQueue, CharactersBeforeAKeyShareItsFrame) {
    InputQueue queue;
    queue.keyPressed('1', 0);
    queue.keyPressed('2', TW_KMOD_SHIFT);
    queue.keyPressed(TW_KEY_BACKSPACE, 0);
    queue.keyPressed('3', 0);

    FrameInput first = queue.nextFrame();
    EXPECT_EQ(first.characters, (std::vector<unsigned>{'1', '2'}));
    EXPECT_EQ(first.keyDown, TW_KEY_BACKSPACE);
    FrameInput second = queue.nextFrame();
    EXPECT_EQ(second.characters, (std::vector<unsigned>{'3'}));
    EXPECT_EQ(second.keyDown, -1);  // the backspace is up again
}

TEST(InputQueue, CharactersAndModifiers) {
    InputQueue queue;
    queue.keyPressed(-23, 0);  // 233, e acute in Latin-1, as a signed byte
    queue.keyPressed(0, 0);    // a key without a character (the Up arrow)
    queue.keyPressed('a', TW_KMOD_CTRL | TW_KMOD_SHIFT);

    FrameInput frame = queue.nextFrame();
    EXPECT_EQ(frame.characters, (std::vector<unsigned>{233}));
    EXPECT_EQ(frame.keyDown, 'A');
    EXPECT_TRUE(frame.ctrl);
    EXPECT_TRUE(frame.shift);
    EXPECT_FALSE(frame.alt);
    EXPECT_TRUE(queue.empty());
}

TEST(InputQueue, WheelTurnsAddUpWithinAFrame) {
    InputQueue queue;
    queue.mouseWheel(1);
    queue.mouseWheel(2);
    EXPECT_EQ(queue.nextFrame().wheel, 3.0f);
    EXPECT_EQ(queue.nextFrame().wheel, 0.0f);
}

TEST(InputQueue, ReleaseOfAButtonThatIsUpReleasesAll) {
    // Focus lost during a left drag: the window sends one middle release.
    InputQueue queue;
    queue.mouseButton(kMouseLeft, true);
    queue.nextFrame();
    queue.mouseButton(kMouseMiddle, false);
    FrameInput frame = queue.nextFrame();
    EXPECT_FALSE(frame.mouseDown[kMouseLeft]);
}

TEST(InputQueue, KeySlots) {
    const struct {
        const char* name;
        int key, modifiers, slot;
    } cases[] = {
        {"return", TW_KEY_RETURN, 0, TW_KEY_RETURN},
        {"line feed as return", '\n', 0, TW_KEY_RETURN},
        {"escape", TW_KEY_ESCAPE, 0, TW_KEY_ESCAPE},
        {"left arrow", TW_KEY_LEFT, 0, TW_KEY_LEFT},
        {"delete", TW_KEY_DELETE, TW_KMOD_SHIFT, TW_KEY_DELETE},
        {"ctrl+a", 'a', TW_KMOD_CTRL, 'A'},
        {"ctrl+a as a control character", 1, TW_KMOD_CTRL, 'A'},
        {"alt+V", 'V', TW_KMOD_ALT, 'V'},
        {"plain letter", 'a', 0, -1},
        {"shifted letter", 'A', TW_KMOD_SHIFT, -1},
        {"F5", TW_KEY_F5, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(keySlot(c.key, c.modifiers), c.slot);
    }
}

class InputRouterTest : public ::testing::Test {
protected:
    void SetUp() override { router.setLastDrawn({{16, 16, 216, 666}}, false); }
    InputRouter router;
};

TEST_F(InputRouterTest, PointerOverTheBar) {
    EXPECT_TRUE(router.mouseMoved(100, 100));
    EXPECT_TRUE(router.mouseWheel());
    EXPECT_TRUE(router.mouseButton(kMouseLeft, true));
    EXPECT_TRUE(router.mouseButton(kMouseLeft, false));
    EXPECT_FALSE(router.mouseMoved(300, 100));
    EXPECT_FALSE(router.mouseWheel());
    EXPECT_FALSE(router.mouseButton(kMouseRight, true));
    EXPECT_FALSE(router.mouseButton(kMouseRight, false));
}

TEST_F(InputRouterTest, DragThatBeganOnTheBarStaysWithIt) {
    router.mouseMoved(100, 100);
    EXPECT_TRUE(router.mouseButton(kMouseLeft, true));
    EXPECT_TRUE(router.mouseMoved(400, 700));
    EXPECT_TRUE(router.mouseWheel());
    EXPECT_TRUE(router.mouseButton(kMouseRight, true));  // joins the drag
    EXPECT_TRUE(router.mouseButton(kMouseRight, false));
    EXPECT_TRUE(router.mouseButton(kMouseLeft, false));
    EXPECT_FALSE(router.mouseMoved(401, 700));
}

TEST_F(InputRouterTest, DragThatBeganElsewhereStaysWithTheApplication) {
    router.mouseMoved(300, 100);
    EXPECT_FALSE(router.mouseButton(kMouseLeft, true));
    EXPECT_FALSE(router.mouseMoved(100, 100));
    EXPECT_FALSE(router.mouseButton(kMouseLeft, false));
    EXPECT_TRUE(router.mouseMoved(101, 100));
}

TEST_F(InputRouterTest, LostReleaseEndsEveryDrag) {
    router.mouseMoved(100, 100);
    EXPECT_TRUE(router.mouseButton(kMouseLeft, true));
    router.mouseMoved(300, 100);
    EXPECT_TRUE(router.mouseButton(kMouseMiddle, false));
    EXPECT_FALSE(router.mouseMoved(301, 100));
    // A press whose release was lost does not hold on to the button.
    router.mouseMoved(300, 100);
    EXPECT_FALSE(router.mouseButton(kMouseLeft, true));
    router.mouseMoved(100, 100);
    EXPECT_TRUE(router.mouseButton(kMouseLeft, true));
}

TEST_F(InputRouterTest, KeysOnlyWhileEditing) {
    EXPECT_FALSE(router.keyPressed());
    router.setLastDrawn({{16, 16, 216, 666}}, true);
    EXPECT_TRUE(router.keyPressed());
}

TEST(DirectionWidget, DragTurnsTheDirection) {
    const float kPi = 3.14159265f;
    const struct {
        const char* name;
        float dx, dy;
        float expected[3];
    } cases[] = {
        {"right: towards +x", 100, 0, {1, 0, 0}},
        {"left: towards -x", -100, 0, {-1, 0, 0}},
        {"down: towards -y", 0, 100, {0, -1, 0}},
        {"half a turn", 200, 0, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        float dir[3] = {0, 0, 1};
        rotateDirection(dir, c.dx, c.dy, kPi / 200);  // a quarter turn per 100 pixels
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(dir[i], c.expected[i], 1e-6f);
        }
        EXPECT_NEAR(std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]), 1.0f, 1e-6f);
    }
}

}  // namespace
}  // namespace tweakbar
