#include <gtest/gtest.h>

#include "document/mesh_builder.h"

namespace brimvale {
namespace {

CMeshFace Face(std::initializer_list<int> corners) {
  CMeshFace face;
  face.m_nCorners = static_cast<int>(corners.size());
  int c = 0;
  for (int v : corners) {
    if (c < 4) face.m_Index[c] = v;
    ++c;
  }
  return face;
}

void Prepare(CMeshObject& obj, int vertices, std::initializer_list<CMeshFace> faces) {
  obj.m_Vertices.SetSize(vertices);
  for (const CMeshFace& f : faces) obj.m_Faces.Incoming().push_back(f);
  obj.m_Faces.SplitFacesByCorners();
}

TEST(SplitFacesByCorners, SortsByCornerCountAndDropsOthers) {
  CMeshObject obj;
  CMeshFace five = Face({0, 1, 2, 3});
  five.m_nCorners = 5;
  Prepare(obj, 5, {Face({0, 1, 2}), Face({0}), Face({0, 1}), Face({0, 1, 2, 3}), five, Face({2, 3, 4})});
  EXPECT_TRUE(obj.m_Faces.Incoming().empty());
  EXPECT_EQ(obj.LineCount(), 1);
  ASSERT_EQ(obj.TriangleCount(), 2);
  EXPECT_EQ(obj.QuadCount(), 1);
  EXPECT_EQ(obj.m_Faces.Triangles()[1].m_Index[0], 2);  // file order kept
}

TEST(NewFace, HasDefaultUvAndNoMaterial) {
  CMeshFace face;
  for (const CVector2& uv : CCornerUVs().m_UV) {
    EXPECT_EQ(uv.u, 0.0f);
    EXPECT_EQ(uv.v, 1.0f);
  }
  EXPECT_EQ(face.m_nMaterial, -1);
  face.SetSelected(true);
  face.SetShown(false);
  EXPECT_FALSE(face.IsSelected());
}

TEST(BuildEdges, SharesEdgesAndSkipsRepeatedCorners) {
  CMeshObject obj;
  // Two triangles sharing edge 1-2 in opposite directions, and a degenerate quad.
  Prepare(obj, 6, {Face({0, 1, 2}), Face({2, 1, 3}), Face({3, 3, 4, 5})});
  CMeshBuilder builder(&obj);
  builder.BuildEdges();
  EXPECT_EQ(obj.m_bEdgesBuilt, 1);
  // 0-1, 1-2, 2-0, 1-3, 3-2, then 3-4, 4-5, 5-3 (3-3 skipped; 3-... 5-3 new)
  ASSERT_EQ(obj.EdgeCount(), 8);
  EXPECT_EQ(obj.m_Edges[1].m_v0, 1);
  EXPECT_EQ(obj.m_Edges[1].m_v1, 2);  // oriented as first met
  for (const CMeshEdge& e : obj.m_Edges) EXPECT_NE(e.m_v0, e.m_v1);
}

TEST(BuildEdges, OneVertexGivesNoEdgesButIsMarkedBuilt) {
  CMeshObject obj;
  Prepare(obj, 1, {Face({0, 0, 0})});
  CMeshBuilder builder(&obj);
  builder.BuildEdges();
  EXPECT_EQ(obj.EdgeCount(), 0);
  EXPECT_EQ(obj.m_bEdgesBuilt, 1);
}

TEST(BuildVertexLinks, ListsIncidentElementsOncePerCorner) {
  CMeshObject obj;
  Prepare(obj, 4, {Face({0, 1}), Face({0, 1, 2}), Face({0, 2, 3, 0})});
  CMeshBuilder builder(&obj);
  builder.BuildVertexLinks();
  EXPECT_EQ(obj.m_bVertexEdgeLinksValid, 1);
  EXPECT_EQ(obj.m_bVertexFaceLinksValid, 1);
  const CVertexLinks links = obj.m_Vertices.Links(0);
  EXPECT_EQ(links.LineCount(), 1);
  EXPECT_EQ(links.TriangleCount(), 1);
  EXPECT_EQ(links.QuadCount(), 2);  // the quad names vertex 0 twice
  EXPECT_EQ(links.Quads()[0], 0);
  int edgeTotal = 0;
  for (int v = 0; v < 4; ++v) edgeTotal += obj.m_Vertices.Links(v).EdgeCount();
  EXPECT_EQ(edgeTotal, 2 * obj.EdgeCount());
  for (int e : obj.m_Vertices.Links(2).Edges()) {
    const CMeshEdge& edge = obj.m_Edges[static_cast<size_t>(e)];
    EXPECT_TRUE(edge.m_v0 == 2 || edge.m_v1 == 2);
  }
}

TEST(VertexArray, ResizeKeepsDataAndSetSizeStartsFresh) {
  CVertexArray vertices;
  vertices.SetSize(2);
  vertices.Position(1) = CVector3(1, 2, 3);
  vertices.Attr(1).SetShown(false);
  vertices.Resize(5);
  EXPECT_EQ(vertices.Count(), 5);
  EXPECT_EQ(vertices.Position(1), CVector3(1, 2, 3));
  EXPECT_EQ(vertices.Attr(1).m_Flags & CVertexAttr::kShown, 0);
  EXPECT_EQ(vertices.Attr(4).m_fWeight, 1.0f);
  vertices.Attr(0).m_Flags |= CVertexAttr::kLockY;
  vertices.SetPositionRespectingLocks(0, CVector3(7, 8, 9));
  EXPECT_EQ(vertices.Position(0), CVector3(7, 0, 9));
  vertices.SetSize(1);
  EXPECT_EQ(vertices.Position(0), CVector3(0, 0, 0));
  EXPECT_FALSE(vertices.HasStoredAttrs());  // defaults cost nothing
}

TEST(VertexArray, DefaultAttributesMixWithStoredOnesVertexForVertex) {
  CVertexArray plain, marked;
  plain.SetSize(2);
  marked.SetSize(2);
  marked.Attr(1).m_fWeight = 0.5f;
  plain.Add(CVector3(1, 1, 1));
  EXPECT_FALSE(plain.HasStoredAttrs());
  marked.Append(plain);  // stored then default
  plain.Append(marked);  // default then stored
  ASSERT_EQ(marked.Count(), 5);
  ASSERT_EQ(plain.Count(), 8);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(marked.Attr(i).m_fWeight, i == 1 ? 0.5f : 1.0f) << i;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(plain.Attr(i).m_fWeight, i == 4 ? 0.5f : 1.0f) << i;
  marked.Add(CVector3(2, 2, 2));
  EXPECT_EQ(marked.Attr(5).m_fWeight, 1.0f);
  CVertexArray part;
  part.CopyRange(plain, 3, 3);
  EXPECT_EQ(part.Attr(1).m_fWeight, 0.5f);
  part.CopyRange(marked, 0, 2);
  ASSERT_EQ(part.Count(), 2);
  EXPECT_EQ(part.Attr(0).m_fWeight, 1.0f);
  EXPECT_EQ(part.Attr(1).m_fWeight, 0.5f);
}

}  // namespace
}  // namespace brimvale
