#pragma once
// An application with native windows: launch settings, command-line arguments,
// the launch sequence and the paced frame loop.

#include <memory>
#include <string>
#include <vector>

#include "framework/app/App.h"
#include "framework/app/FramePacer.h"
#include "framework/app/InputTranslator.h"
#include "framework/app/Window.h"

namespace reef::app {

class AppBasic : public App, public WindowHost {
public:
    class Settings : public App::Settings {
    public:
        void setQuitOnLastWindowClose(bool quit = true) { quitOnLastWindowClose_ = quit; }
        bool isQuitOnLastWindowCloseEnabled() const { return quitOnLastWindowClose_; }
        void enableConsoleWindow(bool enable = true) { consoleWindow_ = enable; }
        bool isConsoleWindowEnabled() const { return consoleWindow_; }

    private:
        bool quitOnLastWindowClose_ = true;
        bool consoleWindow_ = false;
    };

    AppBasic();
    ~AppBasic() override;

    // Runs `app` with `renderer` as its default renderer and destroys it. Returns
    // the process exit code: 0, or 1 with a one-line message on standard error
    // when no window can be opened or a hook lets an exception escape.
    static int executeLaunch(std::unique_ptr<AppBasic> app, RendererRef renderer, const char* title,
                             int argc, char* argv[]);

    virtual void launch(const char* title, int argc, char* argv[]);
    virtual void prepareSettings(Settings*) {}
    virtual void disableFrameRate();
    virtual bool isFrameRateEnabled() const { return frameRateEnabled_; }
    virtual WindowRef getForegroundWindow() const { return activeWindow_; }

    void quit() override { quitRequested_ = true; }
    Settings& getSettings() override { return settings_; }
    WindowRef getWindow() const override { return activeWindow_; }
    size_t getNumWindows() const override { return windows_.size(); }
    WindowRef getWindowIndex(size_t index) const override;
    float getFrameRate() const override { return frameRate_; }
    void setFrameRate(float fps) override;

    const std::vector<std::string>& getArgs() const { return args_; }
    bool isQuitRequested() const { return quitRequested_; }

    // Resize delivery: window matrices, the resize listeners, then resize().
    void deliverResize(const WindowRef& window) override;

protected:
    // Translates one platform message and delivers it (events, resize, close).
    void handleMessage(const platform::Message& message);

private:
    void openWindow(const WindowFormat& format);
    void runFrameLoop();
    void drawWindow(const WindowRef& window);
    WindowRef findWindow(uint32_t nativeId) const;
    void makeActive(const WindowRef& window);
    void closeWindow(const WindowRef& window);
    void deliverMouse(const InputTranslator::Mouse& mouse);
    void deliverKey(const platform::Message& message, const WindowRef& window);

    Settings settings_;
    std::vector<std::string> args_;
    std::vector<WindowRef> windows_;
    WindowRef activeWindow_;
    InputTranslator input_;
    FramePacer pacer_;
    float frameRate_ = 60.0f;
    bool frameRateEnabled_ = true;
    bool quitRequested_ = false;
    bool setupCalled_ = false;
};

}  // namespace reef::app
