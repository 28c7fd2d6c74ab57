// The seven shader programs of the asset directory: they compile and link,
// "in_height" sits at the shared location, every uniform the passes set is
// active; the loader's resolution order and error reports; and small renders
// that check what the programs compute (gradient by height, occlusion in a
// crease, the occlusion image's upside-down orientation).
//
// Renders are 64 x 64 into an Fbo under identity matrices, so vertex
// positions are clip coordinates; the quad lies at z = -0.5, in front of the
// eye-space origin.

#include "render/ProgramLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/app/Exceptions.h"
#include "framework/gl/Fbo.h"
#include "framework/gl/GlslProgCompileExc.h"
#include "framework/gl/State.h"
#include "framework/gl/Texture.h"
#include "render/TextureDirectory.h"
#include "tests/framework/gl/GlTestUtil.h"
#include "tests/framework/image/TestImages.h"
#include "tests/support/GlTestEnvironment.h"

namespace thalorin {
namespace {

using reef::gl::Fbo;
using reef::gl::GlslProg;
using reef::gl::Texture;

// One pixel of the bound framebuffer as ints, so that failures print numbers.
std::array<int, 4> pixel(int x, int y) {
    const std::array<uint8_t, 4> rgba = reef::test::readPixel(x, y);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

const std::string kAssets = std::string(THALORIN_SOURCE_DIR) + "/assets/";

// The application's loadAsset, over the source tree's asset directory.
reef::DataSourceRef loadAsset(const std::string& relativePath) {
    const std::string path = kAssets + relativePath;
    if (!std::filesystem::exists(path)) {
        throw reef::app::AssetLoadExc(relativePath);
    }
    return std::make_shared<reef::DataSourcePath>(path);
}

bool linked(const GlslProg& prog, std::string* log) {
    GLint status = GL_FALSE;
    glGetProgramiv(prog.getHandle(), GL_LINK_STATUS, &status);
    GLint length = 0;
    glGetProgramiv(prog.getHandle(), GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> buffer(static_cast<size_t>(length) + 1, '\0');
    if (length > 0) {
        glGetProgramInfoLog(prog.getHandle(), length, nullptr, buffer.data());
    }
    *log = buffer.data();
    return status == GL_TRUE;
}

class ShaderProgramsGLTest : public GlTest {};

TEST_F(ShaderProgramsGLTest, AllSevenLinkWithEveryUniformThePassesSet) {
    const struct {
        const char* name;
        bool height;  // takes "in_height"
        std::vector<const char*> uniforms;
    } cases[] = {
        {"blur", false, {"tex0", "sampleOffset"}},
        {"phong", true, {"tex0", "tex1", "texAlpha", "numLights"}},
        {"bumpGrad", true, {"tex0", "tex1", "tex2", "texAlpha"}},
        // No pass sets any of bump's uniforms.
        {"bump", false, {"tex0"}},
        {"normaldepth", false, {"farPlane"}},
        {"ssao",
         false,
         {"normalMap", "rnm", "finalStrength", "totStrength", "strength", "offset", "falloff",
          "rad"}},
        {"sss",
         true,
         {"lightPosition", "lightColor", "cameraPosition", "depthMap", "colorTex", "power", "scale",
          "distortion", "ambient", "shininess", "viewport", "diffuse", "kC", "kL", "kQ",
          "specScale"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GlslProg prog = loadProgram(loadAsset, c.name);
        ASSERT_TRUE(prog);
        std::string log;
        EXPECT_TRUE(linked(prog, &log)) << log;
        EXPECT_EQ(prog.getAttribLocation("in_height"),
                  c.height ? static_cast<GLint>(kHeightAttribLocation) : -1);
        for (const char* uniform : c.uniforms) {
            EXPECT_NE(prog.getUniformLocation(uniform), -1) << uniform;
        }
    }
}

TEST_F(ShaderProgramsGLTest, LoaderResolvesTheFragmentFileFirst) {
    std::vector<std::string> asked;
    const AssetLoader recording = [&](const std::string& path) {
        asked.push_back(path);
        return loadAsset(path);
    };

    loadProgram(recording, "phong");
    EXPECT_EQ(asked,
              (std::vector<std::string>{"shaders/phong_frag.glsl", "shaders/phong_vert.glsl"}));

    asked.clear();
    try {
        loadProgram(recording, "absent");
        ADD_FAILURE() << "no exception";
    } catch (const reef::app::AssetLoadExc& e) {
        EXPECT_STREQ(e.what(), "shaders/absent_frag.glsl");
    }
    EXPECT_EQ(asked, std::vector<std::string>{"shaders/absent_frag.glsl"});
}

// The two sources of program "x" in a temporary directory, and a loader that
// finds "shaders/x_vert.glsl" and "shaders/x_frag.glsl" there.
class ProgramSources {
public:
    ProgramSources(const std::string& vertex, const std::string& fragment) {
        dir_.write("shaders_x_vert.glsl", {vertex.begin(), vertex.end()});
        dir_.write("shaders_x_frag.glsl", {fragment.begin(), fragment.end()});
    }
    AssetLoader loader() const {
        return [this](const std::string& path) {
            std::string flat = path;
            flat[flat.find('/')] = '_';
            return std::make_shared<reef::DataSourcePath>(dir_.path() + "/" + flat);
        };
    }

private:
    reef::test::TempDir dir_;
};

TEST_F(ShaderProgramsGLTest, CompileErrorNamesTheStage) {
    const std::string good = "void main() { gl_Position = ftransform(); }\n";
    const std::string goodFragment = "void main() { gl_FragColor = vec4(1.0); }\n";
    const std::string broken = "void main() { this is not GLSL }\n";
    const struct {
        const char* name;
        std::string vertex, fragment;
        const char* prefix;
    } cases[] = {
        {"broken vertex", broken, goodFragment, "VERTEX: "},
        {"broken fragment", good, broken, "FRAGMENT: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramSources sources(c.vertex, c.fragment);
        try {
            loadProgram(sources.loader(), "x");
            ADD_FAILURE() << "no exception";
        } catch (const reef::gl::GlslProgCompileExc& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.prefix, 0), 0u) << e.what();
        }
    }
}

// Stages that compile but do not link, as a shader cut short after its
// declarations does: reported in one line naming both files.
TEST_F(ShaderProgramsGLTest, LinkFailureIsReportedOnOneLine) {
    const ProgramSources sources("void main() { gl_Position = ftransform(); }\n",
                                 "uniform sampler2D tex;\nvarying vec2 uv;\n");
    try {
        loadProgram(sources.loader(), "x");
        ADD_FAILURE() << "no exception";
    } catch (const reef::gl::GlslProgCompileExc& e) {
        ADD_FAILURE() << "reported as a compile error: " << e.what();
    } catch (const reef::Exception& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind("LINK: shaders/x_vert.glsl, shaders/x_frag.glsl: ", 0), 0u) << what;
        EXPECT_EQ(what.find('\n'), std::string::npos) << what;
        EXPECT_GT(what.size(), 50u) << "no log in " << what;
    }
}

// ---------------------------------------------------------------------------
// Renders
// ---------------------------------------------------------------------------

constexpr int kSize = 64;

class ShaderRenderGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target_ = Fbo(kSize, kSize);
        saved_ = reef::gl::getViewport();
        reef::gl::setViewport(target_.getBounds());
        target_.bindFramebuffer();
        reef::gl::pushMatrices();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        reef::gl::clear();
        reef::gl::setDepthTest(false);
    }

    void TearDown() override {
        GlslProg::unbind();
        for (GLuint unit = 0; unit < 3; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
        glActiveTexture(GL_TEXTURE0);
        reef::gl::popMatrices();
        Fbo::unbindFramebuffer();
        reef::gl::setViewport(saved_);
        GlTest::TearDown();
    }

    // A quad over the whole target at z = -0.5 facing the viewer, with the
    // height running from 0 at the left edge to 1 at the right.
    static void drawQuad() {
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        glBegin(GL_QUADS);
        for (const auto& corner : corners) {
            glVertexAttrib1f(kHeightAttribLocation, (corner[0] + 1) / 2);
            glNormal3f(0, 0, 1);
            glMultiTexCoord2f(GL_TEXTURE0, (corner[0] + 1) / 2, (corner[1] + 1) / 2);
            glVertex3f(corner[0], corner[1], -0.5f);
        }
        glEnd();
    }

    // A 2 x 1 gradient: red at the start (height 0), blue at the end.
    static Texture redToBlueGradient() {
        const uint8_t texels[] = {255, 0, 0, 0, 0, 255};
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        return Texture(GL_TEXTURE_2D, id, 2, 1);
    }

    // A kSize x kSize luminance texture: `bottom` in rows 0 .. kSize/2 - 1
    // (texture coordinate v < 0.5), `top` above.
    static Texture halves(uint8_t bottom, uint8_t top) {
        reef::Channel8u channel(kSize, kSize);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                channel.setValue(x, y, y < kSize / 2 ? bottom : top);
            }
        }
        return Texture(channel, Texture::Format());
    }

