#pragma once
// A fixed-function OpenGL material for one face (GL_FRONT by default).

#include <epoxy/gl.h>

#include "framework/math/Color.h"

namespace reef::gl {

class Material {
public:
    Material() = default;
    Material(const ColorA& ambient, const ColorA& diffuse, const ColorA& specular, float shininess,
             const ColorA& emission = ColorA(0, 0, 0, 1), GLenum face = GL_FRONT)
        : ambient(ambient),
          diffuse(diffuse),
          specular(specular),
          shininess(shininess),
          emission(emission),
          face(face) {}

    // glMaterial for ambient, diffuse, specular, emission, then shininess.
    void apply() const;

    void setAmbient(const ColorA& color) { ambient = color; }
    void setDiffuse(const ColorA& color) { diffuse = color; }
    void setSpecular(const ColorA& color) { specular = color; }
    void setShininess(float value) { shininess = value; }
    void setEmission(const ColorA& color) { emission = color; }
    void setFace(GLenum value) { face = value; }

    ColorA ambient{1.0f, 0.5f, 0.25f, 1.0f};
    ColorA diffuse{0, 0, 0, 1};
    ColorA specular{0, 0, 0, 1};
    float shininess = 1.0f;
    ColorA emission{0, 0, 0, 1};
    GLenum face = GL_FRONT;
};

}  // namespace reef::gl
