#pragma once
// Turns the platform's mouse messages into mouse events: which button started a
// press or release, drag versus move, and the release that focus loss implies.

#include <optional>

#include "framework/app/Event.h"
#include "framework/platform/Platform.h"

namespace reef::app {

class InputTranslator {
public:
    enum class MouseKind { Down, Up, Move, Drag, Wheel };
    struct Mouse {
        MouseKind kind;
        MouseEvent event;
    };

    // The mouse event a message gives, if any. One held flag covers all
    // buttons: releasing any button ends the drag, even while another is held.
    std::optional<Mouse> translateMouse(const platform::Message& message, const WindowRef& window);

    static KeyEvent translateKey(const platform::Message& message, const WindowRef& window);

    bool isButtonHeld() const { return buttonHeld_; }

private:
    bool buttonHeld_ = false;
};

}  // namespace reef::app
