#pragma once
// The root application: clock, frame counting, asset directory, console stream,
// the update and shutdown signals and the virtual hooks an application
// overrides. AppBasic adds native windows and the frame loop.

#include <boost/filesystem/path.hpp>
#include <boost/signals2/signal.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/DataSource.h"
#include "framework/app/Event.h"
#include "framework/app/Exceptions.h"
#include "framework/app/Renderer.h"
#include "framework/app/WindowFormat.h"

namespace reef::app {

class App {
public:
    class Settings {
    public:
        virtual ~Settings() = default;

        void setShouldQuit(bool shouldQuit = true) { shouldQuit_ = shouldQuit; }
        bool isShouldQuit() const { return shouldQuit_; }
        void prepareWindow(const WindowFormat& format) { windowFormats_.push_back(format); }
        const std::vector<WindowFormat>& getWindowFormats() const { return windowFormats_; }
        WindowFormat& getDefaultWindowFormat() { return defaultWindowFormat_; }
        const WindowFormat& getDefaultWindowFormat() const { return defaultWindowFormat_; }
        void setWindowSize(int width, int height) { defaultWindowFormat_.setSize({width, height}); }
        void setBorderless(bool borderless = true) {
            defaultWindowFormat_.setBorderless(borderless);
        }
        void setResizable(bool resizable = true) { defaultWindowFormat_.setResizable(resizable); }
        void setFullScreen(bool fullScreen = true) {
            defaultWindowFormat_.setFullScreen(fullScreen);
        }
        void setWindowPos(int x, int y) { defaultWindowFormat_.setPos({x, y}); }
        void setAlwaysOnTop(bool onTop = true) { defaultWindowFormat_.setAlwaysOnTop(onTop); }
        void setFrameRate(float fps) { frameRate_ = fps; }
        void disableFrameRate() { frameRateEnabled_ = false; }
        bool isFrameRateEnabled() const { return frameRateEnabled_; }
        float getFrameRate() const { return frameRate_; }
        void enablePowerManagement(bool enable = true) { powerManagement_ = enable; }
        bool isPowerManagementEnabled() const { return powerManagement_; }
        void enableMultiTouch(bool enable = true) { multiTouch_ = enable; }
        bool isMultiTouchEnabled() const { return multiTouch_; }
        void setTitle(const std::string& title) { title_ = title; }
        const std::string& getTitle() const { return title_; }

    private:
        bool shouldQuit_ = false;
        std::vector<WindowFormat> windowFormats_;
        WindowFormat defaultWindowFormat_;
        bool frameRateEnabled_ = true;
        float frameRate_ = 60.0f;
        bool powerManagement_ = false;
        bool highDensity_ = false;  // not read by this program
        bool multiTouch_ = false;
        std::string title_;
    };

    using VoidSignal = boost::signals2::signal<void()>;

    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // --- hooks (default: nothing) ---
    virtual void setup() {}
    virtual void shutdown() {}
    virtual void update() {}
    virtual void draw() {}
    virtual void mouseDown(MouseEvent) {}
    virtual void mouseUp(MouseEvent) {}
    virtual void mouseWheel(MouseEvent) {}
    virtual void mouseMove(MouseEvent) {}
    virtual void mouseDrag(MouseEvent) {}
    virtual void touchesBegan(TouchEvent) {}
    virtual void touchesMoved(TouchEvent) {}
    virtual void touchesEnded(TouchEvent) {}
    virtual void keyDown(KeyEvent) {}
    virtual void keyUp(KeyEvent) {}
    virtual void resize() {}
    virtual void fileDrop(FileDropEvent) {}

    // --- commands and queries of the concrete application ---
    virtual void quit() = 0;
    virtual Settings& getSettings() = 0;
    virtual WindowRef getWindow() const = 0;
    virtual size_t getNumWindows() const = 0;
    virtual WindowRef getWindowIndex(size_t index) const = 0;
    virtual void enablePowerManagement(bool enable = true);
    virtual bool isPowerManagementEnabled() const { return powerManagement_; }
    virtual void setWindowPos(Vec2i pos);
    virtual float getFrameRate() const = 0;
    virtual void setFrameRate(float fps) = 0;
    // Directory of the executable, with a trailing separator.
    virtual std::string getAppPath() const;
    virtual void runSetup() { setup(); }
    virtual void runUpdate();

    // The one running application.
    static App* get() { return instance_; }

    double getElapsedSeconds() const;
    // Replaces the clock getElapsedSeconds() reads (seconds since start), for
    // deterministic runs with a fixed frame time; pacing should then be off.
    void setElapsedSecondsSource(std::function<double()> source) {
        elapsedSource_ = std::move(source);
    }
    uint32_t getElapsedFrames() const { return frameCount_; }
    float getAverageFps() const;

    int getWindowWidth() const;
    int getWindowHeight() const;
    Vec2i getWindowSize() const;
    float getWindowAspectRatio() const;

    // Empty when the asset does not exist.
    boost::filesystem::path getAssetPath(const std::string& relativePath);
    // Throws AssetLoadExc (message: the relative path) when the asset does not exist.
    DataSourceRef loadAsset(const std::string& relativePath);

    // The application's output stream; a flushed line goes to standard error.
    std::ostream& console();

    VoidSignal& getSignalUpdate() { return signalUpdate_; }
    VoidSignal& getSignalShutdown() { return signalShutdown_; }
    const RendererRef& getDefaultRenderer() const { return defaultRenderer_; }

protected:
    static void setInstance(App* app) { instance_ = app; }
    void setDefaultRenderer(RendererRef renderer) { defaultRenderer_ = std::move(renderer); }
    void useStandardOutputAsConsole() { consoleIsStdout_ = true; }
    // Seconds on the platform clock when the application was constructed.
    double getStartTime() const { return startTime_; }

private:
    static App* instance_;

    std::unique_ptr<std::ostream> console_;
    bool consoleIsStdout_ = false;
    double startTime_;
    std::function<double()> elapsedSource_;
    uint32_t frameCount_ = 0;
    std::unique_ptr<class FrameRateSampler> frameRate_;
    VoidSignal signalUpdate_;
    VoidSignal signalShutdown_;
    RendererRef defaultRenderer_;
    bool powerManagement_ = false;
    std::vector<boost::filesystem::path> assetDirectories_;
    bool assetSearchDone_ = false;
};

}  // namespace reef::app
