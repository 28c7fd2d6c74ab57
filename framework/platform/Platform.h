#pragma once
// The platform operations the framework needs: windows with an OpenGL context,
// message delivery, pointer capture, input state, the clock, the timed wait,
// file tests, debugger output and screen-saver inhibition. This is the only
// part of the program that talks to the window system.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/math/Area.h"
#include "framework/math/Vector.h"

namespace reef::platform {

// The platform could not be started or could not make a window or context.
class PlatformExc : public Exception {
public:
    using Exception::Exception;
};

// Starts the window system once per process (idempotent). Throws PlatformExc
// with a one-line reason when no display can be opened.
void initialize();
bool isInitialized();

// --- Displays ---------------------------------------------------------------
Area mainDisplayArea();

// --- Windows and OpenGL contexts ----------------------------------------------
struct WindowOptions {
    Vec2i size{640, 480};
    Vec2i position{0, 0};
    bool positionSpecified = false;  // otherwise centred on the main display
    bool borderless = false;
    bool resizable = true;
    bool alwaysOnTop = false;
    bool hidden = false;             // never shown: tests and format probes
    std::string title;
    int samples = 0;                 // multisample count of the pixel format, 0 = none
};

class NativeWindow {
public:
    // Creates the window with an OpenGL-capable pixel format. Throws PlatformExc
    // when the window system offers no such format.
    explicit NativeWindow(const WindowOptions& options);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    uint32_t id() const;
    Vec2i clientSize() const;
    Vec2i position() const;
    void setPosition(Vec2i position);
    void setClientSize(Vec2i size);
    void setBordered(bool bordered);
    void setTitle(const std::string& title);
    std::string title() const;
    Area displayArea() const;  // the display the window is on
    void show();               // show, raise and take keyboard focus
    void* handle() const { return window_; }

private:
    void* window_ = nullptr;
};

// An OpenGL 2.x compatibility context bound to a window's pixel format.
class GlContext {
public:
    explicit GlContext(NativeWindow& window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    void makeCurrent(NativeWindow& window);
    void swapBuffers(NativeWindow& window);

private:
    void* context_ = nullptr;
};

// Multisample count of the current context's default framebuffer.
int currentContextSamples();

// --- Messages -------------------------------------------------------------------
enum class MouseButton { Left, Right, Middle };

struct Message {
    enum class Kind {
        Resized, Moved, Repaint, CloseRequested, KeyDown, KeyUp, MouseDown, MouseUp,
        MouseMove, Wheel, FocusLost, Activated, FilesDropped, QuitRequested
    };
    Kind kind = Kind::Repaint;
    uint32_t windowId = 0;
    Vec2i position;               // client coordinates (mouse) or new position (Moved)
    Vec2i size;                   // Resized
    MouseButton button = MouseButton::Left;
    unsigned buttonState = 0;     // held buttons: 1 left, 2 right, 4 middle
    unsigned keyState = 0;        // 0x08 shift, 0x10 alt, 0x20 control, 0x40 meta
    float wheelDelta = 0;         // signed, 120 per notch
    int keyCode = 0;              // framework key code, 0 when none
    uint32_t character = 0;       // text the key produces, control ignored
    int nativeKeyCode = 0;
    std::vector<std::string> paths;  // FilesDropped
};

using MessageHandler = std::function<void(const Message&)>;

// Dispatches every pending message without waiting.
void pollMessages(const MessageHandler& handler);

// Waits until `deadline` (clockSeconds()) while dispatching messages as they
// arrive; returns early once `stop()` is true after a message. Never spins.
void waitUntil(double deadline, const MessageHandler& handler, const std::function<bool()>& stop);

void setMouseCapture(bool captured);
unsigned modifierKeyState();   // shift/alt/control/meta bits as in Message::keyState
unsigned mouseButtonState();   // left/right/middle bits as in Message::buttonState

// --- Clock, files, output ---------------------------------------------------------
double clockSeconds();  // monotonic, sub-millisecond resolution
std::string executablePath();
bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
void debugOutput(const std::string& text);  // the debugger output channel: standard error
void openConsole();
void setScreenSaverInhibited(bool inhibited);

}  // namespace reef::platform
