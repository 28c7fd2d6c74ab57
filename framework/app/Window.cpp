#include "framework/app/Window.h"

#include "framework/app/Exceptions.h"

namespace reef::app {

Window::Window(WindowHost* host, const WindowFormat& format, RendererRef renderer)
    : host_(host), format_(format), renderer_(std::move(renderer)) {
    platform::WindowOptions options;
    options.size = format.getSize();
    options.borderless = format.isBorderless() || format.isFullScreen();
    options.resizable = format.isResizable();
    options.alwaysOnTop = format.isAlwaysOnTop();
    options.title = format.getTitle();
    options.hidden = true;
    options.samples = renderer_->chooseSamples();

    const Area display =
        format.getDisplay() ? format.getDisplay()->getBounds() : platform::mainDisplayArea();
    options.positionSpecified = true;
    if (format.isPosSpecified()) {
        options.position = format.getPos();
    } else {
        options.position = {display.x1 + (display.getWidth() - options.size.x) / 2,
                            display.y1 + (display.getHeight() - options.size.y) / 2};
    }
    native_ = std::make_unique<platform::NativeWindow>(options);
    renderer_->setup(*native_);
    size_ = native_->clientSize();
    if (format.isFullScreen()) {
        applyFullScreen(true, format.getFullScreenOptions());
    }
    native_->show();
}

Window::~Window() {
    close();
}

void Window::checkValid() const {
    if (!valid_) {
        throw ExcInvalidWindow();
    }
}

int Window::getWidth() const {
    return getSize().x;
}
int Window::getHeight() const {
    return getSize().y;
}

Vec2i Window::getSize() const {
    checkValid();
    return size_;
}

float Window::getAspectRatio() const {
    const Vec2i s = getSize();
    return static_cast<float>(s.x) / static_cast<float>(s.y);
}

float Window::getContentScale() const {
    checkValid();
    return contentScale_;
}

Vec2i Window::getPos() const {
    checkValid();
    return native_->position();
}

void Window::setPos(Vec2i pos) {
    checkValid();
    native_->setPosition(pos);
}

std::string Window::getTitle() const {
    checkValid();
    return native_->title();
}

void Window::setTitle(const std::string& title) {
    checkValid();
    native_->setTitle(title);
}

bool Window::isFullScreen() const {
    checkValid();
    return fullScreen_;
}

void Window::setFullScreen(bool fullScreen, const FullScreenOptions& options) {
    checkValid();
    if (fullScreen == fullScreen_) {
        return;
    }
    applyFullScreen(fullScreen, options);
    if (host_) {
        host_->deliverResize(shared_from_this());
    }
}

void Window::applyFullScreen(bool fullScreen, const FullScreenOptions& options) {
    if (fullScreen) {
        windowedPos_ = native_->position();
        windowedSize_ = size_;
        const Area area = options.display ? options.display->getBounds() : native_->displayArea();
        native_->setBordered(false);
        native_->setPosition({area.x1, area.y1});
        native_->setClientSize({area.getWidth(), area.getHeight()});
        size_ = {area.getWidth(), area.getHeight()};
    } else {
        native_->setBordered(!format_.isBorderless());
        native_->setClientSize(windowedSize_);
        native_->setPosition(windowedPos_);
        size_ = windowedSize_;
    }
    fullScreen_ = fullScreen;
    native_->show();
}

const RendererRef& Window::getRenderer() const {
    checkValid();
    return renderer_;
}

uint32_t Window::getNativeId() const {
    return valid_ ? native_->id() : 0;
}

bool Window::noteClientSize(Vec2i size) {
    if (!valid_ || size == size_) {
        return false;
    }
    size_ = size;
    return true;
}

void Window::makeCurrent() {
    if (valid_) {
        renderer_->makeCurrent();
    }
}

void Window::close() {
    if (!valid_) {
        return;
    }
    valid_ = false;
    renderer_->kill();
    native_.reset();
}

}  // namespace reef::app
