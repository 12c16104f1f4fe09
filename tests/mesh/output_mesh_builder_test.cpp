#include "mesh/output_mesh_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "deform/bend_deformer.h"
#include "document/mesh_builder.h"
#include "export/export_test_support.h"
#include "export/gltf_exporter.h"
#include "export/pov_exporter.h"
#include "geometry/frozen_mesh.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddMaterial;
using testing::AddObject;

// Half a box (open at x = 0), mirrored joined across X, patched twice and bent.
CMeshObject* AddMirroredPatchedBentHalf(CQuorixDoc& doc) {
  CMeshObject* half = AddObject(doc, "half", {{0, 0, 0}, {10, 0, 0}, {10, 30, 0}, {0, 30, 0},
                                              {0, 0, 10}, {10, 0, 10}, {10, 30, 10}, {0, 30, 10}});
  AddFace(*half, {0, 1, 2, 3});
  AddFace(*half, {5, 4, 7, 6});
  AddFace(*half, {1, 5, 6, 2});
  AddFace(*half, {3, 2, 6, 7});
  AddFace(*half, {0, 4, 5}, 0);
  AddFace(*half, {0, 5, 1}, 0);
  half->m_nMirrorType = 2;
  half->m_bMirrorX = 1;
  half->m_nPatchType = 3;
  half->m_nPatchSegments = 4;
  auto bend = std::make_unique<CBendDeformer>();
  bend->m_fAngle = 60.0f;
  half->m_Deformers.push_back(std::move(bend));
  return half;
}

