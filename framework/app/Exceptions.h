#pragma once

#include <string>

#include "framework/Exception.h"

namespace reef::app {

// An asset that the asset search cannot find; the message is the relative path
// exactly as asked for (at most 4096 characters).
class AssetLoadExc : public Exception {
public:
    explicit AssetLoadExc(const std::string& relativePath)
        : Exception(relativePath.substr(0, 4096)) {}
};

// An operation on a window whose native window has been closed.
class ExcInvalidWindow : public Exception {
public:
    ExcInvalidWindow() : Exception("the window has been closed") {}
};

}  // namespace reef::app
