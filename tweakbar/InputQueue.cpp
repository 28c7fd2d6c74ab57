#include "tweakbar/InputQueue.h"

#include "tweakbar/TweakBar.h"

namespace tweakbar {
namespace {

// A burst of events far beyond what a user produces between two frames is cut,
// so a stalled draw loop cannot grow the queue without bound.
constexpr size_t kMaxQueuedEvents = 4096;

bool isShortcut(int modifiers) {
    return (modifiers & (TW_KMOD_CTRL | TW_KMOD_ALT | TW_KMOD_META)) != 0;
}

}  // namespace

int keySlot(int key, int modifiers) {
    switch (key) {
        case TW_KEY_BACKSPACE:
        case TW_KEY_TAB:
        case TW_KEY_RETURN:
        case TW_KEY_ESCAPE:
        case TW_KEY_DELETE:
        case TW_KEY_UP:
        case TW_KEY_DOWN:
        case TW_KEY_RIGHT:
        case TW_KEY_LEFT:
        case TW_KEY_INSERT:
        case TW_KEY_HOME:
        case TW_KEY_END:
        case TW_KEY_PAGE_UP:
        case TW_KEY_PAGE_DOWN:
            return key;
        case '\n':
            return TW_KEY_RETURN;
        default:
            break;
    }
    if (isShortcut(modifiers)) {
        if (key >= 'a' && key <= 'z') {
            return key - 'a' + 'A';
        }
        if (key >= 'A' && key <= 'Z') {
            return key;
        }
        // Some window systems deliver Ctrl+letter as the control character.
        if ((modifiers & TW_KMOD_CTRL) && key >= 1 && key <= 26) {
            return 'A' + key - 1;
        }
    }
    return -1;
}

void InputQueue::push(const Event& event) {
    if (event.type == Event::Type::Move && !events_.empty() &&
        events_.back().type == Event::Type::Move) {
        events_.back() = event;
        return;
    }
    if (events_.size() < kMaxQueuedEvents) {
        events_.push_back(event);
    }
}

void InputQueue::mouseMoved(int x, int y) {
    Event e{Event::Type::Move};
    e.x = float(x);
    e.y = float(y);
    push(e);
}

void InputQueue::mouseButton(int index, bool down) {
    if (index < 0 || index > 2) {
        return;
    }
    Event e{Event::Type::Button};
    e.index = index;
    e.down = down;
    push(e);
}

void InputQueue::mouseWheel(float delta) {
    Event e{Event::Type::Wheel};
    e.x = delta;
    push(e);
}

void InputQueue::keyPressed(int key, int modifiers) {
    int slot = keySlot(key, modifiers);
    if (slot >= 0) {
        Event e{Event::Type::Key};
        e.index = slot;
        e.modifiers = modifiers;
        push(e);
        return;
    }
    // A character arrives as a signed byte: above 127 it is negative (Latin-1).
    int c = (key < 0 && key >= -128) ? key & 0xff : key;
    if ((c >= 32 && c < 127) || (c >= 160 && c <= 255)) {
        Event e{Event::Type::Character};
        e.index = c;
        push(e);
    }
}

FrameInput InputQueue::nextFrame() {
    FrameInput frame;
    while (!events_.empty()) {
        const Event e = events_.front();
        if (e.type == Event::Type::Button && mouseDown_[e.index] == e.down) {
            events_.pop_front();
            if (!e.down && mouseDown_ != std::array<bool, 3>{}) {
                // A release of a button that is up: the state is out of step
                // (focus lost during a drag); release every button.
                mouseDown_.fill(false);
                break;
            }
            continue;  // a repeated press changes nothing
        }
        events_.pop_front();
        bool endsFrame = false;
        switch (e.type) {
            case Event::Type::Move:
                mouseX_ = e.x;
                mouseY_ = e.y;
                break;
            case Event::Type::Wheel:
                frame.wheel += e.x;
                break;
            case Event::Type::Character:
                frame.characters.push_back(unsigned(e.index));
                break;
            case Event::Type::Button:
                mouseDown_[e.index] = e.down;
                endsFrame = true;
                break;
            case Event::Type::Key:
                frame.keyDown = e.index;
                frame.shift = (e.modifiers & TW_KMOD_SHIFT) != 0;
                frame.ctrl = (e.modifiers & TW_KMOD_CTRL) != 0;
                frame.alt = (e.modifiers & TW_KMOD_ALT) != 0;
                frame.super = (e.modifiers & TW_KMOD_META) != 0;
                endsFrame = true;
                break;
        }
        if (endsFrame) {
            break;
        }
    }
    frame.mouseX = mouseX_;
    frame.mouseY = mouseY_;
    frame.mouseDown = mouseDown_;
    return frame;
}

}  // namespace tweakbar
