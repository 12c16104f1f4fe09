// The mesh the view draws for an object, as geometry of its own: what every
// writer of meshes (the POV-Ray and glTF exports) takes in place of the object.
#pragma once

#include <memory>

#include "document/mesh_object.h"

namespace brimvale {

// Whether the derivation chain changes the object's mesh: a lathe with lines, a
// mirror with an axis, a positive patch type, or a deformer.
bool HasDerivedGeometry(const CMeshObject& object);

// A copy of the object (geometry, attributes and deformers) frozen through the
// derivation chain, so its vertices and faces are the view's derived ones; null
// when HasDerivedGeometry is false and the object's own mesh is the one drawn.
// The object itself only gets its edges and links built.
std::unique_ptr<CMeshObject> FrozenCopy(CMeshObject& object);

}  // namespace brimvale
