// Small meshes and checks shared by the geometry tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>

#include "document/mesh_builder.h"

namespace brimvale::testing {

inline CMeshFace Face(std::initializer_list<int> corners) {
  CMeshFace face;
  face.m_nCorners = static_cast<int>(corners.size());
  int c = 0;
  for (int v : corners) {
    if (c < 4) face.m_Index[c] = v;
    ++c;
  }
  return face;
}

inline void AddFaces(CMeshObject& obj, std::initializer_list<CMeshFace> faces) {
  for (const CMeshFace& f : faces) obj.m_Faces.Incoming().push_back(f);
  obj.m_Faces.SplitFacesByCorners();
}

inline void SetPositions(CMeshObject& obj, std::initializer_list<CVector3> positions) {
  obj.m_Vertices.SetSize(static_cast<int>(positions.size()));
  int i = 0;
  for (const CVector3& p : positions) obj.m_Vertices.Position(i++) = p;
}

// Unit cube centred on the origin, faces counter-clockwise seen from outside
// (program axes), with edges and links built as the reader leaves them.
inline void MakeCube(CMeshObject& obj, float half = 1.0f) {
  const float h = half;
  SetPositions(obj, {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                     {-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}});
  // Normals by (p1 - p2) x (p1 - p0): corners listed so each face points out.
  AddFaces(obj, {Face({3, 2, 1, 0}), Face({4, 5, 6, 7}), Face({0, 4, 7, 3}), Face({1, 2, 6, 5}),
                 Face({3, 7, 6, 2}), Face({0, 1, 5, 4})});
  CMeshBuilder(&obj).BuildVertexLinks();
}

// Number of triangles and quads using each undirected pair of successive corners.
inline std::map<std::pair<int, int>, int> EdgeUses(const CMeshObject& obj) {
  std::map<std::pair<int, int>, int> uses;
  auto count = [&](const CMeshFace& f, int corners) {
    for (int c = 0; c < corners; ++c) {
      int a = f.m_Index[c], b = f.m_Index[(c + 1) % corners];
      if (a == b) continue;
      if (a > b) std::swap(a, b);
      ++uses[{a, b}];
    }
  };
  for (const CMeshFace& f : obj.m_Faces.Triangles()) count(f, 3);
  for (const CMeshFace& f : obj.m_Faces.Quads()) count(f, 4);
  return uses;
}

// Closed: every edge of every face is shared by exactly two faces.
inline bool IsClosed(const CMeshObject& obj) {
  const auto uses = EdgeUses(obj);
  if (uses.empty()) return false;
  for (const auto& [edge, n] : uses) {
    if (n != 2) return false;
  }
  return true;
}

// Every face corner and edge end names an existing vertex.
inline bool IndicesInRange(const CMeshObject& obj) {
  const int n = obj.VertexCount();
  auto ok = [n](int v) { return v >= 0 && v < n; };
  for (const CMeshEdge& e : obj.m_Edges) {
    if (!ok(e.m_v0) || !ok(e.m_v1)) return false;
  }
  const std::pair<FaceList, int> lists[] = {{FaceList::Lines, 2}, {FaceList::Triangles, 3}, {FaceList::Quads, 4}};
  for (const auto& [which, corners] : lists) {
    for (const CMeshFace& f : obj.m_Faces.List(which)) {
      if (f.m_nCorners != corners) return false;
      for (int c = 0; c < corners; ++c) {
        if (!ok(f.m_Index[c])) return false;
      }
    }
  }
  return true;
}

inline bool Near(const CVector3& a, const CVector3& b, float tolerance = 1e-5f) {
  auto close = [tolerance](float x, float y) { return x - y <= tolerance && y - x <= tolerance; };
  return close(a.x, b.x) && close(a.y, b.y) && close(a.z, b.z);
}

}  // namespace brimvale::testing
