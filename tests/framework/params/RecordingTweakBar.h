#pragma once
// A stand-in for the tweak-bar library that records every call as text, so
// tests can check exactly what the panel wrapper asks of it.

#include <string>
#include <vector>

namespace recording {

struct Log {
    std::vector<std::string> calls;
    int nextInputResult = 0;  // what the input calls return
    int initResult = 1;
    // Client data and callbacks of the last TwAddVarCB / TwAddButton.
    void* lastClientData = nullptr;
    void (*lastSetter)(const void*, void*) = nullptr;
    void (*lastGetter)(void*, void*) = nullptr;
    void (*lastButton)(void*) = nullptr;
    void (*copyString)(std::string&, const std::string&) = nullptr;
};

Log& log();
void clear();

}  // namespace recording
