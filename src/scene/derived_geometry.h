// The derived geometry a frame draws, built on demand: what the view draws and
// what framing measures come from the same meshes.
#pragma once

#include "geometry/parallel_derivation.h"

namespace brimvale {

class CMeshObject;
class CQuorixDoc;

// Builds the object's derived geometry when it has none (lathe, mirror and
// patch unless SimpleDisplay is on, then smooth normals).
void EnsureDerivedGeometry(CQuorixDoc& doc, CMeshObject& object);

// Builds, on every derivation thread, the derived geometry of each object the
// next frame draws faces for and that has none yet.
// Progress is told per object (see RunInParallel); false from it stops the
// work, leaving the rest to be built when drawn.
void EnsureDerivedGeometryForFrame(CQuorixDoc& doc, const DerivationProgress& progress = nullptr);

}  // namespace brimvale
