#include "framework/gl/GlslProgCompileExc.h"

namespace reef::gl {

namespace {

constexpr size_t kMaxLogLength = 15000;

std::string stagePrefix(GLenum shaderType) {
    switch (shaderType) {
        case GL_VERTEX_SHADER:
            return "VERTEX: ";
        case GL_FRAGMENT_SHADER:
            return "FRAGMENT: ";
        case GL_GEOMETRY_SHADER_EXT:
            return "GEOMETRY: ";
        default:
            return "UNKNOWN: ";
    }
}

}  // namespace

GlslProgCompileExc::GlslProgCompileExc(const std::string& log, GLenum shaderType)
    : Exception(stagePrefix(shaderType) + log.substr(0, kMaxLogLength)), shaderType_(shaderType) {}

}  // namespace reef::gl
