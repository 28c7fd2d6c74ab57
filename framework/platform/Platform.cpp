// SDL2 implementation of the platform operations. SDL keeps process-wide state,
// so this file does too: the few values below mirror what SDL itself tracks.
//
// [SECTION] Start-up and displays
// [SECTION] Windows and OpenGL contexts
// [SECTION] Message translation
// [SECTION] Message loop and timed wait
// [SECTION] Clock, files and output

#include "framework/platform/Platform.h"

#include <SDL.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace reef::platform {
namespace {

bool sdlStarted = false;
bool screenSaverInhibited = true;
// Buttons held as the messages delivered so far report them; read from the
// message sequence rather than the live state so that queued messages carry
// the state of their own moment.
unsigned heldButtons = 0;

void applyScreenSaverSetting() {
    if (screenSaverInhibited) {
        SDL_DisableScreenSaver();
    } else {
        SDL_EnableScreenSaver();
    }
}

}  // namespace

// [SECTION] Start-up and displays

void initialize() {
    if (sdlStarted) {
        return;
    }
    // Without a display server SDL goes on to try console video back ends,
    // which can block; say plainly what is missing instead.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if ((!x11 || !*x11) && (!wayland || !*wayland) && (!driver || !*driver)) {
        throw PlatformExc("cannot open a window: no display (DISPLAY is not set)");
    }
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        throw PlatformExc(std::string("cannot open a window: ") + SDL_GetError());
    }
    sdlStarted = true;
    applyScreenSaverSetting();
}

bool isInitialized() {
    return sdlStarted;
}

static Area toArea(const SDL_Rect& r) {
    return Area(r.x, r.y, r.x + r.w, r.y + r.h);
}

Area mainDisplayArea() {
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &r) != 0) {
        return Area();
    }
    return toArea(r);
}

// [SECTION] Windows and OpenGL contexts

NativeWindow::NativeWindow(const WindowOptions& options) {
    initialize();
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, options.samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, options.samples > 0 ? options.samples : 0);
    if (options.samples > 0) {
        SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    }

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (options.borderless) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    if (options.resizable) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if (options.alwaysOnTop) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    const int x = options.positionSpecified ? options.position.x : int(SDL_WINDOWPOS_CENTERED);
    const int y = options.positionSpecified ? options.position.y : int(SDL_WINDOWPOS_CENTERED);
    SDL_Window* window =
        SDL_CreateWindow(options.title.c_str(), x, y, options.size.x, options.size.y, flags);
    if (!window) {
        throw PlatformExc(std::string("cannot create a window: ") + SDL_GetError());
    }
    window_ = window;
}

NativeWindow::~NativeWindow() {
    SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
}

uint32_t NativeWindow::id() const {
    return SDL_GetWindowID(static_cast<SDL_Window*>(window_));
}

Vec2i NativeWindow::clientSize() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(static_cast<SDL_Window*>(window_), &w, &h);
    return {w, h};
}

Vec2i NativeWindow::position() const {
    int x = 0, y = 0;
    SDL_GetWindowPosition(static_cast<SDL_Window*>(window_), &x, &y);
    return {x, y};
}

void NativeWindow::setPosition(Vec2i p) {
    SDL_SetWindowPosition(static_cast<SDL_Window*>(window_), p.x, p.y);
}

void NativeWindow::setClientSize(Vec2i size) {
    SDL_SetWindowSize(static_cast<SDL_Window*>(window_), size.x, size.y);
}

void NativeWindow::setBordered(bool bordered) {
    SDL_SetWindowBordered(static_cast<SDL_Window*>(window_), bordered ? SDL_TRUE : SDL_FALSE);
}

void NativeWindow::setTitle(const std::string& title) {
    SDL_SetWindowTitle(static_cast<SDL_Window*>(window_), title.c_str());
}

std::string NativeWindow::title() const {
    return SDL_GetWindowTitle(static_cast<SDL_Window*>(window_));
}

Area NativeWindow::displayArea() const {
    int index = SDL_GetWindowDisplayIndex(static_cast<SDL_Window*>(window_));
    SDL_Rect r{0, 0, 0, 0};
    if (index < 0 || SDL_GetDisplayBounds(index, &r) != 0) {
        return mainDisplayArea();
    }
    return toArea(r);
}

void NativeWindow::show() {
    auto* w = static_cast<SDL_Window*>(window_);
    SDL_ShowWindow(w);
    SDL_RaiseWindow(w);
}

GlContext::GlContext(NativeWindow& window) {
    SDL_GLContext context = SDL_GL_CreateContext(static_cast<SDL_Window*>(window.handle()));
    if (!context) {
        throw PlatformExc(std::string("cannot create an OpenGL context: ") + SDL_GetError());
    }
    context_ = context;
    // The frame loop paces itself; waiting for vertical blank would double the wait.
    SDL_GL_SetSwapInterval(0);
}

GlContext::~GlContext() {
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
}

