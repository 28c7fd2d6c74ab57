#pragma once
// The options of one window, and of its full-screen state.

#include <memory>
#include <string>

#include "framework/app/Display.h"
#include "framework/math/Vector.h"

namespace reef::app {

class Renderer;
using RendererRef = std::shared_ptr<Renderer>;

struct FullScreenOptions {
    DisplayRef display;     // none: the display the window is on
    bool kioskMode = true;  // no effect in this framework
    bool secondaryDisplayBlanking = false;
    bool exclusive = false;  // no effect in this framework
};

class WindowFormat {
public:
    WindowFormat& setRenderer(RendererRef renderer) {
        renderer_ = std::move(renderer);
        return *this;
    }
    WindowFormat& setFullScreen(bool fullScreen, const FullScreenOptions& options = {}) {
        fullScreen_ = fullScreen;
        fullScreenOptions_ = options;
        return *this;
    }
    WindowFormat& setDisplay(DisplayRef display) {
        display_ = std::move(display);
        return *this;
    }
    WindowFormat& setSize(Vec2i size) {
        size_ = size;
        return *this;
    }
    WindowFormat& setPos(Vec2i pos) {
        pos_ = pos;
        posSpecified_ = true;
        return *this;
    }
    WindowFormat& setResizable(bool resizable) {
        resizable_ = resizable;
        return *this;
    }
    WindowFormat& setBorderless(bool borderless) {
        borderless_ = borderless;
        return *this;
    }
    WindowFormat& setAlwaysOnTop(bool onTop) {
        alwaysOnTop_ = onTop;
        return *this;
    }
    WindowFormat& setTitle(const std::string& title) {
        title_ = title;
        return *this;
    }

    const RendererRef& getRenderer() const { return renderer_; }
    bool isFullScreen() const { return fullScreen_; }
    const FullScreenOptions& getFullScreenOptions() const { return fullScreenOptions_; }
    const DisplayRef& getDisplay() const { return display_; }
    Vec2i getSize() const { return size_; }
    Vec2i getPos() const { return pos_; }
    bool isPosSpecified() const { return posSpecified_; }
    bool isResizable() const { return resizable_; }
    bool isBorderless() const { return borderless_; }
    bool isAlwaysOnTop() const { return alwaysOnTop_; }
    const std::string& getTitle() const { return title_; }

private:
    RendererRef renderer_;
    bool fullScreen_ = false;
    FullScreenOptions fullScreenOptions_;
    DisplayRef display_;  // none: the main display
    Vec2i size_{640, 480};
    Vec2i pos_{0, 0};
    bool posSpecified_ = false;
    bool resizable_ = true;
    bool borderless_ = false;
    bool alwaysOnTop_ = false;
    std::string title_;
};

}  // namespace reef::app