bool SameBits(const CVector3& a, const CVector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(OutputMeshBuilder, DerivesAsTheFrozenCopyWithoutTouchingTheObject) {
  CQuorixDoc doc;
  AddMaterial(doc, "m", 0xffffff);
  CMeshObject* half = AddMirroredPatchedBentHalf(doc);
  const int linksBefore = half->m_bVertexFaceLinksValid;
  const std::unique_ptr<COutputMesh> mesh = BuildOutputMesh(*half, OutputMeshOptionsFor(doc, nullptr, true));
  EXPECT_FALSE(half->m_pDerived);
  EXPECT_FALSE(half->m_Faces.HasNormals());
  EXPECT_EQ(half->m_bVertexFaceLinksValid, linksBefore);

  const std::unique_ptr<CMeshObject> frozen = FrozenCopy(*half);
  ASSERT_TRUE(frozen);
  CMeshBuilder(frozen.get()).ComputeSmoothNormals();
  ASSERT_GT(frozen->QuadCount(), 6 * 16);
  ASSERT_EQ(mesh->positions.size(), static_cast<size_t>(frozen->VertexCount()));
  for (int v = 0; v < frozen->VertexCount(); ++v)
    ASSERT_TRUE(SameBits(mesh->positions[static_cast<size_t>(v)], frozen->m_Vertices.Position(v))) << v;
  const auto compare = [&](const COutputFaces& out, FaceList list, const CCornerNormals& normals, size_t k) {
    const std::vector<CMeshFace>& faces = frozen->m_Faces.List(list);
    ASSERT_EQ(out.corners.size(), faces.size() * k);
    for (size_t f = 0; f < faces.size(); ++f) {
      for (size_t c = 0; c < k; ++c) {
        ASSERT_EQ(out.corners[f * k + c], static_cast<uint32_t>(faces[f].m_Index[c])) << f;
        ASSERT_TRUE(SameBits(out.cornerNormals[f * k + c], normals[f * k + c])) << f;
        const CCornerUVs* uvs = frozen->m_Faces.FaceUVs(list, f);
        ASSERT_EQ(out.uvs[f * k + c], uvs ? uvs->m_UV[c] : CVector2()) << f;
      }
    }
  };
  compare(mesh->triangles, FaceList::Triangles, frozen->m_Faces.m_TriangleCornerNormals, 3);
  compare(mesh->quads, FaceList::Quads, frozen->m_Faces.m_QuadCornerNormals, 4);
}

TEST(OutputMeshBuilder, SlotsPutNoMaterialFirstThenUsedMaterialsUpwards) {
  CQuorixDoc doc;
  for (int m = 0; m < 3; ++m) AddMaterial(doc, "m", 0xffffff);
  CMeshObject* object = AddObject(doc, "o", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  AddFace(*object, {0, 1, 2}, 2);
  AddFace(*object, {0, 2, 3}, 7);  // beyond the material list: no material
  AddFace(*object, {0, 1, 2, 3}, 0);
  AddFace(*object, {0, 1, 9}, 1);  // a corner past the vertices: left out, material 1 unused
  const std::unique_ptr<COutputMesh> mesh = BuildOutputMesh(*object, OutputMeshOptionsFor(doc, nullptr, false));
  EXPECT_EQ(mesh->slotMaterials, (std::vector<int>{-1, 0, 2}));
  ASSERT_EQ(mesh->TriangleCount(), 2u);
  EXPECT_EQ(mesh->triangles.faceSlots[0], 2u);
  EXPECT_EQ(mesh->triangles.faceSlots[1], 0u);
  EXPECT_EQ(mesh->triangles.corners[5], 3u);
  ASSERT_EQ(mesh->QuadCount(), 1u);
  EXPECT_EQ(mesh->quads.faceSlots[0], 1u);
}

TEST(OutputMeshBuilder, OnlyFacesOfTexturedMaterialsBringTextureCoordinates) {
  CQuorixDoc doc;
  AddMaterial(doc, "plain", 0xffffff);
  AddMaterial(doc, "mapped", 0xffffff)->m_strTexture = "wood.png";
  CMeshObject* object = AddObject(doc, "o", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  AddFace(*object, {0, 1, 2}, 0);
  AddFace(*object, {0, 1, 2, 3}, -1);
  std::unique_ptr<COutputMesh> mesh = BuildOutputMesh(*object, OutputMeshOptionsFor(doc, nullptr, false));
  EXPECT_FALSE(mesh->triangles.HasUVs());
  EXPECT_FALSE(mesh->quads.HasUVs());
  object->m_Faces.Quads()[0].m_nMaterial = 1;
  mesh = BuildOutputMesh(*object, OutputMeshOptionsFor(doc, nullptr, false));
  EXPECT_FALSE(mesh->triangles.HasUVs());
  EXPECT_EQ(mesh->quads.uvs.size(), 4u);
  mesh = BuildOutputMesh(*object, OutputMeshOptionsFor(doc, nullptr, true));
  EXPECT_EQ(mesh->triangles.uvs.size(), 3u);
}

// Corner colours come out only where the face's material shows them: a
// mirrored quad keeps each corner's colour on both halves, a material without
// vcol leaves the mesh without colours at all.
TEST(OutputMeshBuilder, CornerColoursOnlyForMaterialsThatShowThem) {
  CQuorixDoc doc;
  AddMaterial(doc, "shown", PackColor(255, 255, 255))->m_bVertexColour = 1;
  AddMaterial(doc, "plain", PackColor(255, 255, 255));
  CMeshObject* half = AddObject(doc, "half", {{1, 0, 0}, {3, 0, 0}, {3, 2, 0}, {1, 2, 0}});
  AddFace(*half, {0, 1, 2, 3}, 0);
  CCornerColours colours;
  for (uint32_t c = 0; c < 4; ++c) colours.m_Color[c] = 0xFF000000u | (c + 1);  // red 1 to 4
  half->m_Faces.Colours(FaceList::Quads).assign(1, colours);
  half->m_nMirrorType = 1;
  half->m_bMirrorX = 1;
  std::unique_ptr<COutputMesh> mesh = BuildOutputMesh(*half, OutputMeshOptionsFor(doc, nullptr, false));
  ASSERT_EQ(mesh->QuadCount(), 2u);
  ASSERT_EQ(mesh->quads.colours.size(), 8u);
  EXPECT_TRUE(mesh->SlotColoured(1));
  // Each corner's colour follows its position, mirrored or not: red 1 at |x| = 1, y = 0.
  for (size_t corner = 0; corner < 8; ++corner) {
    const CVector3& p = mesh->positions[mesh->quads.corners[corner]];
    const uint32_t red = std::fabs(p.x) < 2 ? (p.y < 1 ? 1 : 4) : (p.y < 1 ? 2 : 3);
    EXPECT_EQ(mesh->quads.colours[corner], 0xFF000000u | red) << "corner " << corner;
  }
  half->m_Faces.Quads()[0].m_nMaterial = 1;
  mesh = BuildOutputMesh(*half, OutputMeshOptionsFor(doc, nullptr, false));
  EXPECT_FALSE(mesh->HasColours());
  EXPECT_FALSE(mesh->SlotColoured(1));
}

TEST(OutputMeshBuilder, CancelledExportsWriteNothing) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  AddMirroredPatchedBentHalf(doc);
  AddMirroredPatchedBentHalf(doc);
  const auto stop = [](size_t, size_t) { return false; };
  CPovExporter pov(doc);
  pov.SetProgress(stop);
  EXPECT_FALSE(pov.Export("scene.pov"));
  CGltfExporter gltf(doc, {});
  gltf.SetProgress(stop);
  EXPECT_FALSE(gltf.Export("model.glb"));
  EXPECT_NE(gltf.Error().find("cancelled"), std::string::npos) << gltf.Error();
  EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace brimvale
