// One object's faces as a glTF mesh: the vertex data (position, normal,
// texture coordinate interleaved) streamed as each distinct corner is met,
// then one index list per material (held in a scratch file meanwhile, so the
// memory is the distinct corners' alone). Quads become two triangles over the
// corner 0-2 diagonal, and every triangle is wound counter-clockwise seen
// from the side the view draws, in the file's right-handed coordinates.
#pragma once

#include <cstdint>

#include "export/gltf_binary_stream.h"
#include "export/gltf_document.h"

namespace brimvale {

class CMeshObject;

struct CGltfMeshOptions {
  float scale = 1.0f;
  int materialCount = 0;     // faces naming a material outside [0, count) use the default one
  int defaultMaterial = 0;   // the glTF index of that default material
};

struct CGltfMeshResult {
  int mesh = -1;  // -1: the object has no face to export
  uint64_t triangles = 0;
  bool usesDefaultMaterial = false;
  bool tooLarge = false;  // 2^29 faces or more in one list: nothing written
};

// Computes the object's normals as the view does (facet-angle smoothing for a
// smooth object, one normal a face otherwise), writes the mesh and releases
// the normals again. The object's geometry is not changed. scratch holds the
// index lists until the vertex count is known (its content is replaced).
CGltfMeshResult WriteGltfMesh(CGltfDocument& document, CGltfBinaryStream& stream, CGltfBinaryStream& scratch,
                              CMeshObject& object, const std::string& name, const CGltfMeshOptions& options);

}  // namespace brimvale
