// The glTF writer read back: primitives and indices per material, bounds,
// winding and normals in the file's coordinates, textures, the .gltf layout
// and failures that change nothing.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>

#include "export/gltf_exporter.h"
#include "gltf_test_support.h"

namespace brimvale {
namespace {

using testing::AddFace;
using testing::ReadGlb;

// A unit cube in document coordinates (z stored negated), every face wound so
// that the program's face normal points outward.
// Without its x = 0 side when open (a half for mirroring).
CMeshObject* AddCube(CQuorixDoc& doc, const std::string& name, bool open = false) {
  CMeshObject* cube = testing::AddObject(doc, name, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                                     {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}});
  for (const auto& quad : {std::initializer_list<int>{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2},
                           {0, 4, 7, 3}, {1, 2, 6, 5}})
    if (!open || *quad.begin() != 0 || quad.begin()[1] != 4) AddFace(*cube, quad);
  return cube;
}

testing::Glb Export(CQuorixDoc& doc, const std::string& path = "scene.glb", CGltfExportOptions options = {}) {
  CGltfExporter exporter(doc, options);
  EXPECT_TRUE(exporter.Export(path)) << exporter.Error();
  return ReadGlb(path);
}

// Each triangle's counter-clockwise normal, in file coordinates, must point
// away from centre.
void ExpectFacesOutward(const testing::Glb& glb, int mesh, const double centre[3]) {
  for (const auto& primitive : glb.json["meshes"][static_cast<size_t>(mesh)]["primitives"]) {
    const int positions = primitive["attributes"]["POSITION"];
    const int indices = primitive["indices"];
    const size_t count = glb.json["accessors"][static_cast<size_t>(indices)]["count"];
    for (size_t t = 0; t < count; t += 3) {
      std::vector<double> p[3];
      for (size_t k = 0; k < 3; ++k)
        p[k] = glb.Element(positions, static_cast<size_t>(glb.Element(indices, t + k)[0]));
      const double a[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
      const double b[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
      const double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
      double outward = 0;
      for (int k = 0; k < 3; ++k) outward += n[k] * ((p[0][k] + p[1][k] + p[2][k]) / 3 - centre[k]);
      EXPECT_GT(outward, 0.0) << "triangle " << t / 3 << " faces inward";
      // Lit from the side it faces: each corner's normal points away from the centre too.
      if (!primitive["attributes"].contains("NORMAL")) continue;
      const int normals = primitive["attributes"]["NORMAL"];
      for (size_t k = 0; k < 3; ++k) {
        const auto normal = glb.Element(normals, static_cast<size_t>(glb.Element(indices, t + k)[0]));
        double along = 0;
        for (size_t i = 0; i < 3; ++i) along += normal[i] * (p[k][i] - centre[i]);
        EXPECT_GT(along, 0.0) << "triangle " << t / 3 << " corner " << k << " has an inward normal";
      }
    }
  }
}

TEST(GltfExport, PrimitivesPerMaterialWithBoundsAndCamera) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  CMaterial* redMaterial = testing::AddMaterial(doc, "red", PackColor(255, 0, 0));
  redMaterial->m_fAlpha = 0.5f;
  redMaterial->m_fDiffuse = 0.5f;
  testing::AddMaterial(doc, "grey", PackColor(128, 128, 128))->m_fPower = 100.0f;
  CMeshObject* object = testing::AddObject(doc, "panel", {{0, 0, 2}, {1, 0, 2}, {1, 1, 2}, {0, 1, 2}, {2, 0, 3}, {2, 1, 3}});
  AddFace(*object, {0, 1, 2, 3}, 0);
  AddFace(*object, {1, 4, 5, 2}, 1);
  AddFace(*object, {0, 1, 4}, -1);
  testing::AddObject(doc, "hidden", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*doc.m_Objects.back(), {0, 1, 2});
  doc.m_Objects.back()->m_bVisible = 0;
  doc.m_Scene.m_vPosition = CVector3(0, 0, -300);
  doc.m_Scene.m_vLookAt = CVector3(0, 0, 0);

  const auto glb = Export(doc);
  const auto& json = glb.json;
  ASSERT_EQ(json["meshes"].size(), 1u);  // the hidden object is left out
  const auto& primitives = json["meshes"][0]["primitives"];
  ASSERT_EQ(primitives.size(), 3u);
  EXPECT_EQ(primitives[0]["material"], 0);
  EXPECT_EQ(primitives[1]["material"], 1);
  EXPECT_EQ(primitives[2]["material"], 2);
  EXPECT_EQ(json["materials"][2]["name"], "default");
  for (size_t p = 0; p < 3; ++p) {
    const auto& indices = json["accessors"][primitives[p]["indices"].get<size_t>()];
    EXPECT_EQ(indices["componentType"], 5123);
    EXPECT_EQ(indices["count"], p < 2 ? 6 : 3);
  }
  const auto& position = json["accessors"][primitives[0]["attributes"]["POSITION"].get<size_t>()];
  EXPECT_EQ(position["min"], nlohmann::json({0.0, 0.0, -3.0}));  // z negated back to the file's
  EXPECT_EQ(position["max"], nlohmann::json({2.0, 1.0, -2.0}));

  const auto& red = json["materials"][0];
  EXPECT_EQ(red["alphaMode"], "BLEND");
  // Colour (linear) x diffuse.
  EXPECT_EQ(red["pbrMetallicRoughness"]["baseColorFactor"], nlohmann::json({0.5, 0.0, 0.0, 0.5}));
  EXPECT_EQ(json["materials"][1]["alphaMode"], "OPAQUE");
  EXPECT_NEAR(json["materials"][1]["pbrMetallicRoughness"]["baseColorFactor"][0].get<double>(), 0.2158605 * 0.6, 1e-6);
  EXPECT_LT(json["materials"][1]["pbrMetallicRoughness"]["roughnessFactor"].get<double>(),
            red["pbrMetallicRoughness"]["roughnessFactor"].get<double>());

  // Camera at file z = 300 looking at the origin: glTF's own orientation.
  const auto& camera = json["nodes"].back();
  EXPECT_EQ(camera["translation"], nlohmann::json({0.0, 0.0, 300.0}));
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(camera["rotation"][static_cast<size_t>(k)].get<double>(), k == 3 ? 1 : 0, 1e-9);
  EXPECT_EQ(json["scenes"][0]["nodes"].size(), 2u);
}

TEST(GltfExport, MirroredHalfComesOutWholeAndFacingOutward) {
  testing::ScratchFolder folder;
  for (int joined : {1, 2}) {
    CQuorixDoc doc;
    CMeshObject* cube = AddCube(doc, "half", true);
    cube->m_nMirrorType = joined;
    cube->m_bMirrorX = 1;
    const auto glb = Export(doc);
    const auto& position = glb.json["accessors"][glb.json["meshes"][0]["primitives"][0]["attributes"]["POSITION"]
                                                     .get<size_t>()];
    EXPECT_EQ(position["min"][0], -1.0);
    EXPECT_EQ(position["max"][0], 1.0);
    const double centre[3] = {0.0, 0.5, -0.5};
    ExpectFacesOutward(glb, 0, centre);
  }
}

TEST(GltfExport, SmoothCubeSharesCornersAndFlatCubeSplitsThem) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  AddCube(doc, "smooth")->m_fFacetAngle = 180.0f;
  AddCube(doc, "flat")->m_bSmoothShading = 0;
  const auto glb = Export(doc);
  const auto& meshes = glb.json["meshes"];
  const int smoothNormals = meshes[0]["primitives"][0]["attributes"]["NORMAL"];
  const int flatNormals = meshes[1]["primitives"][0]["attributes"]["NORMAL"];
  ASSERT_EQ(glb.json["accessors"][static_cast<size_t>(smoothNormals)]["count"], 8);
  ASSERT_EQ(glb.json["accessors"][static_cast<size_t>(flatNormals)]["count"], 24);
  const double diagonal = 1.0 / std::sqrt(3.0);
  for (size_t i = 0; i < 8; ++i)
    for (double value : glb.Element(smoothNormals, i)) EXPECT_NEAR(std::fabs(value), diagonal, 1e-6);
  for (size_t i = 0; i < 24; ++i) {
    const auto n = glb.Element(flatNormals, i);
    EXPECT_NEAR(std::fabs(n[0]) + std::fabs(n[1]) + std::fabs(n[2]), 1.0, 1e-6);  // along one axis
  }
  const double centre[3] = {0.5, 0.5, -0.5};
  ExpectFacesOutward(glb, 0, centre);
  ExpectFacesOutward(glb, 1, centre);
}

TEST(GltfExport, TextureIsEmbeddedAsPngWithTheFileUvs) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  doc.m_strPathName = BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo";
  testing::AddMaterial(doc, "skin", PackColor(255, 255, 255))->m_strTexture = "texture_png.png";
  doc.Material(0)->m_strBump = "texture_bmp.bmp";
  CMeshObject* object = testing::AddObject(doc, "\x83\x65\x83\x58\x83\x67", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddFace(*object, {0, 1, 2}, 0);
  testing::UVsOf(*object, FaceList::Triangles, 0)[0] = {0.25f, 0.75f};  // stored as v, u
  CGltfExporter exporter(doc, {});
  ASSERT_TRUE(exporter.Export("scene.glb")) << exporter.Error();
  ASSERT_EQ(exporter.Warnings().size(), 1u) << exporter.Warnings()[0];
  EXPECT_NE(exporter.Warnings()[0].find("bump map texture_bmp.bmp is not exported"), std::string::npos);
  const auto glb = ReadGlb("scene.glb");
  EXPECT_EQ(glb.json["nodes"][0]["name"], "\u30c6\u30b9\u30c8");  // decoded from Shift-JIS
  EXPECT_EQ(glb.json["materials"][0]["pbrMetallicRoughness"]["baseColorTexture"]["index"], 0);
  const auto& image = glb.json["images"][0];
  EXPECT_EQ(image["mimeType"], "image/png");
  const auto& view = glb.json["bufferViews"][image["bufferView"].get<size_t>()];
  EXPECT_EQ(glb.bin.substr(view["byteOffset"].get<size_t>(), 8), "\x89PNG\r\n\x1a\n");
  // Corner 0 is the last one written (the winding is reversed).
  const int uvs = glb.json["meshes"][0]["primitives"][0]["attributes"]["TEXCOORD_0"];
  const int indices = glb.json["meshes"][0]["primitives"][0]["indices"];
  const auto corner0 = glb.Element(uvs, static_cast<size_t>(glb.Element(indices, 2)[0]));
  EXPECT_EQ(corner0, (std::vector<double>{0.75, 0.25}));
}

TEST(GltfExport, GltfFileNamesItsBinAndTexturesBeside) {
  testing::ScratchFolder folder;
  CQuorixDoc doc;
  doc.m_strPathName = BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo";
  testing::AddMaterial(doc, "skin", PackColor(255, 255, 255))->m_strTexture = "texture_png.png";
  AddCube(doc, "cube");
  for (CMeshFace& face : doc.m_Objects[0]->m_Faces.Quads()) face.m_nMaterial = 0;
  CGltfExporter exporter(doc, {});
  ASSERT_TRUE(exporter.Export("my scene.gltf")) << exporter.Error();
  // The PNG goes beside as it is, named after its source.
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"my scene.gltf", "my scene.bin", "my scene_texture_png.png"}));
  EXPECT_EQ(testing::ReadAll("my scene_texture_png.png"),
            testing::ReadAll(BRIMVALE_SOURCE_DIR "/examples/texture_png.png"));
  const auto json = nlohmann::json::parse(testing::ReadAll("my scene.gltf"));
  EXPECT_EQ(json["buffers"][0]["uri"], "my%20scene.bin");
  EXPECT_EQ(json["buffers"][0]["byteLength"], std::filesystem::file_size("my scene.bin"));
  EXPECT_EQ(json["images"][0]["uri"], "my%20scene_texture_png.png");
  EXPECT_EQ(json["images"][0]["name"], "texture_png");
}

TEST(GltfExport, FailureLeavesNothingAndReplacesNothing) {
  testing::ScratchFolder folder;
  testing::WriteAll("scene.glb", "old");
  CQuorixDoc doc;
  CMeshObject* grid = AddCube(doc, "grid");
  grid->m_bSmoothShading = 0;
  for (int i = 0; i < 20000; ++i) AddFace(*grid, {0, 1, 2, 3});
  {
    CGltfExporter exporter(doc, {});
    EXPECT_FALSE(exporter.Export("no/such/folder/scene.gltf"));
    EXPECT_EQ(exporter.Error(), "cannot write no/such/folder/scene.bin: No such file or directory");
  }
  // A full disk: a file-size limit in a child process stops the binary part-way.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    CGltfExporter exporter(doc, {});
    const bool ok = exporter.Export("scene.glb");
    ::_exit(ok ? 1 : exporter.Error() == "cannot write scene.glb: File too large" ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: wrong message";
  EXPECT_EQ(testing::ReadAll("scene.glb"), "old");
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"scene.glb"});  // no temporary left
}

}  // namespace
}  // namespace brimvale
