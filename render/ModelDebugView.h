#pragma once
// The model's debug overlays: an arrow per triangle along its mean corner
// normal ("view normals") and a wireframe of both meshes ("view triangles").
// Drawn with fixed-function colour under the current matrices; no program.

#include "model/AnemoneModel.h"

namespace thalorin {

// Refreshes the model's face normals when the normals view is on.
void drawModelDebug(AnemoneModel& model);

}  // namespace thalorin
