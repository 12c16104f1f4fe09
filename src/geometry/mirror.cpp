// Mirror image of a mesh across the plane through the origin perpendicular to
// one axis, together with the mesh itself. Type 1 keeps the halves apart; type
// 2 shares the vertices on the plane and closes open borders with new faces.
#include <cmath>
#include <initializer_list>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "document/mesh_builder.h"
#include "geometry/corner_colour_math.h"
#include "geometry/corner_uvs.h"

namespace brimvale {

namespace {

inline float& Coordinate(CVector3& p, int axis) { return axis == 0 ? p.x : (axis == 1 ? p.y : p.z); }
// Not a number counts as on the plane, like zero.
inline bool OffPlane(float c) { return c < 0.0f || c > 0.0f; }

// Mirrored copy of a face: corners reversed.
CMeshFace Reversed(const CMeshFace& face, int corners) {
  CMeshFace out = face;
  out.m_nCorners = corners;
  for (int i = 0; i < corners; ++i) out.m_Index[i] = face.m_Index[corners - 1 - i];
  return out;
}

// Texture coordinates of a mirrored face, reversed like its corners.
CCornerUVs Reversed(const CCornerUVs& uvs, int corners) {
  CCornerUVs out = uvs;
  for (int i = 0; i < corners; ++i) out.m_UV[i] = uvs.m_UV[corners - 1 - i];
  return out;
}

// Colours of a mirrored face: its corners' colours in the reversed order.
CCornerColours Reversed(const CCornerColours& colours, int corners) {
  CCornerColours out;
  for (int i = 0; i < corners; ++i) out.m_Color[i] = colours.m_Color[corners - 1 - i];
  return out;
}

// The corner values (UVs or colours, `array` of Corners) of a gap face whose
// corners stand at `vertices`: each the value of the first corner of `face`
// naming that vertex; the defaults where none does or there is no face.
template <typename Corners, typename Value>
Corners GapCorners(const CMeshFace* face, const Corners& values, Value (Corners::*array)[4],
                   std::initializer_list<int> vertices) {
  Corners out;
  if (face == nullptr) return out;
  int k = 0;
  for (const int vertex : vertices) {
    for (int c = 0; c < face->m_nCorners && c < 4; ++c) {
      if (face->m_Index[c] == vertex) {
        (out.*array)[k] = (values.*array)[c];
        break;
      }
    }
    ++k;
  }
  return out;
}

void CopyFaceLinksTwice(const CVertexLinkTable& source, CVertexLinkTable& target, LinkKind kind, int n,
                        int shift) {
  std::vector<int> counts(2 * static_cast<size_t>(n));
  for (int v = 0; v < n; ++v) {
    counts[static_cast<size_t>(v)] = counts[static_cast<size_t>(n + v)] = source.Count(kind, v);
  }
  target.Shape(kind, counts);
  for (int v = 0; v < n; ++v) {
    for (const int f : source.List(kind, v)) {
      target.Append(kind, v, f);
    }
  }
  for (int v = 0; v < n; ++v) {
    for (const int f : source.List(kind, v)) target.Append(kind, n + v, f + shift);
  }
}

void MirrorSeparate(const CMeshObject& source, CMeshObject& target, int axis) {
  const int n = source.VertexCount();
  target.m_Vertices.SetSize(2 * n);
  for (int v = 0; v < n; ++v) {
    const CVector3& p = source.m_Vertices.Position(v);
    target.m_Vertices.Position(v) = p;
    CVector3 q = p;
    Coordinate(q, axis) *= -1.0f;
    target.m_Vertices.Position(n + v) = q;
  }
  if (source.m_bVertexFaceLinksValid) {
    const CVertexLinkTable& from = source.m_Vertices.LinkTable();
    CVertexLinkTable& to = target.m_Vertices.LinkTable();
    CopyFaceLinksTwice(from, to, LinkKind::Line, n, source.LineCount());
    CopyFaceLinksTwice(from, to, LinkKind::Triangle, n, source.TriangleCount());
    CopyFaceLinksTwice(from, to, LinkKind::Quad, n, source.QuadCount());
  }
  target.m_bVertexFaceLinksValid = source.m_bVertexFaceLinksValid;
  target.m_bVertexEdgeLinksValid = 0;

  if (source.m_bEdgesBuilt) {
    target.m_Edges.reserve(2 * source.m_Edges.size());
    target.m_Edges = source.m_Edges;
    for (const CMeshEdge& e : source.m_Edges) target.m_Edges.push_back(CMeshEdge{e.m_v0 + n, e.m_v1 + n, e.m_Flags});
    target.m_bEdgesBuilt = 1;
  }

  const FaceList kinds[3] = {FaceList::Lines, FaceList::Triangles, FaceList::Quads};
  for (int k = 0; k < 3; ++k) {
    const int corners = k + 2;
    const auto& from = source.m_Faces.List(kinds[k]);
    auto& to = target.m_Faces.List(kinds[k]);
    to.reserve(2 * from.size());
    to = from;
    for (const CMeshFace& face : from) {
      CMeshFace copy = Reversed(face, corners);
      for (int c = 0; c < corners; ++c) copy.m_Index[c] += n;
      to.push_back(copy);
    }
    if (const auto* fromUVs = ListUVs(source.m_Faces, kinds[k])) {
      auto& toUVs = target.m_Faces.UVs(kinds[k]);
      toUVs.reserve(2 * fromUVs->size());
      toUVs = *fromUVs;
      for (const CCornerUVs& uvs : *fromUVs) toUVs.push_back(Reversed(uvs, corners));
    }
    const auto* fromColours = ListColours(source.m_Faces, kinds[k]);
    if (!fromColours) continue;
    auto& toColours = target.m_Faces.Colours(kinds[k]);
    toColours.reserve(2 * fromColours->size());
    toColours = *fromColours;
    for (const CCornerColours& colours : *fromColours) toColours.push_back(Reversed(colours, corners));
  }
}

// Joined halves: the work state of one pass of type 2.
class CJoinedMirror {
 public:
  CJoinedMirror(CMeshObject& source, CMeshObject& target, int axis)
      : m_Source(source),
        m_Target(target),
        m_nAxis(axis),
        m_bColoured(source.m_Faces.HasColours()),
        m_bMapped(source.m_Faces.HasUVs()) {}

