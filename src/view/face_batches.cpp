#include "view/face_batches.h"

#include <algorithm>

#include "mesh/distinct_corners.h"

namespace brimvale {
namespace {

const CVector2 kNoUV{};

void PutCorner(CFaceCorner& c, const CVector3& p, const CVector3& n, const CVector2& uv) {
  c.position[0] = p.x, c.position[1] = p.y, c.position[2] = p.z;
  c.normal[0] = n.x, c.normal[1] = n.y, c.normal[2] = n.z;
  c.texCoord[0] = uv.v, c.texCoord[1] = uv.u;
}

}  // namespace

void BuildFaceBatches(const COutputMesh& mesh, bool smooth, CFaceBatches& out) {
  out.corners.clear();
  out.indices.clear();
  out.groups.clear();
  out.colours.clear();
  const bool coloured = mesh.HasColours();
  const COutputFaces& tris = mesh.triangles;
  const std::vector<size_t> triFaces = mesh.TrianglesPerSlot();
  const std::vector<size_t> quadFaces = mesh.QuadsPerSlot();

  // Lay the slots out in pass order.
  const size_t slots = mesh.SlotCount();
  std::vector<size_t> triNext(slots);
  size_t triTotal = 0, quadTotal = 0;
  for (size_t slot = 0; slot < slots; ++slot) {
    CFaceGroup group;
    group.material = mesh.SlotMaterial(static_cast<uint32_t>(slot));
    group.coloured = mesh.SlotColoured(static_cast<uint32_t>(slot));
    group.firstTriangleCorner = static_cast<int>(triTotal);
    group.triangleCorners = static_cast<int>(3 * triFaces[slot]);
    group.firstQuadCorner = static_cast<int>(quadTotal);  // made absolute below
    group.quadCorners = static_cast<int>(4 * quadFaces[slot]);
    triNext[slot] = triTotal;
    triTotal += 3 * triFaces[slot];
    quadTotal += 4 * quadFaces[slot];
    out.groups.push_back(group);
  }

  // Triangles: distinct corners and an index list.
  out.indices.resize(triTotal);
  out.corners.reserve(triTotal / 2);
  {
    CDistinctCorners distinct(mesh, smooth);
    for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
      size_t& at = triNext[tris.faceSlots[t]];
      for (int c = 2; c >= 0; --c) {
        bool fresh = false;
        const uint32_t index = distinct.AddTriangleCorner(t, c, fresh);
        if (fresh) {
          const size_t corner = 3 * t + static_cast<size_t>(c);
          out.corners.emplace_back();
          PutCorner(out.corners.back(), mesh.TrianglePosition(t, c), distinct.Normal(corner), distinct.UV(corner));
          if (coloured) out.colours.push_back(distinct.Colour(corner));
        }
        out.indices[at++] = index;
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

  // Quads: every corner in drawing order after the distinct triangle
  // corners, drawn without indices. Drivers split quads into triangles, and
  // only the unindexed path is sure to split them as the per-corner path does.
  const size_t quadBase = out.corners.size();
  for (CFaceGroup& group : out.groups) group.firstQuadCorner += static_cast<int>(quadBase);
  out.quadCorners = quadTotal;
}

CQuadCornerCursor::CQuadCornerCursor(const COutputMesh& mesh) : m_Mesh(mesh), m_PerSlot(mesh.QuadsPerSlot()) {}

template <class Put>
size_t CQuadCornerCursor::Walk(size_t count, Put put) {
  const COutputFaces& quads = m_Mesh.quads;
  const size_t quadCount = m_Mesh.QuadCount();
  size_t at = 0;
  while (at < count && m_nSlot < m_PerSlot.size()) {
    if (m_PerSlot[m_nSlot] == 0 || m_nQuad >= quadCount) {  // the slot is done
      ++m_nSlot;
      m_nQuad = 0;
      continue;
    }
    if (quads.faceSlots[m_nQuad] != m_nSlot) {
      ++m_nQuad;
      continue;
    }
    // Each quad's corners in reverse order, as the per-corner path sends them.
    put(4 * m_nQuad + static_cast<size_t>(3 - m_nCorner), at++);
    if (++m_nCorner == 4) {
      m_nCorner = 0;
      ++m_nQuad;
    }
  }
  return at;
}

size_t CQuadCornerCursor::Fill(bool smooth, size_t count, CFaceCorner* out, uint32_t* colours) {
  const COutputFaces& quads = m_Mesh.quads;
  return Walk(count, [&](size_t corner, size_t at) {
    if (out != nullptr) {
      const size_t q = corner / 4;
      const CVector3& n = smooth ? quads.cornerNormals[corner] : quads.faceNormals[q];
      PutCorner(out[at], m_Mesh.positions[quads.corners[corner]], n, quads.HasUVs() ? quads.uvs[corner] : kNoUV);
    }
    if (colours != nullptr) colours[at] = quads.HasColours() ? quads.colours[corner] : 0xFFFFFFFFu;
  });
}

void FillQuadCorners(const COutputMesh& mesh, bool smooth, size_t first, size_t count, CFaceCorner* out) {
  CQuadCornerCursor cursor(mesh);
  cursor.Fill(smooth, first, nullptr, nullptr);
  cursor.Fill(smooth, count, out, nullptr);
}

void FillQuadColours(const COutputMesh& mesh, size_t first, size_t count, uint32_t* out) {
  CQuadCornerCursor cursor(mesh);
  cursor.Fill(false, first, nullptr, nullptr);
  cursor.Fill(false, count, nullptr, out);
}

}  // namespace brimvale
