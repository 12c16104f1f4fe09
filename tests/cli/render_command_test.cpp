// brimvale-cli render and bench, run as a user runs them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "image/codec_bridge.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
};

CliRun Cli(const std::string& arguments) {
  const std::string command = std::string(BRIMVALE_BINARY_DIR) + "/bin/brimvale-cli " + arguments + " 2>/dev/null";
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::filesystem::path Folder() {
  const auto folder = std::filesystem::path(BRIMVALE_BINARY_DIR) / "cli-render-test";
  std::filesystem::create_directories(folder);
  return folder;
}

std::string Cube() {
  const auto path = Folder() / "cube.mqo";
  std::ofstream(path) << "Metasequoia Document\nFormat Text Ver 1.0\n\nObject \"cube\" {\n\tvertex 8 {\n"
                         "\t\t-50 50 50\n\t\t-50 -50 50\n\t\t50 50 50\n\t\t50 -50 50\n"
                         "\t\t50 50 -50\n\t\t50 -50 -50\n\t\t-50 50 -50\n\t\t-50 -50 -50\n\t}\n\tface 6 {\n"
                         "\t\t4 V(0 2 3 1)\n\t\t4 V(2 4 5 3)\n\t\t4 V(4 6 7 5)\n\t\t4 V(6 0 1 7)\n"
                         "\t\t4 V(6 4 2 0)\n\t\t4 V(1 3 5 7)\n\t}\n}\nEof\n";
  return path.string();
}

// The cube smoothed across its edges, so that smooth and flat shading differ.
std::string SmoothCube() {
  const auto path = Folder() / "smooth_cube.mqo";
  std::ifstream in(Cube());
  std::string text((std::istreambuf_iterator<char>(in)), {});
  text.insert(text.find("\tvertex 8"), "\tshading 1\n\tfacet 180\n");
  std::ofstream(path) << text;
  return path.string();
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

// The smooth cube rendered at 160 x 120 without grid and axes, plus options.
Picture Render(const std::string& options) {
  const std::string out = (Folder() / "options.png").string();
  std::filesystem::remove(out);
  Picture picture;
  const CliRun run = Cli("render " + SmoothCube() + " -o " + out + " --size 160x120 --no-grid --no-axes " + options);
  CPixelImage image;
  if (run.status != 0 || !LoadPng(out, image, nullptr, 0) || image.BitCount() < 24) return picture;
  picture.width = image.Width();
  picture.height = image.Height();
  const int step = image.BitCount() / 8;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = image.Row(y) + x * step;
      picture.pixels.push_back(static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0]);
    }
  }
  return picture;
}

size_t Differing(const Picture& a, const Picture& b) {
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i] ? 1 : 0;
  return count;
}

// Pixels unlike the top-left corner, which the cube never covers.
size_t Drawn(const Picture& p) {
  return static_cast<size_t>(std::count_if(p.pixels.begin(), p.pixels.end(), [&](uint32_t c) { return c != p.pixels[0]; }));
}

size_t Colours(const Picture& p) { return std::set<uint32_t>(p.pixels.begin(), p.pixels.end()).size(); }

TEST(RenderCommand, EachDisplayOptionChangesThePictureAsItShould) {
  const Picture faces = Render("");
  ASSERT_EQ(faces.width, 160);
  ASSERT_EQ(faces.height, 120);
  const size_t all = faces.pixels.size();
  EXPECT_GT(Drawn(faces), all / 10);
  // Smooth normals shade each face in gradients; flat shading gives one colour a face.
  EXPECT_GT(Colours(faces), 50u);
  const Picture flat = Render("--flat");
  EXPECT_LE(Colours(flat), 12u);
  EXPECT_GT(Drawn(flat), all / 10);
  // Without faces nothing is drawn; edges and vertices then show alone, thinly.
  EXPECT_EQ(Drawn(Render("--no-faces")), 0u);
  const Picture edges = Render("--no-faces --edges");
  const Picture points = Render("--no-faces --vertices");
  EXPECT_GT(Drawn(edges), 100u);
  EXPECT_LT(Drawn(edges), Drawn(faces) / 2);
  EXPECT_GT(Drawn(points), 7u);
  EXPECT_LT(Drawn(points), Drawn(edges));
  EXPECT_GT(Differing(Render("--edges"), faces), 100u);
  // A drag of 60 pixels to the right turns the eye 30 degrees about the look-at.
  const Picture orbit = Render("--orbit 60,0");
  EXPECT_GT(Differing(orbit, faces), all / 20);
  EXPECT_LT(Differing(orbit, Render("--camera-position -150,100,-259.8076")), all / 200);
}

