#pragma once
// THALORIN_LONG_TESTS=1 in the environment asks the reliability tests for
// their long forms (hours instead of minutes).

#include <cstdlib>
#include <string>

namespace thalorin {

inline bool longTests() {
    const char* value = std::getenv("THALORIN_LONG_TESTS");
    return value != nullptr && std::string(value) == "1";
}

}  // namespace thalorin
