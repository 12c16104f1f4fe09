// Patch subdivision, one pass: a Catmull-Clark style scheme with its own rules
// for triangles and borders. Every edge splits in two, every triangle becomes
// three quads and every quad four. Target layout: moved old vertices, then one
// point per source edge, per triangle, per quad; every list is sized up front.
#include "geometry/patch_subdivision.h"

#include <vector>

#include "document/mesh_builder.h"
#include "geometry/corner_colour_math.h"
#include "geometry/corner_uvs.h"
#include "geometry/patch_points.h"

namespace brimvale {

namespace {

inline CVector2 Mean2(const CVector2& a, const CVector2& b) {
  CVector2 m = a;
  m += b;
  m *= 0.5f;
  return m;
}

inline CMeshFace SplitQuad(const CMeshFace& from, int c0, int c1, int c2, int c3) {
  CMeshFace quad = from;  // material and flags
  quad.m_nCorners = 4;
  quad.m_Index[0] = c0;
  quad.m_Index[1] = c1;
  quad.m_Index[2] = c2;
  quad.m_Index[3] = c3;
  return quad;
}

inline CCornerUVs SplitUVs(const CVector2& t0, const CVector2& t1, const CVector2& t2, const CVector2& t3) {
  CCornerUVs uvs;
  uvs.m_UV[0] = t0;
  uvs.m_UV[1] = t1;
  uvs.m_UV[2] = t2;
  uvs.m_UV[3] = t3;
  return uvs;
}

inline CCornerColours SplitColours(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3) {
  CCornerColours colours;
  colours.m_Color[0] = c0;
  colours.m_Color[1] = c1;
  colours.m_Color[2] = c2;
  colours.m_Color[3] = c3;
  return colours;
}

class CFaceSplitter {
 public:
  // Once any source face is coloured, the lines and quads of the result carry
  // colours (white where the source had none). Texture coordinates are blended
  // only when the source triangles or quads carry them; split lines carry none.
  CFaceSplitter(const CPatchSource& s, const CFaceArray& sourceFaces, CMeshObject& target,
                const std::vector<int>& facePoints, bool edges)
      : m_bEdges(edges),
        m_S(s),
        m_SourceLines(sourceFaces.Lines()),
        m_Target(target),
        m_FacePoints(facePoints),
        m_Out(target.m_Vertices.Positions().data()),
        m_bColoured(sourceFaces.HasColours()),
        m_pLineColours(ListColours(sourceFaces, FaceList::Lines)),
        m_pTriangleColours(ListColours(sourceFaces, FaceList::Triangles)),
        m_pQuadColours(ListColours(sourceFaces, FaceList::Quads)),
        m_pTriangleUVs(ListUVs(sourceFaces, FaceList::Triangles)),
        m_pQuadUVs(ListUVs(sourceFaces, FaceList::Quads)),
        m_bMapped(m_pTriangleUVs || m_pQuadUVs) {
    if (m_bMapped)
      m_Target.m_Faces.UVs(FaceList::Quads).reserve(3 * static_cast<size_t>(s.T) + 4 * static_cast<size_t>(s.Q));
    if (!m_bColoured) return;
    m_Target.m_Faces.Colours(FaceList::Lines).reserve(2 * m_SourceLines.size());
    m_Target.m_Faces.Colours(FaceList::Quads).reserve(3 * static_cast<size_t>(s.T) + 4 * static_cast<size_t>(s.Q));
  }

  void Run() {
    auto& edges = m_Target.m_Edges;
    for (int i = 0; m_bEdges && i < m_S.E; ++i) {
      const CMeshEdge& edge = m_S.edges[static_cast<size_t>(i)];
      edges.push_back(CMeshEdge{edge.m_v0, m_S.V + i, 0});
      edges.push_back(CMeshEdge{m_S.V + i, edge.m_v1, 0});
    }
    SplitLines();
    SplitTriangles();
    SplitQuads();
  }

