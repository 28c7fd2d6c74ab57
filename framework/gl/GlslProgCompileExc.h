#pragma once
// A shader stage failed to compile. The message is the stage's prefix
// ("VERTEX: ", "FRAGMENT: ", "GEOMETRY: " or "UNKNOWN: ") followed by at most
// 15000 characters of the compiler's log.

#include <epoxy/gl.h>

#include <string>

#include "framework/Exception.h"

namespace reef::gl {

class GlslProgCompileExc : public Exception {
public:
    GlslProgCompileExc(const std::string& log, GLenum shaderType);

    GLenum getShaderType() const { return shaderType_; }

private:
    GLenum shaderType_;
};

}  // namespace reef::gl
