#include "mesh/output_mesh.h"

namespace brimvale {
namespace {

size_t FacesBytes(const COutputFaces& faces) {
  return faces.corners.capacity() * sizeof(uint32_t) + faces.faceSlots.capacity() * sizeof(uint32_t) +
         faces.faceNormals.capacity() * sizeof(CVector3) + faces.cornerNormals.m_Index.capacity() * sizeof(uint32_t) +
         faces.cornerNormals.m_Table.capacity() * sizeof(CVector3) + faces.uvs.capacity() * sizeof(CVector2) +
         faces.colours.capacity() * sizeof(uint32_t);
}

}  // namespace

std::vector<size_t> COutputMesh::PerSlot(const COutputFaces& faces) const {
  std::vector<size_t> counts(slotMaterials.size(), 0);
  for (const uint32_t slot : faces.faceSlots) ++counts[slot];
  return counts;
}

size_t COutputMesh::MemoryBytes() const {
  return positions.capacity() * sizeof(CVector3) + FacesBytes(triangles) + FacesBytes(quads) +
         slotMaterials.capacity() * sizeof(int) + slotColoured.capacity();
}

}  // namespace brimvale