TEST(RenderCommand, BadInputGivesTheDocumentedExitStatusAndNoPicture) {
  const std::string out = (Folder() / "never.png").string();
  std::filesystem::remove(out);
  EXPECT_EQ(Cli("render").status, 64);
  EXPECT_EQ(Cli("render " + Cube()).status, 64);  // no -o
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --size 0x10").status, 64);
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --size 100").status, 64);
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --camera-position 1,2").status, 64);
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --camera-angle 400").status, 64);
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --bogus").status, 64);
  EXPECT_EQ(Cli("render " + (Folder() / "missing.mqo").string() + " -o " + out).status, 2);
  EXPECT_EQ(Cli("render " + Cube() + " -o " + out + " --background-image " + (Folder() / "none.png").string()).status,
            2);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(Cli("render " + Cube() + " -o " + (Folder() / "no-such-folder" / "x.png").string()).status, 3);
  EXPECT_EQ(Cli("render --help").status, 0);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(RenderCommand, OpensAModelWholeUnlessTheFileCameraIsAskedFor) {
  // A cube 2000 units across: the file's camera, 316 units away, is inside it.
  const std::string big = (Folder() / "big.mqo").string();
  std::string text = Slurp(Cube());
  for (size_t at = 0; (at = text.find("50", at)) != std::string::npos; at += 4) text.replace(at, 2, "1000");
  std::ofstream(big) << text;
  const std::string common = " --size 160x120 --no-grid --no-axes";
  auto render = [&](const std::string& model, const std::string& options) {
    const std::string png = (Folder() / "framing.png").string();
    std::filesystem::remove(png);
    EXPECT_EQ(Cli("render " + model + " -o " + png + common + options).status, 0) << options;
    return Slurp(png);
  };
  // Opened as the window opens it: fitted; with --file-camera, what the file's
  // camera sees, as explicit options after a fit show it.
  const std::string opened = render(big, "");
  EXPECT_TRUE(opened == render(big, " --fit"));
  const std::string file = render(big, " --file-camera");
  EXPECT_TRUE(file != opened);
  EXPECT_TRUE(file == render(big, " --fit --camera-position 0,100,-300 --camera-lookat 0,0,0"));
  EXPECT_EQ(Cli("render " + big + " -o x.png --fit --file-camera").status, 64);

  // A bundled example its own camera frames renders exactly as with that camera.
  const std::string example = BRIMVALE_SOURCE_DIR "/examples/half_body_joined.mqo";
  EXPECT_TRUE(render(example, "") == render(example, " --file-camera"));
  EXPECT_TRUE(render(example, "") != render(example, " --fit"));
}

TEST(BenchCommand, PrintsTheBenchmarkMessage) {
  const CliRun run = Cli("bench " + Cube() + " --size 64x48");
  ASSERT_EQ(run.status, 0);
  const std::regex message("[0-9]+\\.[0-9]{4} frames/second\n[0-9]+\\.[0-9]{4} seconds/frame\n[0-9]+\\.[0-9]{4} seconds\n");
  EXPECT_TRUE(std::regex_match(run.out, message)) << run.out;
  EXPECT_EQ(Cli("bench").status, 64);
  EXPECT_EQ(Cli("bench " + (Folder() / "missing.mqo").string()).status, 2);
}

TEST(TimeCommand, PrintsTheFourTimesAndTheDocumentedExitStatus) {
  const CliRun run = Cli("time " + Cube());
  ASSERT_EQ(run.status, 0);
  const std::string figures = "[0-9]+\\.[0-9]{4} s\t[0-9]+\\.[0-9]{4}\n";
  const std::regex message("Freeze\t" + figures + "Normals\t" + figures + "Smooth normals\t" + figures + "Total\t" + figures);
  EXPECT_TRUE(std::regex_match(run.out, message)) << run.out;
  EXPECT_EQ(Cli("time").status, 64);
  EXPECT_EQ(Cli("time " + (Folder() / "missing.mqo").string()).status, 2);
  std::ofstream(Folder() / "notes.txt") << "not a model\n";
  EXPECT_EQ(Cli("time " + (Folder() / "notes.txt").string()).status, 1);
}

}  // namespace
}  // namespace brimvale
