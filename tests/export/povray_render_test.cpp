// The exported scenes rendered by the real POV-Ray: every bundled example and
// every model of the shared corpus (when present) parses and renders, and the
// model shows in the picture; hand-made scenes check that nothing is mirrored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "corpus_models.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "export/pov_exporter.h"
#include "export_test_support.h"
#include "image/codec_bridge.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 160;
constexpr int kHeight = 120;

std::string Quote(const std::string& text) { return "'" + text + "'"; }

bool HavePovray() { return std::system("command -v povray >/dev/null 2>&1") == 0; }

// Runs a shell command with its output in logPath; returns its exit status.
int RunLogged(const std::string& command, const fs::path& logPath) {
  const int status = std::system((command + " >" + Quote(logPath.string()) + " 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first
  const uint8_t* At(int x, int y) const { return &rgb[static_cast<size_t>((y * width + x) * 3)]; }
};

bool ReadPicture(const fs::path& path, Picture& picture) {
  CPixelImage image;
  if (!LoadPng(path.string(), image, nullptr, 0) || image.BitCount() < 24) return false;
  picture.width = image.Width();
  picture.height = image.Height();
  const int step = image.BitCount() / 8;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = image.Row(y) + x * step;
      picture.rgb.insert(picture.rgb.end(), {p[2], p[1], p[0]});
    }
  }
  return true;
}

bool IsBackground(const uint8_t* rgb) {
  return std::abs(rgb[0] - 150) <= 2 && std::abs(rgb[1] - 150) <= 2 && std::abs(rgb[2] - 150) <= 2;
}

double ModelShare(const Picture& picture) {
  int model = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) model += IsBackground(picture.At(x, y)) ? 0 : 1;
  return static_cast<double>(model) / (picture.width * picture.height);
}

std::vector<fs::path> ModelsIn(const fs::path& folder) {
  std::vector<fs::path> models;
  std::error_code error;
  if (!fs::is_directory(folder, error)) return models;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".mqo" || extension == ".mqoz")) models.push_back(entry.path());
  }
  std::sort(models.begin(), models.end());
  return models;
}

// A camera that frames what the export writes: the bounding box of the shown
// objects, widened across the mirror planes of mirrored ones.
struct Framing {
  bool hasFaces = false;
  CVector3 position{0, 0, 0}, lookAt{0, 0, 0};
};

Framing FrameModel(const fs::path& model) {
  CQuorixDoc doc;
  Framing framing;
  if (!ReadMqoFile(doc, model.string())) return framing;
  CVector3 low(1e30f, 1e30f, 1e30f), high(-1e30f, -1e30f, -1e30f);
  for (const auto& object : doc.m_Objects) {
    if (!object->m_bVisible || object->VertexCount() == 0) continue;
    if (object->TriangleCount() + object->QuadCount() == 0 && !(object->m_bLathe && object->LineCount() > 0)) continue;
    framing.hasFaces = true;
    for (const CVector3& p : object->m_Vertices.Positions()) {
      low = Min(low, p);
      high = Max(high, p);
      if (object->m_nMirrorType != 0) {
        const CVector3 mirrored(object->m_bMirrorX ? -p.x : p.x, object->m_bMirrorY ? -p.y : p.y,
                                object->m_bMirrorZ ? -p.z : p.z);
        low = Min(low, mirrored);
        high = Max(high, mirrored);
      }
    }
  }
  if (!framing.hasFaces) return framing;
  framing.lookAt = CVector3((low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2);
  const float radius = std::max(Subtract(high, low).Length() / 2, 1e-3f);
  framing.position = CVector3(framing.lookAt.x + 0.9f * radius, framing.lookAt.y + 0.9f * radius,
                              framing.lookAt.z - 2.6f * radius);
  return framing;
}

std::string VectorArgument(const CVector3& v) {
  return std::to_string(v.x) + "," + std::to_string(v.y) + "," + std::to_string(v.z);
}

// Exports the model with --target povray through the command line, renders it
// and checks the log and the picture.
void ExpectRendersWithModelVisible(const fs::path& model) {
  ASSERT_TRUE(HavePovray()) << "povray is not installed (scripts/setup.sh installs it)";
  testing::ScratchFolder folder;
  const Framing framing = FrameModel(model);
  const fs::path cli = fs::path(BRIMVALE_BINARY_DIR) / "bin" / "brimvale-cli";
  std::string command = Quote(cli.string()) + " export " + Quote(model.string()) +
                        " -o scene.pov --target povray --render scene.png --size " + std::to_string(kWidth) + "x" +
                        std::to_string(kHeight);
  if (framing.hasFaces) {
    command += " --camera-position " + VectorArgument(framing.position) + " --camera-lookat " +
               VectorArgument(framing.lookAt);
  }
  const fs::path log = folder.Path() / "render.log";
  const int status = RunLogged(command, log);
  // povray's own messages are in the log beside the picture.
  const std::string output = testing::ReadAll(log) + testing::ReadAll(folder.Path() / "scene.log");
  ASSERT_EQ(status, 0) << output;
  EXPECT_EQ(output.find("Parse Error"), std::string::npos) << output;
  EXPECT_EQ(output.find("Possible Parse Error"), std::string::npos) << output;
  Picture picture;
  ASSERT_TRUE(ReadPicture(folder.Path() / "scene.png", picture));
  ASSERT_EQ(picture.width, kWidth);
  if (framing.hasFaces) {
    EXPECT_GT(ModelShare(picture), 0.01) << model << " barely shows";
  }
}

class RenderModel : public ::testing::TestWithParam<fs::path> {};

TEST_P(RenderModel, RendersInPovray) {
  if (GetParam().empty()) {
    const test::CorpusListing corpus = test::ListCorpus();
    if (!corpus.present) GTEST_SKIP() << "no corpus at " << corpus.root;
    FAIL() << (corpus.error.empty() ? "no models in this folder" : corpus.error);
  }
  ExpectRendersWithModelVisible(GetParam());
}

std::vector<fs::path> OrEmptyMarker(std::vector<fs::path> models) {
  if (models.empty()) models.emplace_back();
  return models;
}

std::string ParamName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.empty() ? std::string("none") : info.param.stem().string();
  for (char& c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
  }
  return std::to_string(info.index) + "_" + name;
}

