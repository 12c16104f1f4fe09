#include <gtest/gtest.h>

#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::MakeCube;
using testing::SetPositions;

TEST(MergeFrom, IntoAnEmptyObjectCopiesEverything) {
  CMeshObject cube, target;
  MakeCube(cube);
  CMeshBuilder(&target).MergeFrom(cube, true, true);
  EXPECT_EQ(target.VertexCount(), 8);
  EXPECT_EQ(target.QuadCount(), 6);
  ASSERT_EQ(target.EdgeCount(), cube.EdgeCount());
  EXPECT_EQ(target.m_bEdgesBuilt, 1);
  EXPECT_EQ(target.m_bVertexEdgeLinksValid, 1);
  EXPECT_EQ(target.m_bVertexFaceLinksValid, 1);
  for (int i = 0; i < cube.EdgeCount(); ++i) {
    EXPECT_EQ(target.m_Edges[static_cast<size_t>(i)].m_v0, cube.m_Edges[static_cast<size_t>(i)].m_v0);
  }
}

TEST(MergeFrom, CubeIntoCubeShiftsTheSecondHalf) {
  CMeshObject a, b;
  MakeCube(a);
  MakeCube(b);
  b.m_Faces.Quads()[0].m_nMaterial = 2;
  CMeshBuilder builder(&a);
  builder.MergeFrom(b, true, true);
  EXPECT_EQ(a.VertexCount(), 16);
  ASSERT_EQ(a.QuadCount(), 12);
  for (size_t q = 6; q < 12; ++q) {
    for (int c = 0; c < 4; ++c) {
      EXPECT_GE(a.m_Faces.Quads()[q].m_Index[c], 8);
      EXPECT_LE(a.m_Faces.Quads()[q].m_Index[c], 15);
    }
  }
  EXPECT_EQ(a.m_Faces.Quads()[6].m_nMaterial, 2);
  EXPECT_EQ(builder.VertexReferenceCount(8), 3);
  // The source's edges were built, so the target's list is left to be rebuilt.
  EXPECT_EQ(a.m_bEdgesBuilt, 0);

  CMeshObject c, d;
  MakeCube(c);
  SetPositions(d, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFaces(d, {Face({0, 1, 2})});
  CMeshBuilder(&c).MergeFrom(d, true, false);
  EXPECT_EQ(c.m_bEdgesBuilt, 1);
  EXPECT_EQ(c.EdgeCount(), 12 + 3);
  EXPECT_EQ(c.m_bVertexFaceLinksValid, 0);
}

TEST(InvertFace, ReversesCornersWithTheirCoordinates) {
  CMeshFace t = Face({0, 1, 2});
  CMeshBuilder::InvertFace(t);
  EXPECT_EQ(t.m_Index[0], 2);
  EXPECT_EQ(t.m_Index[1], 1);
  EXPECT_EQ(t.m_Index[2], 0);

  CMeshObject cube;
  MakeCube(cube);
  cube.m_Faces.UVs(FaceList::Quads).resize(6);
  cube.m_Faces.UVs(FaceList::Quads)[0] = CCornerUVs{{{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}, {0.7f, 0.8f}}};
  CMeshBuilder builder(&cube);
  EXPECT_FALSE(builder.InvertFace(FaceList::Quads, 6));
  const int first = cube.m_Faces.Quads()[0].m_Index[0];
  EXPECT_TRUE(builder.InvertFace(FaceList::Quads, 0));
  EXPECT_EQ(cube.m_Faces.Quads()[0].m_Index[3], first);
  const CCornerUVs& turned = cube.m_Faces.UVs(FaceList::Quads)[0];
  EXPECT_EQ(turned.m_UV[0], (CVector2{0.7f, 0.8f}));
  EXPECT_EQ(turned.m_UV[1], (CVector2{0.5f, 0.6f}));
  EXPECT_EQ(turned.m_UV[3], (CVector2{0.1f, 0.2f}));
}

TEST(ClearGeometry, EmptiesEverythingAndClearsTheFlags) {
  CMeshObject cube;
  MakeCube(cube);
  CMeshBuilder builder(&cube);
  builder.ComputeSmoothNormals();
  builder.ClearGeometry();
  EXPECT_EQ(cube.VertexCount(), 0);
  EXPECT_EQ(cube.EdgeCount(), 0);
  EXPECT_EQ(cube.QuadCount(), 0);
  EXPECT_TRUE(cube.m_Faces.m_QuadCornerNormals.empty());
  EXPECT_EQ(cube.m_bEdgesBuilt + cube.m_bVertexEdgeLinksValid + cube.m_bVertexFaceLinksValid, 0);
  EXPECT_EQ(builder.VertexReferenceCount(0), 0);
}

TEST(VertexReferenceCount, BuildsStaleLinksAndCountsEveryCorner) {
  CMeshObject obj;
  SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  AddFaces(obj, {Face({0, 1, 2, 1}), Face({1, 2}), Face({0, 1, 2})});
  CMeshBuilder builder(&obj);
  EXPECT_EQ(obj.m_bVertexFaceLinksValid, 0);
  EXPECT_EQ(builder.VertexReferenceCount(1), 4);  // twice in the quad, the line, the triangle
  EXPECT_EQ(obj.m_bVertexFaceLinksValid, 1);
  EXPECT_EQ(builder.VertexReferenceCount(-1), 0);
  EXPECT_EQ(builder.VertexReferenceCount(3), 0);
}

TEST(CopyAttributesFrom, CopiesTheAttributeBlockOnly) {
  CMeshObject source, target;
  MakeCube(source);
  source.m_strName = "body";
  source.m_fFacetAngle = 30.0f;
  source.m_nPatchType = 3;
  source.m_nPatchSegments = 8;
  source.m_bMirrorZ = 1;
  source.m_fMirrorDistance = 7.0f;
  source.m_nLatheSegments = 5;
  source.m_bSecondFlag = 0;
  CMeshBuilder(&target).CopyAttributesFrom(source);
  EXPECT_EQ(target.m_strName, "body");
  EXPECT_EQ(target.m_fFacetAngle, 30.0f);
  EXPECT_EQ(target.m_nPatchType, 3);
  EXPECT_EQ(target.m_nPatchSegments, 8);
  EXPECT_EQ(target.m_bMirrorZ, 1);
  EXPECT_EQ(target.m_fMirrorDistance, 7.0f);
  EXPECT_EQ(target.m_nLatheSegments, 5);
  EXPECT_EQ(target.m_bSecondFlag, 0);
  EXPECT_EQ(target.VertexCount(), 0);
}

}  // namespace
}  // namespace brimvale
