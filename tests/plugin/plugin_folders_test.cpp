// Which plug-in files load, and in what order, across the program's folder and
// the user's; and where those folders are.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/program_folders.h"
#include "plugin/plugin_folders.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

class PlugInFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "brimvale-folders-XXXXXX").string();
    m_Root = ::mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(m_Root); }
  void Touch(const fs::path& relative) {
    fs::create_directories((m_Root / relative).parent_path());
    std::ofstream(m_Root / relative) << "x";
  }
  fs::path m_Root;
};

TEST_F(PlugInFoldersTest, UserFilesFollowAndReplaceTheProgramsOfTheSameName) {
  for (const char* file : {"program/Create/b.so", "program/Create/a.so", "program/Create/notes.txt",
                           "program/Object/other.so", "user/Create/b.so", "user/Create/0.so"})
    Touch(file);
  fs::create_directories(m_Root / "user/Create/folder.so");
  const std::vector<fs::path> files =
      PlugInFilesOfKind({(m_Root / "program").string(), (m_Root / "user").string(), (m_Root / "none").string()},
                        "Create");
  const std::vector<fs::path> expected = {m_Root / "program/Create/a.so", m_Root / "user/Create/0.so",
                                          m_Root / "user/Create/b.so"};
  EXPECT_EQ(files, expected);
  EXPECT_TRUE(PlugInFilesOfKind({(m_Root / "none").string()}, "Create").empty());
}

TEST_F(PlugInFoldersTest, LibraryFolderIsBesideTheProgramUnlessInstalled) {
  const std::string bin = (m_Root / "bin").string() + "/";
  fs::create_directories(bin);
  EXPECT_EQ(ProgramLibraryFolderFor(bin), bin);
  fs::create_directories(m_Root / "lib/brimvale");
  EXPECT_EQ(fs::canonical(ProgramLibraryFolderFor(bin)), fs::canonical(m_Root / "lib/brimvale"));
  EXPECT_EQ(ProgramLibraryFolderFor(""), "");
}

TEST_F(PlugInFoldersTest, UserFolderFollowsXdgDataHome) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string previous = saved ? saved : "";
  ::setenv("XDG_DATA_HOME", "/data/home", 1);
  EXPECT_EQ(UserDataFolder(), "/data/home/brimvale/");
  EXPECT_EQ(PlugInRoots().back(), "/data/home/brimvale/Plugins");
  ::setenv("XDG_DATA_HOME", "relative/ignored", 1);  // only absolute paths count
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  if (!home.empty()) {
    EXPECT_EQ(UserDataFolder(), home + "/.local/share/brimvale/");
  }
  if (saved) {
    ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
}  // namespace brimvale
