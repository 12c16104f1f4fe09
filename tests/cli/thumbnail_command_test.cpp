// brimvale-cli thumbnail, run as a file manager runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli_runner.h"
#include "view/offscreen_render.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

fs::path Folder() {
  const fs::path folder = fs::path(BRIMVALE_BINARY_DIR) / "cli-thumbnail-test";
  fs::create_directories(folder);
  return folder;
}

const std::string kModel = BRIMVALE_SOURCE_DIR "/examples/half_body_joined.mqo";

TEST(ThumbnailCommand, DrawsTheModelWithinTheSize) {
  const fs::path out = Folder() / "model.png";
  fs::remove(out);
  const test::CliResult run = RunCli({"thumbnail", "-s", "96", kModel, out.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  CRgbPicture picture;
  ASSERT_TRUE(LoadPicture(out.string(), picture));
  EXPECT_EQ(picture.width, 96);
  EXPECT_EQ(picture.height, 72);
  // The model covers a good part of the picture: pixels unlike the background
  // at the middle of the left edge.
  const size_t background = (static_cast<size_t>(picture.height) / 2 * picture.width) * 3;
  size_t model = 0;
  for (size_t i = 0; i + 2 < picture.pixels.size(); i += 3) {
    if (std::abs(picture.pixels[i] - picture.pixels[background]) + std::abs(picture.pixels[i + 1] - picture.pixels[background + 1]) +
            std::abs(picture.pixels[i + 2] - picture.pixels[background + 2]) > 60)
      ++model;
  }
  EXPECT_GT(model, picture.pixels.size() / 3 / 20) << "the thumbnail barely shows the model";
}

TEST(ThumbnailCommand, FailuresLeaveNoFileAndKeepAnOldOne) {
  const fs::path out = Folder() / "failed.png";
  fs::remove(out);
  EXPECT_EQ(RunCli({"thumbnail", "-s", "64", (Folder() / "absent.mqo").string(), out.string()}).status, 2);
  EXPECT_EQ(RunCli({"thumbnail", BRIMVALE_SOURCE_DIR "/README.md", out.string()}).status, 1);
  EXPECT_FALSE(fs::exists(out));
  std::ofstream(out) << "old";
  EXPECT_EQ(RunCli({"thumbnail", (Folder() / "absent.mqo").string(), out.string()}).status, 2);
  std::ifstream kept(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
  EXPECT_EQ(RunCli({"thumbnail", kModel, "/proc/brimvale/out.png"}).status, 3);
  for (const char* size : {"0", "4096", "12x", ""})
    EXPECT_EQ(RunCli({"thumbnail", "-s", size, kModel, out.string()}).status, 64) << size;
  EXPECT_EQ(RunCli({"thumbnail", kModel}).status, 64);
  for (const auto& entry : fs::directory_iterator(Folder()))
    EXPECT_EQ(entry.path().filename().string().rfind(".brimvale-thumbnail-", 0), std::string::npos);
}

TEST(ThumbnailCommand, ModelsWithTooManyDerivedFacesAreDrawnSimple) {
  // 2,000 quads subdivided 16 times each way, mirrored: over a million faces.
  std::ostringstream model;
  model << "Metasequoia Document\nFormat Text Ver 1.0\n\nObject \"strip\" {\n\tpatch 1\n\tsegment 16\n"
        << "\tmirror 1\n\tvertex 4002 {\n";
  for (int i = 0; i <= 2000; ++i) model << "\t\t" << i << " 0 0\n\t\t" << i << " 10 0\n";
  model << "\t}\n\tface 2000 {\n";
  for (int i = 0; i < 2000; ++i)
    model << "\t\t4 V(" << 2 * i << " " << 2 * i + 2 << " " << 2 * i + 3 << " " << 2 * i + 1 << ")\n";
  model << "\t}\n}\nEof\n";
  const fs::path input = Folder() / "huge.mqo";
  std::ofstream(input) << model.str();
  const fs::path out = Folder() / "huge.png";
  const test::CliResult run = RunCli({"thumbnail", input.string(), out.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("simple display"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(out));
}

}  // namespace
}  // namespace brimvale
