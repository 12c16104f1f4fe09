// brimvale-cli render and bench, run as a user runs them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

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

TEST(RenderCommand, WritesAPictureOfTheRequestedSize) {
  const std::string out = (Folder() / "cube.png").string();
  std::filesystem::remove(out);
  const CliRun run = Cli("render " + Cube() + " -o " + out +
                      " --size 120x90 --orbit 30,-20 --edges --vertices --flat --double-sided --no-transparency");
  ASSERT_EQ(run.status, 0);
  std::ifstream png(out, std::ios::binary);
  char header[24] = {};
  png.read(header, sizeof header);
  ASSERT_TRUE(png.good());
  EXPECT_EQ(std::string(header + 1, 3), "PNG");
  const auto be32 = [&](int at) {
    return (static_cast<unsigned char>(header[at]) << 24) | (static_cast<unsigned char>(header[at + 1]) << 16) |
           (static_cast<unsigned char>(header[at + 2]) << 8) | static_cast<unsigned char>(header[at + 3]);
  };
  EXPECT_EQ(be32(16), 120);
  EXPECT_EQ(be32(20), 90);
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
  const std::regex message("[0-9]+\\.[0-9]{4} フレーム/秒\n\n[0-9]+\\.[0-9]{4} 秒/フレーム\n\n[0-9]+\\.[0-9]{4} 秒\n");
  EXPECT_TRUE(std::regex_match(run.out, message)) << run.out;
  EXPECT_EQ(Cli("bench").status, 64);
  EXPECT_EQ(Cli("bench " + (Folder() / "missing.mqo").string()).status, 2);
}

}  // namespace
}  // namespace brimvale
