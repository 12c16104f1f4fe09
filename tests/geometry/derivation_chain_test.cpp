#include <gtest/gtest.h>

#include <memory>

#include "document/display_settings.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::IndicesInRange;
using testing::IsClosed;
using testing::MakeCube;
using testing::SetPositions;

bool SameGeometry(const CMeshObject& a, const CMeshObject& b) {
  if (a.VertexCount() != b.VertexCount() || a.QuadCount() != b.QuadCount() ||
      a.TriangleCount() != b.TriangleCount() || a.LineCount() != b.LineCount())
    return false;
  for (int v = 0; v < a.VertexCount(); ++v) {
    if (!(a.m_Vertices.Position(v) == b.m_Vertices.Position(v))) return false;
  }
  for (size_t q = 0; q < a.m_Faces.Quads().size(); ++q) {
    for (int c = 0; c < 4; ++c) {
      if (a.m_Faces.Quads()[q].m_Index[c] != b.m_Faces.Quads()[q].m_Index[c]) return false;
    }
  }
  return true;
}

// Half a box, open on the plane x = 0.
void MakeHalfBox(CMeshObject& obj) {
  SetPositions(obj, {{0, -1, -1}, {1, -1, -1}, {1, 1, -1}, {0, 1, -1},
                     {0, -1, 1}, {1, -1, 1}, {1, 1, 1}, {0, 1, 1}});
  AddFaces(obj, {Face({3, 2, 1, 0}), Face({4, 5, 6, 7}), Face({1, 2, 6, 5}), Face({3, 7, 6, 2}),
                 Face({0, 1, 5, 4})});
  CMeshBuilder(&obj).BuildVertexLinks();
}

class CShiftDeformer : public CDeformer {
 public:
  void Prepare(const CMeshObject& mesh) override { m_nPrepared = mesh.VertexCount(); }
  void Deform(CVector3& point) const override { point.x += 10.0f; }
  int m_nPrepared = -1;
};

TEST(FreezeModifiers, PatchIsBakedOnceAndFreezingAgainChangesNothing) {
  CMeshObject cube;
  MakeCube(cube);
  cube.m_nPatchType = 1;
  cube.m_nPatchSegments = 4;
  CMeshBuilder builder(&cube);
  builder.FreezeModifiers();
  EXPECT_EQ(cube.QuadCount(), 96);  // two passes
  EXPECT_EQ(cube.m_nPatchType, 0);
  EXPECT_EQ(cube.m_nPatchSegments, 2);
  EXPECT_EQ(cube.m_bEdgesBuilt, 1);
  EXPECT_EQ(cube.m_bVertexEdgeLinksValid, 1);
  EXPECT_EQ(cube.m_bVertexFaceLinksValid, 1);
  EXPECT_TRUE(IsClosed(cube));

  CMeshObject snapshot;
  CMeshBuilder(&snapshot).CopyGeometryFrom(cube);
  builder.FreezeModifiers();
  EXPECT_TRUE(SameGeometry(cube, snapshot));
}

TEST(FreezeModifiers, MirrorOnXAndZYieldsFourCopies) {
  CMeshObject cube;
  MakeCube(cube);
  cube.m_nMirrorType = 1;
  cube.m_bMirrorZ = 1;
  CMeshBuilder(&cube).FreezeModifiers();
  EXPECT_EQ(cube.VertexCount(), 32);
  EXPECT_EQ(cube.QuadCount(), 24);
  EXPECT_EQ(cube.m_nMirrorType, 0);
  EXPECT_TRUE(IndicesInRange(cube));
}

TEST(FreezeModifiers, NothingToApplyLeavesGeometryUntouched) {
  CMeshObject cube, snapshot;
  MakeCube(cube);
  CMeshBuilder(&snapshot).CopyGeometryFrom(cube);
  CMeshBuilder(&cube).FreezeModifiers();
  EXPECT_TRUE(SameGeometry(cube, snapshot));
  EXPECT_EQ(cube.EdgeCount(), 12);
}

