// The real desktop program with the sample plug-ins installed beside it: a
// probe plug-in installed with them opens its menus, chooses a command and
// reports what it saw.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(GuiPlugInHost, MenusListTheSampleCommandsAndRunningOneChangesTheDocument) {
  const fs::path built = BRIMVALE_BINARY_DIR "/bin";
  const fs::path probe = BRIMVALE_BINARY_DIR "/test-plugins/Probe/Select/menu_probe.so";
  if (!fs::exists(built / "brimvale") || !fs::exists(probe)) GTEST_SKIP() << "the desktop program is not built";

  // An installation of its own: the program finds Plugins/ beside its own file.
  const fs::path root = fs::temp_directory_path() / ("brimvale-gui-host-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "bin");
  fs::copy_file(built / "brimvale", root / "bin" / "brimvale");
  fs::permissions(root / "bin" / "brimvale", fs::perms::owner_all);
  for (const char* kind : {"Create", "Object", "Select"}) {
    fs::create_directories(root / "bin" / "Plugins" / kind);
    for (const auto& entry : fs::directory_iterator(built / "Plugins" / kind)) {
      fs::copy_file(entry.path(), root / "bin" / "Plugins" / kind / entry.path().filename());
    }
  }
  fs::copy_file(probe, root / "bin" / "Plugins" / "Select" / "menu_probe.so");

  const std::string command = "env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 XDG_STATE_HOME=" + (root / "state").string() +
                              " XDG_CONFIG_HOME=" + (root / "config").string() +
                              " BRIMVALE_PROBE_OUT=" + (root / "probe.txt").string() + " timeout 120 " +
                              (root / "bin" / "brimvale").string() + " > " + (root / "output.txt").string() + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile(root / "output.txt");

  EXPECT_EQ(ReadFile(root / "probe.txt"),
            "Create: [Cube] [Cylinder]\n"
            "Object: [Invert all faces]\n"
            "Select: [Menu probe] [Count selected vertices]\n"
            "objects: 1\n"
            "object 0: 8 vertices, 6 faces\n");
  const std::string log = ReadFile(root / "state" / "brimvale" / "debug.txt");
  EXPECT_NE(log.find("CreateObject\nSetName\nAddVertex\n"), std::string::npos) << log;
  EXPECT_NE(log.find("DocAddObj\nDocAddObjEnd\nDoEnd\nDoEnd2\n"), std::string::npos) << log;
  // Nothing was skipped.
  EXPECT_EQ(ReadFile(root / "output.txt").find("skipped"), std::string::npos);
  fs::remove_all(root);
}

}  // namespace
