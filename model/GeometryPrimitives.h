#pragma once
// Primitives the body and the tentacles are assembled from. Each appends
// vertices (and, when connecting, triangles) to a GeometryTarget. Geometry is
// single precision; sines and cosines are taken in double on the float angle.
// Around a ring the angle runs from +X towards +Z in the ring's local frame.

#include <cstdint>

#include "framework/math/Quaternion.h"
#include "framework/math/Vector.h"
#include "model/GeometryTarget.h"
#include "model/RingAngles.h"

namespace thalorin {

// Appends the indices a, b, c in that order.
void addTriangle(const GeometryTarget& target, uint32_t a, uint32_t b, uint32_t c);

// A ring of n + 1 vertices (nothing when n < 0) around `centre`, turned by q.
// With `waves`, each direction is scaled by
// 1 + cos((pi - theta) * numWaves) * waveSize * clampMinusV, normal included.
// A negative `height` means: use centre.y. With `connect`, each vertex from the
// second on is joined to the vertices n + 1 places earlier.
void addRing(const GeometryTarget& target, int n, const reef::Vec3f& centre, float v, bool connect,
             bool waves, int numWaves, float waveSize, float clampMinusV, float height,
             const reef::Quatf& q, float radius);

// A flat fan closing a ring: a centre vertex and n + 1 rim vertices, all with
// the normal (0, -1, 0) and planar texture coordinates.
void addSoleDisc(const GeometryTarget& target, int n, const reef::Vec3f& centre, bool waves,
                 int numWaves, float waveSize, float clampMinusV, float height,
                 const reef::Quatf& q, float radius);

// A round ring whose local normal is (nr cos theta, -ny, nr sin theta).
void addProfileRing(const GeometryTarget& target, int n, const reef::Vec3f& centre, float v,
                    bool connect, float height, const reef::Quatf& q, float ny, float nr,
                    float radius);
// The same with the ring's angles computed beforehand (angles.segments() is n).
void addProfileRing(const GeometryTarget& target, const RingAngles& angles,
                    const reef::Vec3f& centre, float v, bool connect, float height,
                    const reef::Quatf& q, float ny, float nr, float radius);

// A half-ellipsoid flattened by f on a ring of `radius`: rings N / 2 .. N of N
// height segments, n segments around, the first one joined to whatever ring was
// appended just before.
void addDomeCap(const GeometryTarget& target, float radius, const reef::Vec3f& centre, int n, int N,
                float f, float height, const reef::Quatf& q);

// A sphere of the given radius around `centre`, aligned with the world axes:
// N + 1 rings of n segments from the bottom pole to the top one. Its first ring
// joins nothing.
void addTipSphere(const GeometryTarget& target, float radius, const reef::Vec3f& centre, int n,
                  int N, float height);
void addTipSphere(const GeometryTarget& target, float radius, const reef::Vec3f& centre,
                  const RingAngles& angles, int N, float height);

// One ring of a tip sphere: n + 1 vertices around `centre` in a horizontal
// plane, with normals pointing away from `sphereCentre`, the centre of the
// whole sphere. Connects as addRing does.
void addSphereRing(const GeometryTarget& target, int n, const reef::Vec3f& centre, float v,
                   bool connect, float height, float radius, const reef::Vec3f& sphereCentre);
void addSphereRing(const GeometryTarget& target, const RingAngles& angles,
                   const reef::Vec3f& centre, float v, bool connect, float height, float radius,
                   const reef::Vec3f& sphereCentre);

}  // namespace thalorin
