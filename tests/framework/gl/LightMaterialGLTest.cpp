// Fixed-function light and material state as GL reports it back.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "framework/gl/Light.h"
#include "framework/gl/Material.h"
#include "tests/support/GlTestEnvironment.h"

namespace reef::test {
namespace {

class LightMaterialGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        // Positions are stored in eye coordinates: identity keeps them as given.
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    void TearDown() override {
        glPopMatrix();
        for (int i = 0; i < 8; ++i) {
            glDisable(GL_LIGHT0 + i);
        }
        GlTest::TearDown();
    }
};

std::array<float, 4> light(GLenum id, GLenum parameter) {
    std::array<float, 4> v{-9, -9, -9, -9};
    glGetLightfv(id, parameter, v.data());
    return v;
}

float lightScalar(GLenum id, GLenum parameter) {
    return light(id, parameter)[0];
}

std::array<float, 4> material(GLenum parameter) {
    std::array<float, 4> v{-9, -9, -9, -9};
    glGetMaterialfv(GL_FRONT, parameter, v.data());
    return v;
}

using V4 = std::array<float, 4>;

TEST_F(LightMaterialGLTest, NewPointLightEnablesWithItsDefaults) {
    gl::Light light3(gl::Light::POINT, 3);
    EXPECT_FALSE(light3.isEnabled());
    light3.enable();
    EXPECT_TRUE(light3.isEnabled());
    EXPECT_EQ(glIsEnabled(GL_LIGHT3), GL_TRUE);
    EXPECT_EQ(light(GL_LIGHT3, GL_AMBIENT), (V4{1, 1, 1, 1}));
    EXPECT_EQ(light(GL_LIGHT3, GL_DIFFUSE), (V4{1, 1, 1, 1}));
    EXPECT_EQ(light(GL_LIGHT3, GL_SPECULAR), (V4{1, 1, 1, 1}));
    EXPECT_EQ(light(GL_LIGHT3, GL_POSITION), (V4{0, 0, 0, 1}));
    EXPECT_FLOAT_EQ(lightScalar(GL_LIGHT3, GL_CONSTANT_ATTENUATION), 1.0f);
    EXPECT_FLOAT_EQ(lightScalar(GL_LIGHT3, GL_LINEAR_ATTENUATION), 1.0f);
    EXPECT_FLOAT_EQ(lightScalar(GL_LIGHT3, GL_QUADRATIC_ATTENUATION), 1.0f);
    EXPECT_FLOAT_EQ(lightScalar(GL_LIGHT3, GL_SPOT_CUTOFF), 180.0f);
    EXPECT_FLOAT_EQ(lightScalar(GL_LIGHT3, GL_SPOT_EXPONENT), 1.0f);
}

TEST_F(LightMaterialGLTest, SettersWriteAtOnceAndEnableWritesOnlyTheFirstTime) {
    gl::Light light0(gl::Light::POINT, 0);
    light0.setAmbient(Color(0, 0, 0));
    light0.setDiffuse(Color(1, 0.5f, 0.25f));
    light0.setSpecular(Color(0.1f, 0.2f, 0.3f));
    light0.setPosition(Vec3f(10, 20, 30));
    EXPECT_EQ(light(GL_LIGHT0, GL_AMBIENT), (V4{0, 0, 0, 1}));
    EXPECT_EQ(light(GL_LIGHT0, GL_DIFFUSE), (V4{1, 0.5f, 0.25f, 1}));
    EXPECT_EQ(light(GL_LIGHT0, GL_POSITION), (V4{10, 20, 30, 1}));
    EXPECT_EQ(glIsEnabled(GL_LIGHT0), GL_FALSE);

    light0.enable();
    EXPECT_EQ(glIsEnabled(GL_LIGHT0), GL_TRUE);
    EXPECT_EQ(light(GL_LIGHT0, GL_SPECULAR), (V4{0.1f, 0.2f, 0.3f, 1}));
    EXPECT_EQ(light(GL_LIGHT0, GL_POSITION), (V4{10, 20, 30, 1}));

    // Already enabled: a second enable writes nothing.
    const GLfloat elsewhere[4] = {7, 7, 7, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, elsewhere);
    light0.enable();
    EXPECT_EQ(light(GL_LIGHT0, GL_POSITION), (V4{7, 7, 7, 1}));
}

TEST_F(LightMaterialGLTest, DirectionalLightTakesItsDirectionAsPosition) {
    gl::Light sun(gl::Light::DIRECTIONAL, 1);
    sun.setDirection(Vec3f(0, 1, 0));
    sun.setPosition(Vec3f(5, 5, 5));  // stored, not written for a directional light
    EXPECT_EQ(light(GL_LIGHT1, GL_POSITION), (V4{0, 0, 1, 0}));  // GL's own default
    sun.enable();
    EXPECT_EQ(light(GL_LIGHT1, GL_POSITION), (V4{0, 1, 0, 0}));
}

TEST_F(LightMaterialGLTest, MaterialApplyWritesTheFrontFace) {
    const struct {
        const char* name;
        gl::Material material;
        V4 ambient, diffuse, specular, emission;
        float shininess;
    } cases[] = {
        {"defaults",
         gl::Material(),
         {1, 0.5f, 0.25f, 1},
         {0, 0, 0, 1},
         {0, 0, 0, 1},
         {0, 0, 0, 1},
         1.0f},
        {"floor",
         gl::Material(ColorA(0.2125f, 0.1275f, 0.054f, 1), ColorA(0.714f, 0.4284f, 0.18144f, 1),
                      ColorA(0.3935f, 0.2719f, 0.1667f, 1), 25.6f),
         {0.2125f, 0.1275f, 0.054f, 1},
         {0.714f, 0.4284f, 0.18144f, 1},
         {0.3935f, 0.2719f, 0.1667f, 1},
         {0, 0, 0, 1},
         25.6f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.material.apply();
        EXPECT_EQ(material(GL_AMBIENT), c.ambient);
        EXPECT_EQ(material(GL_DIFFUSE), c.diffuse);
        EXPECT_EQ(material(GL_SPECULAR), c.specular);
        EXPECT_EQ(material(GL_EMISSION), c.emission);
        EXPECT_FLOAT_EQ(material(GL_SHININESS)[0], c.shininess);
    }
}

}  // namespace
}  // namespace reef::test
