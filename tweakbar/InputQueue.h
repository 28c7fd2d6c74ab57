#pragma once
// Input events queued between two frames and handed to the widgets one frame at
// a time. The widgets see the mouse and keys as held state sampled once per
// frame, so two transitions of a button within one frame would be lost: each
// frame takes at most one button or key transition, with the moves, wheel turns
// and characters that came before it. A release of a button that is not down
// releases every button.

#include <array>
#include <deque>
#include <vector>

namespace tweakbar {

// Key slots in the widgets' key-down array: the special keys use their
// tweak-bar codes, Ctrl/Alt/Meta shortcuts the capital letter.
int keySlot(int key, int modifiers);  // -1: the key is a character or nothing

// Mouse buttons in the widgets' order: left, right, middle.
enum MouseButtonIndex { kMouseLeft = 0, kMouseRight = 1, kMouseMiddle = 2 };

struct FrameInput {
    float mouseX = -1e30f, mouseY = -1e30f;  // far away until the first move
    std::array<bool, 3> mouseDown{};
    float wheel = 0;
    std::vector<unsigned> characters;
    int keyDown = -1;  // key slot pressed in this frame, released in the next
    bool shift = false, ctrl = false, alt = false, super = false;
};

class InputQueue {
public:
    void mouseMoved(int x, int y);
    void mouseButton(int index, bool down);
    void mouseWheel(float delta);
    // key and modifiers as TwKeyPressed receives them.
    void keyPressed(int key, int modifiers);

    bool empty() const { return events_.empty(); }
    // Takes the events of the next frame off the queue.
    FrameInput nextFrame();

private:
    struct Event {
        enum class Type { Move, Button, Wheel, Character, Key } type;
        float x = 0, y = 0;  // Move position, Wheel delta in x
        int index = 0;       // Button index, Character code, Key slot
        bool down = false;
        int modifiers = 0;
    };
    void push(const Event& event);

    std::deque<Event> events_;
    float mouseX_ = -1e30f, mouseY_ = -1e30f;
    std::array<bool, 3> mouseDown_{};
};

}  // namespace tweakbar
