#include "framework/gl/Light.h"

#include <epoxy/gl.h>

namespace reef::gl {

namespace {

void writeColor(GLenum light, GLenum parameter, const Color& color) {
    const GLfloat rgba[4] = {color.r, color.g, color.b, 1.0f};
    glLightfv(light, parameter, rgba);
}

}  // namespace

Light::Light(int type, int id) : type_(type), id_(id) {}

void Light::setAmbient(const Color& color) {
    ambient_ = color;
    writeColor(GL_LIGHT0 + id_, GL_AMBIENT, ambient_);
}

void Light::setDiffuse(const Color& color) {
    diffuse_ = color;
    writeColor(GL_LIGHT0 + id_, GL_DIFFUSE, diffuse_);
}

void Light::setSpecular(const Color& color) {
    specular_ = color;
    writeColor(GL_LIGHT0 + id_, GL_SPECULAR, specular_);
}

void Light::setPosition(const Vec3f& position) {
    position_ = position;
    if (type_ != DIRECTIONAL) {
        const GLfloat xyzw[4] = {position_.x, position_.y, position_.z, 1.0f};
        glLightfv(GL_LIGHT0 + id_, GL_POSITION, xyzw);
    }
}

void Light::setAttenuation(float constant, float linear, float quadratic) {
    constantAttenuation_ = constant;
    linearAttenuation_ = linear;
    quadraticAttenuation_ = quadratic;
}

void Light::enable() {
    if (enabled_) {
        return;
    }
    const GLenum light = GL_LIGHT0 + id_;
    glEnable(light);
    writeColor(light, GL_AMBIENT, ambient_);
    writeColor(light, GL_DIFFUSE, diffuse_);
    writeColor(light, GL_SPECULAR, specular_);
    if (type_ == DIRECTIONAL) {
        const GLfloat xyzw[4] = {direction_.x, direction_.y, direction_.z, 0.0f};
        glLightfv(light, GL_POSITION, xyzw);
    } else {
        const GLfloat xyzw[4] = {position_.x, position_.y, position_.z, 1.0f};
        glLightfv(light, GL_POSITION, xyzw);
    }
    glLightf(light, GL_CONSTANT_ATTENUATION, constantAttenuation_);
    glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation_);
    glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation_);
    const GLfloat spotDirection[3] = {direction_.x, direction_.y, direction_.z};
    glLightfv(light, GL_SPOT_DIRECTION, spotDirection);
    glLightf(light, GL_SPOT_CUTOFF, spotCutoff_);
    glLightf(light, GL_SPOT_EXPONENT, spotExponent_);
    enabled_ = true;
}

}  // namespace reef::gl
