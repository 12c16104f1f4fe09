// One object's output mesh as a glTF mesh: the vertex data (position, normal,
// texture coordinate interleaved, then the corner colour for meshes that have
// them, named COLOR_0 by the primitives whose material shows them) streamed
// as each distinct corner is met, then one index list per material (held in a scratch file meanwhile, so the
// memory is the distinct corners' alone). Quads become two triangles over the
// corner 0-2 diagonal, and every triangle is wound counter-clockwise seen
// from the side the view draws, in the file's right-handed coordinates.
#pragma once

#include <cstdint>

#include "export/gltf_binary_stream.h"
#include "export/gltf_document.h"

namespace brimvale {

class COutputMesh;

struct CGltfMeshOptions {
  float scale = 1.0f;
  int defaultMaterial = 0;  // the glTF index of the material of faces without one
};

struct CGltfMeshResult {
  int mesh = -1;  // -1: the object has no face to export
  uint64_t triangles = 0;
  bool usesDefaultMaterial = false;
  bool tooLarge = false;  // 2^31 face corners or more: nothing written
};

// Writes an object's output mesh (built with texture coordinates on every
// face) with its corner normals when smooth, else its face normals. scratch
// holds the index lists until the vertex count is known (its content is
// replaced).
CGltfMeshResult WriteGltfMesh(CGltfDocument& document, CGltfBinaryStream& stream, CGltfBinaryStream& scratch,
                              const COutputMesh& mesh, bool smooth, const std::string& name,
                              const CGltfMeshOptions& options);

}  // namespace brimvale
