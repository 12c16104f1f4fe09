// Rules of the three files beyond the golden documents: names and paths,
// which objects become meshes, and what the export leaves on the objects.
#include <gtest/gtest.h>

#include "export/pov_exporter.h"
#include "export_test_support.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddObject;
using testing::ReadAll;

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SceneRules, PathsAndIncludeLines) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  doc.m_bUseInclude = 1;  // with an empty name: no third include
  CPovExporter exporter(doc);
  // A Windows-style name is one file name here; the base is cut by four characters.
  ASSERT_TRUE(exporter.Export("C:\\scenes\\car.pov")) << exporter.Error();
  const std::string scene = ReadAll(folder.Path() / "C:\\scenes\\car.pov");
  EXPECT_NE(scene.find("#include \"C:\\scenes\\car_mat.inc\"\n#include \"C:\\scenes\\car_obj.inc\"\n"),
            std::string::npos);
  EXPECT_EQ(Count(scene, "#include"), 2u);
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "C:\\scenes\\car_obj.inc"));
  // A name not ending in .pov is cut all the same.
  ASSERT_TRUE(exporter.Export("scene.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "scene_mat.inc"));
  EXPECT_FALSE(CPovExporter::IsLightObject(*AddObject(doc, "light_1", {})));
  EXPECT_TRUE(CPovExporter::IsLightObject(*AddObject(doc, "Light_", {})));
  EXPECT_FALSE(CPovExporter::IsLightObject(*AddObject(doc, "Light", {})));
  EXPECT_EQ(CPovExporter::ImageTypeOf("sky.GIF"), -1);
  EXPECT_EQ(CPovExporter::ImageTypeOf("a.Jpeg"), 8);
  EXPECT_EQ(CPovExporter::ImageTypeOf("bmp"), -1);  // shorter than four characters
  EXPECT_STREQ(PovImageKeyword(1), "bmp");
  EXPECT_STREQ(PovImageKeyword(7), "iff");
}

TEST(SceneRules, WhichObjectsBecomeMeshes) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  CMeshObject* light = AddObject(doc, "Light_lamp", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*light, {0, 1, 2});
  CMeshObject* quads = AddObject(doc, "quads", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  quads->m_bSmoothShading = 0;
  for (int q = 0; q < 3; ++q) AddFace(*quads, {0, 1, 2, 3});
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov"));
  std::string objects = ReadAll(folder.Path() / "scene_obj.inc");
  // Light objects are meshes while light objects are off.
  EXPECT_NE(objects.find("#declare obj0=mesh2{"), std::string::npos);
  EXPECT_NE(objects.find("\tface_indices{\n\t\t6\n"), std::string::npos);
  EXPECT_NE(objects.find("\tuv_vectors{\n\t\t12\n"), std::string::npos);
  EXPECT_NE(objects.find("\t\tBrimvaleMacro(0,3)\n"), std::string::npos);
  EXPECT_EQ(ReadAll(folder.Path() / "scene.pov").find("//object-light"), std::string::npos);
  doc.m_bLightObjects = 1;
  ASSERT_TRUE(exporter.Export("scene.pov"));
  objects = ReadAll(folder.Path() / "scene_obj.inc");
  EXPECT_EQ(objects.find("Light_lamp"), std::string::npos);
  EXPECT_NE(objects.find("#declare obj0=mesh2{"), std::string::npos);  // the quads take number 0
  EXPECT_EQ(objects.find("obj1"), std::string::npos);
}

// The text of mesh number `number` in an object include file.
std::string MeshText(const std::string& objects, int number) {
  const size_t start = objects.find("#declare obj" + std::to_string(number) + "=mesh2{");
  if (start == std::string::npos) return std::string();
  return objects.substr(start, objects.find("\n}\n", start) - start);
}

TEST(SceneRules, LatheMirrorAndCurvedSurfaceAreExportedAsGenerated) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  // One line swept about y in 12 steps: a cylinder of 12 quads on 24 vertices.
  CMeshObject* lathe = AddObject(doc, "lathe", {{1, 0, 0}, {1, 1, 0}});
  AddFace(*lathe, {0, 1});
  lathe->m_bLathe = 1;
  // Half a square on the +x side, mirrored across x with the halves apart.
  CMeshObject* half = AddObject(doc, "half", {{1, 0, 0}, {10, 0, 0}, {10, 10, 0}, {1, 10, 0}});
  AddFace(*half, {0, 1, 2, 3});
  half->m_nMirrorType = 1;
  half->m_bMirrorX = 1;
  // One subdivided quad: corners stay, then four edge midpoints, then the centre.
  CMeshObject* curved = AddObject(doc, "curved", {{0, 0, 0}, {4, 0, 0}, {4, 8, 0}, {0, 8, 0}});
  AddFace(*curved, {0, 1, 2, 3});
  curved->m_nPatchType = 1;
  CMeshObject* plain = AddObject(doc, "plain", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*plain, {0, 1, 2});
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  const std::string objects = ReadAll(folder.Path() / "scene_obj.inc");

  const std::string cylinder = MeshText(objects, 0);
  EXPECT_NE(cylinder.find("\tvertex_vectors{\n\t\t24\n"), std::string::npos) << cylinder;
  // The ring of profile point 0 goes on at entry 2: steps of 30 and 60 degrees, (cos, 0, -sin).
  EXPECT_NE(cylinder.find("<1.0000,0.0000,0.0000>,<1.0000,1.0000,0.0000>,<0.8660,0.0000,-0.5000>,<0.5000,0.0000,-0.8660>,"),
            std::string::npos);
  EXPECT_NE(cylinder.find("\t\tBrimvaleMacro(0,12)\n"), std::string::npos);
  const std::string mirrored = MeshText(objects, 1);
  EXPECT_NE(mirrored.find("\tvertex_vectors{\n\t\t8\n"), std::string::npos) << mirrored;
  EXPECT_NE(mirrored.find("<-1.0000,0.0000,0.0000>,<-10.0000,0.0000,0.0000>,<-10.0000,10.0000,0.0000>"),
            std::string::npos);
  EXPECT_NE(mirrored.find("\t\tBrimvaleMacro(0,2)\n"), std::string::npos);
  const std::string patch = MeshText(objects, 2);
  EXPECT_NE(patch.find("\tvertex_vectors{\n\t\t9\n"), std::string::npos) << patch;
  EXPECT_NE(patch.find("<4.0000,8.0000,0.0000>,<0.0000,8.0000,0.0000>,<2.0000,0.0000,0.0000>,<4.0000,4.0000,0.0000>,"
                       "<2.0000,8.0000,0.0000>,<0.0000,4.0000,0.0000>,<2.0000,4.0000,0.0000>,"),
            std::string::npos);
  EXPECT_NE(patch.find("\t\tBrimvaleMacro(0,4)\n"), std::string::npos);
  EXPECT_NE(MeshText(objects, 3).find("\t\tBrimvaleMacro(1,0)\n"), std::string::npos);
  // The objects themselves are not written to: geometry, normals and links as they were.
  EXPECT_EQ(half->VertexCount(), 4);
  EXPECT_EQ(half->QuadCount(), 1);
  EXPECT_EQ(curved->QuadCount(), 1);
  EXPECT_EQ(lathe->LineCount(), 1);
  EXPECT_FALSE(plain->m_Faces.HasNormals());
  EXPECT_FALSE(plain->m_bVertexFaceLinksValid);
}

}  // namespace
}  // namespace brimvale