 private:
  // Edge point of corner k of a face: precomputed in face order, or looked up.
  int Point(size_t slot, int a, int b) const {
    return m_FacePoints.empty() ? m_S.EdgePoint(a, b) : m_FacePoints[slot];
  }

  void SplitLines() {
    auto& lines = m_Target.m_Faces.Lines();
    auto& colours = m_Target.m_Faces.Colours(FaceList::Lines);
    for (size_t i = 0; i < m_SourceLines.size(); ++i) {
      const CMeshFace& line = m_SourceLines[i];
      if (m_bColoured) {
        const CCornerColours ends = ColoursOrWhite(m_pLineColours, i);
        const uint32_t middle = MeanColour(ends.m_Color[0], ends.m_Color[1]);
        colours.push_back(SplitColours(ends.m_Color[0], middle, CCornerColours::kWhite, CCornerColours::kWhite));
        colours.push_back(SplitColours(middle, ends.m_Color[1], CCornerColours::kWhite, CCornerColours::kWhite));
      }
      const int a = line.m_Index[0], b = line.m_Index[1];
      const int m = m_S.EdgePoint(a, b);
      CMeshFace half;
      half.m_nCorners = 2;
      half.m_Index[0] = a;
      half.m_Index[1] = m;
      lines.push_back(half);
      half.m_Index[0] = m;
      half.m_Index[1] = b;
      lines.push_back(half);
    }
  }
  void SplitTriangles() {
    auto& quads = m_Target.m_Faces.Quads();
    auto& edges = m_Target.m_Edges;
    for (int t = 0; t < m_S.T; ++t) {
      const CMeshFace& face = m_S.triangles[static_cast<size_t>(t)];
      const int c0 = face.m_Index[0], c1 = face.m_Index[1], c2 = face.m_Index[2];
      const int j = m_S.V + m_S.E + t;
      const CVector3 &p0 = m_S.Pos(c0), &p1 = m_S.Pos(c1), &p2 = m_S.Pos(c2);
      m_Out[j] = CVector3((p0.x + p1.x + p2.x) * 0.33333334f, (p0.y + p1.y + p2.y) * 0.33333334f,
                          (p0.z + p1.z + p2.z) * 0.33333334f);
      const size_t slot = 3 * static_cast<size_t>(t);
      const int e0 = Point(slot, c0, c1), e1 = Point(slot + 1, c1, c2), e2 = Point(slot + 2, c2, c0);
      quads.push_back(SplitQuad(face, c0, e0, j, e2));
      quads.push_back(SplitQuad(face, c1, e1, j, e0));
      quads.push_back(SplitQuad(face, c2, e2, j, e1));
      if (m_bMapped) SplitTriangleUVs(UVsOrZero(m_pTriangleUVs, static_cast<size_t>(t)));
      if (m_bColoured) SplitTriangleColours(ColoursOrWhite(m_pTriangleColours, static_cast<size_t>(t)));
      if (!m_bEdges) continue;
      edges.push_back(CMeshEdge{e0, j, 0});
      edges.push_back(CMeshEdge{e1, j, 0});
      edges.push_back(CMeshEdge{e2, j, 0});
    }
  }

