// The point rules of one patch pass: moved old vertices (valence stencil) and
// edge points, written to out[0 .. V) and out[V .. V+E). Two evaluations give
// bit-identical results: one in face order, for meshes whose faces name
// distinct, existing vertices and whose edges are unique (the common case,
// cache-friendly), and one by the vertex link lists, for any mesh.
#pragma once

#include <vector>

#include "document/mesh_object.h"

namespace brimvale {

struct CPatchSource {
  explicit CPatchSource(const CMeshObject& source);

  const CVertexLinkTable& links;
  const std::vector<CVector3>& positions;
  const CEdgeArray& edges;
  const std::vector<CMeshFace>& triangles;
  const std::vector<CMeshFace>& quads;
  const int V, E, T, Q;

  // Origin for a corner outside the vertex array, never a read past it.
  const CVector3& Pos(int v) const {
    static const CVector3 kOrigin(0.0f, 0.0f, 0.0f);
    return static_cast<unsigned>(v) < static_cast<unsigned>(V) ? positions[static_cast<size_t>(v)] : kOrigin;
  }
  // Target index of the point on the edge from a to b: V plus the last edge of
  // a's edge list whose other end is b. Two successive corners naming one
  // vertex have no edge, and a pair without an edge has none either: the
  // vertex itself stands in.
  int EdgePoint(int a, int b) const;
};

// Needs the source's vertex-edge links (its out[] slots zeroed). Fills
// facePoints with the edge point of every corner pair (three per triangle, then
// four per quad). Returns false, with out[] to be zeroed again, when the mesh
// does not qualify.
bool PlacePointsInFaceOrder(const CPatchSource& source, CVector3* out, std::vector<int>& facePoints);

// Needs the source's vertex-edge and vertex-face links.
void PlacePointsByLinks(const CPatchSource& source, CVector3* out);

}  // namespace brimvale
