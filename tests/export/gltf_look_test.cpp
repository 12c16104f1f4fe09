// The glTF export's materials and nodes as a Blender user sees them: emission
// with its texture, colour x diffuse, one image per picture shared between
// materials, unused materials left out, objects nested by their depth, and
// lathed ends lit on the side they face.
#include <gtest/gtest.h>

#include "document/mqo_reader.h"
#include "export/gltf_exporter.h"
#include "gltf_test_support.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::AddMaterial;
using testing::AddObject;
using testing::ReadGlb;

testing::Glb Export(CQuorixDoc& doc, bool unused = false) {
  CGltfExportOptions options;
  options.includeUnusedMaterials = unused;
  CGltfExporter exporter(doc, options);
  EXPECT_TRUE(exporter.Export("look.glb")) << exporter.Error();
  return ReadGlb("look.glb");
}

TEST(GltfLook, EmissionSharedImagesAndUsedMaterialsOnly) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  doc.m_strPathName = BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo";
  CMaterial* lit = AddMaterial(doc, "lit", PackColor(255, 128, 0));
  lit->m_strTexture = "texture_png.png";
  lit->m_fEmission = 0.5f;
  AddMaterial(doc, "unused", PackColor(255, 255, 255))->m_strTexture = "texture_jpg.jpg";
  CMaterial* glow = AddMaterial(doc, "glow", PackColor(0, 255, 0));
  glow->m_fDiffuse = 0.0f;
  glow->m_fEmission = 1.0f;
  AddMaterial(doc, "twin", PackColor(255, 255, 255))->m_strTexture = "texture_png.png";
  CMeshObject* object = AddObject(doc, "strip", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 1, 0}});
  AddFace(*object, {0, 1, 2}, 0);
  AddFace(*object, {1, 3, 2}, 2);
  AddFace(*object, {3, 4, 2}, 3);

  const auto glb = Export(doc);
  const auto& json = glb.json;
  ASSERT_EQ(json["materials"].size(), 3u);
  const auto& primitives = json["meshes"][0]["primitives"];
  std::vector<std::string> drawn;
  for (const auto& primitive : primitives)
    drawn.push_back(json["materials"][primitive["material"].get<size_t>()]["name"]);
  EXPECT_EQ(drawn, (std::vector<std::string>{"lit", "glow", "twin"}));

  // One picture, one image, one texture, one sampler, shared by both materials.
  ASSERT_EQ(json["images"].size(), 1u);
  EXPECT_EQ(json["images"][0]["name"], "texture_png");
  ASSERT_EQ(json["textures"].size(), 1u);
  EXPECT_EQ(json["samplers"].size(), 1u);
  const auto& litJson = json["materials"][0];
  const auto& twinJson = json["materials"][2];
  EXPECT_EQ(litJson["pbrMetallicRoughness"]["baseColorTexture"]["index"], 0);
  EXPECT_EQ(twinJson["pbrMetallicRoughness"]["baseColorTexture"]["index"], 0);
  EXPECT_FALSE(twinJson.contains("emissiveFactor"));

  // Emission lights the texture; its factor is colour x emission, linear.
  EXPECT_EQ(litJson["emissiveTexture"]["index"], 0);
  EXPECT_NEAR(litJson["emissiveFactor"][0].get<double>(), 0.5, 1e-6);
  EXPECT_NEAR(litJson["emissiveFactor"][1].get<double>(), 0.2158605 * 0.5, 1e-6);
  EXPECT_EQ(litJson["emissiveFactor"][2], 0.0);
  const auto& glowJson = json["materials"][1];
  EXPECT_FALSE(glowJson.contains("emissiveTexture"));
  EXPECT_EQ(glowJson["emissiveFactor"], nlohmann::json({0.0, 1.0, 0.0}));
  EXPECT_EQ(glowJson["pbrMetallicRoughness"]["baseColorFactor"], nlohmann::json({0.0, 0.0, 0.0, 1.0}));

  // Asked for, every material is written in document order.
  const auto all = Export(doc, true);
  ASSERT_EQ(all.json["materials"].size(), 4u);
  EXPECT_EQ(all.json["materials"][1]["name"], "unused");
  EXPECT_EQ(all.json["images"].size(), 2u);
  EXPECT_EQ(all.json["meshes"][0]["primitives"][1]["material"], 2);
}

TEST(GltfLook, NodesNestByDepthAndFacelessLeavesGo) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  const auto add = [&doc](const std::string& name, int depth, bool faces) {
    CMeshObject* object = AddObject(doc, name, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    object->m_nDepth = depth;
    if (faces) AddFace(*object, {0, 1, 2});
  };
  add("body", 0, false);
  add("arm", 1, true);
  add("hand", 2, true);
  add("belt", 1, false);  // holds nothing: left out
  add("ground", 0, true);
  add("hidden", 0, false);
  add("tail", 1, true);
  doc.m_Objects[5]->m_bVisible = 0;  // its visible child moves up to the top

  const auto glb = Export(doc);
  const auto& nodes = glb.json["nodes"];
  std::map<std::string, nlohmann::json> byName;
  for (const auto& node : nodes) byName[node["name"]] = node;
  EXPECT_EQ(byName.count("belt"), 0u);
  EXPECT_EQ(byName.count("hidden"), 0u);
  ASSERT_EQ(byName.count("body"), 1u);
  EXPECT_FALSE(byName["body"].contains("mesh"));
  const auto name = [&nodes](const nlohmann::json& index) { return nodes[index.get<size_t>()]["name"]; };
  ASSERT_EQ(byName["body"]["children"].size(), 1u);
  EXPECT_EQ(name(byName["body"]["children"][0]), "arm");
  ASSERT_EQ(byName["arm"]["children"].size(), 1u);
  EXPECT_EQ(name(byName["arm"]["children"][0]), "hand");
  EXPECT_FALSE(byName["hand"].contains("children"));
  std::vector<std::string> roots;
  for (const auto& root : glb.json["scenes"][0]["nodes"]) roots.push_back(name(root));
  EXPECT_EQ(roots, (std::vector<std::string>{"body", "ground", "tail", "Camera"}));
}

TEST(GltfLook, LathedBottomNormalsPointDown) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  ASSERT_TRUE(ReadMqoFile(doc, BRIMVALE_SOURCE_DIR "/examples/lathe_vase.mqo"));
  const auto glb = Export(doc);
  const auto& attributes = glb.json["meshes"][0]["primitives"][0]["attributes"];
  const int positions = attributes["POSITION"];
  const int normals = attributes["NORMAL"];
  const size_t count = glb.json["accessors"][static_cast<size_t>(positions)]["count"];
  int onAxis = 0;
  for (size_t v = 0; v < count; ++v) {
    const auto p = glb.Element(positions, v);
    if (p[1] != 0.0 || p[0] * p[0] + p[2] * p[2] > 1e-6) continue;  // the bottom's centre
    ++onAxis;
    EXPECT_LT(glb.Element(normals, v)[1], -0.99) << v;
  }
  EXPECT_GT(onAxis, 0);
}

}  // namespace
}  // namespace brimvale
