#include <gtest/gtest.h>

#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::IndicesInRange;
using testing::IsClosed;
using testing::SetPositions;

// Open box spanning x0 .. x0 + 1 without its face at x = x0 (the border).
void MakeOpenBox(CMeshObject& obj, float x0) {
  const float x1 = x0 + 1.0f;
  SetPositions(obj, {{x0, -1, -1}, {x1, -1, -1}, {x1, 1, -1}, {x0, 1, -1},
                     {x0, -1, 1}, {x1, -1, 1}, {x1, 1, 1}, {x0, 1, 1}});
  AddFaces(obj, {Face({3, 2, 1, 0}), Face({4, 5, 6, 7}), Face({1, 2, 6, 5}), Face({3, 7, 6, 2}),
                 Face({0, 1, 5, 4})});
  obj.m_nMirrorType = 2;
  CMeshBuilder(&obj).BuildVertexLinks();
}

TEST(MirrorJoined, BorderOnThePlaneMeetsSeamlessly) {
  CMeshObject half, whole;
  MakeOpenBox(half, 0.0f);
  half.m_Faces.Quads()[0].m_nMaterial = 3;
  CMeshBuilder(&whole).BuildMirror(half, 0);
  EXPECT_EQ(whole.VertexCount(), 12);  // four vertices on the plane are shared
  ASSERT_EQ(whole.QuadCount(), 10);
  EXPECT_EQ(whole.TriangleCount(), 0);
  EXPECT_TRUE(IsClosed(whole));
  EXPECT_TRUE(IndicesInRange(whole));
  EXPECT_EQ(whole.m_bEdgesBuilt, 1);
  EXPECT_EQ(whole.m_bVertexFaceLinksValid, 0);
  // Second copy: corners reversed and mapped, material kept.
  const CMeshFace& copy = whole.m_Faces.Quads()[5];
  EXPECT_EQ(copy.m_nMaterial, 3);
  EXPECT_EQ(copy.m_Index[0], 0);  // source corner 3 (on the plane) stays itself
  EXPECT_EQ(copy.m_Index[3], 3);
  EXPECT_EQ(copy.m_Index[1], 8);  // source corner 2 = vertex 1, the first twin
  EXPECT_EQ(whole.m_Vertices.Position(8), CVector3(-1, -1, -1));
}

TEST(MirrorJoined, GapIsBridgedUnlessBeyondTheDistanceLimit) {
  CMeshObject half, whole;
  MakeOpenBox(half, 0.5f);
  half.m_Faces.UVs(FaceList::Quads).resize(half.m_Faces.Quads().size());
  half.m_Faces.UVs(FaceList::Quads)[0].m_UV[0] = CVector2{0.25f, 0.75f};  // at vertex 3
  half.m_Faces.Quads()[0].m_nMaterial = 4;
  CMeshBuilder(&whole).BuildMirror(half, 0);
  EXPECT_EQ(whole.VertexCount(), 16);
  ASSERT_EQ(whole.QuadCount(), 14);  // a strip of four quads closes the gap
  EXPECT_TRUE(IsClosed(whole));
  EXPECT_TRUE(IndicesInRange(whole));
  // The first border edge met is (0, 3) of the first face: its bridge is
  // (b, a, map a, map b) with the face's coordinates at b, a, a, b.
  const CMeshFace& bridge = whole.m_Faces.Quads()[10];
  EXPECT_EQ(bridge.m_Index[0], 3);
  EXPECT_EQ(bridge.m_Index[1], 0);
  EXPECT_EQ(bridge.m_Index[2], 8);
  EXPECT_EQ(bridge.m_Index[3], 11);
  EXPECT_EQ(bridge.m_nMaterial, 4);
  const CCornerUVs* bridgeUVs = whole.m_Faces.FaceUVs(FaceList::Quads, 10);
  ASSERT_NE(bridgeUVs, nullptr);
  EXPECT_EQ(bridgeUVs->m_UV[0], (CVector2{0.25f, 0.75f}));
  EXPECT_EQ(bridgeUVs->m_UV[3], (CVector2{0.25f, 0.75f}));
  EXPECT_EQ(bridgeUVs->m_UV[1], CVector2());
  // Connecting edges are listed once each.
  int connecting = 0;
  for (const CMeshEdge& e : whole.m_Edges) {
    if (e.m_v1 >= 8 && e.m_v0 < 8 && e.m_v1 == 8 + e.m_v0) ++connecting;
  }
  EXPECT_EQ(connecting, 4);

  CMeshObject limited, open;
  MakeOpenBox(limited, 0.5f);
  limited.m_bMirrorDistanceLimit = 1;
  limited.m_fMirrorDistance = 0.25f;
  CMeshBuilder(&open).BuildMirror(limited, 0);
  EXPECT_EQ(open.QuadCount(), 10);
  EXPECT_FALSE(IsClosed(open));
}

