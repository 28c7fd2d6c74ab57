#pragma once
// A shared handle to a GLSL program built from vertex, fragment and optional
// geometry sources; the last handle deletes it. Building does not fail on the
// link status: a program that fails to link is still non-empty, its lookups
// give -1, and isLinked() tells. Uniform locations are cached per program,
// misses (-1) included.

#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/DataSource.h"
#include "framework/math/Vector.h"

namespace reef::gl {

class GlslProg {
public:
    GlslProg() = default;
    // Compiles the vertex stage first. Throws GlslProgCompileExc for the first
    // stage that fails to compile, and reef::Exception when a source cannot be read.
    GlslProg(DataSourceRef vertexShader, DataSourceRef fragmentShader = DataSourceRef(),
             DataSourceRef geometryShader = DataSourceRef(), GLint geometryInputType = GL_POINTS,
             GLint geometryOutputType = GL_TRIANGLES, GLint geometryOutputVertices = 0);

    // Generic attribute names and the locations to bind them to.
    using AttribLocations = std::vector<std::pair<std::string, GLuint>>;
    // As the constructor, with the attribute locations bound before linking, so
    // that programs sharing an attribute array agree on its location. Names a
    // program does not use are ignored.
    static GlslProg withAttribLocations(DataSourceRef vertexShader, DataSourceRef fragmentShader,
                                        const AttribLocations& locations);

    explicit operator bool() const { return static_cast<bool>(obj_); }
    void reset() { obj_.reset(); }

    void bind() const;
    static void unbind();
    GLuint getHandle() const;
    // Whether the program linked; false for an empty handle.
    bool isLinked() const;
    // The driver's link log, empty when it has nothing to say.
    std::string getLinkLog() const;

    GLint getUniformLocation(const std::string& name) const;
    // Not cached; -1 when the program lacks the attribute.
    GLint getAttribLocation(const std::string& name) const;

    // Act on the program in use: bind first. A name the program lacks is ignored.
    void uniform(const std::string& name, int value) const;
    void uniform(const std::string& name, float value) const;
    void uniform(const std::string& name, const Vec2f& value) const;
    void uniform(const std::string& name, const Vec3f& value) const;
    void uniform(const std::string& name, const Vec3f* values, int count) const;

private:
    struct Obj;

    GlslProg(DataSourceRef vertexShader, DataSourceRef fragmentShader, DataSourceRef geometryShader,
             GLint geometryInputType, GLint geometryOutputType, GLint geometryOutputVertices,
             const AttribLocations& locations);

    std::shared_ptr<Obj> obj_;
};

}  // namespace reef::gl