  void SplitQuads() {
    auto& quads = m_Target.m_Faces.Quads();
    auto& edges = m_Target.m_Edges;
    const size_t base = 3 * static_cast<size_t>(m_S.T);
    for (int q = 0; q < m_S.Q; ++q) {
      const CMeshFace& face = m_S.quads[static_cast<size_t>(q)];
      const int c0 = face.m_Index[0], c1 = face.m_Index[1], c2 = face.m_Index[2], c3 = face.m_Index[3];
      const int j = m_S.V + m_S.E + m_S.T + q;
      const CVector3 &p0 = m_S.Pos(c0), &p1 = m_S.Pos(c1), &p2 = m_S.Pos(c2), &p3 = m_S.Pos(c3);
      m_Out[j] = CVector3((p0.x + p1.x + p2.x + p3.x) * 0.25f, (p0.y + p1.y + p2.y + p3.y) * 0.25f,
                          (p0.z + p1.z + p2.z + p3.z) * 0.25f);
      const size_t slot = base + 4 * static_cast<size_t>(q);
      const int e0 = Point(slot, c0, c1), e1 = Point(slot + 1, c1, c2), e2 = Point(slot + 2, c2, c3),
                e3 = Point(slot + 3, c3, c0);
      quads.push_back(SplitQuad(face, c0, e0, j, e3));
      quads.push_back(SplitQuad(face, c1, e1, j, e0));
      quads.push_back(SplitQuad(face, c2, e2, j, e1));
      quads.push_back(SplitQuad(face, c3, e3, j, e2));
      if (m_bMapped) SplitQuadUVs(UVsOrZero(m_pQuadUVs, static_cast<size_t>(q)));
      if (m_bColoured) SplitQuadColours(ColoursOrWhite(m_pQuadColours, static_cast<size_t>(q)));
      if (!m_bEdges) continue;
      edges.push_back(CMeshEdge{e0, j, 0});
      edges.push_back(CMeshEdge{e1, j, 0});
      edges.push_back(CMeshEdge{e2, j, 0});
      edges.push_back(CMeshEdge{e3, j, 0});
    }
  }

  // Texture coordinates of the three quads of a triangle, in SplitTriangles' order.
  void SplitTriangleUVs(const CCornerUVs& from) {
    const CVector2 &t0 = from.m_UV[0], &t1 = from.m_UV[1], &t2 = from.m_UV[2];
    const CVector2 m01 = Mean2(t0, t1), m02 = Mean2(t0, t2), m12 = Mean2(t1, t2);
    CVector2 centre = t0;
    centre += t1;
    centre += t2;
    centre /= 3.0f;
    auto& uvs = m_Target.m_Faces.UVs(FaceList::Quads);
    uvs.push_back(SplitUVs(t0, m01, centre, m02));
    uvs.push_back(SplitUVs(t1, m12, centre, m01));
    uvs.push_back(SplitUVs(t2, m02, centre, m12));
  }

  // Texture coordinates of the four quads of a quad, in SplitQuads' order.
  void SplitQuadUVs(const CCornerUVs& from) {
    const CVector2 &t0 = from.m_UV[0], &t1 = from.m_UV[1], &t2 = from.m_UV[2], &t3 = from.m_UV[3];
    const CVector2 m01 = Mean2(t0, t1), m12 = Mean2(t1, t2), m23 = Mean2(t2, t3), m30 = Mean2(t3, t0);
    CVector2 centre = t0;
    centre += t1;
    centre += t2;
    centre += t3;
    centre *= 0.25f;
    auto& uvs = m_Target.m_Faces.UVs(FaceList::Quads);
    uvs.push_back(SplitUVs(t0, m01, centre, m30));
    uvs.push_back(SplitUVs(t1, m12, centre, m01));
    uvs.push_back(SplitUVs(t2, m23, centre, m12));
    uvs.push_back(SplitUVs(t3, m30, centre, m23));
  }

  // Corner colours of the three quads of a triangle, in SplitTriangles' order.
  void SplitTriangleColours(const CCornerColours& from) {
    const uint32_t* k = from.m_Color;
    const uint32_t m01 = MeanColour(k[0], k[1]), m02 = MeanColour(k[0], k[2]), m12 = MeanColour(k[1], k[2]);
    const uint32_t centre = MeanColour(k, 3);
    auto& colours = m_Target.m_Faces.Colours(FaceList::Quads);
    colours.push_back(SplitColours(k[0], m01, centre, m02));
    colours.push_back(SplitColours(k[1], m12, centre, m01));
    colours.push_back(SplitColours(k[2], m02, centre, m12));
  }

