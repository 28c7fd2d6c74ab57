#pragma once
// Holds the tweak-bar library for the life of the process: its construction
// is the only TwInit, its destruction the only TwTerminate.

#include <memory>

namespace reef::params {

class AntMgr {
public:
    // Throws reef::Exception when the library cannot start.
    explicit AntMgr(int fontScale);
    ~AntMgr();
    AntMgr(const AntMgr&) = delete;
    AntMgr& operator=(const AntMgr&) = delete;

    // Creates the process-wide instance on first use.
    static void ensureStarted(int fontScale);
    static bool isStarted();
};

}  // namespace reef::params
