// Materials with maps: what is referenced as it is, what is converted to PNG,
// and the background picture's conversion.
#include <gtest/gtest.h>

#include "export/pov_exporter.h"
#include "export_test_images.h"
#include "export_test_support.h"
#include "image/codec_bridge.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddMaterial;
using testing::AddObject;
using testing::ReadAll;

constexpr uint32_t kWhite = PackColor(255, 255, 255);

// wood.bmp: 2 x 2 pixels; refl.bmp: one colour whose grey level is 60.
void WriteMaps(const testing::ScratchFolder& folder) {
  testing::WriteBmp24(folder.Path() / "wood.bmp", 2, 2, {200, 100, 50, 10, 20, 30, 255, 255, 255, 0, 0, 0});
  testing::WriteBmp24(folder.Path() / "refl.bmp", 2, 2, {30, 60, 90, 30, 60, 90, 30, 60, 90, 30, 60, 90});
  testing::WriteGradientJpeg(folder.Path() / "bump.jpg");
  testing::WriteAll(folder.Path() / "model.mqo", "");
}

bool LoadPicture(const std::filesystem::path& path, CPixelImage& image) {
  return LoadPng(path.string(), image, nullptr, 0);
}

TEST(MaterialExport, TexturedMaterialsMatchGolden) {
  testing::ScratchFolder folder;
  WriteMaps(folder);
  CQuorixDoc doc;
  doc.m_bMegaPov = 0;
  doc.m_strPathName = "model.mqo";  // textures are looked up beside it
  AddMaterial(doc, "wood", kWhite)->m_strTexture = "wood.bmp";
  AddMaterial(doc, "redwood", PackColor(255, 0, 0))->m_strTexture = "wood.bmp";
  CMaterial* bumpy = AddMaterial(doc, "bumpy", kWhite);
  bumpy->m_strBump = "bump.jpg";
  bumpy->m_fSpecular = 0.5f;  // power 0: roughness 0.1
  AddMaterial(doc, "shiny", kWhite)->m_strFourthMap = "refl.bmp";  // specular 0: plain form
  CMaterial* mirror = AddMaterial(doc, "mirror", kWhite);
  mirror->m_strFourthMap = "refl.bmp";
  mirror->m_fSpecular = 0.5f;
  mirror->m_fPower = 20.0f;
  AddMaterial(doc, "missing", kWhite)->m_strTexture = "nothere.bmp";
  CMeshObject* object = AddObject(doc, "tri", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  object->m_bSmoothShading = 0;
  AddFace(*object, {0, 1, 2}, 0);

  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("textured.pov")) << exporter.Error();
  for (const std::string suffix : {".pov", "_mat.inc", "_obj.inc"}) {
    EXPECT_EQ(ReadAll(folder.Path() / ("textured" + suffix)), ReadAll(testing::GoldenFolder() / ("textured" + suffix)))
        << suffix;
  }
  // The white BMP is used as it is; the red one is baked; both reflection
  // maps are converted, also the one whose specular is 0; no bump PNG for POV-Ray.
  EXPECT_EQ(folder.Entries(),
            (std::set<std::string>{"bump.jpg", "model.mqo", "refl.bmp", "wood.bmp", "textured.pov", "textured_mat.inc",
                                   "textured_obj.inc", "textured_pig1.png", "textured_spec3.png",
                                   "textured_spec4.png"}));
  ASSERT_EQ(exporter.Warnings().size(), 1u);
  EXPECT_NE(exporter.Warnings()[0].find("nothere.bmp"), std::string::npos);

  CPixelImage baked;
  ASSERT_TRUE(LoadPicture(folder.Path() / "textured_pig1.png", baked));
  ASSERT_EQ(baked.BitCount(), 32);
  ASSERT_EQ(baked.Width(), 2);
  const uint8_t* topLeft = baked.PixelAddress(0, 0);
  EXPECT_EQ((std::vector<int>{topLeft[0], topLeft[1], topLeft[2], topLeft[3]}), (std::vector<int>{0, 0, 200, 255}));
  const uint8_t* bottomLeft = baked.PixelAddress(0, 1);
  EXPECT_EQ((std::vector<int>{bottomLeft[0], bottomLeft[1], bottomLeft[2]}), (std::vector<int>{0, 0, 255}));
  CPixelImage grey;
  ASSERT_TRUE(LoadPicture(folder.Path() / "textured_spec3.png", grey));
  ASSERT_EQ(grey.BitCount(), 24);
  const uint8_t* level = grey.PixelAddress(1, 1);
  EXPECT_EQ((std::vector<int>{level[0], level[1], level[2]}), (std::vector<int>{60, 60, 60}));
}

