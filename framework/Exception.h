#pragma once

#include <stdexcept>
#include <string>

namespace reef {

// Base of every exception the framework throws.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message = "") : std::runtime_error(message) {}
};

}  // namespace reef
