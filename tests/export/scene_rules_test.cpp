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

TEST(SceneRules, GeneratedGeometryIsFrozenOnACopy) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  // Half a square on the +x side, mirrored across x with the halves apart.
  CMeshObject* half = AddObject(doc, "half", {{1, 0, 0}, {10, 0, 0}, {10, 10, 0}, {1, 10, 0}});
  AddFace(*half, {0, 1, 2, 3});
  half->m_nMirrorType = 1;
  half->m_bMirrorX = 1;
  CMeshObject* plain = AddObject(doc, "plain", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*plain, {0, 1, 2});
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  const std::string objects = ReadAll(folder.Path() / "scene_obj.inc");
  EXPECT_NE(objects.find("\tvertex_vectors{\n\t\t8\n"), std::string::npos) << objects;
  EXPECT_NE(objects.find("<-10.0000,0.0000,0.0000>"), std::string::npos);
  EXPECT_NE(objects.find("\t\tBrimvaleMacro(0,2)\n"), std::string::npos);
  // The objects themselves keep their geometry; their corner normals are released.
  EXPECT_EQ(half->VertexCount(), 4);
  EXPECT_EQ(half->QuadCount(), 1);
  EXPECT_FALSE(plain->m_Faces.HasNormals());
  EXPECT_TRUE(plain->m_bVertexFaceLinksValid);
}

}  // namespace
}  // namespace brimvale
