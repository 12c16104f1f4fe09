#include <gtest/gtest.h>

#include "geometry/patch_subdivision.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::SetPositions;

CVector2 Mean(const CVector2& a, const CVector2& b) { return CVector2{(a.v + b.v) * 0.5f, (a.u + b.u) * 0.5f}; }

// Lathe, separate mirror across x and one patch pass by hand, on a triangle
// (with UVs when `mapped`), a quad without any and a line to sweep.
struct CStages {
  explicit CStages(bool mapped) {
    SetPositions(source, {{1, 0, 0}, {2, 0, 0}, {1, 1, 0}, {1, 0, 1}, {2, 0, 1}, {2, 1, 1}, {1, 1, 1}});
    AddFaces(source, {Face({0, 1, 2}), Face({3, 4, 5, 6}), Face({1, 2})});
    if (mapped) source.m_Faces.UVs(FaceList::Triangles) = {CCornerUVs{{t0, t1, t2, {}}}};
    source.m_bLathe = 1;
    source.m_nLatheAxis = 1;
    source.m_nLatheSegments = 3;
    CMeshBuilder(&lathed).BuildLathe(source);
    lathed.m_nMirrorType = 1;
    CMeshBuilder(&mirrored).BuildMirror(lathed, 0);
    SubdivideOnce(mirrored, patched);
  }
  const CVector2 t0{0.1f, 0.2f}, t1{0.3f, 0.5f}, t2{0.7f, 0.9f};
  CMeshObject source, lathed, mirrored, patched;
};

TEST(CornerUVs, StagesCarryThemWithTheirCornersAndAddNoneWhereThereWereNone) {
  const CStages plain(false);
  for (const CMeshObject* stage : {&plain.lathed, &plain.mirrored, &plain.patched}) {
    EXPECT_FALSE(stage->m_Faces.HasUVs());
  }
  ASSERT_GT(plain.patched.QuadCount(), 0);

  const CStages s(true);
  // Lathe: the triangle keeps its UVs; the quads (own and swept) have none.
  ASSERT_NE(s.lathed.m_Faces.FaceUVs(FaceList::Triangles, 0), nullptr);
  EXPECT_EQ(s.lathed.m_Faces.FaceUVs(FaceList::Triangles, 0)->m_UV[1], s.t1);
  EXPECT_TRUE(s.lathed.m_Faces.UVs(FaceList::Quads).empty());
  EXPECT_TRUE(s.lathed.m_Faces.UVs(FaceList::Lines).empty());

  // Mirror: the image's corners are reversed, its UVs with them.
  ASSERT_EQ(s.mirrored.TriangleCount(), 2);
  const CCornerUVs* image = s.mirrored.m_Faces.FaceUVs(FaceList::Triangles, 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(s.mirrored.m_Faces.Triangles()[1].m_Index[0], s.lathed.VertexCount() + 2);
  EXPECT_EQ(image->m_UV[0], s.t2);
  EXPECT_EQ(image->m_UV[1], s.t1);
  EXPECT_EQ(image->m_UV[2], s.t0);
  EXPECT_TRUE(s.mirrored.m_Faces.UVs(FaceList::Quads).empty());

  // Patch: three quads per triangle, (corner, edge, centre, edge) blended;
  // quads split from faces without UVs read as new pairs.
  const auto& uvs = s.patched.m_Faces.UVs(FaceList::Quads);
  ASSERT_EQ(uvs.size(), s.patched.m_Faces.Quads().size());
  EXPECT_EQ(uvs[0].m_UV[0], s.t0);
  EXPECT_EQ(uvs[0].m_UV[1], Mean(s.t0, s.t1));
  EXPECT_EQ(uvs[0].m_UV[3], Mean(s.t0, s.t2));
  EXPECT_NEAR(uvs[0].m_UV[2].u, (s.t0.u + s.t1.u + s.t2.u) / 3.0f, 1e-6f);
  EXPECT_EQ(uvs[3].m_UV[0], s.t2);  // the image's first corner
  EXPECT_EQ(uvs[4].m_UV[1], Mean(s.t1, s.t0));
  EXPECT_EQ(uvs[6].m_UV[0], CVector2());
}

TEST(CornerUVs, ADerivationThatReadsNoneDropsThemAndTheObjectKeepsItsOwn) {
  for (const bool keep : {true, false}) {
    CStages s(true);
    s.source.m_nPatchType = 1;
    CMeshBuilder(&s.source).BuildDerivedGeometry(nullptr, keep);
    ASSERT_TRUE(s.source.m_pDerived);
    EXPECT_GT(s.source.m_pDerived->QuadCount(), 0);
    EXPECT_EQ(s.source.m_pDerived->m_Faces.HasUVs(), keep);
    EXPECT_EQ(s.source.m_Faces.UVs(FaceList::Triangles).size(), 1u);
  }
}

}  // namespace
}  // namespace brimvale
