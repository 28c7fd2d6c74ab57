#pragma once
// A fixed-function OpenGL light (GL_LIGHT0 + id). Setters write GL at once;
// enable() enables the light and writes every parameter the first time only.
// Nothing disables the GL light when the object goes away.

#include "framework/math/Color.h"
#include "framework/math/Vector.h"

namespace reef::gl {

class Light {
public:
    enum Type { POINT = 0, DIRECTIONAL = 1, SPOTLIGHT = 2 };

    Light(int type, int id);

    void setAmbient(const Color& color);
    void setDiffuse(const Color& color);
    void setSpecular(const Color& color);
    // Written to GL (w = 1) unless the light is directional.
    void setPosition(const Vec3f& position);
    // Stored only; a directional light's direction reaches GL in enable().
    void setDirection(const Vec3f& direction) { direction_ = direction; }
    void setSpotExponent(float exponent) { spotExponent_ = exponent; }
    void setSpotCutoff(float degrees) { spotCutoff_ = degrees; }
    void setAttenuation(float constant, float linear, float quadratic);

    void enable();

    int getType() const { return type_; }
    int getId() const { return id_; }
    bool isEnabled() const { return enabled_; }
    const Color& getAmbient() const { return ambient_; }
    const Color& getDiffuse() const { return diffuse_; }
    const Color& getSpecular() const { return specular_; }
    const Vec3f& getPosition() const { return position_; }
    const Vec3f& getDirection() const { return direction_; }
    float getSpotExponent() const { return spotExponent_; }
    float getSpotCutoff() const { return spotCutoff_; }
    float getConstantAttenuation() const { return constantAttenuation_; }
    float getLinearAttenuation() const { return linearAttenuation_; }
    float getQuadraticAttenuation() const { return quadraticAttenuation_; }

private:
    int type_;
    int id_;
    bool enabled_ = false;
    Color ambient_{1, 1, 1};
    Color diffuse_{1, 1, 1};
    Color specular_{1, 1, 1};
    Vec3f position_;
    Vec3f direction_;
    float spotExponent_ = 1.0f;
    float spotCutoff_ = 180.0f;
    float constantAttenuation_ = 1.0f;
    float linearAttenuation_ = 1.0f;
    float quadraticAttenuation_ = 1.0f;
};

}  // namespace reef::gl