INSTANTIATE_TEST_SUITE_P(Examples, RenderModel,
                         ::testing::ValuesIn(OrEmptyMarker(ModelsIn(fs::path(BRIMVALE_SOURCE_DIR) / "examples"))),
                         ParamName);
INSTANTIATE_TEST_SUITE_P(Corpus, RenderModel,
                         ::testing::ValuesIn(OrEmptyMarker(test::ListCorpus().models)),
                         ParamName);

// Renders a hand-built document from the front (default lights, perspective
// camera on the -z side) and returns the picture.
Picture RenderDocument(CQuorixDoc& doc, const testing::ScratchFolder& folder) {
  Picture picture;
  CPovExporter exporter(doc);
  EXPECT_TRUE(exporter.Export((folder.Path() / "scene.pov").string())) << exporter.Error();
  const int status = RunLogged("cd " + Quote(folder.Path().string()) + " && povray +Iscene.pov +Oscene.png +W" +
                                   std::to_string(kWidth) + " +H" + std::to_string(kHeight) + " -D +FN",
                               folder.Path() / "render.log");
  EXPECT_EQ(status, 0) << testing::ReadAll(folder.Path() / "render.log");
  EXPECT_TRUE(ReadPicture(folder.Path() / "scene.png", picture));
  return picture;
}

// halves.png: a texture whose left half is red and right half blue.
bool WriteHalves(const testing::ScratchFolder& folder) {
  CPixelImage texture;
  if (!texture.Create(64, 64, 24)) return false;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = texture.PixelAddress(x, y);
      p[0] = x < 32 ? 0 : 255;  // blue
      p[1] = 0;
      p[2] = x < 32 ? 255 : 0;  // red
    }
  }
  return SavePng((folder.Path() / "halves.png").string(), texture, nullptr, 0);
}

