// Point rules of patch subdivision. Old vertex o with v edges and w quads,
// beta = 1.5 / v, gamma = 0.25 / w: when o has more than two faces it moves to
// (1 - beta - gamma) o + beta / v * (sum of edge neighbours) + gamma / w * (sum
// of opposite quad corners). Edge point of (a, b): with B corners other than a
// and b in the faces at a that contain b, summing to S, 3/8 (a + b) + S / 4B
// when B > 2, else the midpoint. Sums run in the order of the link lists
// (faces and edges by ascending index), which face order reproduces exactly.
#include "geometry/patch_points.h"

namespace brimvale {

namespace {

inline CVector3 MovedVertex(const CVector3& p, int edgeCount, int quadCount, const CVector3& se, const CVector3& sf) {
  const float v = static_cast<float>(edgeCount);
  const float w = static_cast<float>(quadCount);
  const float beta = edgeCount ? 1.5f / v : 0.0f;
  const float betaEach = edgeCount ? beta / v : 0.0f;
  const float gamma = quadCount ? 0.25f / w : 0.0f;
  const float gammaEach = quadCount ? gamma / w : 0.0f;
  const float self = 1.0f - beta - gamma;
  return CVector3(self * p.x + betaEach * se.x + gammaEach * sf.x, self * p.y + betaEach * se.y + gammaEach * sf.y,
                  self * p.z + betaEach * se.z + gammaEach * sf.z);
}

inline CVector3 EdgePointPosition(const CVector3& a, const CVector3& b, const CVector3& sum, int count) {
  const CVector3 ends(a.x + b.x, a.y + b.y, a.z + b.z);
  if (count <= 2) return CVector3(ends.x * 0.5f, ends.y * 0.5f, ends.z * 0.5f);
  const float divisor = static_cast<float>(count) * 4.0f;
  return CVector3(ends.x * 3.0f / 8.0f + sum.x / divisor, ends.y * 3.0f / 8.0f + sum.y / divisor,
                  ends.z * 3.0f / 8.0f + sum.z / divisor);
}

// The one edge joining a and b; -1 for none, -2 when the pair has several.
int UniqueEdge(const CPatchSource& s, int a, int b) {
  int found = -1;
  for (const int e : s.links.List(LinkKind::Edge, a)) {
    const CMeshEdge& edge = s.edges[static_cast<size_t>(e)];
    if ((edge.m_v0 == a ? edge.m_v1 : edge.m_v0) != b) continue;
    if (found >= 0) return -2;
    found = e;
  }
  return found;
}

// Face-order accumulation state.
class CFaceOrderPoints {
 public:
  CFaceOrderPoints(const CPatchSource& s, CVector3* out)
      : m_S(s),
        m_Out(out),
        m_EdgeCorners(static_cast<size_t>(s.E), 0),
        m_FaceCount(static_cast<size_t>(s.V), 0),
        m_QuadCount(static_cast<size_t>(s.V), 0) {}

  bool Run(std::vector<int>& facePoints) {
    facePoints.resize(3 * static_cast<size_t>(m_S.T) + 4 * static_cast<size_t>(m_S.Q));
    int* points = facePoints.data();
    for (const CMeshFace& face : m_S.triangles) {
      if (!Regular(face.m_Index, 3)) return false;
      if (!Triangle(face.m_Index, points)) return false;
      points += 3;
    }
    for (const CMeshFace& face : m_S.quads) {
      if (!Regular(face.m_Index, 4)) return false;
      if (!Quad(face.m_Index, points)) return false;
      points += 4;
    }
    MoveOldVertices();
    for (int e = 0; e < m_S.E; ++e) {
      const CMeshEdge& edge = m_S.edges[static_cast<size_t>(e)];
      CVector3& slot = m_Out[m_S.V + e];
      slot = EdgePointPosition(m_S.Pos(edge.m_v0), m_S.Pos(edge.m_v1), slot, m_EdgeCorners[static_cast<size_t>(e)]);
    }
    return true;
  }

 private:
  bool Regular(const int* index, int corners) const {
    for (int i = 0; i < corners; ++i) {
      if (static_cast<unsigned>(index[i]) >= static_cast<unsigned>(m_S.V)) return false;
      for (int j = i + 1; j < corners; ++j) {
        if (index[i] == index[j]) return false;
      }
    }
    return true;
  }

  // Adds the far corners (in corner order) to the sum of the edge joining
  // index[i] and index[j], if there is one. Returns false on repeated edges.
  bool AddToEdge(const int* index, int corners, int i, int j, int* point) {
    const int e = UniqueEdge(m_S, index[i], index[j]);
    if (e == -2) return false;
    if (point) *point = e >= 0 ? m_S.V + e : index[i];
    if (e < 0) return true;
    CVector3& sum = m_Out[m_S.V + e];
    for (int c = 0; c < corners; ++c) {
      if (c == i || c == j) continue;
      sum.Add(m_S.positions[static_cast<size_t>(index[c])]);
      ++m_EdgeCorners[static_cast<size_t>(e)];
    }
    return true;
  }

  bool Triangle(const int* index, int* points) {
    for (int k = 0; k < 3; ++k) {
      const int next = k == 2 ? 0 : k + 1;
      if (!AddToEdge(index, 3, k, next, points + k)) return false;
      ++m_FaceCount[static_cast<size_t>(index[k])];
    }
    return true;
  }

