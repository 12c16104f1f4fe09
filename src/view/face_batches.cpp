#include "view/face_batches.h"

#include <algorithm>
#include <cstring>

namespace brimvale {
namespace {

const float kZero[3] = {0.0f, 0.0f, 0.0f};

// Group slot of a face: 0 for no material, m + 1 for material m.
int Slot(const CMeshFace& face, int materialCount) {
  return face.m_nMaterial >= 0 && face.m_nMaterial < materialCount ? face.m_nMaterial + 1 : 0;
}

void PutCorner(CFaceCorner& c, const CVector3& p, const float* n, const CVector2& uv) {
  c.position[0] = p.x, c.position[1] = p.y, c.position[2] = p.z;
  c.normal[0] = n[0], c.normal[1] = n[1], c.normal[2] = n[2];
  c.texCoord[0] = uv.v, c.texCoord[1] = uv.u;
}

// Distinct corners, found through a chain per vertex: corners of one vertex
// usually differ only where a crease or a texture seam runs.
class CCornerSet {
 public:
  CCornerSet(int vertexCount, std::vector<CFaceCorner>& corners)
      : m_Head(static_cast<size_t>(vertexCount), -1), m_Corners(corners) {}

  uint32_t Add(int vertex, const CVector3& p, const float* n, const CVector2& uv) {
    CFaceCorner c;
    PutCorner(c, p, n, uv);
    int& head = m_Head[static_cast<size_t>(vertex)];
    for (int k = head; k >= 0; k = m_Next[static_cast<size_t>(k)])
      if (std::memcmp(&m_Corners[static_cast<size_t>(k)], &c, sizeof c) == 0) return static_cast<uint32_t>(k);
    m_Corners.push_back(c);
    m_Next.push_back(head);
    head = static_cast<int>(m_Corners.size() - 1);
    return static_cast<uint32_t>(head);
  }

 private:
  std::vector<int> m_Head;
  std::vector<int> m_Next;
  std::vector<CFaceCorner>& m_Corners;
};

}  // namespace

bool FaceIndicesValid(const CMeshFace& face, int vertexCount) {
  const int corners = face.m_nCorners < 0 ? 0 : (face.m_nCorners > 4 ? 4 : face.m_nCorners);
  for (int c = 0; c < corners; ++c)
    if (face.m_Index[c] < 0 || face.m_Index[c] >= vertexCount) return false;
  return true;
}

const float* FaceNormalOrZero(const CNormalArray& normals, size_t index) {
  return index < normals.size() ? &normals[index].x : kZero;
}

const float* FaceNormalOrZero(const CCornerNormals& normals, size_t index) {
  return index < normals.size() ? &normals[index].x : kZero;
}

void BuildFaceBatches(const CFaceArray& faces, const CVertexArray& positions, const CFaceArray& normalSource,
                      bool smooth, int materialCount, CFaceBatches& out) {
  out.corners.clear();
  out.indices.clear();
  out.groups.clear();
  const int slots = (materialCount > 0 ? materialCount : 0) + 1;
  const int vertexCount = positions.Count();
  const auto& tris = faces.Triangles();
  const auto& quads = faces.Quads();

  // Count the corners of each slot, then lay the slots out in pass order.
  std::vector<size_t> triCount(static_cast<size_t>(slots), 0), quadCount(static_cast<size_t>(slots), 0);
  for (const CMeshFace& f : tris)
    if (FaceIndicesValid(f, vertexCount)) triCount[static_cast<size_t>(Slot(f, materialCount))] += 3;
  for (const CMeshFace& f : quads)
    if (FaceIndicesValid(f, vertexCount)) quadCount[static_cast<size_t>(Slot(f, materialCount))] += 4;
  std::vector<size_t> triNext(static_cast<size_t>(slots)), quadNext(static_cast<size_t>(slots));
  size_t triTotal = 0, quadTotal = 0;
  for (int slot = 0; slot < slots; ++slot) {
    const auto k = static_cast<size_t>(slot);
    // The default pass always runs; a material pass only when a face uses it.
    if (slot > 0 && triCount[k] + quadCount[k] == 0) continue;
    CFaceGroup group;
    group.material = slot - 1;
    group.firstTriangleCorner = static_cast<int>(triTotal);
    group.triangleCorners = static_cast<int>(triCount[k]);
    group.firstQuadCorner = static_cast<int>(quadTotal);  // made absolute below
    group.quadCorners = static_cast<int>(quadCount[k]);
    triNext[k] = triTotal;
    quadNext[k] = quadTotal;
    triTotal += triCount[k];
    quadTotal += quadCount[k];
    out.groups.push_back(group);
  }

  // Triangles: distinct corners and an index list.
  out.indices.resize(triTotal);
  out.corners.reserve(triTotal / 2 + quadTotal);
  const CVector3* p = positions.Positions().data();
  {
    CCornerSet set(vertexCount, out.corners);
    for (size_t t = 0; t < tris.size(); ++t) {
      const CMeshFace& f = tris[t];
      if (!FaceIndicesValid(f, vertexCount)) continue;
      size_t& at = triNext[static_cast<size_t>(Slot(f, materialCount))];
      for (int c = 2; c >= 0; --c) {
        const float* n = smooth ? FaceNormalOrZero(normalSource.m_TriangleCornerNormals, 3 * t + static_cast<size_t>(c))
                                : FaceNormalOrZero(normalSource.m_TriangleNormals, t);
        out.indices[at++] = set.Add(f.m_Index[c], p[f.m_Index[c]], n, f.m_UV[c]);
      }
    }
  }

  for (CFaceGroup& group : out.groups) {
    if (group.triangleCorners == 0) continue;
    const auto first = out.indices.begin() + group.firstTriangleCorner;
    const auto [lo, hi] = std::minmax_element(first, first + group.triangleCorners);
    group.lowestIndex = *lo;
    group.highestIndex = *hi;
  }

  // Quads: every corner stored in drawing order after the distinct triangle
  // corners, drawn without indices. Drivers split quads into triangles, and
  // only the unindexed path is sure to split them as the per-corner path does.
  const size_t quadBase = out.corners.size();
  for (CFaceGroup& group : out.groups) group.firstQuadCorner += static_cast<int>(quadBase);
  out.corners.resize(quadBase + quadTotal);
  for (size_t q = 0; q < quads.size(); ++q) {
    const CMeshFace& f = quads[q];
    if (!FaceIndicesValid(f, vertexCount)) continue;
    size_t& at = quadNext[static_cast<size_t>(Slot(f, materialCount))];
    for (int c = 3; c >= 0; --c) {
      const float* n = smooth ? FaceNormalOrZero(normalSource.m_QuadCornerNormals, 4 * q + static_cast<size_t>(c))
                              : FaceNormalOrZero(normalSource.m_QuadNormals, q);
      PutCorner(out.corners[quadBase + at++], p[f.m_Index[c]], n, f.m_UV[c]);
    }
  }
}

}  // namespace brimvale