void GlContext::makeCurrent(NativeWindow& window) {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window.handle()),
                       static_cast<SDL_GLContext>(context_));
}

void GlContext::swapBuffers(NativeWindow& window) {
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(window.handle()));
}

int currentContextSamples() {
    int buffers = 0, samples = 0;
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &buffers);
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &samples);
    return buffers > 0 ? samples : 0;
}

// [SECTION] Message translation

namespace {

unsigned keyStateFrom(SDL_Keymod mod) {
    unsigned bits = 0;
    if (mod & KMOD_SHIFT) {
        bits |= 0x08;
    }
    if (mod & KMOD_ALT) {
        bits |= 0x10;
    }
    if (mod & KMOD_CTRL) {
        bits |= 0x20;
    }
    if (mod & KMOD_GUI) {
        bits |= 0x40;
    }
    return bits;
}

unsigned buttonBit(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 0x1;
        case SDL_BUTTON_RIGHT:
            return 0x2;
        case SDL_BUTTON_MIDDLE:
            return 0x4;
        default:
            return 0;
    }
}

int keyCodeFrom(SDL_Keycode sym) {
    if (sym >= 32 && sym < 127) {
        return (sym >= 'A' && sym <= 'Z') ? int(sym - 'A' + 'a') : int(sym);
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) {
        return 257 + int(sym - SDLK_KP_1);
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return 282 + int(sym - SDLK_F1);
    }
    switch (sym) {
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        case SDLK_CLEAR:
            return 12;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_PAUSE:
            return 19;
        case SDLK_ESCAPE:
            return 27;
        case SDLK_DELETE:
            return 127;
        case SDLK_KP_0:
            return 256;
        case SDLK_KP_PERIOD:
            return 266;
        case SDLK_KP_DIVIDE:
            return 267;
        case SDLK_KP_MULTIPLY:
            return 268;
        case SDLK_KP_MINUS:
            return 269;
        case SDLK_KP_PLUS:
            return 270;
        case SDLK_KP_EQUALS:
            return '=';
        case SDLK_UP:
            return 273;
        case SDLK_DOWN:
            return 274;
        case SDLK_RIGHT:
            return 275;
        case SDLK_LEFT:
            return 276;
        case SDLK_INSERT:
            return 277;
        case SDLK_HOME:
            return 278;
        case SDLK_END:
            return 279;
        case SDLK_PAGEUP:
            return 280;
        case SDLK_PAGEDOWN:
            return 281;
        case SDLK_F13:
            return 294;
        case SDLK_F14:
            return 295;
        case SDLK_F15:
            return 296;
        case SDLK_NUMLOCKCLEAR:
            return 300;
        case SDLK_CAPSLOCK:
            return 301;
        case SDLK_SCROLLLOCK:
            return 302;
        case SDLK_RSHIFT:
            return 303;
        case SDLK_LSHIFT:
            return 304;
        case SDLK_RCTRL:
            return 305;
        case SDLK_LCTRL:
            return 306;
        case SDLK_RALT:
            return 307;
        case SDLK_LALT:
            return 308;
        case SDLK_LGUI:
            return 311;
        case SDLK_RGUI:
            return 312;
        case SDLK_HELP:
            return 315;
        case SDLK_PRINTSCREEN:
            return 316;
        case SDLK_CANCEL:
            return 318;
        case SDLK_MENU:
        case SDLK_APPLICATION:
            return 319;
        default:
            return 0;
    }
}

// The character a key produces with the current shift and caps-lock state on a
// US layout; control is ignored.
uint32_t characterFrom(SDL_Keycode sym, SDL_Keymod mod) {
    const bool shift = (mod & KMOD_SHIFT) != 0;
    if (sym >= 'a' && sym <= 'z') {
        const bool upper = shift != ((mod & KMOD_CAPS) != 0);
        return upper ? uint32_t(sym - 'a' + 'A') : uint32_t(sym);
    }
    if (sym >= 32 && sym < 127) {
        if (!shift) {
            return uint32_t(sym);
        }
        static const char plain[] = "`1234567890-=[]\\;',./";
        static const char shifted[] = "~!@#$%^&*()_+{}|:\"<>?";
        for (int i = 0; plain[i]; ++i) {
            if (plain[i] == char(sym)) {
                return uint32_t(static_cast<unsigned char>(shifted[i]));
            }
        }
        return uint32_t(sym);
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) {
        return uint32_t('1' + (sym - SDLK_KP_1));
    }
    switch (sym) {
        case SDLK_KP_0:
            return '0';
        case SDLK_KP_PERIOD:
            return '.';
        case SDLK_KP_DIVIDE:
            return '/';
        case SDLK_KP_MULTIPLY:
            return '*';
        case SDLK_KP_MINUS:
            return '-';
        case SDLK_KP_PLUS:
            return '+';
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_ESCAPE:
            return 27;
        case SDLK_DELETE:
            return 127;
        default:
            return 0;
    }
}

