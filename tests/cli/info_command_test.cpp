// brimvale-cli info as a user runs it: text and JSON output for the bundled
// examples, exit statuses, and every model of the shared corpus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_runner.h"
#include "corpus_models.h"

namespace brimvale {
namespace {

using nlohmann::json;
using test::CorpusListing;
using test::ListCorpus;
using test::RunCli;

const std::string kExamples = BRIMVALE_SOURCE_DIR "/examples/";

json InfoJson(const std::string& file) {
  const auto result = RunCli({"info", "--json", file});
  EXPECT_EQ(result.status, 0) << result.err;
  return json::parse(result.out);
}

TEST(CliInfo, HelpAndUsageErrors) {
  const auto help = RunCli({"info", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--json"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
  EXPECT_EQ(RunCli({"info"}).status, 64);
  EXPECT_EQ(RunCli({"info", "--bogus", kExamples + "patch_cage.mqo"}).status, 64);
  EXPECT_NE(RunCli({"--help"}).out.find("info"), std::string::npos);
}

TEST(CliInfo, TextShowsObjectsMaterialsAndScene) {
  const auto result = RunCli({"info", kExamples + "half_body_joined.mqo"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("object 0 \"body\": vertices 24  lines 0  triangles 0  quads 16  edges 36"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("mirror 2  mirror_axes X  mirror_distance 1.0"), std::string::npos);
  EXPECT_NE(result.out.find("material 1 \"skin\": color #FFCC9E"), std::string::npos);
  EXPECT_NE(result.out.find("scene: position"), std::string::npos);
  EXPECT_NE(result.out.find("dropped faces: 0"), std::string::npos);
}

TEST(CliInfo, JsonDescribesEachExample) {
  const json cubes = InfoJson(kExamples + "textured_cubes.mqo");
  ASSERT_EQ(cubes["materials"].size(), 5u);
  EXPECT_EQ(cubes["materials"][2]["name"], "tex_jpg");
  EXPECT_EQ(cubes["materials"][2]["texture"], "texture_jpg.jpg");
  EXPECT_EQ(cubes["materials"][4]["alpha_map"], "texture_alpha.png");
  EXPECT_EQ(cubes["materials"][4]["bump"], "texture_bmp.bmp");
  EXPECT_EQ(cubes["materials"][0]["color"], "#FFFFFF");
  EXPECT_EQ(cubes["materials"][0]["alpha"], 1.0);
  EXPECT_EQ(cubes["objects"].size(), 5u);
  EXPECT_EQ(cubes["dropped_faces"], 0);
  EXPECT_EQ(cubes["scene"]["angle"], 40.0);
  EXPECT_EQ(cubes["scene"]["perspective"], true);
  EXPECT_EQ(cubes["scene"]["lookat"], json::array({0.0, 0.0, 0.0}));

  const json vase = InfoJson(kExamples + "lathe_vase.mqo");
  EXPECT_EQ(vase["objects"][0]["lathe"], true);
  EXPECT_EQ(vase["objects"][0]["lathe_segments"], 16);
  EXPECT_EQ(vase["objects"][0]["lines"], 5);

  const json separate = InfoJson(kExamples + "half_body_separate.mqo");
  EXPECT_EQ(separate["objects"][0]["mirror"], 1);

  const json cage = InfoJson(kExamples + "zipped_cage.mqoz");
  EXPECT_EQ(cage["title"], "zipped_cage.mqoz");
  EXPECT_EQ(cage["objects"][0]["patch"], 3);
  EXPECT_EQ(cage["objects"][0]["segments"], 4);
  EXPECT_EQ(cage["objects"][0]["quads"], 6);

  const json ngons = InfoJson(kExamples + "ngon_polygons.mqo");
  EXPECT_EQ(ngons["utf8"], true);
  EXPECT_EQ(ngons["objects"][0]["triangles"], 8);
  EXPECT_EQ(ngons["objects"][1]["triangles"], 4);

  const json light = InfoJson(kExamples + "light_scene.mqo");
  EXPECT_EQ(light["objects"][1]["name"], "Light_1");
  const json panel = InfoJson(kExamples + "bvertex_panel.mqo");
  EXPECT_EQ(panel["objects"][0]["vertices"], 5);
}

TEST(CliInfo, ColoursAndNestingPerObject) {
  const auto path = std::filesystem::temp_directory_path() / "brimvale_info_colours.mqo";
  std::ofstream(path, std::ios::binary)
      << "Metasequoia Document\r\nMaterial 1 {\r\n\"m\" vcol(1)\r\n}\r\n"
         "Object \"plain\" {\r\nvertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\nface 1 {\r\n3 V(0 1 2)\r\n}\r\n}\r\n"
         "Object \"painted\" {\r\ndepth 1\r\nvertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\nface 2 {\r\n"
         "3 V(0 1 2) COL(1 2 3)\r\n3 V(0 2 1) COL(1)\r\n}\r\n}\r\nEof\r\n";
  const json info = InfoJson(path.string());
  EXPECT_EQ(info["objects"][0]["colours"], false);
  EXPECT_EQ(info["objects"][1]["colours"], true);
  EXPECT_EQ(info["objects"][1]["depth"], 1);
  EXPECT_EQ(info["materials"][0]["vertex_colours"], true);
  EXPECT_EQ(info["skipped_face_colours"], 1);
  const auto text = RunCli({"info", path.string()});
  EXPECT_NE(text.out.find("depth 1  colours true"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("without their colours (COL too short): 1"), std::string::npos) << text.out;
  std::filesystem::remove(path);
}

TEST(CliInfo, NamesAreShownDecoded) {
  const auto path = std::filesystem::temp_directory_path() / "brimvale_sjis_names.mqo";
  // "腕" in Shift-JIS, and the same name in a file that says it is UTF-8.
  std::ofstream(path, std::ios::binary) << "Metasequoia Document\r\nObject \"\x98\x72\" {\r\n}\r\nEof\r\n";
  EXPECT_EQ(InfoJson(path.string())["objects"][0]["name"], "\xE8\x85\x95");
  std::ofstream(path, std::ios::binary)
      << "Metasequoia Document\r\nCodePage utf8\r\nObject \"\xE8\x85\x95\" {\r\n}\r\nEof\r\n";
  EXPECT_EQ(InfoJson(path.string())["objects"][0]["name"], "\xE8\x85\x95");
  std::filesystem::remove(path);
}

TEST(CliInfo, ExitStatusNamesTheWorstFileAndEveryFileIsTried) {
  const auto other = std::filesystem::temp_directory_path() / "brimvale_not_a_model.txt";
  std::ofstream(other, std::ios::binary) << "hello\n";
  const auto notMqo = RunCli({"info", other.string(), kExamples + "patch_cage.mqo"});
  EXPECT_EQ(notMqo.status, 1);
  EXPECT_EQ(notMqo.err, "brimvale-cli info: " + other.string() + ": not a Metasequoia file\n");
  EXPECT_NE(notMqo.out.find("patch_cage.mqo"), std::string::npos);

  const auto missing =
      RunCli({"info", "--json", "/nonexistent/model.mqo", other.string(), kExamples + "patch_cage.mqo"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot open /nonexistent/model.mqo: No such file or directory"),
            std::string::npos);
  EXPECT_EQ(json::parse(missing.out)["objects"].size(), 2u);
  std::filesystem::remove(other);
}

// What the file declares per object: vertices, and faces by corner count with
// polygons of n corners counted as n - 2 triangles.
struct Declared {
  int vertices = 0, lines = 0, triangles = 0, quads = 0;
};

std::vector<Declared> DeclaredCounts(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Declared> objects;
  std::string line;
  int facesLeft = 0;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (facesLeft > 0) {
      const int corners = std::atoi(first.c_str());
      Declared& d = objects.back();
      if (corners == 2) ++d.lines;
      if (corners == 3) ++d.triangles;
      if (corners == 4) ++d.quads;
      if (corners > 4) d.triangles += corners - 2;
      --facesLeft;
    } else if (first == "Object") {
      objects.emplace_back();
    } else if ((first == "vertex" || first == "BVertex") && !objects.empty()) {
      words >> objects.back().vertices;
    } else if (first == "face" && !objects.empty()) {
      words >> facesLeft;
    }
  }
  return objects;
}

TEST(CliInfo, EveryCorpusModelReadsWithTheCountsItDeclares) {
  const CorpusListing corpus = ListCorpus();
  if (!corpus.present) GTEST_SKIP() << "no corpus at " << corpus.root;
  ASSERT_EQ(corpus.error, "");
  int models = 0;
  for (const std::filesystem::path& model : corpus.models) {
    const std::string ext = model.extension().string();
    ++models;
    const std::string file = model.string();
    const auto result = RunCli({"info", "--json", file});
    ASSERT_EQ(result.status, 0) << file << ": " << result.err;
    const json doc = json::parse(result.out);
    if (ext == ".mqoz") continue;  // the counts are checked on the plain files
    const auto declared = DeclaredCounts(file);
    ASSERT_EQ(doc["objects"].size(), declared.size()) << file;
    for (size_t i = 0; i < declared.size(); ++i) {
      const json& o = doc["objects"][i];
      EXPECT_EQ(o["vertices"], declared[i].vertices) << file << " object " << i;
      EXPECT_EQ(o["lines"], declared[i].lines) << file << " object " << i;
      EXPECT_EQ(o["triangles"], declared[i].triangles) << file << " object " << i;
      EXPECT_EQ(o["quads"], declared[i].quads) << file << " object " << i;
    }
    EXPECT_EQ(doc["dropped_faces"], 0) << file;
    EXPECT_EQ(doc["ends_early"], false) << file;
  }
  EXPECT_GT(models, 0);
}

}  // namespace
}  // namespace brimvale

namespace brimvale {
namespace {

TEST(CliThreads, EveryThreadCountDerivesTheSameAndBadCountsAreUsageErrors) {
  const std::string model = BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo";
  const auto one = test::RunCli({"info", "--derived", "--threads", "1", model});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_NE(one.out.find("derived"), std::string::npos);
  for (const char* threads : {"--threads=2", "--threads=7"}) {
    const auto many = test::RunCli({"info", "--derived", threads, model});
    EXPECT_EQ(many.status, 0) << many.err;
    EXPECT_EQ(many.out, one.out) << threads;
  }
  for (const char* bad : {"0", "-3", "two", "1025"}) {
    const auto result = test::RunCli({"info", "--threads", bad, model});
    EXPECT_EQ(result.status, 64) << bad;
    EXPECT_NE(result.err.find("--threads"), std::string::npos);
  }
  EXPECT_EQ(test::RunCli({"time", model, "--threads"}).status, 64);
  EXPECT_NE(test::RunCli({"--help"}).out.find("--threads N"), std::string::npos);
}

}  // namespace
}  // namespace brimvale
