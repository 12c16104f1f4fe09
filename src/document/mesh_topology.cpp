// Edge list and vertex links of an object, derived from its faces.
#include <utility>
#include <vector>

#include "document/mesh_builder.h"

namespace brimvale {

namespace {

// Counting pass over corners, then a fill pass: two allocations per kind.
void LinkFaces(const std::vector<CMeshFace>& faces, int vertexCount, CVertexLinkTable& table, LinkKind kind) {
  // No faces of this kind: every list is empty, and a point cloud of a million
  // vertices should not pay for a million zero counts.
  if (faces.empty()) {
    table.Clear(kind);
    return;
  }
  std::vector<int> counts(static_cast<size_t>(vertexCount), 0);
  for (const CMeshFace& face : faces) {
    for (int c = 0; c < face.m_nCorners && c < 4; ++c) {
      const int v = face.m_Index[c];
      if (v >= 0 && v < vertexCount) ++counts[static_cast<size_t>(v)];
    }
  }
  table.Shape(kind, std::move(counts));
  for (size_t f = 0; f < faces.size(); ++f) {
    const CMeshFace& face = faces[f];
    for (int c = 0; c < face.m_nCorners && c < 4; ++c) {
      const int v = face.m_Index[c];
      if (v >= 0 && v < vertexCount) table.Append(kind, v, static_cast<int>(f));
    }
  }
}

}  // namespace

void CMeshBuilder::BuildEdges() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  obj.m_bEdgesBuilt = 1;
  obj.m_bVertexEdgeLinksValid = 0;
  obj.m_bVertexFaceLinksValid = 0;
  obj.m_Edges.clear();
  const int vertexCount = obj.VertexCount();
  if (vertexCount < 2) return;

  const auto& lines = obj.m_Faces.Lines();
  const auto& triangles = obj.m_Faces.Triangles();
  const auto& quads = obj.m_Faces.Quads();
  obj.m_Edges.reserve(lines.size() + 3 * triangles.size() + 4 * quads.size());

  // Edges found so far per vertex, as singly linked chains through one array:
  // head[v] is the newest edge touching v; next[2e + side] continues the chain.
  std::vector<int> head(static_cast<size_t>(vertexCount), -1);
  std::vector<int> next;
  next.reserve(2 * obj.m_Edges.capacity());

  auto consider = [&](int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= vertexCount || b >= vertexCount) return;
    for (int link = head[static_cast<size_t>(a)]; link >= 0; link = next[static_cast<size_t>(link)]) {
      const CMeshEdge& e = obj.m_Edges[static_cast<size_t>(link / 2)];
      if ((e.m_v0 == a && e.m_v1 == b) || (e.m_v0 == b && e.m_v1 == a)) return;
    }
    const int index = static_cast<int>(obj.m_Edges.size());
    obj.m_Edges.push_back(CMeshEdge{a, b, 0});
    next.push_back(head[static_cast<size_t>(a)]);
    head[static_cast<size_t>(a)] = 2 * index;
    next.push_back(head[static_cast<size_t>(b)]);
    head[static_cast<size_t>(b)] = 2 * index + 1;
  };

  for (const CMeshFace& f : lines) consider(f.m_Index[0], f.m_Index[1]);
  for (const CMeshFace& f : triangles) {
    for (int c = 0; c < 3; ++c) consider(f.m_Index[c], f.m_Index[(c + 1) % 3]);
  }
  for (const CMeshFace& f : quads) {
    for (int c = 0; c < 4; ++c) consider(f.m_Index[c], f.m_Index[(c + 1) % 4]);
  }
}

void CMeshBuilder::BuildVertexEdgeLinks() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  if (!obj.m_bEdgesBuilt) BuildEdges();
  const int vertexCount = obj.VertexCount();
  CVertexLinkTable& table = obj.m_Vertices.LinkTable();
  // An edge list set by other means than BuildEdges may name missing
  // vertices; such edges get no links rather than writes past the table.
  auto usable = [vertexCount](const CMeshEdge& e) {
    return e.m_v0 >= 0 && e.m_v1 >= 0 && e.m_v0 < vertexCount && e.m_v1 < vertexCount;
  };
  if (obj.m_Edges.empty()) {
    table.Clear(LinkKind::Edge);
    obj.m_bVertexEdgeLinksValid = 1;
    return;
  }
  std::vector<int> counts(static_cast<size_t>(vertexCount), 0);
  for (const CMeshEdge& e : obj.m_Edges) {
    if (!usable(e)) continue;
    ++counts[static_cast<size_t>(e.m_v0)];
    ++counts[static_cast<size_t>(e.m_v1)];
  }
  table.Shape(LinkKind::Edge, std::move(counts));
  for (size_t i = 0; i < obj.m_Edges.size(); ++i) {
    if (!usable(obj.m_Edges[i])) continue;
    table.Append(LinkKind::Edge, obj.m_Edges[i].m_v0, static_cast<int>(i));
    table.Append(LinkKind::Edge, obj.m_Edges[i].m_v1, static_cast<int>(i));
  }
  obj.m_bVertexEdgeLinksValid = 1;
}

void CMeshBuilder::BuildVertexFaceLinks() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  obj.m_bVertexFaceLinksValid = 1;
  const int vertexCount = obj.VertexCount();
  CVertexLinkTable& table = obj.m_Vertices.LinkTable();
  LinkFaces(obj.m_Faces.Lines(), vertexCount, table, LinkKind::Line);
  LinkFaces(obj.m_Faces.Triangles(), vertexCount, table, LinkKind::Triangle);
  LinkFaces(obj.m_Faces.Quads(), vertexCount, table, LinkKind::Quad);
}

void CMeshBuilder::BuildVertexLinks() {
  BuildVertexEdgeLinks();
  BuildVertexFaceLinks();
}

}  // namespace brimvale
