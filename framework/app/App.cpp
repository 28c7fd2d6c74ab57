#include "framework/app/App.h"

#include <iostream>

#include "framework/app/AssetSearch.h"
#include "framework/app/FramePacer.h"
#include "framework/app/Window.h"
#include "framework/platform/DebugStream.h"
#include "framework/platform/Platform.h"

namespace reef::app {

App* App::instance_ = nullptr;

App::App()
    : startTime_(platform::clockSeconds()), frameRate_(std::make_unique<FrameRateSampler>()) {}

App::~App() {
    if (instance_ == this) {
        instance_ = nullptr;
    }
}

void App::enablePowerManagement(bool enable) {
    powerManagement_ = enable;
    platform::setScreenSaverInhibited(!enable);
}

void App::setWindowPos(Vec2i pos) {
    if (WindowRef window = getWindow()) {
        window->setPos(pos);
    }
}

std::string App::getAppPath() const {
    const boost::filesystem::path exe(platform::executablePath());
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

void App::runUpdate() {
    signalUpdate_();
    update();
    ++frameCount_;
    frameRate_->sample(getElapsedSeconds(), frameCount_);
}

double App::getElapsedSeconds() const {
    return elapsedSource_ ? elapsedSource_() : platform::clockSeconds() - startTime_;
}

float App::getAverageFps() const {
    return frameRate_->getAverageFps();
}

int App::getWindowWidth() const {
    return getWindow()->getWidth();
}
int App::getWindowHeight() const {
    return getWindow()->getHeight();
}
Vec2i App::getWindowSize() const {
    return getWindow()->getSize();
}
float App::getWindowAspectRatio() const {
    return getWindow()->getAspectRatio();
}

boost::filesystem::path App::getAssetPath(const std::string& relativePath) {
    if (!assetSearchDone_) {
        const boost::filesystem::path exe(platform::executablePath());
        const boost::filesystem::path found = findAssetDirectory(exe.parent_path());
        if (!found.empty()) {
            assetDirectories_.push_back(found);
        }
        assetSearchDone_ = true;
    }
    return resolveAsset(
        assetDirectories_.empty() ? boost::filesystem::path() : assetDirectories_.front(),
        relativePath);
}

DataSourceRef App::loadAsset(const std::string& relativePath) {
    const boost::filesystem::path path = getAssetPath(relativePath);
    if (path.empty()) {
        throw AssetLoadExc(relativePath);
    }
    return std::make_shared<DataSourcePath>(path.string());
}

std::ostream& App::console() {
    if (consoleIsStdout_) {
        return std::cout;
    }
    if (!console_) {
        console_ = std::make_unique<platform::dostream>();
    }
    return *console_;
}

}  // namespace reef::app
