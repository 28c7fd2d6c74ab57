#pragma once
// An output stream whose text is collected and emitted, on every flush, as one
// message on the debugger output channel (standard error here).

#include <ostream>
#include <sstream>
#include <string>

#include "framework/platform/Platform.h"

namespace reef::platform {

template <typename CharT>
class basic_debugbuf : public std::basic_stringbuf<CharT> {
protected:
    int sync() override {
        const std::basic_string<CharT> text = this->str();
        if (!text.empty()) {
            debugOutput(std::string(text.begin(), text.end()));
            this->str(std::basic_string<CharT>());
        }
        return 0;
    }
};

template <typename CharT>
class basic_dostream : public std::basic_ostream<CharT> {
public:
    basic_dostream() : std::basic_ostream<CharT>(&buffer_) {}
    ~basic_dostream() override { buffer_.pubsync(); }

private:
    basic_debugbuf<CharT> buffer_;
};

using dostream = basic_dostream<char>;

}  // namespace reef::platform