TEST(MirrorJoined, EdgeWithOneEndOnThePlaneGetsATriangle) {
  CMeshObject half, whole;
  SetPositions(half, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  AddFaces(half, {Face({0, 1, 2})});
  half.m_Faces.Triangles()[0].m_nMaterial = 2;
  half.m_Faces.UVs(FaceList::Triangles).resize(1);
  half.m_Faces.UVs(FaceList::Triangles)[0].m_UV[2] = CVector2{0.5f, 0.5f};
  half.m_nMirrorType = 2;
  CMeshBuilder(&whole).BuildMirror(half, 0);
  // Edges 0-1 and 2-0 touch the plane at 0; 1-2 is off it.
  ASSERT_EQ(whole.TriangleCount(), 4);
  ASSERT_EQ(whole.QuadCount(), 1);
  const CMeshFace& t = whole.m_Faces.Triangles()[2];  // from edge (0, 1): x = 1
  EXPECT_EQ(t.m_Index[0], 1);
  EXPECT_EQ(t.m_Index[1], 0);
  EXPECT_EQ(t.m_Index[2], 3);
  EXPECT_EQ(t.m_nMaterial, 2);
  const CMeshFace& t2 = whole.m_Faces.Triangles()[3];  // from edge (2, 0): x = 2
  EXPECT_EQ(t2.m_Index[0], 0);
  EXPECT_EQ(t2.m_Index[1], 2);
  EXPECT_EQ(t2.m_Index[2], 4);
  ASSERT_NE(whole.m_Faces.FaceUVs(FaceList::Triangles, 3), nullptr);
  EXPECT_EQ(whole.m_Faces.FaceUVs(FaceList::Triangles, 3)->m_UV[1], (CVector2{0.5f, 0.5f}));
  EXPECT_TRUE(IndicesInRange(whole));
}

TEST(MirrorJoined, LoneLineIsReplacedByAQuad) {
  CMeshObject src, out;
  SetPositions(src, {{1, 0, 0}, {2, 0, 0}, {1, 1, 0}, {5, 0, 0}, {5, 1, 0}});
  AddFaces(src, {Face({0, 1, 2}), Face({3, 4})});
  src.m_nMirrorType = 2;
  CMeshBuilder(&out).BuildMirror(src, 0);
  EXPECT_EQ(out.LineCount(), 0);  // its bridge stands in for it
  ASSERT_EQ(out.QuadCount(), 4);  // three triangle borders and the line
  const CMeshFace& q = out.m_Faces.Quads()[0];  // lines are met first when edges are built
  EXPECT_EQ(q.m_Index[0], 4);
  EXPECT_EQ(q.m_Index[1], 3);
  EXPECT_EQ(q.m_nMaterial, -1);
  EXPECT_TRUE(IndicesInRange(out));
}

TEST(MirrorSeparate, NeverMergesAndCopiesFaceLinks) {
  CMeshObject half, whole;
  MakeOpenBox(half, 0.0f);
  half.m_nMirrorType = 1;
  CMeshBuilder(&whole).BuildMirror(half, 0);
  EXPECT_EQ(whole.VertexCount(), 16);
  EXPECT_EQ(whole.QuadCount(), 10);
  EXPECT_EQ(whole.EdgeCount(), 2 * half.EdgeCount());
  EXPECT_EQ(whole.m_bVertexFaceLinksValid, 1);
  EXPECT_EQ(whole.m_bVertexEdgeLinksValid, 0);
  EXPECT_FALSE(IsClosed(whole));
  EXPECT_TRUE(IndicesInRange(whole));
  // Vertex 9 is vertex 1 mirrored; its quads are vertex 1's raised by 5.
  EXPECT_EQ(whole.m_Vertices.Position(9), CVector3(-1, -1, -1));
  const auto links = whole.m_Vertices.Links(9).Quads();
  const auto original = half.m_Vertices.Links(1).Quads();
  ASSERT_EQ(links.size(), original.size());
  for (size_t i = 0; i < links.size(); ++i) EXPECT_EQ(links[i], original[i] + 5);
  // The face links agree with the faces.
  for (int f : links) {
    const CMeshFace& face = whole.m_Faces.Quads()[static_cast<size_t>(f)];
    bool names = false;
    for (int c = 0; c < 4; ++c) names |= face.m_Index[c] == 9;
    EXPECT_TRUE(names);
  }
}

TEST(Mirror, CopiesWhenNothingToMirror) {
  CMeshObject lines, out;
  SetPositions(lines, {{1, 0, 0}, {2, 0, 0}});
  AddFaces(lines, {Face({0, 1})});
  lines.m_nMirrorType = 2;
  CMeshBuilder(&out).BuildMirror(lines, 0);
  EXPECT_EQ(out.VertexCount(), 2);
  EXPECT_EQ(out.LineCount(), 1);

  // An unknown mirror type must not lose the geometry.
  CMeshObject odd, copy;
  MakeOpenBox(odd, 0.0f);
  odd.m_nMirrorType = 7;
  CMeshBuilder(&copy).BuildMirror(odd, 0);
  EXPECT_EQ(copy.VertexCount(), 8);
  EXPECT_EQ(copy.QuadCount(), 5);
}

}  // namespace
}  // namespace brimvale