TEST(FreezeModifiers, LatheMirrorAndPatchTogether) {
  CMeshObject profile;
  SetPositions(profile, {{1, -1, 0}, {2, 0, 0}, {1, 1, 0}});
  AddFaces(profile, {Face({0, 1}), Face({1, 2})});
  profile.m_bLathe = 1;
  profile.m_nLatheSegments = 8;
  profile.m_nMirrorType = 2;
  profile.m_bMirrorX = 0;
  profile.m_bMirrorY = 1;
  profile.m_nPatchType = 1;
  CMeshBuilder(&profile).FreezeModifiers();
  EXPECT_EQ(profile.m_bLathe, 0);
  EXPECT_GT(profile.QuadCount(), 0);
  EXPECT_TRUE(IndicesInRange(profile));
}

TEST(DerivedGeometry, PlainObjectCachesOnlyNormals) {
  CMeshObject cube;
  MakeCube(cube);
  CMeshBuilder(&cube).BuildDerivedGeometry(nullptr);
  ASSERT_TRUE(cube.m_pDerived);
  const CMeshObject& derived = *cube.m_pDerived;
  EXPECT_EQ(derived.VertexCount(), 0);
  EXPECT_EQ(derived.QuadCount(), 0);
  EXPECT_EQ(derived.m_Faces.m_QuadNormals.size(), 6u);
  EXPECT_EQ(derived.m_Faces.m_QuadCornerNormals.size(), 24u);
  EXPECT_TRUE(cube.m_Faces.m_QuadCornerNormals.empty());  // handed over, not shared
  EXPECT_EQ(cube.VertexCount(), 8);
}

TEST(DerivedGeometry, JoinedMirrorOfAHalfModelIsClosed) {
  CMeshObject half;
  MakeHalfBox(half);
  half.m_nMirrorType = 2;
  CMeshBuilder(&half).BuildDerivedGeometry(nullptr);
  ASSERT_TRUE(half.m_pDerived);
  EXPECT_TRUE(IsClosed(*half.m_pDerived));
  EXPECT_EQ(half.m_pDerived->m_Faces.m_QuadCornerNormals.size(), 4u * 10u);
  EXPECT_EQ(half.m_pDerived->m_Vertices.LinkTable().MemoryBytes(), 0u);  // only faces and normals are kept
  EXPECT_EQ(half.VertexCount(), 8);  // the object itself is not touched
}

TEST(DerivedGeometry, SegmentsSetThePassCountAndSimpleDisplaySuppressesStages) {
  const int segments[] = {2, 4, 8, 16, 32};
  const int quads[] = {24, 96, 384, 1536, 1536};
  for (int i = 0; i < 5; ++i) {
    CMeshObject cube;
    MakeCube(cube);
    cube.m_nPatchType = 2;
    cube.m_nPatchSegments = segments[i];
    CMeshBuilder(&cube).BuildDerivedGeometry(nullptr);
    EXPECT_EQ(cube.m_pDerived->QuadCount(), quads[i]) << segments[i];
  }
  CMeshObject cube;
  MakeCube(cube);
  cube.m_nPatchType = 1;
  cube.m_nMirrorType = 1;
  CDisplaySettings simple;
  simple.SimpleDisplay = true;
  CMeshBuilder builder(&cube);
  builder.BuildDerivedGeometry(&simple);
  EXPECT_EQ(cube.m_pDerived->QuadCount(), 0);
  EXPECT_EQ(cube.m_pDerived->m_Faces.m_QuadNormals.size(), 6u);
  builder.BuildDerivedGeometry(nullptr);
  EXPECT_EQ(cube.m_pDerived->QuadCount(), 48);
  // A negative patch type is off for the view.
  cube.m_nPatchType = -1;
  cube.m_nMirrorType = 0;
  builder.BuildDerivedGeometry(nullptr);
  EXPECT_EQ(cube.m_pDerived->QuadCount(), 0);
}

