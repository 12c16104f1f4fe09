// The export writes the meshes the view draws: deformers, mirrors and lathes
// included, on copies too.
#include <gtest/gtest.h>

#include <cstdio>

#include "deform/bend_deformer.h"
#include "document/mesh_builder.h"
#include "document/mqo_reader.h"
#include "export/pov_exporter.h"
#include "export_test_support.h"
#include "geometry/frozen_mesh.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddObject;
using testing::ReadAll;

// A strip of quads 20 wide and 100 high in five rows, bent by 90 degrees.
CMeshObject* AddBentStrip(CQuorixDoc& doc, const std::string& name, float x0) {
  CMeshObject* strip = AddObject(doc, name, {});
  for (int row = 0; row <= 5; ++row) {
    strip->m_Vertices.Add(CVector3(x0, 20.0f * row, 0));
    strip->m_Vertices.Add(CVector3(x0 + 20.0f, 20.0f * row, 0));
  }
  for (int row = 0; row < 5; ++row) AddFace(*strip, {2 * row, 2 * row + 1, 2 * row + 3, 2 * row + 2});
  auto bend = std::make_unique<CBendDeformer>();
  bend->m_fAngle = 90.0f;
  strip->m_Deformers.push_back(std::move(bend));
  return strip;
}

// The vertex list of mesh number n as written: its count and items, without
// the line breaks.
std::string WrittenVertices(const std::string& objects, int n) {
  const size_t mesh = objects.find("#declare obj" + std::to_string(n) + "=mesh2{");
  if (mesh == std::string::npos) return "(no mesh)";
  const size_t begin = objects.find("vertex_vectors{", mesh) + 15;
  std::string list;
  for (size_t at = begin; at < objects.size() && objects[at] != '}'; ++at) {
    if (objects[at] != '\n' && objects[at] != '\t') list += objects[at];
  }
  return list;
}

// The same list made from the view's derived geometry.
std::string DerivedVertices(CQuorixDoc& doc, CMeshObject& object) {
  CMeshBuilder(&object).BuildDerivedGeometry(&doc.Display);
  const CMeshObject& derived = *object.m_pDerived;
  std::string text = std::to_string(derived.VertexCount());
  char item[96];
  for (int v = 0; v < derived.VertexCount(); ++v) {
    const CVector3& p = derived.m_Vertices.Position(v);
    std::snprintf(item, sizeof item, "<%0.4f,%0.4f,%0.4f>,", static_cast<double>(p.x),
                  static_cast<double>(p.y), static_cast<double>(p.z));
    text += item;
  }
  return text;
}

TEST(DerivedExport, BentAndMirroredObjectsAreWrittenAsTheViewDerivesThem) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  CMeshObject* bent = AddBentStrip(doc, "bent", 0.0f);
  CMeshObject* mirrored = AddBentStrip(doc, "mirrored", 5.0f);
  mirrored->m_nMirrorType = 1;
  mirrored->m_bMirrorX = 1;
  CMeshObject* hidden = AddBentStrip(doc, "hidden", 0.0f);
  hidden->m_bVisible = 0;
  AddBentStrip(doc, "deleted", 0.0f);
  doc.m_Objects.pop_back();

  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  std::string objects = ReadAll(folder.Path() / "scene_obj.inc");
  EXPECT_EQ(WrittenVertices(objects, 0), DerivedVertices(doc, *bent));
  EXPECT_EQ(WrittenVertices(objects, 1), DerivedVertices(doc, *mirrored));
  EXPECT_EQ(bent->m_pDerived->VertexCount(), 12);
  EXPECT_EQ(mirrored->m_pDerived->VertexCount(), 24);
  // The top of the bent strip has turned over: it is no longer at y = 100.
  EXPECT_EQ(objects.find(",100.0000,"), std::string::npos);
  // Hidden objects stay out, and a deleted one took its deformer with it.
  EXPECT_EQ(objects.find("#declare obj2="), std::string::npos);
  doc.m_bSkipHidden = 0;
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  objects = ReadAll(folder.Path() / "scene_obj.inc");
  EXPECT_EQ(WrittenVertices(objects, 2), DerivedVertices(doc, *hidden));
  EXPECT_EQ(objects.find("#declare obj3="), std::string::npos);
  // The objects themselves are not bent.
  EXPECT_FLOAT_EQ(bent->m_Vertices.Position(11).y, 100.0f);
}

TEST(DerivedExport, CopiesCarryDeformersAndFreezeAsDrawn) {
  CQuorixDoc doc;
  CMeshObject* bent = AddBentStrip(doc, "bent", 0.0f);
  CMeshObject copy;
  CMeshBuilder builder(&copy);
  builder.CopyGeometryFrom(*bent);
  builder.CopyAttributesFrom(*bent);
  ASSERT_EQ(copy.m_Deformers.size(), 1u);
  EXPECT_NE(copy.m_Deformers[0].get(), bent->m_Deformers[0].get());
  EXPECT_TRUE(HasDerivedGeometry(copy));
  builder.FreezeModifiers();
  std::unique_ptr<CMeshObject> frozen = FrozenCopy(*bent);
  ASSERT_TRUE(frozen);
  CMeshBuilder(bent).BuildDerivedGeometry(&doc.Display);
  for (int v = 0; v < 12; ++v) {
    const CVector3& drawn = bent->m_pDerived->m_Vertices.Position(v);
    EXPECT_EQ(copy.m_Vertices.Position(v), drawn) << v;
    EXPECT_EQ(frozen->m_Vertices.Position(v), drawn) << v;
  }
  // Frozen once, the copy has nothing left to derive.
  EXPECT_FALSE(HasDerivedGeometry(copy));
  EXPECT_FALSE(FrozenCopy(copy));
}

TEST(DerivedExport, LatheTakesTheMaterialOfItsProfileLines) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  ASSERT_TRUE(ReadMqoFile(doc, BRIMVALE_SOURCE_DIR "/examples/lathe_vase.mqo"));
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("vase.pov")) << exporter.Error();
  const std::string objects = ReadAll(folder.Path() / "vase_obj.inc");
  // 5 lines of 16 segments: 80 quads, 160 triangles, each naming texture 1.
  EXPECT_NE(objects.find("face_indices{\n\t\t160\n"), std::string::npos);
  size_t named = 0;
  for (size_t at = objects.find(" > , 1 , "); at != std::string::npos; at = objects.find(" > , 1 , ", at + 1)) ++named;
  EXPECT_EQ(named, 160u);
  EXPECT_EQ(objects.find(" > , 0 , "), std::string::npos);
}

}  // namespace
}  // namespace brimvale
