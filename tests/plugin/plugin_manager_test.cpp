// Loading, menus and command routing, with plug-ins built for the tests.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "plugin/plugin_manager.h"
#include "plugin_test_support.h"

namespace brimvale {
namespace {

using testing_support::PlugInTest;
using testing_support::TestPlugInFolder;

class RecordingListener : public CDocListener {
 public:
  void OnDocNotify(int code, uint32_t) override { codes.push_back(code); }
  std::vector<int> codes;
};

std::vector<std::string> ObjectNames(const CQuorixDoc& doc) {
  std::vector<std::string> names;
  for (const auto& object : doc.m_Objects) names.push_back(object->m_strName);
  return names;
}

bool IsResident(const std::string& path) {
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) ::dlclose(handle);
  return handle != nullptr;
}

TEST_F(PlugInTest, MenusNumberTheCommandsOfEveryPlugInInListOrder) {
  CPlugInManager manager(TestPlugInFolder("Tagged"), "/opt/brimvale/brimvale");
  EXPECT_TRUE(manager.SkipReports().empty());
  ASSERT_EQ(manager.List(PlugInKind::Create).size(), 2u);
  EXPECT_EQ(manager.List(PlugInKind::Import).size(), 0u);  // no such folder

  const auto create = manager.BuildMenu(PlugInKind::Create);
  ASSERT_EQ(create.size(), 4u);
  const char* texts[] = {"first 0", "first 1", "second 0", "second 1"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(create[static_cast<size_t>(i)].id, 200 + i);
    EXPECT_EQ(create[static_cast<size_t>(i)].text, texts[i]);
    EXPECT_TRUE(create[static_cast<size_t>(i)].enabled);
  }
  const auto object = manager.BuildMenu(PlugInKind::Object);
  ASSERT_EQ(object.size(), 2u);
  EXPECT_EQ(object[1].id, 301);
  EXPECT_EQ(object[1].text, "third 1");
  EXPECT_EQ(manager.BuildMenu(PlugInKind::Select)[0].id, 400);

  // 202 is the second plug-in's first command.
  EXPECT_TRUE(manager.OnPlugInCommand(202));
  EXPECT_TRUE(manager.OnPlugInCommand(201));
  EXPECT_TRUE(manager.OnPlugInCommand(301));
  EXPECT_TRUE(manager.OnPlugInCommand(400));
  EXPECT_EQ(ObjectNames(m_Doc), (std::vector<std::string>{"second:0", "first:1", "third:1", "fourth:0"}));
}

TEST_F(PlugInTest, IdsWithoutACommandRunNothingAndAskForARedraw) {
  CPlugInManager manager(TestPlugInFolder("Tagged"));
  RecordingListener listener;
  m_Doc.Hub().Register(&listener);
  for (int id : {204, 199, 302, 402, 500, 0x8000, -1}) EXPECT_FALSE(manager.OnPlugInCommand(id)) << id;
  m_Doc.Hub().Unregister(&listener);
  EXPECT_EQ(m_Doc.ObjectCount(), 0);
  EXPECT_EQ(listener.codes, std::vector<int>(7, NOTIFY_REDRAW));
  const auto lines = LogLines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"", "", "", "DoEnd", "DoEnd2"}));
}

TEST_F(PlugInTest, EmptyOrMissingFoldersGiveTheGrayedNoneItem) {
  CPlugInManager manager(TestPlugInFolder("NoSuchSet"));
  for (PlugInKind kind : {PlugInKind::Create, PlugInKind::Object, PlugInKind::Select}) {
    const auto items = manager.BuildMenu(kind);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "(none)");
    EXPECT_FALSE(items[0].enabled);
  }
  EXPECT_TRUE(manager.SkipReports().empty());
}

TEST_F(PlugInTest, FaultyPlugInsAreSkippedUnloadedAndReported) {
  const std::string record = (m_Folder / "calls.txt").string();
  ::setenv("BRIMVALE_TEST_RECORD", record.c_str(), 1);
  const std::string folder = TestPlugInFolder("Broken");
  ::testing::internal::CaptureStderr();
  auto manager = std::make_unique<CPlugInManager>(folder, "/opt/brimvale/brimvale");
  const std::string err = ::testing::internal::GetCapturedStderr();
  ::unsetenv("BRIMVALE_TEST_RECORD");

  // Only the working one is kept, and it still runs.
  ASSERT_EQ(manager->List(PlugInKind::Create).size(), 1u);
  EXPECT_EQ(manager->List(PlugInKind::Create)[0]->m_strPath, folder + "/Create/working.so");
  EXPECT_EQ(manager->List(PlugInKind::Create)[0]->m_nKind, 3);
  EXPECT_EQ(manager->List(PlugInKind::Import).size(), 0u);

  const std::pair<const char*, const char*> reasons[] = {
      {"/Create/init_fails.so", "its MQInit failed"},
      {"/Create/kind_nine.so", "it reports kind 9, not 1 to 5"},
      {"/Create/missing_symbol.so", "it cannot be loaded: "},
      {"/Create/no_init.so", "it lacks MQInit"},
      {"/Create/not_a_plugin.so", "it cannot be loaded: "},
      {"/Create/version_zero.so", "its version check refused interface version 0x2100"},
      {"/Create/wrong_kind.so", "it reports kind 4 and lacks MQCreate, which the Create menu calls"},
      {"/Import/no_import_file.so", "an Import plug-in needs MQEnumFileType, MQEnumFileExt and MQImportFile"},
  };
  ASSERT_EQ(manager->SkipReports().size(), std::size(reasons));
  for (size_t i = 0; i < std::size(reasons); ++i) {
    // Import is loaded first, so its report comes first.
    const std::string& report = manager->SkipReports()[(i + 1) % std::size(reasons)];
    const std::string expected = "brimvale: plug-in " + folder + reasons[i].first + " skipped: " + reasons[i].second;
    EXPECT_EQ(report.substr(0, expected.size()), expected);
    EXPECT_NE(err.find(report + "\n"), std::string::npos) << report;
    EXPECT_FALSE(IsResident(folder + reasons[i].first)) << reasons[i].first;
  }
  EXPECT_TRUE(IsResident(folder + "/Create/working.so"));

  // A plug-in that refuses the version still hears MQInit and MQGetPlugInType.
  std::ifstream in(record);
  std::vector<std::string> calls;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("version_zero ", 0) == 0) calls.push_back(line);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"version_zero MQCheckVersion 0x2100",
                                             "version_zero MQInit /opt/brimvale/brimvale",
                                             "version_zero MQGetPlugInType"}));

  EXPECT_TRUE(manager->OnPlugInCommand(200));
  const auto items = manager->BuildMenu(PlugInKind::Create);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text, "working");
  manager.reset();
  EXPECT_FALSE(IsResident(folder + "/Create/working.so"));  // unloaded with the manager
}

}  // namespace
}  // namespace brimvale
