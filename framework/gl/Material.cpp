#include "framework/gl/Material.h"

namespace reef::gl {

void Material::apply() const {
    glMaterialfv(face, GL_AMBIENT, ambient.data());
    glMaterialfv(face, GL_DIFFUSE, diffuse.data());
    glMaterialfv(face, GL_SPECULAR, specular.data());
    glMaterialfv(face, GL_EMISSION, emission.data());
    glMaterialf(face, GL_SHININESS, shininess);
}

}  // namespace reef::gl
