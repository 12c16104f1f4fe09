#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "geometry/face_normals.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::MakeCube;
using testing::Near;
using testing::SetPositions;

TEST(FastSqrt, KeysOnFifteenMantissaBitsAcrossBothTableHalves) {
  EXPECT_EQ(FastSqrt(0.0f), 0.0f);
  EXPECT_EQ(FastSqrt(1.0f), 1.0f);
  EXPECT_EQ(FastSqrt(4.0f), 2.0f);
  EXPECT_EQ(FastSqrt(0.25f), 0.5f);
  EXPECT_EQ(FastSqrt(2.0f), std::sqrt(2.0f));  // key bits exact: the table value itself
  // Below bit 8 the mantissa is ignored: the result is that of the truncated key.
  const float x = std::bit_cast<float>(0x41234567u);
  const float key = std::bit_cast<float>(0x41234500u);
  EXPECT_EQ(FastSqrt(x), std::sqrt(key));
  for (float v : {1e-6f, 0.3f, 3.0f, 12345.0f, 6.5e7f}) EXPECT_NEAR(FastSqrt(v), std::sqrt(v), std::sqrt(v) * 1e-4f);
}

TEST(FaceNormals, DegenerateAndNonPlanarFaces) {
  CMeshObject obj;
  SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}, {0, 1, 5}});
  // Collinear triangle; a quad whose corner 3 leaves the plane of 0-2.
  AddFaces(obj, {Face({0, 1, 2}), Face({0, 1, 3, 4})});
  CMeshBuilder builder(&obj);
  builder.ComputeFaceNormals();
  ASSERT_EQ(obj.m_Faces.m_TriangleNormals.size(), 1u);
  EXPECT_EQ(obj.m_Faces.m_TriangleNormals[0], CVector3(0, 0, 0));
  EXPECT_TRUE(Near(obj.m_Faces.m_QuadNormals[0], CVector3(0, 0, 1)));

  builder.ComputeSmoothNormals();
  // The collinear triangle groups only with itself: zero corner normals.
  for (int c = 0; c < 3; ++c) EXPECT_EQ(obj.m_Faces.m_TriangleCornerNormals[static_cast<size_t>(c)], CVector3(0, 0, 0));
}

TEST(FaceNormals, QuadWithCoincidingCornersTakesItsOtherTriangle) {
  CMeshObject obj;
  // Corners 0 and 1 on the axis, as at a lathed end; p4/p5 give plain quads.
  SetPositions(obj, {{0, 0, 0}, {0, 0, 0}, {1, 0, 1}, {1, 0, -1}, {0, 0, 1}, {1, 0, 0}});
  AddFaces(obj, {Face({0, 1, 2, 3}), Face({0, 1, 3, 2}), Face({3, 0, 1, 2}), Face({0, 5, 2, 4})});
  CMeshBuilder(&obj).ComputeFaceNormals();
  const auto& n = obj.m_Faces.m_QuadNormals;
  EXPECT_TRUE(Near(n[0], CVector3(0, 1, 0)));
  EXPECT_TRUE(Near(n[1], CVector3(0, -1, 0)));  // reversed turn: the other side
  EXPECT_TRUE(Near(n[2], CVector3(0, 1, 0)));   // the pair at corners 1 and 2
  // Distinct first corners keep the normal of corners 0, 1, 2, bit for bit.
  EXPECT_EQ(n[3], FaceNormal(CVector3(0, 0, 0), CVector3(1, 0, 0), CVector3(1, 0, 1)));
}

TEST(FaceNormals, FaceTooSmallForASquaredLengthStillGetsItsUnitNormal) {
  // The cross product is 1e-40 along +z; its square underflows to zero.
  EXPECT_TRUE(Near(FaceNormal({0, 0, 0}, {1e-20f, 0, 0}, {0, 1e-20f, 0}), CVector3(0, 0, 1), 1e-4f));
  EXPECT_TRUE(Near(FaceNormal({0, 0, 0}, {0, 1e-20f, 0}, {1e-20f, 0, 0}), CVector3(0, 0, -1), 1e-4f));
}

TEST(FaceNormals, UnboundBuilderAndOutOfRangeCornersAreHarmless) {
  CMeshBuilder unbound;
  unbound.ComputeFaceNormals();
  unbound.ComputeSmoothNormals();
  CMeshObject obj;
  SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFaces(obj, {Face({0, 1, 7})});
  CMeshBuilder(&obj).ComputeSmoothNormals();
  EXPECT_EQ(obj.m_Faces.m_TriangleNormals[0], CVector3(0, 0, 0));
}

TEST(SmoothNormals, CubeKeepsEachFaceNormalAtItsCorners) {
  CMeshObject cube;
  MakeCube(cube);
  CMeshBuilder(&cube).ComputeSmoothNormals();
  const auto& faces = cube.m_Faces;
  ASSERT_EQ(faces.m_QuadCornerNormals.size(), 24u);
  for (size_t q = 0; q < 6; ++q) {
    const CVector3& n = faces.m_QuadNormals[q];
    EXPECT_NEAR(n.LengthSquared(), 1.0f, 1e-6f);
    // Outward: the normal points the same way as the face's centre.
    const CVector3& p = cube.m_Vertices.Position(faces.Quads()[q].m_Index[0]);
    EXPECT_GT(n.x * p.x + n.y * p.y + n.z * p.z, 0.0f);
    for (size_t c = 0; c < 4; ++c) EXPECT_EQ(faces.m_QuadCornerNormals[4 * q + c], n);
  }
}