TEST(DerivedGeometry, DiscardedByEveryChangeOfGeometryOrSettings) {
  CMeshObject cube, other;
  MakeCube(cube);
  MakeCube(other);
  CMeshBuilder builder(&cube);
  auto expectDiscarded = [&](const char* what, auto&& operation) {
    builder.BuildDerivedGeometry(nullptr);
    ASSERT_TRUE(cube.m_pDerived) << what;
    operation();
    EXPECT_FALSE(cube.m_pDerived) << what;
  };
  expectDiscarded("attributes", [&] { builder.CopyAttributesFrom(other); });
  expectDiscarded("merge", [&] { builder.MergeFrom(other, true, true); });
  expectDiscarded("invert", [&] { builder.InvertFace(FaceList::Quads, 0); });
  expectDiscarded("copy", [&] { builder.CopyGeometryFrom(other); });
  expectDiscarded("freeze", [&] { builder.FreezeModifiers(); });
  expectDiscarded("patch", [&] { builder.BuildPatch(other); });
  expectDiscarded("mirror", [&] { builder.BuildMirror(other, 0); });
  expectDiscarded("lathe", [&] { builder.BuildLathe(other); });
  expectDiscarded("clear", [&] { builder.ClearGeometry(); });
}

TEST(DerivedGeometry, DeformersActOnTheDerivedMeshAndFreezeBakesThemOnce) {
  CMeshObject cube;
  MakeCube(cube);
  cube.m_nPatchType = 1;
  auto deformer = std::make_unique<CShiftDeformer>();
  CShiftDeformer* shift = deformer.get();
  cube.m_Deformers.push_back(std::move(deformer));
  CMeshBuilder builder(&cube);
  builder.BuildDerivedGeometry(nullptr);
  EXPECT_EQ(shift->m_nPrepared, 26);  // measured on the subdivided mesh
  EXPECT_FLOAT_EQ(cube.m_pDerived->m_Vertices.Position(8).x, 10.0f);  // edge point at x = 0, shifted
  EXPECT_EQ(cube.m_Vertices.Position(0), CVector3(-1, -1, -1));

  // Without stages the deformer works on a copy; the object's points stay.
  CMeshObject plain;
  MakeCube(plain);
  plain.m_Deformers.push_back(std::make_unique<CShiftDeformer>());
  CMeshBuilder(&plain).BuildDerivedGeometry(nullptr);
  EXPECT_EQ(plain.m_pDerived->VertexCount(), 8);
  EXPECT_EQ(plain.m_pDerived->m_Vertices.Position(0), CVector3(9, -1, -1));
  EXPECT_EQ(plain.m_Vertices.Position(0), CVector3(-1, -1, -1));

  CMeshBuilder freezer(&plain);
  freezer.FreezeModifiers();
  EXPECT_EQ(plain.m_Vertices.Position(0), CVector3(9, -1, -1));
  EXPECT_TRUE(plain.m_Deformers.empty());
  freezer.FreezeModifiers();
  EXPECT_EQ(plain.m_Vertices.Position(0), CVector3(9, -1, -1));
}

}  // namespace
}  // namespace brimvale

namespace brimvale {
namespace {

// Faces naming missing or negative vertices (as a careless plug-in could
// leave them) and a stale edge list must not make any stage read out of bounds.
TEST(DerivationChain, HostileIndicesAreSurvived) {
  for (int mirrorType : {1, 2, 5}) {
    CMeshObject obj;
    testing::SetPositions(obj, {{1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 1}});
    testing::AddFaces(obj, {testing::Face({0, 1, 2, 3}), testing::Face({0, 9, 2}), testing::Face({-4, 1, 2}),
                            testing::Face({3, 3, 3, 1}), testing::Face({0, 77}), testing::Face({1, 2})});
    obj.m_Edges.push_back(CMeshEdge{0, 1234, 0});
    obj.m_bEdgesBuilt = 1;
    obj.m_nMirrorType = mirrorType;
    obj.m_bLathe = 1;
    obj.m_nPatchType = 1;
    obj.m_nPatchSegments = 4;
    CMeshBuilder builder(&obj);
    builder.BuildDerivedGeometry(nullptr);
    ASSERT_TRUE(obj.m_pDerived);
    builder.FreezeModifiers();
    EXPECT_GT(obj.VertexCount(), 4);
    EXPECT_EQ(obj.m_nPatchType, 0);
  }
}

}  // namespace
}  // namespace brimvale
