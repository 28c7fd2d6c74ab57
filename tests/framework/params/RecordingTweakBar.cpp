#include "tests/framework/params/RecordingTweakBar.h"

#include <string>

#include "tweakbar/TweakBar.h"

namespace recording {

Log& log() {
    // Never destroyed: the library is terminated by a static destructor at exit,
    // which still records its call.
    static Log* instance = new Log;
    return *instance;
}

void clear() {
    // The string-copy function is registered once per panel; keep it.
    const auto copyString = log().copyString;
    log() = Log();
    log().copyString = copyString;
}

}  // namespace recording

namespace {

using recording::log;

std::string str(const char* s) {
    return s ? std::string(s) : std::string("(null)");
}

void record(const std::string& call) {
    log().calls.push_back(call);
}

// Any non-null address will do as a bar handle.
TwBar* fakeBar() {
    return reinterpret_cast<TwBar*>(0x1000);
}

}  // namespace

extern "C" {

int TwInit(TwGraphAPI api, void*) {
    record("TwInit(" + std::to_string(int(api)) + ")");
    return log().initResult;
}
int TwTerminate(void) {
    record("TwTerminate()");
    return 1;
}
int TwSetCurrentWindow(int id) {
    record("TwSetCurrentWindow(" + std::to_string(id) + ")");
    return 1;
}
int TwGetCurrentWindow(void) {
    return 0;
}
int TwWindowSize(int w, int h) {
    record("TwWindowSize(" + std::to_string(w) + ", " + std::to_string(h) + ")");
    return 1;
}
int TwDraw(void) {
    record("TwDraw()");
    return 1;
}
TwBar* TwNewBar(const char* name) {
    record("TwNewBar(" + str(name) + ")");
    return fakeBar();
}
int TwDeleteBar(TwBar*) {
    record("TwDeleteBar()");
    return 1;
}
int TwDeleteAllBars(void) {
    return 1;
}
int TwDefine(const char* def) {
    record("TwDefine(" + str(def) + ")");
    return 1;
}
TwType TwDefineEnum(const char* name, const TwEnumVal* values, unsigned int count) {
    std::string text = "TwDefineEnum(" + str(name);
    for (unsigned i = 0; i < count; ++i) {
        text += ", " + std::to_string(values[i].Value) + "=" + str(values[i].Label);
    }
    record(text + ")");
    return static_cast<TwType>(100);
}
int TwAddVarRW(TwBar*, const char* name, TwType type, void*, const char* def) {
    record("TwAddVarRW(" + str(name) + ", " + std::to_string(int(type)) + ", " + str(def) + ")");
    return 1;
}
int TwAddVarRO(TwBar*, const char* name, TwType type, const void*, const char* def) {
    record("TwAddVarRO(" + str(name) + ", " + std::to_string(int(type)) + ", " + str(def) + ")");
    return 1;
}
int TwAddVarCB(TwBar*, const char* name, TwType type, TwSetVarCallback set, TwGetVarCallback get,
               void* clientData, const char* def) {
    record("TwAddVarCB(" + str(name) + ", " + std::to_string(int(type)) + ", " + str(def) + ")");
    log().lastSetter = set;
    log().lastGetter = get;
    log().lastClientData = clientData;
    return 1;
}
int TwAddButton(TwBar*, const char* name, TwButtonCallback callback, void* clientData,
                const char* def) {
    record("TwAddButton(" + str(name) + ", " + str(def) + ")");
    log().lastButton = callback;
    log().lastClientData = clientData;
    return 1;
}
int TwAddSeparator(TwBar*, const char* name, const char* def) {
    record("TwAddSeparator(" + str(name) + ", " + str(def) + ")");
    return 1;
}
int TwRemoveVar(TwBar*, const char* name) {
    record("TwRemoveVar(" + str(name) + ")");
    return 1;
}
int TwRemoveAllVars(TwBar*) {
    return 1;
}
int TwMouseButton(TwMouseAction action, TwMouseButtonID button) {
    record("TwMouseButton(" + std::to_string(int(action)) + ", " + std::to_string(int(button)) +
           ")");
    return log().nextInputResult;
}
int TwMouseMotion(int x, int y) {
    record("TwMouseMotion(" + std::to_string(x) + ", " + std::to_string(y) + ")");
    return log().nextInputResult;
}
int TwMouseWheel(int pos) {
    record("TwMouseWheel(" + std::to_string(pos) + ")");
    return log().nextInputResult;
}
int TwKeyPressed(int key, int modifiers) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%04x", modifiers);
    record("TwKeyPressed(" + std::to_string(key) + ", " + hex + ")");
    return log().nextInputResult;
}
const char* TwGetLastError(void) {
    return nullptr;
}

}  // extern "C"

void TwCopyStdStringToClientFunc(TwCopyStdStringToClient func) {
    record("TwCopyStdStringToClientFunc()");
    log().copyString = func;
}
