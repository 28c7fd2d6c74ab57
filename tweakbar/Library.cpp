#include "tweakbar/Library.h"

#include <algorithm>

namespace tweakbar {

Library& Library::get() {
    static Library* library = new Library;
    return *library;
}

void Library::initialise() {
    initialised_ = true;
    currentWindow_ = 0;
    wheelPosition_ = 0;
}

bool Library::terminate() {
    for (const auto& [id, context] : contexts_) {
        if (context->drawing()) {
            return false;
        }
    }
    contexts_.clear();
    enums_ = std::make_unique<EnumRegistry>();
    initialised_ = false;
    currentWindow_ = 0;
    fontScale_ = 1.0f;
    return true;
}

bool Library::fail(std::string message) {
    error_ = std::move(message);
    hasError_ = true;
    return false;
}

const char* Library::takeError() {
    if (!hasError_) {
        return nullptr;
    }
    hasError_ = false;
    reportedError_ = std::move(error_);
    return reportedError_.c_str();
}

WindowContext& Library::currentContext() {
    auto& context = contexts_[currentWindow_];
    if (!context) {
        context = std::make_unique<WindowContext>(fontScale_);
    }
    return *context;
}

WindowContext* Library::currentContextIfMade() {
    auto it = contexts_.find(currentWindow_);
    return it == contexts_.end() ? nullptr : it->second.get();
}

Bar* Library::findBar(const TwBar* handle, WindowContext** owner) {
    // Compared as addresses only: a stale handle is never dereferenced.
    const Bar* bar = reinterpret_cast<const Bar*>(handle);
    for (const auto& [id, context] : contexts_) {
        if (context->owns(bar)) {
            if (owner) {
                *owner = context.get();
            }
            return const_cast<Bar*>(bar);
        }
    }
    return nullptr;
}

int Library::wheelMovedTo(int position) {
    int delta = position - wheelPosition_;
    wheelPosition_ = position;
    return delta;
}

}  // namespace tweakbar
