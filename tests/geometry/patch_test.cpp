#include <gtest/gtest.h>

#include "geometry/patch_subdivision.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::IndicesInRange;
using testing::IsClosed;
using testing::MakeCube;
using testing::Near;
using testing::SetPositions;

TEST(Patch, SingleQuadSplitsIntoFourEqualQuads) {
  CMeshObject quad, out;
  SetPositions(quad, {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}});
  AddFaces(quad, {Face({0, 1, 2, 3})});
  CMeshFace& face = quad.m_Faces.Quads()[0];
  face.m_nMaterial = 1;
  quad.m_Faces.UVs(FaceList::Quads) = {CCornerUVs{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}}};
  CMeshBuilder(&out).BuildPatch(quad);
  ASSERT_EQ(out.VertexCount(), 4 + 4 + 1);
  ASSERT_EQ(out.QuadCount(), 4);
  EXPECT_EQ(out.EdgeCount(), 2 * 4 + 4);
  EXPECT_EQ(out.m_bEdgesBuilt, 1);
  EXPECT_EQ(out.m_bVertexFaceLinksValid, 1);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(out.m_Vertices.Position(v), quad.m_Vertices.Position(v));
  EXPECT_EQ(out.m_Vertices.Position(4), CVector3(1, 0, 0));  // edge (0, 1): midpoint
  EXPECT_EQ(out.m_Vertices.Position(8), CVector3(1, 1, 0));  // face point
  // Quad 2 of the table: c1, e1, j, e0 with t1, m12, centre, m01.
  const CMeshFace& q = out.m_Faces.Quads()[1];
  EXPECT_EQ(q.m_Index[0], 1);
  EXPECT_EQ(q.m_Index[2], 8);
  EXPECT_EQ(q.m_nMaterial, 1);
  const auto& uvs = out.m_Faces.UVs(FaceList::Quads);
  ASSERT_EQ(uvs.size(), 4u);
  EXPECT_EQ(uvs[1].m_UV[1], (CVector2{0.5f, 1.0f}));
  for (const CCornerUVs& f : uvs) EXPECT_EQ(f.m_UV[2], (CVector2{0.5f, 0.5f}));
  // Edges: halves of each source edge, then (e_k, j) per face.
  EXPECT_EQ(out.m_Edges[0].m_v1, 4);
  EXPECT_EQ(out.m_Edges[1].m_v0, 4);
  EXPECT_EQ(out.m_Edges[8].m_v1, 8);
}

TEST(Patch, CubeCornersMoveByTheValenceThreeRule) {
  CMeshObject cube, out;
  MakeCube(cube);
  CMeshBuilder(&out).BuildPatch(cube);
  EXPECT_EQ(out.VertexCount(), 26);
  EXPECT_EQ(out.QuadCount(), 24);
  EXPECT_EQ(out.EdgeCount(), 48);
  EXPECT_TRUE(IsClosed(out));
  // beta 0.5, gamma 1/12: (1 - 0.5 - 1/12) * -1 + 1/6 * -1 + 1/36 * 1 = -5/9.
  const float c = -5.0f / 9.0f;
  EXPECT_TRUE(Near(out.m_Vertices.Position(0), CVector3(c, c, c)));
  // An edge between two quads: 3/8 (a + b) + far corners / 16.
  const CMeshEdge& e = cube.m_Edges[0];
  const CVector3& a = cube.m_Vertices.Position(e.m_v0);
  const CVector3& b = cube.m_Vertices.Position(e.m_v1);
  const CVector3 expected((a.x + b.x) * 0.375f, (a.y + b.y) * 0.375f, (a.z + b.z) * 0.375f);
  EXPECT_TRUE(Near(out.m_Vertices.Position(8), expected));
  EXPECT_TRUE(Near(out.m_Vertices.Position(8 + 12), CVector3(0, 0, -1)));  // face point of face 0
  // Every rule is an affine combination, so the cube lifted by 2 gives every
  // point lifted by 2 (about the origin the far corners above cancel out).
  CMeshObject lifted, liftedOut;
  MakeCube(lifted);
  for (CVector3& p : lifted.m_Vertices.Positions()) p.y += 2.0f;
  CMeshBuilder(&liftedOut).BuildPatch(lifted);
  ASSERT_EQ(liftedOut.VertexCount(), 26);
  for (int v = 0; v < 26; ++v) {
    const CVector3& p = out.m_Vertices.Position(v);
    EXPECT_TRUE(Near(liftedOut.m_Vertices.Position(v), CVector3(p.x, p.y + 2.0f, p.z))) << v;
  }
}

TEST(Patch, TriangleBecomesThreeQuadsAndLinesDouble) {
  CMeshObject tri, out;
  SetPositions(tri, {{0, 0, 0}, {3, 0, 0}, {0, 3, 0}, {5, 5, 5}});
  AddFaces(tri, {Face({0, 1, 2}), Face({2, 3})});
  tri.m_Faces.UVs(FaceList::Triangles) = {CCornerUVs{{{0, 0}, {3, 0}, {0, 3}, {}}}};
  CMeshBuilder(&out).BuildPatch(tri);
  ASSERT_EQ(out.QuadCount(), 3);
  EXPECT_EQ(out.TriangleCount(), 0);
  ASSERT_EQ(out.LineCount(), 2);
  EXPECT_TRUE(IndicesInRange(out));
  const int j = 4 + 4;  // V + E
  EXPECT_TRUE(Near(out.m_Vertices.Position(j), CVector3(1, 1, 0)));
  for (int v = 0; v < 3; ++v) EXPECT_EQ(out.m_Vertices.Position(v), tri.m_Vertices.Position(v));
  ASSERT_EQ(out.m_Faces.UVs(FaceList::Quads).size(), 3u);
  for (size_t q = 0; q < 3; ++q) {
    EXPECT_EQ(out.m_Faces.Quads()[q].m_Index[2], j);
    const CVector2& centre = out.m_Faces.UVs(FaceList::Quads)[q].m_UV[2];
    EXPECT_TRUE(Near(CVector3(centre.v, centre.u, 0), CVector3(1, 1, 0)));
  }
  // The line (2, 3) is split at the point of its edge.
  const CMeshFace& half = out.m_Faces.Lines()[0];
  EXPECT_EQ(half.m_Index[0], 2);
  EXPECT_EQ(out.m_Faces.Lines()[1].m_Index[0], half.m_Index[1]);
  EXPECT_EQ(out.m_Vertices.Position(half.m_Index[1]), CVector3(2.5f, 4, 2.5f));
}