  void Run() {
    MapVertices();
    CMeshBuilder sourceBuilder(&m_Source);
    if (!m_Source.m_bEdgesBuilt) sourceBuilder.BuildEdges();
    if (!m_Source.m_bVertexFaceLinksValid) sourceBuilder.BuildVertexFaceLinks();
    m_Target.m_bEdgesBuilt = 1;
    WalkEdges();
    CopyLines();
    CopyFaces(FaceList::Triangles, 3, m_NewTriangles, m_NewTriangleColours, m_NewTriangleUVs);
    CopyFaces(FaceList::Quads, 4, m_NewQuads, m_NewQuadColours, m_NewQuadUVs);
  }

 private:
  int Map(int v) const {
    return v >= 0 && static_cast<size_t>(v) < m_Map.size() ? m_Map[static_cast<size_t>(v)] : v;
  }
  bool Exists(int v) const { return v >= 0 && static_cast<size_t>(v) < m_Map.size(); }
  float CoordinateOf(int v) const {
    const CVector3& p = m_Source.m_Vertices.Position(v);
    return m_nAxis == 0 ? p.x : (m_nAxis == 1 ? p.y : p.z);
  }
  static uint64_t PairKey(int a, int b) {
    const auto lo = static_cast<uint32_t>(a < b ? a : b), hi = static_cast<uint32_t>(a < b ? b : a);
    return (static_cast<uint64_t>(lo) << 32) | hi;
  }

  void MapVertices() {
    const int n = m_Source.VertexCount();
    m_Map.resize(static_cast<size_t>(n));
    int twins = 0;
    for (int v = 0; v < n; ++v) m_Map[static_cast<size_t>(v)] = OffPlane(CoordinateOf(v)) ? n + twins++ : v;
    m_Target.m_Vertices.SetSize(n + twins);
    for (int v = 0; v < n; ++v) {
      const CVector3& p = m_Source.m_Vertices.Position(v);
      m_Target.m_Vertices.Position(v) = p;
      if (m_Map[static_cast<size_t>(v)] == v) continue;
      CVector3 q = p;
      Coordinate(q, m_nAxis) = -Coordinate(q, m_nAxis);
      m_Target.m_Vertices.Position(m_Map[static_cast<size_t>(v)]) = q;
    }
  }