TEST(MaterialExport, MegaPovBakesJpegTexturesAndConvertsJpegBumps) {
  testing::ScratchFolder folder;
  WriteMaps(folder);
  CQuorixDoc doc;
  doc.m_strPathName = "model.mqo";
  CMaterial* material = AddMaterial(doc, "stone", kWhite);
  material->m_strTexture = "bump.jpg";
  material->m_strBump = "bump.jpg";
  CMaterial* translucent = AddMaterial(doc, "alpha", PackColor(0, 255, 0));
  translucent->m_strAlphaMap = "refl.bmp";
  translucent->m_fAlpha = 0.5f;
  // A grey (8-bit) reflection map is brought to true colour before the grey conversion.
  testing::WriteAll(folder.Path() / "grey.pgm", std::string("P5\n2 2\n255\n") + std::string(4, '\x5a'));
  AddMaterial(doc, "greyrefl", kWhite)->m_strFourthMap = "grey.pgm";
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  const std::string text = ReadAll(folder.Path() / "scene_mat.inc");
  EXPECT_NE(text.find("\t\tpng\t\"scene_pig0.png\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\tbump_map{\n\t\tpng\t\"scene_bump0.png\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\t\tpng\t\"scene_pig1.png\"\n"), std::string::npos) << text;
  CPixelImage bump, pigment;
  ASSERT_TRUE(LoadPicture(folder.Path() / "scene_bump0.png", bump));
  EXPECT_EQ(bump.Width(), 8);
  // The alpha map alone: material colour, opacity (30 + 60 + 90) x 0.5 / 3.
  ASSERT_TRUE(LoadPicture(folder.Path() / "scene_pig1.png", pigment));
  const uint8_t* p = pigment.PixelAddress(1, 0);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{0, 255, 0, 30}));
  CPixelImage grey;
  ASSERT_TRUE(LoadPicture(folder.Path() / "scene_spec2.png", grey));
  const uint8_t* g = grey.PixelAddress(1, 1);
  EXPECT_EQ((std::vector<int>{g[0], g[1], g[2]}), (std::vector<int>{90, 90, 90}));
}

TEST(MaterialExport, BackgroundPictureKinds) {
  testing::ScratchFolder folder;
  WriteMaps(folder);
  struct Case {
    int megaPov;
    const char* file;
    const char* expected;  // the image reference line, or null for none
  } cases[] = {
      {1, "bump.jpg", "\t\t\tpng\t\"scene_bg.png\" map_type 0\n"},
      {0, "bump.jpg", "\t\t\tjpeg\t\"bump.jpg\" map_type 0\n"},
      {1, "wood.bmp", "\t\t\tbmp\t\"wood.bmp\" map_type 0\n"},
      {1, "sky.GIF", nullptr},
      {1, "missing.jpg", "\t\t\tjpeg\t\"missing.jpg\" map_type 0\n"},  // unreadable JPEG stays as it is
  };
  for (const Case& c : cases) {
    CQuorixDoc doc;
    doc.m_bMegaPov = c.megaPov;
    doc.m_BackImage.m_bShow = 1;
    doc.m_BackImage.m_strFile = c.file;
    CPovExporter exporter(doc);
    ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
    const std::string text = ReadAll(folder.Path() / "scene.pov");
    if (c.expected) {
      EXPECT_NE(text.find(c.expected), std::string::npos) << c.file << "\n" << text;
    } else {
      EXPECT_NE(text.find("//background image\n#include"), std::string::npos) << text;
    }
    std::error_code ignored;
    const bool converted = std::filesystem::exists(folder.Path() / "scene_bg.png");
    EXPECT_EQ(converted, c.megaPov == 1 && std::string(c.file) == "bump.jpg") << c.file;
    std::filesystem::remove(folder.Path() / "scene_bg.png", ignored);
  }
}

}  // namespace
}  // namespace brimvale
