#pragma once
// Immediate drawing from client-side arrays (no buffer objects): textured and
// plain rectangles, triangle meshes and simple solids. Only drawTexture
// restores the state it changes; the others leave their client arrays disabled.

#include "framework/gl/Texture.h"
#include "framework/math/Area.h"
#include "framework/math/Vector.h"

namespace thalorin {
class TriangleMesh;
}

namespace reef::gl {

// The whole texture over (0, 0, width, height).
void drawTexture(const Texture& texture);
// The whole texture over destRect.
void drawTexture(const Texture& texture, const Rectf& destRect);
// A pixel area of the texture over destRect: the texture's first row lands on
// destRect's y1 edge.
void drawTexture(const Texture& texture, const Area& sourceArea, const Rectf& destRect);

// Two-triangle strip with texture coordinates 0..1 (or the vertex positions
// themselves for rectangle textures); binds and enables nothing.
void drawRect(const Rectf& rect, bool rectangleTexCoords = false);

// Indexed triangles with whichever of normals, RGB (else RGBA) colours and
// texture coordinates the mesh holds; an attribute array shorter than the
// positions is left out.
void drawMesh(const thalorin::TriangleMesh& mesh);

// Axis-aligned box with normals and texture coordinates.
void drawCube(const Vec3f& center, const Vec3f& size);
// UV sphere of segments / 2 triangle strips; nothing for a negative count.
void drawSphere(const Vec3f& center, float radius, int segments = 12);
// Open cylinder or cone on the origin along +Y, no caps.
void drawCylinder(float baseRadius, float topRadius, float height, int slices = 12, int stacks = 1);
// Line with a cone head beyond `end`.
void drawArrow(const Vec3f& start, const Vec3f& end, float headLength, float headRadius);

}  // namespace reef::gl