  // Corner colours of the four quads of a quad, in SplitQuads' order.
  void SplitQuadColours(const CCornerColours& from) {
    const uint32_t* k = from.m_Color;
    const uint32_t m01 = MeanColour(k[0], k[1]), m12 = MeanColour(k[1], k[2]), m23 = MeanColour(k[2], k[3]),
                   m30 = MeanColour(k[3], k[0]);
    const uint32_t centre = MeanColour(k, 4);
    auto& colours = m_Target.m_Faces.Colours(FaceList::Quads);
    colours.push_back(SplitColours(k[0], m01, centre, m30));
    colours.push_back(SplitColours(k[1], m12, centre, m01));
    colours.push_back(SplitColours(k[2], m23, centre, m12));
    colours.push_back(SplitColours(k[3], m30, centre, m23));
  }

  const bool m_bEdges;
  const CPatchSource& m_S;
  const std::vector<CMeshFace>& m_SourceLines;
  CMeshObject& m_Target;
  const std::vector<int>& m_FacePoints;
  CVector3* m_Out;
  const bool m_bColoured;
  const std::vector<CCornerColours>* m_pLineColours;
  const std::vector<CCornerColours>* m_pTriangleColours;
  const std::vector<CCornerColours>* m_pQuadColours;
  const std::vector<CCornerUVs>* m_pTriangleUVs;
  const std::vector<CCornerUVs>* m_pQuadUVs;
  const bool m_bMapped;
};

}  // namespace

void SubdivideOnce(CMeshObject& source, CMeshObject& target, bool targetEdges) {
  if (&source == &target) return;
  CMeshBuilder(&target).ClearGeometry();
  CMeshBuilder sourceBuilder(&source);
  if (!source.m_bEdgesBuilt) sourceBuilder.BuildEdges();
  if (!source.m_bVertexEdgeLinksValid) sourceBuilder.BuildVertexEdgeLinks();
  if (source.VertexCount() == 0 && source.EdgeCount() == 0 && source.TriangleCount() == 0 &&
      source.QuadCount() == 0) {
    return;
  }
  const CPatchSource s(source);
  const size_t vertices = static_cast<size_t>(s.V) + static_cast<size_t>(s.E) + static_cast<size_t>(s.T) +
                          static_cast<size_t>(s.Q);
  target.m_Vertices.SetSize(static_cast<int>(vertices));
  CVector3* out = target.m_Vertices.Positions().data();

  std::vector<int> facePoints;
  if (!PlacePointsInFaceOrder(s, out, facePoints)) {
    // Faces naming a vertex twice, missing vertices or repeated edges: the
    // rules are evaluated literally through the link lists.
    std::vector<int>().swap(facePoints);
    for (size_t i = 0; i < static_cast<size_t>(s.V) + static_cast<size_t>(s.E); ++i) out[i] = CVector3(0, 0, 0);
    if (!source.m_bVertexFaceLinksValid) sourceBuilder.BuildVertexFaceLinks();
    PlacePointsByLinks(s, out);
  }

  if (targetEdges) {
    target.m_bEdgesBuilt = 1;
    target.m_Edges.reserve(2 * static_cast<size_t>(s.E) + 3 * static_cast<size_t>(s.T) + 4 * static_cast<size_t>(s.Q));
  }
  target.m_Faces.Lines().reserve(2 * source.m_Faces.Lines().size());
  target.m_Faces.Quads().reserve(3 * static_cast<size_t>(s.T) + 4 * static_cast<size_t>(s.Q));
  CFaceSplitter(s, source.m_Faces, target, facePoints, targetEdges).Run();
}

void CMeshBuilder::BuildPatch(CMeshObject& source) {
  if (!m_pTarget) return;
  if (m_pTarget != &source) {
    // The source gets every link the rules are stated in, as callers expect.
    CMeshBuilder sourceBuilder(&source);
    if (!source.m_bEdgesBuilt) sourceBuilder.BuildEdges();
    if (!source.m_bVertexEdgeLinksValid) sourceBuilder.BuildVertexEdgeLinks();
    if (!source.m_bVertexFaceLinksValid) sourceBuilder.BuildVertexFaceLinks();
  }
  SubdivideOnce(source, *m_pTarget);
  if (m_pTarget != &source) BuildVertexFaceLinks();
}

}  // namespace brimvale
