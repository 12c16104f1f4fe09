// Corner colours in both exports: a square whose left corners are red and
// right corners blue, under a material that shows them, beside a square whose
// material does not. The glTF carries COLOR_0 for the first only and passes
// the validator; POV-Ray blends the colours across the face.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "../cli/cli_runner.h"
#include "export/gltf_exporter.h"
#include "export/pov_exporter.h"
#include "gltf_test_support.h"
#include "image/codec_bridge.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0xFF0000FFu;  // red in the lowest byte
constexpr uint32_t kBlue = 0xFFFF0000u;

// Two squares side by side facing the camera; the first one's material shows
// corner colours, the second one's has them too but does not show them.
void TwoSquares(CQuorixDoc& doc, const fs::path& folder) {
  doc.m_strPathName = (folder / "model.mqo").string();
  doc.m_Scene.m_vPosition = CVector3(0, 0, -300);
  CMaterial* shown = testing::AddMaterial(doc, "shown", PackColor(255, 255, 255));
  shown->m_bVertexColour = 1;
  testing::AddMaterial(doc, "plain", PackColor(255, 255, 255));
  CMeshObject* square = testing::AddObject(doc, "square",
                                           {{-60, 60, 0},
                                            {60, 60, 0},
                                            {60, -60, 0},
                                            {-60, -60, 0},
                                            {70, 60, 0},
                                            {190, 60, 0},
                                            {190, -60, 0},
                                            {70, -60, 0}});
  square->m_bSmoothShading = 0;
  testing::AddFace(*square, {0, 1, 2, 3}, 0);
  testing::AddFace(*square, {4, 5, 6, 7}, 1);
  CCornerColours colours;
  colours.m_Color[0] = colours.m_Color[3] = kRed;
  colours.m_Color[1] = colours.m_Color[2] = kBlue;
  square->m_Faces.Colours(FaceList::Quads).assign(2, colours);
}

TEST(VertexColourExport, GltfCarriesColor0ForTheShowingMaterialOnly) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  TwoSquares(doc, folder.Path());
  CGltfExporter exporter(doc, {});
  ASSERT_TRUE(exporter.Export("scene.glb")) << exporter.Error();
  const testing::Glb glb = testing::ReadGlb("scene.glb");
  const auto& primitives = glb.json["meshes"][0]["primitives"];
  ASSERT_EQ(primitives.size(), 2u);
  ASSERT_TRUE(primitives[0]["attributes"].contains("COLOR_0"));
  EXPECT_FALSE(primitives[1]["attributes"].contains("COLOR_0"));
  const int colours = primitives[0]["attributes"]["COLOR_0"];
  const int positions = primitives[0]["attributes"]["POSITION"];
  const auto& accessor = glb.json["accessors"][static_cast<size_t>(colours)];
  EXPECT_EQ(accessor["componentType"], 5121);
  EXPECT_EQ(accessor["normalized"], true);
  // Each corner of the first square: red on the left (x < 0), blue on the right.
  const int indices = primitives[0]["indices"];
  for (size_t i = 0; i < 6; ++i) {
    const auto vertex = static_cast<size_t>(glb.Element(indices, i)[0]);
    const auto rgba = glb.Element(colours, vertex);
    const bool left = glb.Element(positions, vertex)[0] < 0;
    EXPECT_EQ(rgba, (std::vector<double>{left ? 255.0 : 0.0, 0.0, left ? 0.0 : 255.0, 255.0}))
        << "corner " << i;
  }

  if (std::system("command -v node >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  const std::string command = "node " + test::ShellQuote(BRIMVALE_SOURCE_DIR "/scripts/gltf_validate.js") +
                              " " + test::ShellQuote((folder.Path() / "scene.glb").string());
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[4096] = {};
  const size_t got = std::fread(line, 1, sizeof line - 1, pipe);
  const int status = ::pclose(pipe);
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "gltf-validator is not installed";
  const auto report = nlohmann::json::parse(std::string(line, got));
  EXPECT_EQ(report["errors"], 0) << report.dump();
  EXPECT_EQ(report["warnings"], 0) << report.dump();
}

TEST(VertexColourExport, PovrayBlendsTheCornerColoursAcrossTheFace) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  doc.m_bMegaPov = 0;
  TwoSquares(doc, folder.Path());
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export((folder.Path() / "scene.pov").string())) << exporter.Error();
  const std::string objects = testing::ReadAll(folder.Path() / "scene_obj.inc");
  EXPECT_NE(objects.find("texture{ brimvale_mat_0 } texture{ pigment{ rgbf <255/255,0/255,0/255,1> } }"),
            std::string::npos)
      << objects;
  EXPECT_NE(objects.find("texture{ brimvale_mat_0 } texture{ pigment{ rgbf <0/255,0/255,255/255,1> } }"),
            std::string::npos);
  // The plain square keeps one texture a face: material 1 is texture 2.
  EXPECT_NE(objects.find("> , 2 , <"), std::string::npos);

  if (std::system("command -v povray >/dev/null 2>&1") != 0) GTEST_SKIP() << "povray is not installed";
  const std::string command = "cd " + test::ShellQuote(folder.Path().string()) +
                              " && povray +Iscene.pov +Oscene.png +W160 +H120 -D +FN >render.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << testing::ReadAll(folder.Path() / "render.log");
  CPixelImage picture;
  ASSERT_TRUE(LoadPng((folder.Path() / "scene.png").string(), picture, nullptr, 0));
  ASSERT_GE(picture.BitCount(), 24);
  const auto at = [&](int x, int y) { return picture.Row(y) + x * (picture.BitCount() / 8); };
  // Pixels are stored blue, green, red. The first square fills the middle,
  // red on the left, blue on the right; the plain one, grey, shows at the edge.
  const uint8_t* left = at(40, 60);
  const uint8_t* right = at(120, 60);
  const uint8_t* plain = at(150, 60);
  EXPECT_GT(left[2], 2 * left[0] + 20);
  EXPECT_GT(right[0], 2 * right[2] + 20);
  EXPECT_LT(std::abs(plain[0] - plain[2]), 10);
  EXPECT_GT(plain[1], 60);
}

}  // namespace
}  // namespace brimvale
