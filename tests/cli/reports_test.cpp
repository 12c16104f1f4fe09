// What every command says about a file it cannot use: one English line on
// stderr, the documented exit status, nothing on stdout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_runner.h"

namespace brimvale {
namespace {

using test::RunCli;

TEST(CliReports, ANonModelIsOneEnglishLineForEveryCommand) {
  const auto folder = std::filesystem::temp_directory_path() / "brimvale_cli_reports";
  std::filesystem::create_directories(folder);
  const std::string bad = (folder / "bad.mqo").string();
  std::ofstream(bad, std::ios::binary) << "not a model\n";
  const std::string png = (folder / "out.png").string();
  const std::vector<std::vector<std::string>> runs = {
      {"render", bad, "-o", png}, {"thumbnail", bad, png}, {"time", bad},
      {"bench", bad},             {"info", bad},           {"export", bad, "-o", (folder / "out.pov").string()}};
  for (const auto& args : runs) {
    const test::CliResult run = RunCli(args);
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_EQ(run.err, "brimvale-cli " + args[0] + ": " + bad + ": not a Metasequoia file\n");
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  const std::string missing = (folder / "missing.mqo").string();
  const test::CliResult absent = RunCli({"time", missing});
  EXPECT_EQ(absent.status, 2);
  EXPECT_EQ(absent.err.rfind("brimvale-cli time: cannot open " + missing + ": ", 0), 0u) << absent.err;
  EXPECT_EQ(std::count(absent.err.begin(), absent.err.end(), '\n'), 1);
  EXPECT_FALSE(std::filesystem::exists(png));
  std::filesystem::remove_all(folder);
}

TEST(CliReports, VersionIsTheProjectsOnStdout) {
  const test::CliResult run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "brimvale-cli (Brimvale) " BRIMVALE_PROJECT_VERSION "\n");
  EXPECT_TRUE(run.err.empty());
}

}  // namespace
}  // namespace brimvale
