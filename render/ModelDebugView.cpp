#include "render/ModelDebugView.h"

#include <epoxy/gl.h>

#include "framework/gl/Draw.h"
#include "framework/gl/State.h"

namespace thalorin {

namespace {

void drawNormalArrows(const TriangleMesh& mesh, const std::vector<reef::Vec3f>& faceNormals,
                      size_t first, float length) {
    const size_t count = mesh.getNumTriangles();
    for (size_t t = 0; t < count && first + t < faceNormals.size(); ++t) {
        reef::Vec3f a, b, c;
        mesh.getTriangleVertices(t, &a, &b, &c);
        const reef::Vec3f centroid = (a + b + c) * 0.33333334f;
        reef::gl::drawArrow(centroid, centroid + faceNormals[first + t] * length, 0.2f, 0.05f);
    }
}

}  // namespace

void drawModelDebug(AnemoneModel& model) {
    if (model.viewNormals) {
        model.computeFaceNormals();
        glColor4f(1, 1, 1, 1);
        const TriangleMesh& body = model.getBodyMesh();
        drawNormalArrows(body, model.faceNormals, 0, model.normalsLength);
        drawNormalArrows(model.getTentacleMesh(), model.faceNormals, body.getNumTriangles(),
                         model.normalsLength);
    }
    if (model.viewTriangles) {
        // The lines lie on the shaded surface: pull them towards the viewer so
        // the depth test does not break them up.
        glEnable(GL_POLYGON_OFFSET_LINE);
        glPolygonOffset(-1.0f, -1.0f);
        reef::gl::setWireframe(true);
        glColor4f(0.96f, 0.48f, 0.51f, 1);
        reef::gl::drawMesh(model.getBodyMesh());
        reef::gl::drawMesh(model.getTentacleMesh());
        reef::gl::setWireframe(false);
        glDisable(GL_POLYGON_OFFSET_LINE);
    }
}

}  // namespace thalorin
