#include "mesh/distinct_corners.h"

#include <cstring>

#include "document/face_array.h"

namespace brimvale {
namespace {

const CVector2 kNoUV{};

}  // namespace

CDistinctCorners::CDistinctCorners(const COutputMesh& mesh, bool smooth)
    : m_Mesh(mesh), m_bSmooth(smooth), m_nQuadBase(mesh.triangles.corners.size()), m_Head(mesh.positions.size(), -1) {}

bool CDistinctCorners::Fits(const COutputMesh& mesh) {
  return mesh.triangles.corners.size() + mesh.quads.corners.size() < (size_t{1} << 31);
}

uint32_t CDistinctCorners::Vertex(size_t corner) const {
  return corner < m_nQuadBase ? m_Mesh.triangles.corners[corner] : m_Mesh.quads.corners[corner - m_nQuadBase];
}

const CVector3& CDistinctCorners::Normal(size_t corner) const {
  const bool quad = corner >= m_nQuadBase;
  const COutputFaces& faces = quad ? m_Mesh.quads : m_Mesh.triangles;
  const size_t at = quad ? corner - m_nQuadBase : corner;
  return m_bSmooth ? faces.cornerNormals[at] : faces.faceNormals[at / (quad ? 4 : 3)];
}

const CVector2& CDistinctCorners::UV(size_t corner) const {
  const bool quad = corner >= m_nQuadBase;
  const COutputFaces& faces = quad ? m_Mesh.quads : m_Mesh.triangles;
  return faces.HasUVs() ? faces.uvs[quad ? corner - m_nQuadBase : corner] : kNoUV;
}

uint32_t CDistinctCorners::Colour(size_t corner) const {
  const bool quad = corner >= m_nQuadBase;
  const COutputFaces& faces = quad ? m_Mesh.quads : m_Mesh.triangles;
  return faces.HasColours() ? faces.colours[quad ? corner - m_nQuadBase : corner] : CCornerColours::kWhite;
}

bool CDistinctCorners::Same(size_t a, size_t b) const {
  return std::memcmp(&Normal(a), &Normal(b), sizeof(CVector3)) == 0 &&
         std::memcmp(&UV(a), &UV(b), sizeof(CVector2)) == 0 && Colour(a) == Colour(b);
}

uint32_t CDistinctCorners::Add(size_t corner, bool& fresh) {
  int32_t& head = m_Head[Vertex(corner)];
  for (int32_t k = head; k >= 0; k = Entry(static_cast<size_t>(k)).next) {
    if (Same(corner, Entry(static_cast<size_t>(k)).corner)) {
      fresh = false;
      return static_cast<uint32_t>(k);
    }
  }
  if ((m_nCount & kMask) == 0) m_Blocks.emplace_back(new CEntry[kMask + 1]);
  Entry(m_nCount) = {head, static_cast<uint32_t>(corner)};
  head = static_cast<int32_t>(m_nCount);
  fresh = true;
  return static_cast<uint32_t>(m_nCount++);
}

}  // namespace brimvale
