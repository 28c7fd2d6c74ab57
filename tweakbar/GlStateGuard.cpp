#include "tweakbar/GlStateGuard.h"

#include <epoxy/gl.h>

namespace tweakbar {
namespace {

bool hasPixelBuffers() {
    return epoxy_gl_version() >= 21 || epoxy_has_gl_extension("GL_ARB_pixel_buffer_object");
}

}  // namespace

GlStateGuard::GlStateGuard() : pixelBuffers_(hasPixelBuffers()) {
    glGetIntegerv(GL_CURRENT_PROGRAM, &program_);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture_);
    glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &clientActiveTexture_);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer_);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer_);
    if (pixelBuffers_) {
        glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &pixelUnpackBuffer_);
    }
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode_);

    // Enables, blend state, current colour and texture coordinates. The drawing
    // leaves the current colour undefined (it draws with a colour array).
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    // Enabled arrays and their pointers (the drawing disables its arrays
    // afterwards, whatever was enabled before), and the unpack parameters the
    // font upload sets.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT | GL_CLIENT_PIXEL_STORE_BIT);

    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture2d_);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (pixelBuffers_) {
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    }

    // Generic attribute 0 would stand in for the vertex positions.
    GLint attributes = 0;
    glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attributes);
    for (GLint i = 0; i < attributes; ++i) {
        glDisableVertexAttribArray(GLuint(i));
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    glDisableClientState(GL_FOG_COORD_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);

    glDisable(GL_FOG);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_3D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_COLOR_LOGIC_OP);
    glDisable(GL_POLYGON_STIPPLE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlendEquation(GL_FUNC_ADD);

    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
}

GlStateGuard::~GlStateGuard() {
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GLenum(matrixMode_));

    glBindTexture(GL_TEXTURE_2D, GLuint(texture2d_));
    glPopClientAttrib();
    glPopAttrib();

    glBindBuffer(GL_ARRAY_BUFFER, GLuint(arrayBuffer_));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, GLuint(elementBuffer_));
    if (pixelBuffers_) {
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, GLuint(pixelUnpackBuffer_));
    }
    glClientActiveTexture(GLenum(clientActiveTexture_));
    glActiveTexture(GLenum(activeTexture_));
    glUseProgram(GLuint(program_));
}

}  // namespace tweakbar
