#pragma once
// The direction widget: a disc that shows a unit vector seen from +z (x to the
// right, y up; the tip is solid when it points at the viewer, hollow when it
// points away), turned by dragging on it.

namespace tweakbar {

// Turns dir as a drag of (dx, dy) pixels does: to the right swings it about the
// y axis towards +x, downward about the x axis towards -y.
void rotateDirection(float dir[3], float dx, float dy, float radiansPerPixel);

// Draws the disc at the cursor, size pixels square. Returns true when a drag
// changed dir this frame.
bool directionDisc(const char* id, float dir[3], float size, bool interactive);

}  // namespace tweakbar
