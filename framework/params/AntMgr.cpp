#include "framework/params/AntMgr.h"

#include <string>

#include "framework/Exception.h"
#include "tweakbar/TweakBar.h"

namespace reef::params {

namespace {

// Released at process exit, after every panel.
std::shared_ptr<AntMgr>& instance() {
    static std::shared_ptr<AntMgr> mgr;
    return mgr;
}

}  // namespace

AntMgr::AntMgr(int fontScale) {
    if (fontScale > 1) {
        TwDefine((" GLOBAL fontscaling= " + std::to_string(fontScale)).c_str());
    }
    if (!TwInit(TW_OPENGL, nullptr)) {
        throw Exception("the tweak-bar library could not start");
    }
}

AntMgr::~AntMgr() {
    TwTerminate();
}

void AntMgr::ensureStarted(int fontScale) {
    if (!instance()) {
        instance() = std::make_shared<AntMgr>(fontScale);
    }
}

bool AntMgr::isStarted() {
    return static_cast<bool>(instance());
}

}  // namespace reef::params
