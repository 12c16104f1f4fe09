// The distinct corners of an output mesh: face corners that agree bit for bit
// in vertex, normal, texture coordinate and colour are one vertex of a drawn or
// written mesh. Each distinct corner is kept as the face corner it was first
// met at (8 bytes), its values read from the mesh when compared, and the
// corners of one vertex are chained so a search stays short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "mesh/output_mesh.h"

namespace brimvale {

class CDistinctCorners {
 public:
  // Normals are the corner normals when smooth, else the face normals.
  CDistinctCorners(const COutputMesh& mesh, bool smooth);
  CDistinctCorners(const CDistinctCorners&) = delete;
  CDistinctCorners& operator=(const CDistinctCorners&) = delete;

  // Corners are numbered triangle corners first (3t + c), then quad corners
  // (3T + 4q + c); past 2^31 of them the mesh cannot be indexed here.
  static bool Fits(const COutputMesh& mesh);

  // The number of the distinct corner equal to triangle t's corner c (or quad
  // q's); `fresh` tells whether it was met for the first time.
  uint32_t AddTriangleCorner(size_t t, int c, bool& fresh) { return Add(3 * t + static_cast<size_t>(c), fresh); }
  uint32_t AddQuadCorner(size_t q, int c, bool& fresh) { return Add(m_nQuadBase + 4 * q + static_cast<size_t>(c), fresh); }
  size_t Count() const { return m_nCount; }

  // The values a corner number (as above) stands for.
  uint32_t Vertex(size_t corner) const;
  const CVector3& Normal(size_t corner) const;
  const CVector2& UV(size_t corner) const;
  uint32_t Colour(size_t corner) const;  // white where the list has no colours

 private:
  struct CEntry {
    int32_t next;
    uint32_t corner;
  };
  uint32_t Add(size_t corner, bool& fresh);
  bool Same(size_t a, size_t b) const;
  CEntry& Entry(size_t i) { return m_Blocks[i >> kShift][i & kMask]; }

  // Fixed blocks: growing never copies, and the memory is the count's.
  static constexpr size_t kShift = 16;
  static constexpr size_t kMask = (size_t{1} << kShift) - 1;

  const COutputMesh& m_Mesh;
  bool m_bSmooth;
  size_t m_nQuadBase;
  std::vector<int32_t> m_Head;  // per vertex: its last distinct corner, or -1
  std::vector<std::unique_ptr<CEntry[]>> m_Blocks;
  size_t m_nCount = 0;
};

}  // namespace brimvale