    // Fixed-function light 0 in front of the quad, a white material.
    static void setLightAndMaterial() {
        const GLfloat position[] = {0, 0, 5, 1};
        const GLfloat white[] = {1, 1, 1, 1};
        const GLfloat black[] = {0, 0, 0, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_AMBIENT, black);
        glLightfv(GL_LIGHT0, GL_SPECULAR, black);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT, GL_SPECULAR, black);
        glMaterialf(GL_FRONT, GL_SHININESS, 0);
    }

    // The panel's defaults of the subsurface pass; white lights at z = lightZ,
    // in front of the quad (z > -0.5) or behind it.
    static void setSssUniforms(const GlslProg& prog, float lightZ) {
        const reef::Vec3f positions[3] = {{0, 0, lightZ}, {0.5f, 0, lightZ}, {-0.5f, 0, lightZ}};
        const reef::Vec3f colors[3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
        prog.uniform("lightPosition", positions, 3);
        prog.uniform("lightColor", colors, 3);
        prog.uniform("cameraPosition", reef::Vec3f(0, 0, 10));
        prog.uniform("depthMap", 0);
        prog.uniform("colorTex", 1);
        prog.uniform("power", 4.0f);
        prog.uniform("scale", 9.0f);
        prog.uniform("distortion", 0.185f);
        prog.uniform("ambient", 2.0f);
        prog.uniform("shininess", 0.0f);
        prog.uniform("viewport", reef::Vec2f(kSize, kSize));
        prog.uniform("diffuse", reef::Vec3f(0.85f, 0.63f, 0.51f));
        prog.uniform("kC", 0.5f);
        prog.uniform("kL", 0.05f);
        prog.uniform("kQ", 0.0001f);
        prog.uniform("specScale", 0.0f);
    }

    Fbo target_;
    reef::Area saved_;
};

TEST_F(ShaderRenderGLTest, ColourFollowsTheGradientAlongTheHeight) {
    const Texture gradient = redToBlueGradient();
    const Texture grey = halves(128, 128);  // noise, occlusion: uniform
    const Texture flatNormal = [] {
        const uint8_t texel[] = {128, 128, 255};
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
        return Texture(GL_TEXTURE_2D, id, 1, 1);
    }();
    setLightAndMaterial();

    const char* programs[] = {"phong", "bumpGrad", "sss"};
    for (const char* name : programs) {
        SCOPED_TRACE(name);
        reef::gl::clear();
        const GlslProg prog = loadProgram(loadAsset, name);
        prog.bind();
        if (std::string(name) == "sss") {
            setSssUniforms(prog, 5);
            grey.bind(0);
            gradient.bind(1);
        } else {
            prog.uniform("tex0", 0);
            prog.uniform("tex1", 1);
            prog.uniform("tex2", 2);
            prog.uniform("texAlpha", 0.8f);
            prog.uniform("numLights", 3);
            grey.bind(0);
            gradient.bind(1);
            flatNormal.bind(2);
        }
        drawQuad();
        GlslProg::unbind();

        const std::array<int, 4> left = pixel(2, kSize / 2);
        const std::array<int, 4> right = pixel(kSize - 3, kSize / 2);
        EXPECT_GT(left[0], 40) << "height 0 is lit in the gradient's start colour";
        EXPECT_GT(left[0], 4 * left[2]);
        EXPECT_GT(right[2], 40) << "height 1 is lit in the gradient's end colour";
        EXPECT_GT(right[2], 4 * right[0]);
    }
}

TEST_F(ShaderRenderGLTest, SubsurfaceReadsTheOcclusionImageUpsideDown) {
    // Occlusion 0 (fully dark) in the image's top half, 1 in its bottom half.
    // Stored upside down, that is the view's bottom half dark. The lights
    // shine through the quad from behind, so only the light that crosses the
    // body reaches the eye, and the occlusion scales all of it.
    const Texture occlusion = halves(255, 0);
    const Texture gradient = redToBlueGradient();
    const GlslProg prog = loadProgram(loadAsset, "sss");
    prog.bind();
    setSssUniforms(prog, -5);
    occlusion.bind(0);
    gradient.bind(1);
    drawQuad();
    GlslProg::unbind();

    const int x = kSize / 4;  // reddish: height 0.25
    const int top = pixel(x, kSize - 3)[0];
    const int bottom = pixel(x, 2)[0];
    EXPECT_GT(top, 100) << "light from behind shines through";
    EXPECT_GT(top, bottom + 60) << "the bottom of the view must be the occluded half";
}

TEST_F(ShaderRenderGLTest, OcclusionDarkensACreaseAndLeavesFlatSurfacesAlone) {
    // Normal-depth image: the left half a wall facing the viewer at depth 0.5;
    // the right half a nearer wall at depth 0.45 facing left, across the
    // crease; the top quarter empty (depth 1).
    std::vector<float> pixels(static_cast<size_t>(kSize) * kSize * 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float* p = &pixels[(static_cast<size_t>(y) * kSize + x) * 4];
            if (y >= kSize * 3 / 4) {
                p[0] = p[1] = p[2] = 0;
                p[3] = 1;
            } else if (x < kSize / 2) {
                p[0] = 0.5f, p[1] = 0.5f, p[2] = 1.0f, p[3] = 0.5f;
            } else {
                p[0] = 0.0f, p[1] = 0.5f, p[2] = 0.5f, p[3] = 0.45f;
            }
        }
    }
    Texture::Format format;
    format.internalFormat = GL_RGBA16F;
    const Texture normalDepth(kSize, kSize, format);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, kSize, kSize, 0, GL_RGBA, GL_FLOAT, pixels.data());

    std::vector<Texture> noise;
    std::vector<std::string> names;
    loadTextureDirectory(kAssets + "noise/", noise, names, GL_REPEAT);
    ASSERT_FALSE(noise.empty());

    const GlslProg prog = loadProgram(loadAsset, "ssao");
    prog.bind();
    normalDepth.bind(0);
    noise.front().bind(1);
    prog.uniform("normalMap", 0);
    prog.uniform("rnm", 1);
    prog.uniform("finalStrength", 0.7f);
    prog.uniform("totStrength", 0.38f);
    prog.uniform("strength", 0.3f);
    prog.uniform("offset", 0.002f);
    prog.uniform("falloff", 0.0f);
    prog.uniform("rad", 0.03f);
    drawQuad();
    GlslProg::unbind();

    const int y = kSize / 4;
    EXPECT_EQ(pixel(4, y)[0], 255) << "a flat wall far from the crease is not occluded";
    EXPECT_EQ(pixel(kSize / 2, kSize - 2)[0], 255) << "empty pixels are not occluded";
    EXPECT_EQ(pixel(kSize - 4, y)[0], 255) << "the nearer wall sees nothing nearer";
    int darkest = 255;
    for (int x = kSize / 2 - 3; x < kSize / 2; ++x) {
        darkest = std::min(darkest, pixel(x, y)[0]);
    }
    EXPECT_LT(darkest, 200) << "the far wall darkens next to the crease";
}

}  // namespace
}  // namespace thalorin
