#pragma once
// OpenGL extension test by name against the GL_EXTENSIONS string. The string
// and the answers are cached for the life of the process (one GL context),
// so the first call must come after the context is current.

#include <string>

namespace reef::gl {

bool isExtensionAvailable(const std::string& extensionName);

}  // namespace reef::gl
