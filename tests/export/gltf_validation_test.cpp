// Every example and every corpus model exported by brimvale-cli to .glb (and
// the textured example to .gltf) passes the Khronos glTF validator with no
// error or warning and holds the derived triangles of its visible objects.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <nlohmann/json.hpp>

#include "../cli/cli_runner.h"
#include "export_test_support.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Models() {
  std::vector<fs::path> models;
  const fs::path examples = fs::path(BRIMVALE_SOURCE_DIR) / "examples";
  const fs::path corpus = fs::path(BRIMVALE_SOURCE_DIR) / ".." / "shared" / "corpus" / "mqo";
  for (const fs::path& folder : {examples, corpus}) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) continue;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
      const std::string extension = it->path().extension().string();
      if (extension == ".mqo" || extension == ".mqoz" || extension == ".MQO") models.push_back(it->path());
    }
  }
  std::sort(models.begin(), models.end());
  return models;
}

// Triangles of the visible objects' derived meshes, as brimvale-cli info counts them.
uint64_t DerivedTriangles(const fs::path& model) {
  const auto info = test::RunCli({"info", "--json", "--derived", model.string()});
  const auto json = nlohmann::json::parse(info.out.substr(0, info.out.find('\n')));
  uint64_t triangles = 0;
  for (const auto& object : json["objects"]) {
    if (!object.value("visible", true)) continue;
    const auto& derived = object.contains("derived") ? object["derived"] : object;
    triangles += derived["triangles"].get<uint64_t>() + 2 * derived["quads"].get<uint64_t>();
  }
  return triangles;
}

TEST(GltfValidation, ExamplesAndCorpusPassTheValidator) {
  if (std::system("command -v node >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  const std::string script = BRIMVALE_SOURCE_DIR "/scripts/gltf_validate.js";
  if (!fs::exists(fs::path(BRIMVALE_SOURCE_DIR) / ".tools" / "gltf-validator" / "node_modules" / "gltf-validator"))
    GTEST_SKIP() << "gltf-validator is not installed (run scripts/setup.sh)";

  testing::ScratchFolder folder;
  std::map<std::string, uint64_t> expected;
  std::string command = "node " + test::ShellQuote(script);
  const auto models = Models();
  ASSERT_FALSE(models.empty());
  for (size_t i = 0; i < models.size(); ++i) {
    const std::string output = (folder.Path() / ("model" + std::to_string(i) + ".glb")).string();
    const auto exported = test::RunCli({"export", models[i].string(), "-o", output});
    ASSERT_EQ(exported.status, 0) << models[i] << "\n" << exported.err;
    expected[output] = DerivedTriangles(models[i]);
    command += " " + test::ShellQuote(output);
  }
  const std::string gltf = (folder.Path() / "textured.gltf").string();
  ASSERT_EQ(test::RunCli({"export", BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo", "-o", gltf}).status, 0);
  expected[gltf] = DerivedTriangles(BRIMVALE_SOURCE_DIR "/examples/textured_cubes.mqo");
  command += " " + test::ShellQuote(gltf);

  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string lines;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) lines.append(buffer, got);
  ::pclose(pipe);
  size_t reports = 0;
  for (size_t at = 0; at < lines.size();) {
    const size_t end = lines.find('\n', at);
    const auto report = nlohmann::json::parse(lines.substr(at, end - at));
    at = end == std::string::npos ? lines.size() : end + 1;
    const std::string file = report["file"];
    EXPECT_EQ(report["errors"], 0) << file << ": " << report["messages"].dump();
    EXPECT_EQ(report["warnings"], 0) << file;
    EXPECT_EQ(report["triangles"], expected[file]) << file;
    ++reports;
  }
  EXPECT_EQ(reports, expected.size());
}

}  // namespace
}  // namespace brimvale
