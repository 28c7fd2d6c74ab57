#include "framework/app/AppBasic.h"

#include <algorithm>
#include <iostream>

#include "framework/platform/Platform.h"

namespace reef::app {

AppBasic::AppBasic() = default;

AppBasic::~AppBasic() {
    // Contexts and native windows go before the platform they belong to.
    for (const WindowRef& window : windows_) {
        window->close();
    }
}

int AppBasic::executeLaunch(std::unique_ptr<AppBasic> app, RendererRef renderer, const char* title,
                            int argc, char* argv[]) {
    setInstance(app.get());
    app->setDefaultRenderer(std::move(renderer));
    int exitCode = 0;
    try {
        app->launch(title, argc, argv);
    } catch (const std::exception& e) {
        platform::debugOutput(std::string(title) + ": " + e.what() + "\n");
        exitCode = 1;
    }
    app.reset();
    return exitCode;
}

void AppBasic::launch(const char* title, int argc, char* argv[]) {
    // Arguments arrive as UTF-8 on this platform.
    for (int i = 0; i < argc; ++i) {
        args_.emplace_back(argv[i]);
    }
    settings_.setTitle(title);
    prepareSettings(&settings_);
    if (settings_.isShouldQuit()) {
        return;
    }
    if (settings_.isConsoleWindowEnabled()) {
        platform::openConsole();
        useStandardOutputAsConsole();
    }
    enablePowerManagement(settings_.isPowerManagementEnabled());

    platform::initialize();
    frameRate_ = settings_.getFrameRate();
    frameRateEnabled_ = settings_.isFrameRateEnabled();

    if (settings_.getWindowFormats().empty()) {
        openWindow(settings_.getDefaultWindowFormat());
    } else {
        for (const WindowFormat& format : settings_.getWindowFormats()) {
            openWindow(format);
        }
    }

    runSetup();
    setupCalled_ = true;
    for (const WindowRef& window : std::vector<WindowRef>(windows_)) {
        deliverResize(window);
    }

    pacer_.restart(getElapsedSeconds());
    runFrameLoop();

    getSignalShutdown()();
    shutdown();
}

void AppBasic::openWindow(const WindowFormat& format) {
    RendererRef renderer = format.getRenderer() ? format.getRenderer() : getDefaultRenderer();
    auto window = std::make_shared<Window>(this, format, renderer);
    windows_.push_back(window);
    activeWindow_ = window;
}

void AppBasic::runFrameLoop() {
    const auto handler = [this](const platform::Message& m) { handleMessage(m); };
    const auto stop = [this] { return quitRequested_; };
    while (!quitRequested_) {
        if (!windows_.empty()) {
            makeActive(windows_.front());
        }
        runUpdate();
        for (const WindowRef& window : std::vector<WindowRef>(windows_)) {
            drawWindow(window);
        }
        const double now = getElapsedSeconds();
        const double wait = pacer_.advance(now, frameRate_);
        if (frameRateEnabled_ && wait > 0.0) {
            platform::waitUntil(getStartTime() + pacer_.getNextFrameTime(), handler, stop);
        } else {
            platform::pollMessages(handler);
        }
    }
}

void AppBasic::drawWindow(const WindowRef& window) {
    if (!window->isValid()) {
        return;
    }
    makeActive(window);
    window->getRenderer()->startDraw();
    window->getSignalDraw()();
    draw();
    window->getSignalPostDraw()();
    window->getRenderer()->finishDraw();
}

void AppBasic::deliverResize(const WindowRef& window) {
    if (!setupCalled_ || !window->isValid()) {
        return;
    }
    makeActive(window);
    window->getRenderer()->defaultResize(window->getSize());
    window->getSignalResize()();
    resize();
}

void AppBasic::makeActive(const WindowRef& window) {
    activeWindow_ = window;
    window->makeCurrent();
}

WindowRef AppBasic::getWindowIndex(size_t index) const {
    return index < windows_.size() ? windows_[index] : nullptr;
}

void AppBasic::setFrameRate(float fps) {
    frameRate_ = fps;
    frameRateEnabled_ = true;
    pacer_.restart(getElapsedSeconds());
}

void AppBasic::disableFrameRate() {
    frameRateEnabled_ = false;
}

WindowRef AppBasic::findWindow(uint32_t nativeId) const {
    for (const WindowRef& window : windows_) {
        if (window->getNativeId() == nativeId) {
            return window;
        }
    }
    // Messages without a window (or for one just closed) go to the first window.
    return windows_.empty() ? nullptr : windows_.front();
}

void AppBasic::handleMessage(const platform::Message& m) {
    using Kind = platform::Message::Kind;
    if (m.kind == Kind::QuitRequested) {
        quit();
        return;
    }
    const WindowRef window = findWindow(m.windowId);
    if (!window) {
        return;
    }
    switch (m.kind) {
        case Kind::Resized:
            if (window->noteClientSize(m.size)) {
                deliverResize(window);
            }
            break;
        case Kind::CloseRequested:
            closeWindow(window);
            break;
        case Kind::KeyDown:
        case Kind::KeyUp:
            deliverKey(m, window);
            break;
        case Kind::MouseDown:
        case Kind::MouseUp:
        case Kind::MouseMove:
        case Kind::Wheel:
        case Kind::FocusLost:
            if (m.kind == Kind::MouseDown) {
                platform::setMouseCapture(true);
            } else if (m.kind == Kind::MouseUp) {
                platform::setMouseCapture(false);
            }
            if (auto mouse = input_.translateMouse(m, window)) {
                deliverMouse(*mouse);
            }
            break;
        case Kind::FilesDropped: {
            makeActive(window);
            FileDropEvent event(window, m.position, m.paths);
            emitEvent(window->getSignalFileDrop(), event);
            if (!event.isHandled()) {
                fileDrop(event);
            }
            break;
        }
        case Kind::Moved:
            makeActive(window);
            window->getSignalMove()();
            break;
        default:
            break;
    }
}

void AppBasic::deliverMouse(const InputTranslator::Mouse& mouse) {
    using MouseKind = InputTranslator::MouseKind;
    MouseEvent event = mouse.event;
    const WindowRef window = event.getWindow();
    makeActive(window);
    switch (mouse.kind) {
        case MouseKind::Down:
            emitEvent(window->getSignalMouseDown(), event);
            if (!event.isHandled()) {
                mouseDown(event);
            }
            break;
        case MouseKind::Up:
            emitEvent(window->getSignalMouseUp(), event);
            if (!event.isHandled()) {
                mouseUp(event);
            }
            break;
        case MouseKind::Move:
            emitEvent(window->getSignalMouseMove(), event);
            if (!event.isHandled()) {
                mouseMove(event);
            }
            break;
        case MouseKind::Drag:
            emitEvent(window->getSignalMouseDrag(), event);
            if (!event.isHandled()) {
                mouseDrag(event);
            }
            break;
        case MouseKind::Wheel:
            emitEvent(window->getSignalMouseWheel(), event);
            if (!event.isHandled()) {
                mouseWheel(event);
            }
            break;
    }
}

void AppBasic::deliverKey(const platform::Message& m, const WindowRef& window) {
    makeActive(window);
    KeyEvent event = InputTranslator::translateKey(m, window);
    if (m.kind == platform::Message::Kind::KeyDown) {
        emitEvent(window->getSignalKeyDown(), event);
        if (!event.isHandled()) {
            keyDown(event);
        }
    } else {
        emitEvent(window->getSignalKeyUp(), event);
        if (!event.isHandled()) {
            keyUp(event);
        }
    }
}

void AppBasic::closeWindow(const WindowRef& window) {
    window->getSignalClose()();
    window->close();
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (activeWindow_ == window) {
        activeWindow_ = windows_.empty() ? nullptr : windows_.front();
    }
    if (windows_.empty() && settings_.isQuitOnLastWindowCloseEnabled()) {
        quit();
    }
}

}  // namespace reef::app
