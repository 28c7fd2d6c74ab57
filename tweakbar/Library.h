#pragma once
// The process-wide state behind the C API: the window contexts, the current
// window, the enumerated types and the last error.

#include <map>
#include <memory>
#include <string>

#include "tweakbar/Bar.h"
#include "tweakbar/EnumRegistry.h"
#include "tweakbar/TweakBar.h"
#include "tweakbar/WindowContext.h"

namespace tweakbar {

class Library {
public:
    // The one state of the process. It is never destroyed, so a TwTerminate run
    // from another object's destructor at exit still finds it.
    static Library& get();

    bool initialised() const { return initialised_; }
    void initialise();
    // Destroys every window context; false while one of them is drawing.
    bool terminate();

    // Records an error for TwGetLastError; returns false for the caller's use.
    bool fail(std::string message);
    const char* takeError();

    int currentWindow() const { return currentWindow_; }
    void setCurrentWindow(int id) { currentWindow_ = id; }
    // The current window's context, made on first use.
    WindowContext& currentContext();
    WindowContext* currentContextIfMade();
    // The bar behind a handle in any window, or null for a handle we never gave.
    Bar* findBar(const TwBar* handle, WindowContext** owner = nullptr);

    EnumRegistry& enums() { return *enums_; }
    int newId() { return nextId_++; }

    // Applies to window contexts made afterwards.
    void setFontScale(float scale) { fontScale_ = scale; }
    // Returns the change since the last position.
    int wheelMovedTo(int position);
    // Kept for string entries, which this library does not offer yet.
    void setCopyStringFunction(TwCopyStdStringToClient f) { copyString_ = f; }
    TwCopyStdStringToClient copyStringFunction() const { return copyString_; }

private:
    Library() = default;

    bool initialised_ = false;
    std::map<int, std::unique_ptr<WindowContext>> contexts_;
    std::unique_ptr<EnumRegistry> enums_ = std::make_unique<EnumRegistry>();
    int currentWindow_ = 0;
    int nextId_ = 1;
    float fontScale_ = 1.0f;
    int wheelPosition_ = 0;
    TwCopyStdStringToClient copyString_ = nullptr;
    std::string error_, reportedError_;
    bool hasError_ = false;
};

}  // namespace tweakbar
