// Surface of revolution: every vertex used by a line is flattened onto the
// reference half-plane of the lathe axis and swept around it in equal steps;
// each line becomes a ring of quads. Ring r(p, 0) is the profile vertex itself.
#include <cstdint>
#include <vector>

#include "document/mesh_builder.h"
#include "foundation/float_math.h"
#include "foundation/math_constants.h"
#include "geometry/corner_colour_math.h"
#include "geometry/corner_uvs.h"

namespace brimvale {

namespace {

// A sweep larger than this (vertices or quads) is refused and leaves the source
// as it is, so a corrupt segment count cannot demand gigabytes.
constexpr int64_t kMaxSweepElements = int64_t{1} << 26;

// Radius and flattened point of a profile vertex about one axis.
CVector3 Flatten(const CVector3& p, int axis, float& radius) {
  switch (axis) {
    case 0:
      radius = SqrtF(p.y * p.y + p.z * p.z);
      return CVector3(p.x, radius, 0.0f);
    case 2:
      radius = SqrtF(p.x * p.x + p.y * p.y);
      return CVector3(radius, 0.0f, p.z);
    default:
      radius = SqrtF(p.x * p.x + p.z * p.z);
      return CVector3(radius, p.y, 0.0f);
  }
}

CVector3 Rotate(const CVector3& flat, int axis, float radius, float c, float s) {
  switch (axis) {
    case 0: return CVector3(flat.x, radius * c, radius * s);
    case 2: return CVector3(radius * c, radius * s, flat.z);
    default: return CVector3(radius * c, flat.y, -radius * s);
  }
}

bool LineUsable(const CMeshFace& line, int vertexCount) {
  const int a = line.m_Index[0], b = line.m_Index[1];
  return a >= 0 && b >= 0 && a < vertexCount && b < vertexCount;
}

}  // namespace

void CMeshBuilder::BuildLathe(CMeshObject& source) {
  if (!m_pTarget || m_pTarget == &source) return;
  ClearGeometry();
  if (!source.m_bLathe || source.LineCount() == 0) {
    CopyGeometryFrom(source);
    return;
  }
  CMeshObject& obj = *m_pTarget;
  const int n = source.VertexCount();
  const int axis = source.m_nLatheAxis >= 0 && source.m_nLatheAxis <= 2 ? source.m_nLatheAxis : 1;
  const int s = source.m_nLatheSegments < 3 ? 3 : source.m_nLatheSegments;
  const auto& lines = source.m_Faces.Lines();

  // Profile: distinct line vertices in order of first use.
  std::vector<int> position(static_cast<size_t>(n), -1);
  std::vector<int> profile;
  for (const CMeshFace& line : lines) {
    if (!LineUsable(line, n)) continue;
    for (int c = 0; c < 2; ++c) {
      const int v = line.m_Index[c];
      if (position[static_cast<size_t>(v)] >= 0) continue;
      position[static_cast<size_t>(v)] = static_cast<int>(profile.size());
      profile.push_back(v);
    }
  }
  const int64_t k = static_cast<int64_t>(profile.size());
  const int64_t totalVertices = n + (s - 1) * k;
  const int64_t totalQuads = source.QuadCount() + static_cast<int64_t>(s) * source.LineCount();
  // A sweep that cannot be indexed leaves the source as it is.
  if (totalVertices > kMaxSweepElements || totalQuads > kMaxSweepElements) {
    CopyGeometryFrom(source);
    return;
  }
  auto ring = [n, s, &position](int v, int m) {
    if (m % s == 0) return v;
    return n + position[static_cast<size_t>(v)] * (s - 1) + (m % s - 1);
  };

  obj.m_Vertices.SetSize(static_cast<int>(totalVertices));
  for (int v = 0; v < n; ++v) obj.m_Vertices.Position(v) = source.m_Vertices.Position(v);

  if (!source.m_bEdgesBuilt) CMeshBuilder(&source).BuildEdges();
  obj.m_bEdgesBuilt = 1;
  obj.m_Edges.reserve(static_cast<size_t>(k * s) + source.m_Edges.size() +
                      static_cast<size_t>(s - 1) * lines.size());
  obj.m_Edges = source.m_Edges;

  // Steps 1 .. s-1 share their angles across the profile.
  std::vector<float> cosines(static_cast<size_t>(s)), sines(static_cast<size_t>(s));
  for (int m = 1; m < s; ++m) {
    const float degrees = static_cast<float>(m) * 360.0f / static_cast<float>(s);
    const float radians = degrees * kPi / k180;
    cosines[static_cast<size_t>(m)] = CosF(radians);
    sines[static_cast<size_t>(m)] = SinF(radians);
  }
  for (const int v : profile) {
    float radius = 0.0f;
    const CVector3 flat = Flatten(source.m_Vertices.Position(v), axis, radius);
    obj.m_Vertices.Position(v) = flat;
    for (int m = 1; m < s; ++m) {
      obj.m_Vertices.Position(ring(v, m)) =
          Rotate(flat, axis, radius, cosines[static_cast<size_t>(m)], sines[static_cast<size_t>(m)]);
      obj.m_Edges.push_back(CMeshEdge{ring(v, m - 1), ring(v, m), 0});
    }
    obj.m_Edges.push_back(CMeshEdge{ring(v, s - 1), v, 0});
  }

  obj.m_Faces.CopyFrom(FaceList::Triangles, source.m_Faces);
  auto& quads = obj.m_Faces.Quads();
  quads.reserve(static_cast<size_t>(totalQuads));
  quads = source.m_Faces.Quads();
  // A swept quad takes the colours of its line's ends; once the source is
  // coloured anywhere, the quads carry colours (white where it had none).
  const bool coloured = source.m_Faces.HasColours();
  const auto* lineColours = ListColours(source.m_Faces, FaceList::Lines);
  auto& quadColours = obj.m_Faces.Colours(FaceList::Quads);
  if (coloured) {
    const auto* sourceQuadColours = ListColours(source.m_Faces, FaceList::Quads);
    quadColours.reserve(static_cast<size_t>(totalQuads));
    if (sourceQuadColours) quadColours = *sourceQuadColours;
    quadColours.resize(quads.size());
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const CMeshFace& line = lines[i];
    // A line naming one vertex twice sweeps into nothing: no zero-width
    // quads and no edge from a vertex to itself.
    if (!LineUsable(line, n) || line.m_Index[0] == line.m_Index[1]) continue;
    CCornerColours swept;
    if (coloured) {
      const CCornerColours ends = ColoursOrWhite(lineColours, i);
      swept.m_Color[0] = swept.m_Color[3] = ends.m_Color[0];
      swept.m_Color[1] = swept.m_Color[2] = ends.m_Color[1];
    }
    const int a = line.m_Index[0], b = line.m_Index[1];
    for (int m = 0; m < s; ++m) {
      if (m < s - 1) obj.m_Edges.push_back(CMeshEdge{ring(a, m + 1), ring(b, m + 1), 0});
      CMeshFace quad;
      quad.m_nCorners = 4;
      quad.m_Index[0] = ring(a, m);
      quad.m_Index[1] = ring(b, m);
      quad.m_Index[2] = ring(b, m + 1);
      quad.m_Index[3] = ring(a, m + 1);
      // The surface shows in the material of the line it is swept from.
      quad.m_nMaterial = line.m_nMaterial;
      quads.push_back(quad);
      if (coloured) quadColours.push_back(swept);
    }
  }
  // Swept quads have no texture coordinates of their own.
  if (const auto* sourceQuadUVs = ListUVs(source.m_Faces, FaceList::Quads)) {
    auto& quadUVs = obj.m_Faces.UVs(FaceList::Quads);
    quadUVs.reserve(quads.size());
    quadUVs = *sourceQuadUVs;
    quadUVs.resize(quads.size());
  }
}

}  // namespace brimvale
