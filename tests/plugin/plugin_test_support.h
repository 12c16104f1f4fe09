// Shared by the plug-in tests: where the built plug-ins are, and a fixture
// that sends the trace log to a fresh folder and gives the active document.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/quorix_doc.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

namespace brimvale::testing_support {

inline std::string SamplePlugInFolder() { return BRIMVALE_BINARY_DIR "/bin/Plugins"; }
inline std::string TestPlugInFolder(const std::string& set) { return BRIMVALE_BINARY_DIR "/test-plugins/" + set; }

// Each test gets its own state folder (so its own debug.txt) and an empty
// active document; both are undone afterwards.
class PlugInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_Folder = std::filesystem::temp_directory_path() /
               ("brimvale-plugin-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(m_Folder);
    std::filesystem::create_directories(m_Folder);
    ::setenv("XDG_STATE_HOME", m_Folder.c_str(), 1);
    SetActiveDocument(&m_Doc);
  }
  void TearDown() override {
    ReleasePlugInObjects();
    SetActiveDocument(nullptr);
    ::unsetenv("XDG_STATE_HOME");
    std::filesystem::remove_all(m_Folder);
  }

  std::string LogText() const {
    std::ifstream in(m_Folder / "brimvale" / "debug.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::istringstream in(LogText());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  void ClearLog() const { std::filesystem::remove(m_Folder / "brimvale" / "debug.txt"); }

  std::filesystem::path m_Folder;
  CQuorixDoc m_Doc;
};

}  // namespace brimvale::testing_support