  // Counts b's corners in a's triangles, then a's quads, stopping at the face
  // where the count reaches 2; returns it and the last face where b was found,
  // with that face's colours (white when it has none) and UVs.
  int CountFaces(int a, int b, const CMeshFace*& found, CCornerColours& foundColours, CCornerUVs& foundUVs) const {
    const CVertexLinks links = m_Source.m_Vertices.Links(a);
    int count = 0;
    found = nullptr;
    auto visit = [&](FaceList which, int f) {
      const CMeshFace& face = m_Source.m_Faces.List(which)[static_cast<size_t>(f)];
      bool hit = false;
      for (int c = 0; c < face.m_nCorners && c < 4; ++c) {
        if (face.m_Index[c] != b) continue;
        ++count;
        hit = true;
      }
      if (hit) {
        found = &face;
        if (m_bColoured) foundColours = ColoursOrWhite(ListColours(m_Source.m_Faces, which), static_cast<size_t>(f));
        if (m_bMapped) foundUVs = UVsOrZero(ListUVs(m_Source.m_Faces, which), static_cast<size_t>(f));
      }
      return count >= 2;
    };
    for (const int f : links.Triangles()) {
      if (visit(FaceList::Triangles, f)) return count;
    }
    for (const int f : links.Quads()) {
      if (visit(FaceList::Quads, f)) return count;
    }
    return count;
  }

  void AddConnectingEdge(int x) {
    if (m_Connected.empty()) m_Connected.assign(m_Map.size(), 0);
    if (m_Connected[static_cast<size_t>(x)]) return;
    m_Connected[static_cast<size_t>(x)] = 1;
    m_ExtraEdges.push_back(CMeshEdge{x, Map(x), 0});
  }

  void WalkEdges() {
    const bool limit = m_Source.m_bMirrorDistanceLimit != 0;
    const float distance = m_Source.m_fMirrorDistance;
    auto& edges = m_Target.m_Edges;
    edges.reserve(2 * m_Source.m_Edges.size());
    for (const CMeshEdge& edge : m_Source.m_Edges) {
      const int a = edge.m_v0, b = edge.m_v1;
      if (!Exists(a) || !Exists(b)) continue;  // a stale list naming missing vertices
      const float ca = CoordinateOf(a), cb = CoordinateOf(b);
      const bool offA = OffPlane(ca), offB = OffPlane(cb);
      edges.push_back(edge);
      if (!offA && !offB) continue;  // on the plane: shared by both halves
      edges.push_back(CMeshEdge{Map(a), Map(b), 0});
      if (limit && !(std::fabs(ca) <= distance && std::fabs(cb) <= distance)) continue;

      const CMeshFace* face = nullptr;
      CCornerColours faceColours;
      CCornerUVs faceUVs;
      const int count = CountFaces(a, b, face, faceColours, faceUVs);
      if (count >= 2) continue;  // interior
      if (count == 0) m_Replaced.insert(PairKey(a, b));

      if (offA && offB) {
        CMeshFace quad = face ? *face : CMeshFace();
        quad.m_nCorners = 4;
        quad.m_Index[0] = b;
        quad.m_Index[1] = a;
        quad.m_Index[2] = Map(a);
        quad.m_Index[3] = Map(b);
        m_NewQuads.push_back(quad);
        if (m_bMapped) m_NewQuadUVs.push_back(GapCorners(face, faceUVs, &CCornerUVs::m_UV, {b, a, a, b}));
        if (m_bColoured)
          m_NewQuadColours.push_back(GapCorners(face, faceColours, &CCornerColours::m_Color, {b, a, a, b}));
        AddConnectingEdge(a);
        AddConnectingEdge(b);
      } else {
        const int x = offA ? a : b;
        CMeshFace triangle;
        triangle.m_nCorners = 3;
        triangle.m_Index[0] = b;
        triangle.m_Index[1] = a;
        triangle.m_Index[2] = Map(x);
        if (face) triangle.m_nMaterial = face->m_nMaterial;
        m_NewTriangles.push_back(triangle);
        if (m_bMapped) m_NewTriangleUVs.push_back(GapCorners(face, faceUVs, &CCornerUVs::m_UV, {b, a, x}));
        if (m_bColoured)
          m_NewTriangleColours.push_back(GapCorners(face, faceColours, &CCornerColours::m_Color, {b, a, x}));
        AddConnectingEdge(x);
      }
    }
    edges.insert(edges.end(), m_ExtraEdges.begin(), m_ExtraEdges.end());
  }

