#include "framework/app/InputTranslator.h"

namespace reef::app {

namespace {

int initiatorOf(platform::MouseButton button) {
    switch (button) {
        case platform::MouseButton::Left:
            return LEFT_DOWN;
        case platform::MouseButton::Right:
            return RIGHT_DOWN;
        case platform::MouseButton::Middle:
            return MIDDLE_DOWN;
    }
    return 0;
}

MouseEvent makeEvent(const platform::Message& m, const WindowRef& window, int initiator,
                     float wheel = 0.0f) {
    const unsigned modifiers = (m.buttonState & (LEFT_DOWN | RIGHT_DOWN | MIDDLE_DOWN)) |
                               (m.keyState & (SHIFT_DOWN | ALT_DOWN | CTRL_DOWN | META_DOWN));
    return MouseEvent(window, initiator, m.position.x, m.position.y, modifiers, wheel, m.keyState);
}

}  // namespace

std::optional<InputTranslator::Mouse> InputTranslator::translateMouse(const platform::Message& m,
                                                                      const WindowRef& window) {
    using Kind = platform::Message::Kind;
    switch (m.kind) {
        case Kind::MouseDown:
            buttonHeld_ = true;
            return Mouse{MouseKind::Down, makeEvent(m, window, initiatorOf(m.button))};
        case Kind::MouseUp:
            buttonHeld_ = false;
            return Mouse{MouseKind::Up, makeEvent(m, window, initiatorOf(m.button))};
        case Kind::MouseMove:
            return Mouse{buttonHeld_ ? MouseKind::Drag : MouseKind::Move, makeEvent(m, window, 0)};
        case Kind::Wheel:
            return Mouse{MouseKind::Wheel, makeEvent(m, window, 0, m.wheelDelta / 120.0f)};
        case Kind::FocusLost:
            if (!buttonHeld_) {
                return std::nullopt;
            }
            buttonHeld_ = false;
            return Mouse{MouseKind::Up, makeEvent(m, window, 0)};
        default:
            return std::nullopt;
    }
}

KeyEvent InputTranslator::translateKey(const platform::Message& m, const WindowRef& window) {
    const unsigned modifiers = m.keyState & (SHIFT_DOWN | ALT_DOWN | CTRL_DOWN | META_DOWN);
    return KeyEvent(window, m.keyCode, m.character, modifiers,
                    static_cast<unsigned>(m.nativeKeyCode));
}

}  // namespace reef::app