bool translate(const SDL_Event& e, Message& m) {
    switch (e.type) {
        case SDL_QUIT:
            m.kind = Message::Kind::QuitRequested;
            return true;
        case SDL_WINDOWEVENT:
            m.windowId = e.window.windowID;
            switch (e.window.event) {
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    m.kind = Message::Kind::Resized;
                    m.size = {e.window.data1, e.window.data2};
                    return true;
                case SDL_WINDOWEVENT_MOVED:
                    m.kind = Message::Kind::Moved;
                    m.position = {e.window.data1, e.window.data2};
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                    m.kind = Message::Kind::Repaint;
                    return true;
                case SDL_WINDOWEVENT_CLOSE:
                    m.kind = Message::Kind::CloseRequested;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    m.kind = Message::Kind::FocusLost;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    m.kind = Message::Kind::Activated;
                    return true;
                default:
                    return false;
            }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const auto mod = static_cast<SDL_Keymod>(e.key.keysym.mod);
            m.kind = e.type == SDL_KEYDOWN ? Message::Kind::KeyDown : Message::Kind::KeyUp;
            m.windowId = e.key.windowID;
            m.keyCode = keyCodeFrom(e.key.keysym.sym);
            m.character = characterFrom(e.key.keysym.sym, mod);
            m.nativeKeyCode = int(e.key.keysym.sym);
            m.keyState = keyStateFrom(mod);
            m.buttonState = heldButtons;
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const unsigned bit = buttonBit(e.button.button);
            if (bit == 0) {
                return false;
            }
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            heldButtons = down ? (heldButtons | bit) : (heldButtons & ~bit);
            m.kind = down ? Message::Kind::MouseDown : Message::Kind::MouseUp;
            m.windowId = e.button.windowID;
            m.button = bit == 0x1 ? MouseButton::Left
                                  : (bit == 0x2 ? MouseButton::Right : MouseButton::Middle);
            m.position = {int16_t(e.button.x), int16_t(e.button.y)};
            m.buttonState = heldButtons;
            m.keyState = keyStateFrom(SDL_GetModState());
            return true;
        }
        case SDL_MOUSEMOTION:
            m.kind = Message::Kind::MouseMove;
            m.windowId = e.motion.windowID;
            m.position = {int16_t(e.motion.x), int16_t(e.motion.y)};
            m.buttonState = heldButtons;
            m.keyState = keyStateFrom(SDL_GetModState());
            return true;
        case SDL_MOUSEWHEEL: {
            float notches = e.wheel.preciseY;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                notches = -notches;
            }
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            m.kind = Message::Kind::Wheel;
            m.windowId = e.wheel.windowID;
            m.wheelDelta = notches * 120.0f;
            m.position = {int16_t(x), int16_t(y)};
            m.buttonState = heldButtons;
            m.keyState = keyStateFrom(SDL_GetModState());
            return true;
        }
        case SDL_DROPFILE:
            m.kind = Message::Kind::FilesDropped;
            m.windowId = e.drop.windowID;
            if (e.drop.file) {
                m.paths.emplace_back(e.drop.file);
                SDL_free(e.drop.file);
            }
            return true;
        default:
            return false;
    }
}

void dispatch(const SDL_Event& e, const MessageHandler& handler) {
    Message m;
    if (translate(e, m)) {
        handler(m);
    }
}

}  // namespace

// [SECTION] Message loop and timed wait

void pollMessages(const MessageHandler& handler) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        dispatch(e, handler);
    }
}

void waitUntil(double deadline, const MessageHandler& handler, const std::function<bool()>& stop) {
    for (;;) {
        const double remaining = deadline - clockSeconds();
        if (remaining < 100e-9 || stop()) {
            return;
        }
        const int ms = int(remaining * 1000.0);
        if (ms < 1) {
            // SDL waits in whole milliseconds: sleep out the last fraction.
            std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
            return;
        }
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, ms)) {
            dispatch(e, handler);
            while (!stop() && SDL_PollEvent(&e)) {
                dispatch(e, handler);
            }
        }
    }
}

void setMouseCapture(bool captured) {
    SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

unsigned modifierKeyState() {
    return keyStateFrom(SDL_GetModState());
}

unsigned mouseButtonState() {
    return heldButtons;
}

// [SECTION] Clock, files and output

double clockSeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

std::string executablePath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return std::string();
    }
    return std::string(buffer, size_t(n));
}

bool pathExists(const std::string& path) {
    boost::system::error_code ec;
    return boost::filesystem::exists(path, ec);
}

bool isDirectory(const std::string& path) {
    boost::system::error_code ec;
    return boost::filesystem::is_directory(path, ec);
}

void debugOutput(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

void openConsole() {
    // A process started from a terminal already has its standard streams there.
}

void setScreenSaverInhibited(bool inhibited) {
    screenSaverInhibited = inhibited;
    if (sdlStarted) {
        applyScreenSaverSetting();
    }
}

}  // namespace reef::platform