TEST(SmoothNormals, FacetAngleJustAboveTheFoldSmoothsAndJustBelowDoesNot) {
  // Two triangles along edge 0-1 whose normals lie `fold` degrees apart.
  for (const float fold : {20.0f, 60.0f, 100.0f, 150.0f}) {
    const float a = fold * 3.14159265f / 180.0f;
    auto make = [a](CMeshObject& obj, float facet) {
      SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, -std::cos(a), -std::sin(a)}});
      AddFaces(obj, {Face({0, 1, 2}), Face({1, 0, 3})});
      obj.m_fFacetAngle = facet;
      CMeshBuilder(&obj).ComputeSmoothNormals();
    };
    CMeshObject above, below;
    make(above, fold + 2.0f);
    make(below, fold - 2.0f);
    const auto& n = above.m_Faces.m_TriangleNormals;
    ASSERT_NEAR(n[0].x * n[1].x + n[0].y * n[1].y + n[0].z * n[1].z, std::cos(a), 1e-4f) << fold;
    const CVector3 mean((n[0].x + n[1].x) / 2, (n[0].y + n[1].y) / 2, (n[0].z + n[1].z) / 2);
    // Shared vertex 0 is corner 0 of triangle 0 and corner 1 of triangle 1.
    EXPECT_TRUE(Near(above.m_Faces.m_TriangleCornerNormals[0], mean)) << fold;
    EXPECT_TRUE(Near(above.m_Faces.m_TriangleCornerNormals[4], mean)) << fold;
    EXPECT_TRUE(Near(above.m_Faces.m_TriangleCornerNormals[2], n[0])) << fold;  // vertex 2: one face only
    EXPECT_EQ(below.m_Faces.m_TriangleCornerNormals[0], below.m_Faces.m_TriangleNormals[0]) << fold;
    EXPECT_EQ(below.m_Faces.m_TriangleCornerNormals[4], below.m_Faces.m_TriangleNormals[1]) << fold;
  }
}

TEST(SmoothNormals, RepeatedVertexFillsFirstCornerOnlyAndUnusedVertexIsSkipped) {
  CMeshObject obj;
  SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {9, 9, 9}});
  // Quad naming vertex 1 at corners 1 and 3; vertex 3 is used by nothing.
  AddFaces(obj, {Face({0, 1, 2, 1})});
  CMeshBuilder(&obj).ComputeSmoothNormals();
  const auto& corners = obj.m_Faces.m_QuadCornerNormals;
  EXPECT_TRUE(Near(corners[1], obj.m_Faces.m_QuadNormals[0]));
  EXPECT_EQ(corners[3], CVector3(0, 0, 0));
  EXPECT_EQ(obj.m_Vertices.Links(3).QuadCount(), 0);
}

TEST(SmoothNormals, FaceNamingACreasedVertexTwiceKeepsItsCornerInTheTable) {
  CMeshObject obj;
  SetPositions(obj, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}});
  // Vertex 0 on a right-angle crease; the second quad names it at corners 0 and 3.
  AddFaces(obj, {Face({0, 1, 2, 3}), Face({0, 4, 5, 0})});
  CMeshBuilder(&obj).ComputeSmoothNormals();
  const CCornerNormals& corners = obj.m_Faces.m_QuadCornerNormals;
  for (const uint32_t entry : corners.m_Index) ASSERT_LT(entry, corners.m_Table.size());
  EXPECT_TRUE(Near(corners[4], obj.m_Faces.m_QuadNormals[1]));
  EXPECT_TRUE(Near(corners[0], obj.m_Faces.m_QuadNormals[0]));
}

TEST(SmoothNormals, BusyVertexBeyondTheMatrixMatchesTheSmallPath) {
  // A fan of 1500 coplanar triangles around vertex 0: every corner normal at
  // the hub is the common normal whether the pair matrix is used or not.
  CMeshObject obj;
  const int spokes = 1500;
  obj.m_Vertices.SetSize(spokes + 1);
  for (int i = 0; i < spokes; ++i) {
    const float a = static_cast<float>(i) * 6.2831853f / static_cast<float>(spokes);
    obj.m_Vertices.Position(i + 1) = CVector3(std::cos(a), std::sin(a), 0);
  }
  for (int i = 0; i < spokes; ++i) obj.m_Faces.Triangles().push_back(Face({0, i + 1, (i + 1) % spokes + 1}));
  CMeshBuilder(&obj).ComputeSmoothNormals();
  for (int t = 0; t < spokes; t += 97) {
    EXPECT_TRUE(Near(obj.m_Faces.m_TriangleCornerNormals[static_cast<size_t>(3 * t)], CVector3(0, 0, 1)));
  }
}

}  // namespace
}  // namespace brimvale
