#pragma once
// Event records delivered through a window's signals, then to the application's
// hooks when no listener marked them handled.

#include <memory>
#include <string>
#include <vector>

#include "framework/math/Vector.h"

namespace reef::app {

class Window;
using WindowRef = std::shared_ptr<Window>;

// Modifier and button bits shared by mouse and key events.
enum ModifierBits : unsigned {
    LEFT_DOWN = 0x0001,
    RIGHT_DOWN = 0x0002,
    MIDDLE_DOWN = 0x0004,
    SHIFT_DOWN = 0x0008,
    ALT_DOWN = 0x0010,
    CTRL_DOWN = 0x0020,
    META_DOWN = 0x0040,
};

class Event {
public:
    explicit Event(WindowRef window = nullptr) : window_(std::move(window)) {}

    bool isHandled() const { return handled_; }
    void setHandled(bool handled = true) { handled_ = handled; }
    const WindowRef& getWindow() const { return window_; }

private:
    bool handled_ = false;
    WindowRef window_;
};

class MouseEvent : public Event {
public:
    MouseEvent() = default;
    MouseEvent(WindowRef window, int initiator, int x, int y, unsigned modifiers,
               float wheelIncrement, unsigned nativeModifiers)
        : Event(std::move(window)),
          initiator_(initiator),
          x_(x),
          y_(y),
          modifiers_(modifiers),
          wheelIncrement_(wheelIncrement),
          nativeModifiers_(nativeModifiers) {}

    int getInitiator() const { return initiator_; }
    int getX() const { return x_; }
    int getY() const { return y_; }
    Vec2i getPos() const { return {x_, y_}; }
    unsigned getModifiers() const { return modifiers_; }
    float getWheelIncrement() const { return wheelIncrement_; }
    unsigned getNativeModifiers() const { return nativeModifiers_; }

    // The button that caused this down or up event.
    bool isLeft() const { return initiator_ == LEFT_DOWN; }
    bool isRight() const { return initiator_ == RIGHT_DOWN; }
    bool isMiddle() const { return initiator_ == MIDDLE_DOWN; }
    // Buttons and keys held at the moment of the event.
    bool isLeftDown() const { return modifiers_ & LEFT_DOWN; }
    bool isRightDown() const { return modifiers_ & RIGHT_DOWN; }
    bool isMiddleDown() const { return modifiers_ & MIDDLE_DOWN; }
    bool isShiftDown() const { return modifiers_ & SHIFT_DOWN; }
    bool isAltDown() const { return modifiers_ & ALT_DOWN; }
    bool isControlDown() const { return modifiers_ & CTRL_DOWN; }
    bool isMetaDown() const { return modifiers_ & META_DOWN; }

private:
    int initiator_ = 0;
    int x_ = 0, y_ = 0;
    unsigned modifiers_ = 0;
    float wheelIncrement_ = 0;
    unsigned nativeModifiers_ = 0;
};

class KeyEvent : public Event {
public:
    // Key codes; letters and digits use their (lower-case) ASCII codes.
    enum Code : int {
        KEY_UNKNOWN = 0,
        KEY_BACKSPACE = 8,
        KEY_TAB = 9,
        KEY_CLEAR = 12,
        KEY_RETURN = 13,
        KEY_PAUSE = 19,
        KEY_ESCAPE = 27,
        KEY_SPACE = 32,
        KEY_DELETE = 127,
        KEY_KP0 = 256,
        KEY_KP_PERIOD = 266,
        KEY_KP_DIVIDE = 267,
        KEY_KP_MULTIPLY = 268,
        KEY_KP_MINUS = 269,
        KEY_KP_PLUS = 270,
        KEY_UP = 273,
        KEY_DOWN = 274,
        KEY_RIGHT = 275,
        KEY_LEFT = 276,
        KEY_INSERT = 277,
        KEY_HOME = 278,
        KEY_END = 279,
        KEY_PAGEUP = 280,
        KEY_PAGEDOWN = 281,
        KEY_F1 = 282,
        KEY_F15 = 296,
        KEY_NUMLOCK = 300,
        KEY_CAPSLOCK = 301,
        KEY_SCROLLOCK = 302,
        KEY_RSHIFT = 303,
        KEY_LSHIFT = 304,
        KEY_RCTRL = 305,
        KEY_LCTRL = 306,
        KEY_RALT = 307,
        KEY_LALT = 308,
        KEY_LMETA = 311,
        KEY_RMETA = 312,
        KEY_HELP = 315,
        KEY_PRINT = 316,
        KEY_BREAK = 318,
        KEY_MENU = 319,
    };

    KeyEvent() = default;
    KeyEvent(WindowRef window, int code, uint32_t character, unsigned modifiers,
             unsigned nativeKeyCode)
        : Event(std::move(window)),
          code_(code),
          char32_(character),
          char_(static_cast<char>(character & 0xff)),
          modifiers_(modifiers),
          nativeKeyCode_(nativeKeyCode) {}

    int getCode() const { return code_; }
    uint32_t getCharUtf32() const { return char32_; }
    char getChar() const { return char_; }
    unsigned getModifiers() const { return modifiers_; }
    unsigned getNativeKeyCode() const { return nativeKeyCode_; }
    bool isShiftDown() const { return modifiers_ & SHIFT_DOWN; }
    bool isAltDown() const { return modifiers_ & ALT_DOWN; }
    bool isControlDown() const { return modifiers_ & CTRL_DOWN; }
    bool isMetaDown() const { return modifiers_ & META_DOWN; }

private:
    int code_ = 0;
    uint32_t char32_ = 0;
    char char_ = 0;
    unsigned modifiers_ = 0;
    unsigned nativeKeyCode_ = 0;
};

class FileDropEvent : public Event {
public:
    FileDropEvent(WindowRef window, Vec2i pos, std::vector<std::string> files)
        : Event(std::move(window)), pos_(pos), files_(std::move(files)) {}

    Vec2i getPos() const { return pos_; }
    const std::vector<std::string>& getFiles() const { return files_; }

private:
    Vec2i pos_;
    std::vector<std::string> files_;
};

class TouchEvent : public Event {
public:
    struct Touch {
        Vec2i pos;
        uint32_t id = 0;
    };
    TouchEvent() = default;
    const std::vector<Touch>& getTouches() const { return touches_; }

private:
    std::vector<Touch> touches_;
};

}  // namespace reef::app
