#include "framework/gl/GlslProg.h"

#include <cassert>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "framework/gl/Extensions.h"
#include "framework/gl/GlslProgCompileExc.h"

namespace reef::gl {

struct GlslProg::Obj {
    Obj() = default;
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;
    ~Obj() {
        if (handle != 0) {
            glDeleteProgram(handle);
        }
    }

    GLuint handle = 0;
    // Lookups on a program that failed to link would raise GL errors; they
    // answer -1 without asking GL instead.
    bool linked = false;
    std::map<std::string, GLint> uniformLocations;
};

namespace {

std::string readSource(const DataSource& source) {
    if (!source.isFilePath()) {
        throw Exception("shader source is not a readable file");
    }
    std::ifstream in(source.getFilePath(), std::ios::binary);
    if (!in) {
        throw Exception(source.getFilePath() + ": cannot open shader source");
    }
    // std::string keeps the NUL terminator GL expects after the bytes.
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw Exception(source.getFilePath() + ": cannot read shader source");
    }
    return text;
}

// Compiles one stage and attaches it; the shader object then lives as long as
// the program (deleting an attached shader only flags it).
void attachShader(GLuint program, const DataSource& source, GLenum type) {
    const std::string text = readSource(source);
    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        throw GlslProgCompileExc("this OpenGL cannot create the shader stage", type);
    }
    const GLchar* sources[] = {text.c_str()};
    glShaderSource(shader, 1, sources, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        std::string log;
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        if (length > 0) {
            std::vector<GLchar> buffer(static_cast<size_t>(length) + 1, '\0');
            glGetShaderInfoLog(shader, length, nullptr, buffer.data());
            log = buffer.data();
        }
        glDeleteShader(shader);
        throw GlslProgCompileExc(log, type);
    }
    glAttachShader(program, shader);
    glDeleteShader(shader);
}

}  // namespace

GlslProg::GlslProg(DataSourceRef vertexShader, DataSourceRef fragmentShader,
                   DataSourceRef geometryShader, GLint geometryInputType, GLint geometryOutputType,
                   GLint geometryOutputVertices)
    : GlslProg(std::move(vertexShader), std::move(fragmentShader), std::move(geometryShader),
               geometryInputType, geometryOutputType, geometryOutputVertices, AttribLocations()) {}

GlslProg GlslProg::withAttribLocations(DataSourceRef vertexShader, DataSourceRef fragmentShader,
                                       const AttribLocations& locations) {
    return GlslProg(std::move(vertexShader), std::move(fragmentShader), DataSourceRef(), GL_POINTS,
                    GL_TRIANGLES, 0, locations);
}

GlslProg::GlslProg(DataSourceRef vertexShader, DataSourceRef fragmentShader,
                   DataSourceRef geometryShader, GLint geometryInputType, GLint geometryOutputType,
                   GLint geometryOutputVertices, const AttribLocations& locations) {
    // Owned from the start, so a stage that throws deletes the partial program.
    auto obj = std::make_shared<Obj>();
    obj->handle = glCreateProgram();
    if (vertexShader) {
        attachShader(obj->handle, *vertexShader, GL_VERTEX_SHADER);
    }
    if (fragmentShader) {
        attachShader(obj->handle, *fragmentShader, GL_FRAGMENT_SHADER);
    }
    if (geometryShader) {
        attachShader(obj->handle, *geometryShader, GL_GEOMETRY_SHADER_EXT);
        // The entry point exists only with the extension; without it the stage
        // above has already failed to compile.
        if (isExtensionAvailable("GL_EXT_geometry_shader4")) {
            glProgramParameteriEXT(obj->handle, GL_GEOMETRY_INPUT_TYPE_EXT, geometryInputType);
            glProgramParameteriEXT(obj->handle, GL_GEOMETRY_OUTPUT_TYPE_EXT, geometryOutputType);
            glProgramParameteriEXT(obj->handle, GL_GEOMETRY_VERTICES_OUT_EXT,
                                   geometryOutputVertices);
        }
    }
    for (const auto& [name, location] : locations) {
        glBindAttribLocation(obj->handle, location, name.c_str());
    }
    glLinkProgram(obj->handle);
    GLint linked = GL_FALSE;
    glGetProgramiv(obj->handle, GL_LINK_STATUS, &linked);
    obj->linked = linked == GL_TRUE;
    obj_ = std::move(obj);
}

void GlslProg::bind() const {
    glUseProgram(getHandle());
}

void GlslProg::unbind() {
    glUseProgram(0);
}

GLuint GlslProg::getHandle() const {
    return obj_ ? obj_->handle : 0;
}

bool GlslProg::isLinked() const {
    return obj_ && obj_->linked;
}

std::string GlslProg::getLinkLog() const {
    if (!obj_) {
        return std::string();
    }
    GLint length = 0;
    glGetProgramiv(obj_->handle, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0) {
        return std::string();
    }
    std::vector<GLchar> buffer(static_cast<size_t>(length) + 1, '\0');
    glGetProgramInfoLog(obj_->handle, length, nullptr, buffer.data());
    return buffer.data();
}

GLint GlslProg::getUniformLocation(const std::string& name) const {
    assert(obj_ && "uniform lookup on an empty GlslProg");
    const auto found = obj_->uniformLocations.find(name);
    if (found != obj_->uniformLocations.end()) {
        return found->second;
    }
    const GLint location = obj_->linked ? glGetUniformLocation(obj_->handle, name.c_str()) : -1;
    obj_->uniformLocations[name] = location;
    return location;
}

GLint GlslProg::getAttribLocation(const std::string& name) const {
    assert(obj_ && "attribute lookup on an empty GlslProg");
    return obj_->linked ? glGetAttribLocation(obj_->handle, name.c_str()) : -1;
}

void GlslProg::uniform(const std::string& name, int value) const {
    glUniform1i(getUniformLocation(name), value);
}

void GlslProg::uniform(const std::string& name, float value) const {
    glUniform1f(getUniformLocation(name), value);
}

void GlslProg::uniform(const std::string& name, const Vec2f& value) const {
    glUniform2f(getUniformLocation(name), value.x, value.y);
}

void GlslProg::uniform(const std::string& name, const Vec3f& value) const {
    glUniform3f(getUniformLocation(name), value.x, value.y, value.z);
}

void GlslProg::uniform(const std::string& name, const Vec3f* values, int count) const {
    glUniform3fv(getUniformLocation(name), count, &values->x);
}

}  // namespace reef::gl
