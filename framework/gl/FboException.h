#pragma once
// Failures of framebuffer creation. InvalidSpecification carries a message
// naming why the framebuffer is incomplete (at most 255 characters).

#include <string>

#include "framework/Exception.h"

namespace reef::gl {

class FboException : public Exception {
public:
    using Exception::Exception;
};

class FboExceptionInvalidSpecification : public FboException {
public:
    explicit FboExceptionInvalidSpecification(const std::string& message)
        : FboException(message.substr(0, 255)) {}
};

}  // namespace reef::gl
