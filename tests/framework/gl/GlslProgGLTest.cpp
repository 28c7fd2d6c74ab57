// Shader programs: compile errors with their stage prefix, the vertex stage
// first, silent link failures, cached uniform locations.

#include "framework/gl/GlslProg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/gl/GlslProgCompileExc.h"
#include "tests/framework/image/TestImages.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

using gl::GlslProg;

const char* kVertex = R"(
attribute float in_height;
varying float height;
void main() {
    height = in_height;
    gl_Position = ftransform();
}
)";
const char* kFragment = R"(
uniform vec3 tint;
uniform float gain;
uniform vec3 lights[3];
varying float height;
void main() {
    gl_FragColor = vec4(tint * gain + lights[2] * height, 1.0);
}
)";
const char* kBroken = "void main() { this is not GLSL }\n";
// Reads a varying the vertex stage never writes: compiles, fails to link.
const char* kUnlinkableFragment = R"(
varying vec3 neverWritten;
void main() { gl_FragColor = vec4(neverWritten, 1.0); }
)";

class GlslProgGLTest : public GlTest {
protected:
    DataSourceRef source(const std::string& name, const std::string& text) {
        return std::make_shared<DataSourcePath>(
            dir_.write(name, std::vector<uint8_t>(text.begin(), text.end())));
    }

    TempDir dir_;
};

TEST_F(GlslProgGLTest, CompileErrorsNameTheStageVertexFirst) {
    const struct {
        const char* name;
        const char* vertex;
        const char* fragment;
        const char* prefix;
        GLenum type;
    } cases[] = {
        {"broken vertex", kBroken, kFragment, "VERTEX: ", GL_VERTEX_SHADER},
        {"broken fragment", kVertex, kBroken, "FRAGMENT: ", GL_FRAGMENT_SHADER},
        {"both broken: only the vertex error", kBroken, kBroken, "VERTEX: ", GL_VERTEX_SHADER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            GlslProg prog(source("v.glsl", c.vertex), source("f.glsl", c.fragment));
            ADD_FAILURE() << "no exception";
        } catch (const gl::GlslProgCompileExc& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(c.prefix, 0), 0u) << message;
            EXPECT_GT(message.size(), std::strlen(c.prefix)) << "the compiler log is missing";
            EXPECT_EQ(e.getShaderType(), c.type);
        }
    }
}

TEST_F(GlslProgGLTest, UniformsAndAttributes) {
    const GlslProg prog(source("v.glsl", kVertex), source("f.glsl", kFragment));
    ASSERT_TRUE(prog);
    prog.bind();
    const GLint tint = prog.getUniformLocation("tint");
    EXPECT_GE(tint, 0);
    EXPECT_EQ(prog.getUniformLocation("tint"), tint);
    EXPECT_GE(prog.getAttribLocation("in_height"), 0);
    EXPECT_EQ(prog.getAttribLocation("absent"), -1);

    prog.uniform("tint", Vec3f(0.25f, 0.5f, 0.75f));
    prog.uniform("gain", 2.0f);
    const Vec3f lights[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    prog.uniform("lights", lights, 3);
    GLfloat value[3] = {0, 0, 0};
    glGetUniformfv(prog.getHandle(), tint, value);
    EXPECT_FLOAT_EQ(value[2], 0.75f);
    glGetUniformfv(prog.getHandle(), prog.getUniformLocation("gain"), value);
    EXPECT_FLOAT_EQ(value[0], 2.0f);
    glGetUniformfv(prog.getHandle(), prog.getUniformLocation("lights[2]"), value);
    EXPECT_FLOAT_EQ(value[2], 1.0f);

    // Names the program lacks: -1, cached, and setting them raises no GL error.
    EXPECT_EQ(prog.getUniformLocation("missing"), -1);
    prog.uniform("missing", 1);
    prog.uniform("missing", 1.0f);
    prog.uniform("missing", Vec2f(1, 2));
    prog.uniform("missing", Vec3f(1, 2, 3));
    EXPECT_EQ(prog.getUniformLocation("missing"), -1);
    GlslProg::unbind();
}

TEST_F(GlslProgGLTest, LinkFailureLeavesAProgramWhoseLookupsGiveMinusOne) {
    const GlslProg prog(source("v.glsl", kVertex), source("f.glsl", kUnlinkableFragment));
    ASSERT_TRUE(prog);
    EXPECT_NE(prog.getHandle(), 0u);
    EXPECT_EQ(prog.getUniformLocation("tint"), -1);
    EXPECT_EQ(prog.getAttribLocation("in_height"), -1);
}

TEST_F(GlslProgGLTest, SharedHandleDeletesTheProgramWithTheLastCopy) {
    GlslProg empty;
    EXPECT_FALSE(empty);
    GlslProg prog(source("v.glsl", kVertex), source("f.glsl", kFragment));
    const GLuint handle = prog.getHandle();
    GlslProg copy = prog;
    prog.reset();
    EXPECT_EQ(glIsProgram(handle), GL_TRUE);
    copy.reset();
    EXPECT_EQ(glIsProgram(handle), GL_FALSE);
}

TEST_F(GlslProgGLTest, AttributeLocationsBoundBeforeLinking) {
    const char* vertex = R"(
attribute float in_height;
attribute vec2 in_offset;
varying float height;
void main() {
    height = in_height + in_offset.x;
    gl_Position = ftransform();
}
)";
    const struct {
        const char* name;
        GLuint height, offset;
    } cases[] = {
        {"low locations", 1, 2},
        {"reversed", 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GlslProg prog = GlslProg::withAttribLocations(
            source("v.glsl", vertex), source("f.glsl", kFragment),
            {{"in_height", c.height}, {"in_offset", c.offset}, {"in_unused", 5}});
        ASSERT_TRUE(prog);
        EXPECT_EQ(prog.getAttribLocation("in_height"), static_cast<GLint>(c.height));
        EXPECT_EQ(prog.getAttribLocation("in_offset"), static_cast<GLint>(c.offset));
        EXPECT_EQ(prog.getAttribLocation("in_unused"), -1);
        EXPECT_GE(prog.getUniformLocation("tint"), 0);
    }
    // Compile errors are reported as by the constructor.
    EXPECT_THROW(GlslProg::withAttribLocations(source("v.glsl", kVertex), source("f.glsl", kBroken),
                                               {{"in_height", 1}}),
                 gl::GlslProgCompileExc);
}

TEST_F(GlslProgGLTest, MissingSourceFileThrows) {
    EXPECT_THROW(GlslProg(std::make_shared<DataSourcePath>(dir_.path() + "/absent.glsl"),
                          source("f.glsl", kFragment)),
                 Exception);
}

}  // namespace
}  // namespace reef::test