TEST(PovrayRender, GeometryAndTextureAreNotMirrored) {
  ASSERT_TRUE(HavePovray());
  testing::ScratchFolder folder;
  ASSERT_TRUE(WriteHalves(folder));

  CQuorixDoc doc;
  doc.m_bMegaPov = 0;
  doc.m_strPathName = (folder.Path() / "model.mqo").string();
  doc.m_Scene.m_vPosition = CVector3(0, 0, -300);
  CMaterial* material = testing::AddMaterial(doc, "halves", PackColor(255, 255, 255));
  material->m_strTexture = "halves.png";
  material->m_fAmbient = 1.0f;
  // A textured square facing the camera, upper-left corner first, with the
  // file's texture coordinates (u right, v down).
  CMeshObject* square = testing::AddObject(doc, "square", {{-60, 60, 0}, {60, 60, 0}, {60, -60, 0}, {-60, -60, 0}});
  square->m_bSmoothShading = 0;
  testing::AddFace(*square, {0, 1, 2, 3}, 0);
  CVector2* uv = testing::UVsOf(*square, FaceList::Quads, 0);
  uv[0] = {0.0f, 0.0f};  // (v, u)
  uv[1] = {0.0f, 1.0f};
  uv[2] = {1.0f, 1.0f};
  uv[3] = {1.0f, 0.0f};
  // A small untextured marker above and right of the square (+x, +y).
  CMeshObject* marker = testing::AddObject(doc, "marker", {{70, 70, 0}, {100, 70, 0}, {100, 100, 0}});
  marker->m_bSmoothShading = 0;
  testing::AddFace(*marker, {0, 2, 1});

  const Picture picture = RenderDocument(doc, folder);
  ASSERT_EQ(picture.width, kWidth);
  const uint8_t* left = picture.At(kWidth / 2 - 10, kHeight / 2);
  const uint8_t* right = picture.At(kWidth / 2 + 10, kHeight / 2);
  EXPECT_GT(left[0], 2 * left[2]) << "the left of the square should be red";
  EXPECT_GT(right[2], 2 * right[0]) << "the right of the square should be blue";
  // Above the square only the marker shows, on the right.
  int upperRight = 0, upperLeft = 0;
  for (int y = 0; y < kHeight / 12; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!IsBackground(picture.At(x, y))) (x >= kWidth / 2 ? upperRight : upperLeft) += 1;
    }
  }
  EXPECT_GT(upperRight, 10);
  EXPECT_EQ(upperLeft, 0);
}

TEST(PovrayRender, MaterialLitOnlyByEmissionShowsItsTexture) {
  ASSERT_TRUE(HavePovray());
  testing::ScratchFolder folder;
  ASSERT_TRUE(WriteHalves(folder));
  // With `emission` (POV-Ray 3.7) and folded into `ambient` (3.5).
  for (const float version : {3.7f, 3.5f}) {
    CQuorixDoc doc;
    doc.m_bMegaPov = 0;
    doc.m_fPovVersion = version;
    doc.m_bDefaultLights = 0;  // no light at all: only the emission shows
    doc.m_strPathName = (folder.Path() / "model.mqo").string();
    doc.m_Scene.m_vPosition = CVector3(0, 0, -300);
    CMaterial* material = testing::AddMaterial(doc, "glow", PackColor(255, 255, 255));
    material->m_strTexture = "halves.png";
    material->m_fDiffuse = 0.0f;
    material->m_fAmbient = 0.0f;
    material->m_fEmission = 1.0f;
    CMeshObject* square = testing::AddObject(doc, "square", {{-60, 60, 0}, {60, 60, 0}, {60, -60, 0}, {-60, -60, 0}});
    testing::AddFace(*square, {0, 1, 2, 3}, 0);
    CVector2* uv = testing::UVsOf(*square, FaceList::Quads, 0);
    uv[1] = {0.0f, 1.0f};
    uv[2] = {1.0f, 1.0f};
    uv[3] = {1.0f, 0.0f};

    const Picture picture = RenderDocument(doc, folder);
    ASSERT_EQ(picture.width, kWidth);
    const std::string finish = testing::ReadAll(folder.Path() / "scene_mat.inc");
    EXPECT_NE(finish.find(version > 3.6f ? "\temission 1.0000\n" : "\tambient 1.0000\n"), std::string::npos) << finish;
    const uint8_t* left = picture.At(kWidth / 2 - 10, kHeight / 2);
    const uint8_t* right = picture.At(kWidth / 2 + 10, kHeight / 2);
    EXPECT_GT(left[0], 240) << version << ": the left should be lit red";
    EXPECT_LT(left[2], 20);
    EXPECT_GT(right[2], 240) << version << ": the right should be lit blue";
    // MegaPOV has no `emission`: its syntax folds it into `ambient` too.
    doc.m_bMegaPov = 1;
    CPovExporter megaPov(doc);
    ASSERT_TRUE(megaPov.Export((folder.Path() / "mega.pov").string())) << megaPov.Error();
    const std::string megaFinish = testing::ReadAll(folder.Path() / "mega_mat.inc");
    EXPECT_NE(megaFinish.find("\tambient 1.0000\n\tdiffuse 0.0000\n}"), std::string::npos) << megaFinish;
  }
}

}  // namespace
}  // namespace brimvale