  // A mirrored line keeps its corner order, so its colours too; its mirror
  // image carries no texture coordinates.
  void CopyLines() {
    const auto& from = m_Source.m_Faces.Lines();
    const auto* fromColours = m_bColoured ? ListColours(m_Source.m_Faces, FaceList::Lines) : nullptr;
    const auto* fromUVs = ListUVs(m_Source.m_Faces, FaceList::Lines);
    auto& lines = m_Target.m_Faces.Lines();
    auto& colours = m_Target.m_Faces.Colours(FaceList::Lines);
    auto& uvs = m_Target.m_Faces.UVs(FaceList::Lines);
    lines.reserve(2 * from.size());
    if (m_bColoured) colours.reserve(2 * from.size());
    for (size_t i = 0; i < from.size(); ++i) {
      const CMeshFace& line = from[i];
      const int a = line.m_Index[0], b = line.m_Index[1];
      if (!m_Replaced.empty() && m_Replaced.count(PairKey(a, b))) continue;
      lines.push_back(line);
      CMeshFace mirrored;
      mirrored.m_nCorners = 2;
      mirrored.m_Index[0] = Map(a);
      mirrored.m_Index[1] = Map(b);
      lines.push_back(mirrored);
      if (fromUVs) {
        uvs.push_back((*fromUVs)[i]);
        uvs.emplace_back();
      }
      if (!m_bColoured) continue;
      const CCornerColours lineColours = ColoursOrWhite(fromColours, i);
      colours.push_back(lineColours);
      colours.push_back(lineColours);
    }
  }

  // Once any face of the source is coloured, every list of the result carries
  // colours (white where the source had none), since bridging faces may take
  // a coloured face's colours into a list whose source faces had none.
  void CopyFaces(FaceList which, int corners, const std::vector<CMeshFace>& added,
                 const std::vector<CCornerColours>& addedColours, const std::vector<CCornerUVs>& addedUVs) {
    const auto& from = m_Source.m_Faces.List(which);
    auto& to = m_Target.m_Faces.List(which);
    to.reserve(2 * from.size() + added.size());
    to = from;
    for (const CMeshFace& face : from) {
      CMeshFace copy = Reversed(face, corners);
      for (int c = 0; c < corners; ++c) copy.m_Index[c] = Map(copy.m_Index[c]);
      to.push_back(copy);
    }
    to.insert(to.end(), added.begin(), added.end());
    if (m_bMapped) {
      // As with the colours: bridging faces may take UVs into any list.
      const auto* fromUVs = ListUVs(m_Source.m_Faces, which);
      auto& uvs = m_Target.m_Faces.UVs(which);
      uvs.reserve(to.size());
      if (fromUVs) uvs = *fromUVs;
      uvs.resize(from.size());
      for (size_t i = 0; i < from.size(); ++i) uvs.push_back(Reversed(UVsOrZero(fromUVs, i), corners));
      uvs.insert(uvs.end(), addedUVs.begin(), addedUVs.end());
    }
    if (!m_bColoured) return;
    const auto* fromColours = ListColours(m_Source.m_Faces, which);
    auto& colours = m_Target.m_Faces.Colours(which);
    colours.reserve(to.size());
    if (fromColours) colours = *fromColours;
    colours.resize(from.size());
    for (size_t i = 0; i < from.size(); ++i) colours.push_back(Reversed(ColoursOrWhite(fromColours, i), corners));
    colours.insert(colours.end(), addedColours.begin(), addedColours.end());
  }

  CMeshObject& m_Source;
  CMeshObject& m_Target;
  int m_nAxis;
  const bool m_bColoured;  // some face of the source carries colours
  const bool m_bMapped;    // some face of the source carries UVs
  std::vector<int> m_Map;
  std::vector<uint8_t> m_Connected;  // connecting edge (x, map(x)) already listed
  std::vector<CMeshEdge> m_ExtraEdges;
  std::unordered_set<uint64_t> m_Replaced;
  std::vector<CMeshFace> m_NewTriangles;
  std::vector<CMeshFace> m_NewQuads;
  // In step with the new faces, filled only when the source is coloured.
  std::vector<CCornerColours> m_NewTriangleColours;
  std::vector<CCornerColours> m_NewQuadColours;
  // Likewise, only when the source carries UVs.
  std::vector<CCornerUVs> m_NewTriangleUVs;
  std::vector<CCornerUVs> m_NewQuadUVs;
};

}  // namespace

void CMeshBuilder::BuildMirror(CMeshObject& source, int axis) {
  if (!m_pTarget || m_pTarget == &source) return;
  ClearGeometry();
  const int type = source.m_nMirrorType;
  // Unknown types copy the source too: freezing such an object must not
  // erase its geometry.
  if ((type != 1 && type != 2) || axis < 0 || axis > 2 ||
      (source.TriangleCount() == 0 && source.QuadCount() == 0)) {
    CopyGeometryFrom(source);
    return;
  }
  if (type == 1) {
    MirrorSeparate(source, *m_pTarget, axis);
  } else {
    CJoinedMirror(source, *m_pTarget, axis).Run();
  }
}

}  // namespace brimvale