  bool Quad(const int* index, int* points) {
    for (int k = 0; k < 4; ++k) {
      if (!AddToEdge(index, 4, k, (k + 1) & 3, points + k)) return false;
    }
    // A diagonal can be an edge of some other face.
    if (!AddToEdge(index, 4, 0, 2, nullptr) || !AddToEdge(index, 4, 1, 3, nullptr)) return false;
    for (int k = 0; k < 4; ++k) {
      const auto o = static_cast<size_t>(index[k]);
      ++m_FaceCount[o];
      ++m_QuadCount[o];
      m_Out[o].Add(m_S.positions[static_cast<size_t>(index[(k + 2) & 3])]);  // opposite corners
    }
    return true;
  }

  void MoveOldVertices() {
    std::vector<CVector3> edgeSums(static_cast<size_t>(m_S.V), CVector3(0.0f, 0.0f, 0.0f));
    for (const CMeshEdge& edge : m_S.edges) {
      edgeSums[static_cast<size_t>(edge.m_v0)].Add(m_S.Pos(edge.m_v1));
      edgeSums[static_cast<size_t>(edge.m_v1)].Add(m_S.Pos(edge.m_v0));
    }
    for (int o = 0; o < m_S.V; ++o) {
      const auto i = static_cast<size_t>(o);
      const CVector3& p = m_S.positions[i];
      m_Out[o] = m_FaceCount[i] <= 2 ? p
                                     : MovedVertex(p, m_S.links.Count(LinkKind::Edge, o), m_QuadCount[i],
                                                   edgeSums[i], m_Out[o]);
    }
  }

  const CPatchSource& m_S;
  CVector3* m_Out;
  std::vector<int> m_EdgeCorners;  // B of each edge
  std::vector<int> m_FaceCount;    // triangle and quad entries of each vertex
  std::vector<int> m_QuadCount;
};

}  // namespace

CPatchSource::CPatchSource(const CMeshObject& source)
    : links(source.m_Vertices.LinkTable()),
      positions(source.m_Vertices.Positions()),
      edges(source.m_Edges),
      triangles(source.m_Faces.Triangles()),
      quads(source.m_Faces.Quads()),
      V(source.VertexCount()),
      E(source.EdgeCount()),
      T(source.TriangleCount()),
      Q(source.QuadCount()) {}

int CPatchSource::EdgePoint(int a, int b) const {
  if (a == b) return a;
  int found = a;
  for (const int e : links.List(LinkKind::Edge, a)) {
    const CMeshEdge& edge = edges[static_cast<size_t>(e)];
    if ((edge.m_v0 == a ? edge.m_v1 : edge.m_v0) == b) found = V + e;
  }
  return found;
}

bool PlacePointsInFaceOrder(const CPatchSource& source, CVector3* out, std::vector<int>& facePoints) {
  // Edges naming a missing vertex cannot be summed per vertex.
  for (const CMeshEdge& edge : source.edges) {
    if (static_cast<unsigned>(edge.m_v0) >= static_cast<unsigned>(source.V) ||
        static_cast<unsigned>(edge.m_v1) >= static_cast<unsigned>(source.V))
      return false;
  }
  return CFaceOrderPoints(source, out).Run(facePoints);
}

void PlacePointsByLinks(const CPatchSource& s, CVector3* out) {
  for (int o = 0; o < s.V; ++o) {
    const CVector3& p = s.positions[static_cast<size_t>(o)];
    const auto quads = s.links.List(LinkKind::Quad, o);
    if (s.links.Count(LinkKind::Triangle, o) + static_cast<int>(quads.size()) <= 2) {
      out[o] = p;  // border and corner vertices stay put
      continue;
    }
    const auto edges = s.links.List(LinkKind::Edge, o);
    CVector3 se(0.0f, 0.0f, 0.0f);
    for (const int e : edges) {
      const CMeshEdge& edge = s.edges[static_cast<size_t>(e)];
      se.Add(s.Pos(edge.m_v0 == o ? edge.m_v1 : edge.m_v0));
    }
    CVector3 sf(0.0f, 0.0f, 0.0f);
    int previous = -1, corner = -1;
    for (const int q : quads) {
      // A quad naming o twice is listed once per such corner, in corner order.
      const int* index = s.quads[static_cast<size_t>(q)].m_Index;
      corner = q == previous ? corner + 1 : 0;
      while (corner < 3 && index[corner] != o) ++corner;
      previous = q;
      sf.Add(s.Pos(index[(corner + 2) & 3]));
    }
    out[o] = MovedVertex(p, static_cast<int>(edges.size()), static_cast<int>(quads.size()), se, sf);
  }

  auto addFarCorners = [&s](const CMeshFace& face, int corners, int a, int b, CVector3& sum, int& count) {
    bool hasB = false;
    for (int c = 0; c < corners; ++c) hasB |= face.m_Index[c] == b;
    if (!hasB) return;
    for (int c = 0; c < corners; ++c) {
      if (face.m_Index[c] == a || face.m_Index[c] == b) continue;
      sum.Add(s.Pos(face.m_Index[c]));
      ++count;
    }
  };
  for (int i = 0; i < s.E; ++i) {
    const CMeshEdge& edge = s.edges[static_cast<size_t>(i)];
    const int a = edge.m_v0, b = edge.m_v1;
    CVector3 sum(0.0f, 0.0f, 0.0f);
    int count = 0;
    for (const int t : s.links.List(LinkKind::Triangle, a)) {
      addFarCorners(s.triangles[static_cast<size_t>(t)], 3, a, b, sum, count);
    }
    for (const int q : s.links.List(LinkKind::Quad, a)) {
      addFarCorners(s.quads[static_cast<size_t>(q)], 4, a, b, sum, count);
    }
    out[s.V + i] = EdgePointPosition(s.Pos(a), s.Pos(b), sum, count);
  }
}

}  // namespace brimvale
