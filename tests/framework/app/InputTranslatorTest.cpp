#include "framework/app/InputTranslator.h"

#include <gtest/gtest.h>

namespace {

using reef::app::InputTranslator;
using reef::platform::Message;
using reef::platform::MouseButton;
using Kind = Message::Kind;
using MouseKind = InputTranslator::MouseKind;

Message button(Kind kind, MouseButton which, unsigned held, int x = 10, int y = 20) {
    Message m;
    m.kind = kind;
    m.button = which;
    m.buttonState = held;
    m.position = {x, y};
    return m;
}

Message motion(unsigned held, int x, int y) {
    Message m;
    m.kind = Kind::MouseMove;
    m.buttonState = held;
    m.position = {x, y};
    return m;
}

TEST(InputTranslator, PressDragReleaseSequence) {
    InputTranslator t;
    auto down = t.translateMouse(button(Kind::MouseDown, MouseButton::Left, 0x1), nullptr);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->kind, MouseKind::Down);
    EXPECT_EQ(down->event.getInitiator(), 0x1);
    EXPECT_TRUE(down->event.isLeft());
    EXPECT_TRUE(down->event.isLeftDown());

    auto drag = t.translateMouse(motion(0x1, 15, 25), nullptr);
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->kind, MouseKind::Drag);
    EXPECT_EQ(drag->event.getInitiator(), 0);
    EXPECT_EQ(drag->event.getPos(), reef::Vec2i(15, 25));

    auto up = t.translateMouse(button(Kind::MouseUp, MouseButton::Left, 0x0), nullptr);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->kind, MouseKind::Up);
    EXPECT_EQ(up->event.getInitiator(), 0x1);
    EXPECT_FALSE(up->event.isLeftDown());

    auto move = t.translateMouse(motion(0x0, 30, 40), nullptr);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->kind, MouseKind::Move);
}

TEST(InputTranslator, ReleasingAnyButtonEndsTheDragWhileAnotherIsHeld) {
    InputTranslator t;
    t.translateMouse(button(Kind::MouseDown, MouseButton::Left, 0x1), nullptr);
    auto right = t.translateMouse(button(Kind::MouseDown, MouseButton::Right, 0x3), nullptr);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->event.getInitiator(), 0x2);
    t.translateMouse(button(Kind::MouseUp, MouseButton::Left, 0x2), nullptr);

    auto afterwards = t.translateMouse(motion(0x2, 50, 60), nullptr);
    ASSERT_TRUE(afterwards);
    EXPECT_EQ(afterwards->kind, MouseKind::Move);
    EXPECT_TRUE(afterwards->event.isRightDown());
    EXPECT_FALSE(afterwards->event.isLeftDown());
}

TEST(InputTranslator, FocusLossWhileDraggingGivesOneReleaseWithoutInitiator) {
    InputTranslator t;
    Message lost;
    lost.kind = Kind::FocusLost;
    EXPECT_FALSE(t.translateMouse(lost, nullptr)) << "no drag, nothing to release";

    t.translateMouse(button(Kind::MouseDown, MouseButton::Middle, 0x4), nullptr);
    auto up = t.translateMouse(lost, nullptr);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->kind, MouseKind::Up);
    EXPECT_EQ(up->event.getInitiator(), 0);
    EXPECT_FALSE(t.isButtonHeld());
    EXPECT_FALSE(t.translateMouse(lost, nullptr)) << "only one release";
}

TEST(InputTranslator, ModifiersCombineButtonsAndKeys) {
    InputTranslator t;
    Message m = motion(0x4, 1, 2);
    m.keyState = 0x08 | 0x20 | 0x10 | 0x40;
    auto move = t.translateMouse(m, nullptr);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->event.getModifiers(), 0x4u | 0x08 | 0x10 | 0x20 | 0x40);
    EXPECT_TRUE(move->event.isShiftDown());
    EXPECT_TRUE(move->event.isControlDown());
    EXPECT_TRUE(move->event.isAltDown());
    EXPECT_TRUE(move->event.isMetaDown());
}

TEST(InputTranslator, WheelIncrementIsInNotches) {
    InputTranslator t;
    Message m;
    m.kind = Kind::Wheel;
    m.wheelDelta = -240.0f;
    auto wheel = t.translateMouse(m, nullptr);
    ASSERT_TRUE(wheel);
    EXPECT_EQ(wheel->kind, MouseKind::Wheel);
    EXPECT_FLOAT_EQ(wheel->event.getWheelIncrement(), -2.0f);
}

TEST(InputTranslator, KeyEventCarriesCodeCharacterAndKeyModifiersOnly) {
    Message m;
    m.kind = Kind::KeyDown;
    m.keyCode = 'f';
    m.character = 'F';
    m.keyState = 0x08;
    m.buttonState = 0x1;
    const reef::app::KeyEvent e = InputTranslator::translateKey(m, nullptr);
    EXPECT_EQ(e.getCode(), 102);
    EXPECT_EQ(e.getChar(), 'F');
    EXPECT_EQ(e.getModifiers(), 0x08u) << "button bits stay clear on key events";
}

}  // namespace
