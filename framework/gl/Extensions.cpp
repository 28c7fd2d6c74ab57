#include "framework/gl/Extensions.h"

#include <epoxy/gl.h>

#include <map>

namespace reef::gl {

bool isExtensionAvailable(const std::string& extensionName) {
    static const std::string extensions = [] {
        const GLubyte* text = glGetString(GL_EXTENSIONS);
        return text != nullptr ? std::string(reinterpret_cast<const char*>(text)) : std::string();
    }();
    static std::map<std::string, bool> answers;

    const auto cached = answers.find(extensionName);
    if (cached != answers.end()) {
        return cached->second;
    }
    bool found = false;
    size_t start = 0;
    while (!found && start < extensions.size()) {
        size_t end = extensions.find(' ', start);
        if (end == std::string::npos) {
            end = extensions.size();
        }
        found = end - start == extensionName.size() &&
                extensions.compare(start, end - start, extensionName) == 0;
        start = end + 1;
    }
    answers[extensionName] = found;
    return found;
}

}  // namespace reef::gl
