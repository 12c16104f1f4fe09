// An export that cannot be written stops, says which file and why, keeps every
// existing file as it was and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "export/pov_exporter.h"
#include "export_test_support.h"

namespace brimvale {
namespace {

using testing::ReadAll;

// A document whose object include file is a few hundred kilobytes.
void FillLargeDocument(CQuorixDoc& doc) {
  std::vector<CVector3> grid;
  for (int i = 0; i < 10000; ++i) grid.emplace_back(static_cast<float>(i % 100), static_cast<float>(i / 100), 1.5f);
  CMeshObject* object = testing::AddObject(doc, "grid", grid);
  object->m_bSmoothShading = 0;
  for (int i = 0; i + 101 < 10000; ++i) testing::AddFace(*object, {i, i + 1, i + 101, i + 100});
}

// The three files of an earlier export, which a failed export must keep.
void WriteOldExport(const testing::ScratchFolder& folder) {
  for (const char* name : {"scene.pov", "scene_mat.inc", "scene_obj.inc"}) {
    testing::WriteAll(folder.Path() / name, std::string("old ") + name);
  }
}

void ExpectOldExportKept(const testing::ScratchFolder& folder, std::set<std::string> extra = {}) {
  for (const char* name : {"scene.pov", "scene_mat.inc", "scene_obj.inc"}) {
    EXPECT_EQ(ReadAll(folder.Path() / name), std::string("old ") + name);
    extra.insert(name);
  }
  EXPECT_EQ(folder.Entries(), extra);  // nothing else, no temporary file
}

TEST(ExportFailure, FolderThatCannotBeWritten) {
  CQuorixDoc doc;
  {
    CPovExporter exporter(doc);
    EXPECT_FALSE(exporter.Export("/proc/brimvale-scene.pov"));
    EXPECT_NE(exporter.Error().find("/proc/brimvale-scene.pov"), std::string::npos) << exporter.Error();
  }
  testing::ScratchFolder folder;
  CPovExporter exporter(doc);
  EXPECT_FALSE(exporter.Export("no/such/folder/scene.pov"));
  EXPECT_EQ(exporter.Error(), "cannot write no/such/folder/scene.pov: No such file or directory");
}

TEST(ExportFailure, ReadOnlyFolderKeepsTheOldExport) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  CQuorixDoc doc;
  CPovExporter exporter(doc);
  EXPECT_FALSE(exporter.Export("scene.pov"));
  EXPECT_NE(exporter.Error().find("Permission denied"), std::string::npos) << exporter.Error();
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
  ExpectOldExportKept(folder);
}

TEST(ExportFailure, TargetTakenByAFolderReplacesNothing) {
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  std::filesystem::remove(folder.Path() / "scene_obj.inc");
  std::filesystem::create_directory(folder.Path() / "scene_obj.inc");
  CQuorixDoc doc;
  FillLargeDocument(doc);
  CPovExporter exporter(doc);
  EXPECT_FALSE(exporter.Export("scene.pov"));
  EXPECT_EQ(exporter.Error(), "cannot write scene_obj.inc: Is a directory");
  EXPECT_EQ(ReadAll(folder.Path() / "scene.pov"), "old scene.pov");
  EXPECT_EQ(ReadAll(folder.Path() / "scene_mat.inc"), "old scene_mat.inc");
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"scene.pov", "scene_mat.inc", "scene_obj.inc"}));
}

// A full disk, made with a file-size limit in a child process: the write of
// the object include file fails part-way.
TEST(ExportFailure, FullDiskKeepsEverything) {
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    CQuorixDoc doc;
    FillLargeDocument(doc);
    CPovExporter exporter(doc);
    const bool ok = exporter.Export("scene.pov");
    const bool named = exporter.Error() == "cannot write scene_obj.inc: File too large";
    ::_exit(ok ? 1 : (named ? 0 : 2));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: wrong message";
  ExpectOldExportKept(folder);
}

TEST(ExportFailure, VanishedFolderIsReported) {
  testing::ScratchFolder folder;
  std::filesystem::create_directory(folder.Path() / "out");
  CQuorixDoc doc;
  FillLargeDocument(doc);
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("out/scene.pov")) << exporter.Error();
  std::filesystem::remove_all(folder.Path() / "out");
  EXPECT_FALSE(exporter.Export("out/scene.pov"));
  EXPECT_EQ(exporter.Error(), "cannot write out/scene.pov: No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out"));
}

TEST(ExportFailure, MissingTextureIsReportedAndTheExportGoesOn) {
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  CQuorixDoc doc;
  doc.m_strPathName = (folder.Path() / "model.mqo").string();
  testing::AddMaterial(doc, "skin", PackColor(255, 255, 255))->m_strTexture = "skin.png";
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  ASSERT_EQ(exporter.Warnings().size(), 1u);
  EXPECT_NE(exporter.Warnings()[0].find("skin.png not found"), std::string::npos) << exporter.Warnings()[0];
  EXPECT_NE(ReadAll(folder.Path() / "scene_mat.inc").find("\trgbf <255/255,255/255,255/255,0.0000>\n"),
            std::string::npos);
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"scene.pov", "scene_mat.inc", "scene_obj.inc"}));
}

TEST(ExportFailure, ReplacedFilesKeepTheirMode) {
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  std::filesystem::permissions(folder.Path() / "scene.pov", std::filesystem::perms(0640));
  CQuorixDoc doc;
  CPovExporter exporter(doc);
  ASSERT_TRUE(exporter.Export("scene.pov")) << exporter.Error();
  EXPECT_EQ(std::filesystem::status(folder.Path() / "scene.pov").permissions(), std::filesystem::perms(0640));
  EXPECT_NE(ReadAll(folder.Path() / "scene.pov"), "old scene.pov");
}

}  // namespace
}  // namespace brimvale

namespace brimvale {
namespace {

TEST(ExportFailure, ACancelledExportWritesAndReplacesNothing) {
  CQuorixDoc doc;
  FillLargeDocument(doc);
  testing::AddObject(doc, "second", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  testing::AddFace(*doc.Object(1), {0, 1, 2});
  testing::ScratchFolder folder;
  WriteOldExport(folder);
  CPovExporter exporter(doc);
  std::vector<size_t> told;
  exporter.SetProgress([&told](size_t done, size_t total) {
    told.push_back(done);
    return total == 0;
  });
  EXPECT_FALSE(exporter.Export((folder.Path() / "scene.pov").string()));
  EXPECT_EQ(exporter.Error(), "cancelled");
  ASSERT_EQ(told.size(), 1u);  // stopped after the first step
  ExpectOldExportKept(folder);

  told.clear();
  exporter.SetProgress([&told](size_t done, size_t) {
    told.push_back(done);
    return true;
  });
  EXPECT_TRUE(exporter.Export((folder.Path() / "scene.pov").string())) << exporter.Error();
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.back(), 2u);
  EXPECT_NE(ReadAll(folder.Path() / "scene_obj.inc").find("#declare obj1=mesh2"), std::string::npos);
}

}  // namespace
}  // namespace brimvale
