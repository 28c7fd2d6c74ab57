#pragma once
// One native window: its size and full-screen state, its renderer and one
// signal per event kind. Listeners run before the application's hooks; the
// first that marks an event handled stops its delivery.

#include <boost/signals2/signal.hpp>
#include <memory>
#include <string>

#include "framework/app/Event.h"
#include "framework/app/EventCombiner.h"
#include "framework/app/Renderer.h"
#include "framework/app/WindowFormat.h"
#include "framework/platform/Platform.h"

namespace reef::app {

// What a window needs from the application that owns it.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void deliverResize(const WindowRef& window) = 0;
};

class Window : public std::enable_shared_from_this<Window> {
public:
    template <typename EventT>
    using EventSignal = boost::signals2::signal<void(EventT&), EventCombiner<EventT>>;
    using MouseSignal = EventSignal<MouseEvent>;
    using KeySignal = EventSignal<KeyEvent>;
    using TouchSignal = EventSignal<TouchEvent>;
    using FileDropSignal = EventSignal<FileDropEvent>;
    using PlainSignal = boost::signals2::signal<void()>;

    // Opens the native window with the renderer's pixel format and context.
    Window(WindowHost* host, const WindowFormat& format, RendererRef renderer);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool isValid() const { return valid_; }
    int getWidth() const;
    int getHeight() const;
    Vec2i getSize() const;
    float getAspectRatio() const;
    float getContentScale() const;
    // The platform layer works in window pixels (1.0); high-density displays
    // and tests may set another scale.
    void setContentScale(float scale) { contentScale_ = scale; }
    Vec2i getPos() const;
    void setPos(Vec2i pos);
    std::string getTitle() const;
    void setTitle(const std::string& title);
    bool isFullScreen() const;
    // Switching to the state already in force does nothing. Leaving restores the
    // windowed position and size; either way a resize is delivered.
    void setFullScreen(bool fullScreen, const FullScreenOptions& options = FullScreenOptions());
    const RendererRef& getRenderer() const;

    MouseSignal& getSignalMouseDown() { return mouseDown_; }
    MouseSignal& getSignalMouseUp() { return mouseUp_; }
    MouseSignal& getSignalMouseWheel() { return mouseWheel_; }
    MouseSignal& getSignalMouseMove() { return mouseMove_; }
    MouseSignal& getSignalMouseDrag() { return mouseDrag_; }
    TouchSignal& getSignalTouchesBegan() { return touchesBegan_; }
    TouchSignal& getSignalTouchesMoved() { return touchesMoved_; }
    TouchSignal& getSignalTouchesEnded() { return touchesEnded_; }
    KeySignal& getSignalKeyDown() { return keyDown_; }
    KeySignal& getSignalKeyUp() { return keyUp_; }
    PlainSignal& getSignalResize() { return resize_; }
    PlainSignal& getSignalMove() { return move_; }
    PlainSignal& getSignalDisplayChange() { return displayChange_; }
    FileDropSignal& getSignalFileDrop() { return fileDrop_; }
    PlainSignal& getSignalClose() { return close_; }
    PlainSignal& getSignalDraw() { return draw_; }
    PlainSignal& getSignalPostDraw() { return postDraw_; }

    // --- used by the application's message loop ---
    uint32_t getNativeId() const;
    // Records a client size the platform reported; true when it differs from
    // the size the window last had.
    bool noteClientSize(Vec2i size);
    void makeCurrent();
    // Destroys the context and the native window; the handle stays, invalid.
    void close();

private:
    void checkValid() const;
    void applyFullScreen(bool fullScreen, const FullScreenOptions& options);

    WindowHost* host_;
    WindowFormat format_;
    RendererRef renderer_;
    std::unique_ptr<platform::NativeWindow> native_;
    bool valid_ = true;
    Vec2i size_;
    float contentScale_ = 1.0f;
    bool fullScreen_ = false;
    Vec2i windowedPos_;
    Vec2i windowedSize_;

    MouseSignal mouseDown_, mouseUp_, mouseWheel_, mouseMove_, mouseDrag_;
    TouchSignal touchesBegan_, touchesMoved_, touchesEnded_;
    KeySignal keyDown_, keyUp_;
    PlainSignal resize_, move_, displayChange_;
    FileDropSignal fileDrop_;
    PlainSignal close_, draw_, postDraw_;
};

// Emits `signal` under the handled-event rule.
template <typename EventT>
void emitEvent(Window::EventSignal<EventT>& signal, EventT& event) {
    signal.set_combiner(EventCombiner<EventT>(&event));
    signal(event);
}

}  // namespace reef::app