TEST(Patch, VertexOfTwoFacesStaysAndRepeatedCornerIsItsOwnEdgePoint) {
  // Two quads back to back: closed, but every vertex has only two faces.
  CMeshObject pillow, out;
  SetPositions(pillow, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  AddFaces(pillow, {Face({0, 1, 2, 3}), Face({3, 2, 1, 0})});
  CMeshBuilder(&out).BuildPatch(pillow);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(out.m_Vertices.Position(v), pillow.m_Vertices.Position(v));

  CMeshObject degenerate, split;
  SetPositions(degenerate, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  AddFaces(degenerate, {Face({0, 1, 1, 2})});
  CMeshBuilder(&split).BuildPatch(degenerate);
  ASSERT_EQ(split.QuadCount(), 4);
  // Corners 1 and 2 name vertex 1: quad 2 is (c1, e1, j, e0) with e1 = 1.
  EXPECT_EQ(split.m_Faces.Quads()[1].m_Index[1], 1);
  EXPECT_EQ(split.m_Faces.Quads()[2].m_Index[3], 1);
  EXPECT_TRUE(IndicesInRange(split));
}

TEST(Patch, ClosedQuadMeshStaysClosedThroughFourPasses) {
  CMeshObject cube;
  MakeCube(cube);
  CMeshObject passes[4];
  CMeshObject* source = &cube;
  int quads = 6;
  for (CMeshObject& target : passes) {
    const int v = source->VertexCount(), e = source->EdgeCount();
    CMeshBuilder(&target).BuildPatch(*source);
    EXPECT_EQ(target.VertexCount(), v + e + quads);
    EXPECT_EQ(target.EdgeCount(), 2 * e + 4 * quads);
    quads *= 4;
    EXPECT_EQ(target.QuadCount(), quads);
    EXPECT_TRUE(IsClosed(target));
    EXPECT_TRUE(IndicesInRange(target));
    source = &target;
  }
  EXPECT_EQ(quads, 1536);

  // A last pass without edges (the view's) is the same mesh, edges aside.
  CMeshObject drawn;
  SubdivideOnce(passes[2], drawn, false);
  EXPECT_EQ(drawn.EdgeCount(), 0);
  EXPECT_EQ(drawn.m_bEdgesBuilt, 0);
  EXPECT_EQ(drawn.m_Vertices.Positions(), passes[3].m_Vertices.Positions());
  ASSERT_EQ(drawn.QuadCount(), passes[3].QuadCount());
  for (int q = 0; q < drawn.QuadCount(); ++q) {
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(drawn.m_Faces.Quads()[static_cast<size_t>(q)].m_Index[k],
                passes[3].m_Faces.Quads()[static_cast<size_t>(q)].m_Index[k]);
    }
  }
}

TEST(Patch, FaceOrderAndLinkOrderRulesAgreeBitForBit) {
  // A cube with a triangle on the diagonal 3-1 of its first face, so that a
  // quad's diagonal is an edge too. A degenerate quad on two extra vertices,
  // met last, sends the second mesh through the literal link-list rules.
  CMeshObject regular, irregular, a, b;
  for (CMeshObject* obj : {&regular, &irregular}) {
    MakeCube(*obj);
    obj->m_Vertices.Position(6) = CVector3(1.3f, 0.7f, 1.1f);  // break the symmetry
    obj->m_Faces.Triangles().push_back(Face({3, 1, 6}));
  }
  irregular.m_Vertices.Add(CVector3(5, 5, 5));
  irregular.m_Vertices.Add(CVector3(6, 5, 5));
  irregular.m_Faces.Quads().push_back(Face({8, 8, 9, 9}));
  for (CMeshObject* obj : {&regular, &irregular}) obj->m_bEdgesBuilt = 0;
  CMeshBuilder(&a).BuildPatch(regular);
  CMeshBuilder(&b).BuildPatch(irregular);
  const int v = regular.VertexCount(), e = regular.EdgeCount();
  ASSERT_EQ(irregular.EdgeCount(), e + 1);
  for (int i = 0; i < v; ++i) EXPECT_EQ(a.m_Vertices.Position(i), b.m_Vertices.Position(i)) << i;
  for (int i = 0; i < e; ++i) EXPECT_EQ(a.m_Vertices.Position(v + i), b.m_Vertices.Position(v + 2 + i)) << i;
  // The face points of the shared faces agree too.
  EXPECT_EQ(a.m_Vertices.Position(v + e), b.m_Vertices.Position(v + 2 + e + 1));
  EXPECT_TRUE(IndicesInRange(b));
}

TEST(Patch, EmptySourceLeavesAnEmptyTarget) {
  CMeshObject empty, out;
  SetPositions(out, {{1, 1, 1}});
  CMeshBuilder(&out).BuildPatch(empty);
  EXPECT_EQ(out.VertexCount(), 0);
  EXPECT_EQ(out.QuadCount(), 0);
}

}  // namespace
}  // namespace brimvale
