// The derived object as the view and the writers read it: a structure of
// arrays holding only what they draw or write. Faces keep the order the
// derivation made them in (the POV-Ray file lists them that way); each names
// a material slot, and the slot order is fixed here once: the no-material
// slot first, then the materials faces use, upwards. Every corner index is
// checked where the mesh is built, so readers index without checking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/corner_normals.h"
#include "document/vector2.h"
#include "foundation/no_init_allocator.h"
#include "foundation/vector3.h"

namespace brimvale {

using COutputIndexArray = std::vector<uint32_t, CNoInitAllocator<uint32_t>>;
using COutputUVArray = std::vector<CVector2, CNoInitAllocator<CVector2>>;

// One face list (triangles or quads): K corners a face.
struct COutputFaces {
  COutputIndexArray corners;     // K vertex indices a face, all below the position count
  COutputIndexArray faceSlots;      // one slot a face
  CNormalArray faceNormals;      // one a face (flat shading)
  CCornerNormals cornerNormals;  // K a face through the shared normal table (smooth shading)
  COutputUVArray uvs;            // K a face, or empty when no consumer reads them
  // K a face, packed as the model writes them (red in the lowest byte), or
  // empty when no face of the list shows corner colours. Faces whose material
  // does not show them are white here.
  COutputIndexArray colours;

  size_t Count(int cornersPerFace) const { return corners.size() / static_cast<size_t>(cornersPerFace); }
  bool HasUVs() const { return !uvs.empty(); }
  bool HasColours() const { return !colours.empty(); }
};

class COutputMesh {
 public:
  static constexpr int kNoMaterial = -1;

  std::vector<CVector3> positions;
  COutputFaces triangles;  // 3 corners a face
  COutputFaces quads;      // 4 corners a face
  // The material of each slot: slot 0 is kNoMaterial, present even when no
  // face uses it (the view's default pass always runs); the rest ascend.
  std::vector<int> slotMaterials{kNoMaterial};
  // Per slot: whether its faces show their corner colours (its material has
  // them on and the faces carry some); empty when no slot does.
  std::vector<char> slotColoured;

  size_t TriangleCount() const { return triangles.Count(3); }
  size_t QuadCount() const { return quads.Count(4); }
  size_t SlotCount() const { return slotMaterials.size(); }
  int SlotMaterial(uint32_t slot) const { return slotMaterials[slot]; }
  bool SlotColoured(uint32_t slot) const { return slot < slotColoured.size() && slotColoured[slot] != 0; }
  bool HasColours() const { return triangles.HasColours() || quads.HasColours(); }
  // The position of corner c of triangle t or quad q.
  const CVector3& TrianglePosition(size_t t, int c) const { return positions[triangles.corners[3 * t + Off(c)]]; }
  const CVector3& QuadPosition(size_t q, int c) const { return positions[quads.corners[4 * q + Off(c)]]; }
  // Faces of each slot, triangles and quads.
  std::vector<size_t> TrianglesPerSlot() const { return PerSlot(triangles); }
  std::vector<size_t> QuadsPerSlot() const { return PerSlot(quads); }
  // Bytes held by the arrays (for the benchmarks' per-face figures).
  size_t MemoryBytes() const;

 private:
  static size_t Off(int c) { return static_cast<size_t>(c); }
  std::vector<size_t> PerSlot(const COutputFaces& faces) const;
};

}  // namespace brimvale
