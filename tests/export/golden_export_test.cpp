// Whole exports of small hand-built documents against golden files typed from
// the format rules: the scene file and both include files, byte for byte.
#include <gtest/gtest.h>

#include "export/pov_exporter.h"
#include "export_test_support.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddMaterial;
using testing::AddObject;

void ExpectGolden(CQuorixDoc& doc, const std::string& name) {
  testing::ScratchFolder folder;
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export(name + ".pov")) << exporter.Error();
  for (const std::string suffix : {".pov", "_mat.inc", "_obj.inc"}) {
    const std::string file = name + suffix;
    EXPECT_EQ(testing::ReadAll(folder.Path() / file), testing::ReadAll(testing::GoldenFolder() / file)) << file;
  }
  // Exactly the three files: no temporary file is left beside them.
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{name + ".pov", name + "_mat.inc", name + "_obj.inc"}));
}

TEST(GoldenExport, SmoothTriangleWithDefaults) {
  CQuorixDoc doc;
  CMeshObject* object = AddObject(doc, "tri", {{0, 0, 0}, {100, 0, 0}, {0, 100, 0}});
  AddFace(*object, {0, 1, 2});
  CVector2* uv = testing::UVsOf(*object, FaceList::Triangles, 0);
  uv[0] = {1.0f, 0.0f};  // (v, u)
  uv[1] = {1.0f, 1.0f};
  uv[2] = {0.0f, 0.0f};
  ExpectGolden(doc, "triangle");
}

TEST(GoldenExport, QuadMeshWithTwoMaterials) {
  CQuorixDoc doc;
  doc.m_bMegaPov = 0;
  doc.m_Scene.m_vPosition = CVector3(50, 25, -200);
  doc.m_Scene.m_vLookAt = CVector3(50, 25, 0);
  doc.m_Scene.m_fAngle = 45.5f;
  CMaterial* red = AddMaterial(doc, "mat_red", PackColor(255, 0, 0));
  red->m_fDiffuse = 0.8f;
  CMaterial* glass = AddMaterial(doc, "mat_glass", PackColor(0, 128, 255));
  glass->m_fAlpha = 0.5f;
  glass->m_fDiffuse = 1.0f;
  glass->m_fAmbient = 0.6f;
  glass->m_fSpecular = 0.5f;
  glass->m_fPower = 20.0f;
  CMeshObject* object =
      AddObject(doc, "plane", {{0, 0, 0}, {50, 0, 0}, {100, 0, 0}, {0, 50, 0}, {50, 50, 0}, {100, 50, 0}});
  object->m_bNoShadow = 0;
  AddFace(*object, {0, 1, 3}, 2);  // the material count itself: no material
  const CVector2 corners[4] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};  // (v, u)
  for (int q = 0; q < 2; ++q) {
    if (q == 0) {
      AddFace(*object, {0, 1, 4, 3}, 0);
    } else {
      AddFace(*object, {1, 2, 5, 4}, 1);
    }
    for (int k = 0; k < 4; ++k) testing::UVsOf(*object, FaceList::Quads, static_cast<size_t>(q))[k] = corners[k];
  }
  ExpectGolden(doc, "quads_two_materials");
}

TEST(GoldenExport, FlatShadedHiddenAndLineObjects) {
  CQuorixDoc doc;
  doc.m_fMegaPovVersion = 1.2f;
  doc.m_bDefaultLights = 0;
  doc.m_bUseInclude = 1;
  doc.m_strIncludeFile = "extra.inc";
  doc.m_crBackground = PackColor(10, 20, 30);
  doc.m_Scene.m_vPosition = CVector3(0, 0, -500);
  doc.m_Scene.m_fAngle = 30.0f;
  doc.m_Scene.m_bPerspective = 0;
  CMeshObject* hidden = AddObject(doc, "hidden", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*hidden, {0, 1, 2});
  hidden->m_bVisible = 0;
  CMeshObject* flat = AddObject(doc, "flat", {{-0.00001f, 1.23456f, -2.5f}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}});
  flat->m_bSmoothShading = 0;
  AddFace(*flat, {0, 1, 2, 3});
  CMeshObject* lines = AddObject(doc, "lines", {{0, 0, 0}, {5, 5, 5}});
  AddFace(*lines, {0, 1});
  CMeshObject* flat2 = AddObject(doc, "flat2", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9.99995f}});
  flat2->m_bSmoothShading = 0;
  AddFace(*flat2, {0, 1, 2}, 0);  // no materials at all: the default texture
  ExpectGolden(doc, "flat_shaded");
}

TEST(GoldenExport, LightObjectsBecomeLights) {
  CQuorixDoc doc;
  doc.m_bLightObjects = 1;
  doc.m_bSkipHidden = 0;
  CMeshObject* light = AddObject(doc, "Light_1", {{0, 0, 0}, {10, 20, 30}});
  light->m_Color = PackColor(255, 200, 100);
  AddObject(doc, "Light_", {});
  for (const char* name : {"light_x", "ghost"}) {
    CMeshObject* object = AddObject(doc, name, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    object->m_bSmoothShading = 0;
    AddFace(*object, {0, 1, 2});
  }
  doc.Object(3)->m_bVisible = 0;
  ExpectGolden(doc, "light_object");
}

TEST(GoldenExport, BackgroundImagePlane) {
  CQuorixDoc doc;
  doc.m_Scene.m_fAngle = 90.0f;
  doc.m_BackImage.m_bShow = 1;
  doc.m_BackImage.m_strFile = "sky.png";
  ExpectGolden(doc, "background_image");
}

TEST(GoldenExport, TenAndElevenVertices) {
  CQuorixDoc doc;
  std::vector<CVector3> ten, eleven;
  for (int i = 0; i < 10; ++i) ten.emplace_back(static_cast<float>(i), 0.0f, 0.0f);
  for (int i = 0; i < 11; ++i)
    eleven.emplace_back(static_cast<float>(i), static_cast<float>(i) * 0.5f, static_cast<float>(-i));
  CMeshObject* a = AddObject(doc, "ten", ten);
  AddFace(*a, {0, 1, 2});
  CMeshObject* b = AddObject(doc, "eleven", eleven);
  AddFace(*b, {8, 9, 10});
  a->m_bSmoothShading = b->m_bSmoothShading = 0;
  ExpectGolden(doc, "vertices_10_11");
}

TEST(GoldenExport, ElevenTrianglesAndSixQuads) {
  CQuorixDoc doc;
  AddMaterial(doc, "white", PackColor(255, 255, 255));
  CMeshObject* object = AddObject(doc, "faces", {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {10, 10, 0}});
  for (int t = 0; t < 11; ++t) AddFace(*object, {0, 1, 2}, 0);
  for (int q = 0; q < 6; ++q) AddFace(*object, {0, 1, 3, 2});
  ExpectGolden(doc, "faces_11_6");
}

}  // namespace
}  // namespace brimvale
