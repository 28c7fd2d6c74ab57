#pragma once
// The drawing back end of a window.

#include <memory>

#include "framework/math/Vector.h"

namespace reef::platform {
class NativeWindow;
}

namespace reef::app {

class Renderer {
public:
    virtual ~Renderer() = default;

    // Multisample count the native window's pixel format should have.
    virtual int chooseSamples() = 0;
    // Creates the back end for a native window (its context stays current).
    virtual void setup(platform::NativeWindow& window) = 0;
    // Releases everything tied to the native window before it is destroyed.
    virtual void kill() = 0;
    virtual void makeCurrent() = 0;
    virtual void startDraw() = 0;
    virtual void finishDraw() = 0;
    // Viewport and the default window matrices for a new client size.
    virtual void defaultResize(Vec2i clientSize) = 0;
};

using RendererRef = std::shared_ptr<Renderer>;

}  // namespace reef::app
