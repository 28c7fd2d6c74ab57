#include "framework/gl/Draw.h"

#include <epoxy/gl.h>

#include "framework/gl/SolidGeometry.h"
#include "model/TriangleMesh.h"

namespace reef::gl {

namespace {

// Strip order of a rectangle's corners: (x2, y1), (x1, y1), (x2, y2), (x1, y2).
void rectCorners(const Rectf& r, GLfloat out[8]) {
    const GLfloat corners[8] = {r.x2, r.y1, r.x1, r.y1, r.x2, r.y2, r.x1, r.y2};
    for (int i = 0; i < 8; ++i) {
        out[i] = corners[i];
    }
}

void setClientState(GLenum array, bool enable) {
    if (enable) {
        glEnableClientState(array);
    } else {
        glDisableClientState(array);
    }
}

GLenum bindingQuery(GLenum target) {
    switch (target) {
        case GL_TEXTURE_RECTANGLE_ARB:
            return GL_TEXTURE_BINDING_RECTANGLE_ARB;
        case GL_TEXTURE_1D:
            return GL_TEXTURE_BINDING_1D;
        default:
            return GL_TEXTURE_BINDING_2D;
    }
}

}  // namespace

void drawTexture(const Texture& texture) {
    const float w = static_cast<float>(texture.getWidth());
    const float h = static_cast<float>(texture.getHeight());
    drawTexture(texture, texture.getBounds(), Rectf(0, 0, w, h));
}

void drawTexture(const Texture& texture, const Rectf& destRect) {
    drawTexture(texture, texture.getBounds(), destRect);
}

void drawTexture(const Texture& texture, const Area& sourceArea, const Rectf& destRect) {
    const GLenum target = texture.getTarget();
    GLint previousBinding = 0;
    glGetIntegerv(bindingQuery(target), &previousBinding);
    const GLboolean targetWasEnabled = glIsEnabled(target);
    const GLboolean vertexArrayWasEnabled = glIsEnabled(GL_VERTEX_ARRAY);
    const GLboolean texCoordArrayWasEnabled = glIsEnabled(GL_TEXTURE_COORD_ARRAY);

    texture.bindEnabled();
    GLfloat vertices[8];
    rectCorners(destRect, vertices);
    GLfloat texCoords[8];
    rectCorners(texture.texCoordsForArea(sourceArea), texCoords);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);

    glBindTexture(target, static_cast<GLuint>(previousBinding));
    setClientState(GL_VERTEX_ARRAY, vertexArrayWasEnabled == GL_TRUE);
    setClientState(GL_TEXTURE_COORD_ARRAY, texCoordArrayWasEnabled == GL_TRUE);
    if (targetWasEnabled != GL_TRUE) {
        glDisable(target);
    }
}

void drawRect(const Rectf& rect, bool rectangleTexCoords) {
    GLfloat vertices[8];
    rectCorners(rect, vertices);
    static const GLfloat kUnitTexCoords[8] = {1, 0, 0, 0, 1, 1, 0, 1};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, rectangleTexCoords ? vertices : kUnitTexCoords);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void drawMesh(const thalorin::TriangleMesh& mesh) {
    const size_t vertexCount = mesh.getVertices().size();
    if (vertexCount == 0 || mesh.getIndices().empty()) {
        return;
    }
    // A short attribute array would make GL read past its end.
    const bool normals = mesh.getNormals().size() >= vertexCount;
    const bool rgb = mesh.getColorsRgb().size() >= vertexCount;
    const bool rgba = !rgb && mesh.getColorsRgba().size() >= vertexCount;
    const bool texCoords = mesh.getTexCoords().size() >= vertexCount;

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.getVertices().data());
    setClientState(GL_NORMAL_ARRAY, normals);
    if (normals) {
        glNormalPointer(GL_FLOAT, 0, mesh.getNormals().data());
    }
    setClientState(GL_COLOR_ARRAY, rgb || rgba);
    if (rgb) {
        glColorPointer(3, GL_FLOAT, 0, mesh.getColorsRgb().data());
    } else if (rgba) {
        glColorPointer(4, GL_FLOAT, 0, mesh.getColorsRgba().data());
    }
    setClientState(GL_TEXTURE_COORD_ARRAY, texCoords);
    if (texCoords) {
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.getTexCoords().data());
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.getIndices().size()), GL_UNSIGNED_INT,
                   mesh.getIndices().data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

namespace {

void enableSolidArrays(const Vec3f* positions, const Vec3f* normals, const Vec2f* texCoords) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, normals);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
}

void disableSolidArrays() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

}  // namespace

void drawCube(const Vec3f& center, const Vec3f& size) {
    const CubeGeometry cube = makeCube(center, size);
    enableSolidArrays(cube.positions.data(), cube.normals.data(), cube.texCoords.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(cube.indices.size()), GL_UNSIGNED_BYTE,
                   cube.indices.data());
    disableSolidArrays();
}

void drawSphere(const Vec3f& center, float radius, int segments) {
    const SphereGeometry sphere = makeSphere(center, radius, segments);
    if (sphere.bands == 0) {
        return;
    }
    enableSolidArrays(sphere.positions.data(), sphere.normals.data(), sphere.texCoords.data());
    for (int band = 0; band < sphere.bands; ++band) {
        glDrawArrays(GL_TRIANGLE_STRIP, band * sphere.verticesPerBand, sphere.verticesPerBand);
    }
    disableSolidArrays();
}

void drawCylinder(float baseRadius, float topRadius, float height, int slices, int stacks) {
    const CylinderGeometry cylinder = makeCylinder(baseRadius, topRadius, height, slices, stacks);
    if (cylinder.positions.empty()) {
        return;
    }
    enableSolidArrays(cylinder.positions.data(), cylinder.normals.data(),
                      cylinder.texCoords.data());
    for (int strip = 0; strip < cylinder.strips(); ++strip) {
        glDrawElements(GL_TRIANGLE_STRIP, cylinder.indicesPerStrip(), GL_UNSIGNED_SHORT,
                       cylinder.indices.data() + strip * cylinder.indicesPerStrip());
    }
    disableSolidArrays();
}

void drawArrow(const Vec3f& start, const Vec3f& end, float headLength, float headRadius) {
    const ArrowGeometry arrow = makeArrow(start, end, headLength, headRadius);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arrow.line.data());
    glDrawArrays(GL_LINES, 0, 2);
    glVertexPointer(3, GL_FLOAT, 0, arrow.cone.data());
    glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(arrow.cone.size()));
    glVertexPointer(3, GL_FLOAT, 0, arrow.base.data());
    glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(arrow.base.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace reef::gl
