#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "document/quorix_doc.h"
#include "document/settings_file.h"

namespace brimvale {
namespace {

class RecordingListener : public CDocListener {
 public:
  void OnDocNotify(int code, uint32_t word) override {
    codes.push_back(code);
    words.push_back(word);
  }
  std::vector<int> codes;
  std::vector<uint32_t> words;
};

TEST(QuorixDoc, ResetClearsListsAndAnnounces) {
  CQuorixDoc doc;
  RecordingListener listener;
  doc.Hub().Register(&listener);
  doc.AddObject()->m_strName = "a";
  doc.AddMaterial();
  doc.m_strTitle = "model.mqo";
  doc.m_Scene.m_vPosition = CVector3(1, 2, 3);
  doc.m_Scene.m_vFileLookAt = CVector3(4, 5, 6);
  doc.m_Scene.m_bLookAtRead = 1;
  doc.m_crBackground = PackColor(1, 2, 3);
  doc.Reset();
  EXPECT_EQ(doc.ObjectCount(), 0);
  EXPECT_EQ(doc.MaterialCount(), 0);
  EXPECT_EQ(doc.m_strTitle, "Untitled");
  EXPECT_EQ(doc.m_Scene.m_vPosition, CVector3(0, 100, -300));
  EXPECT_EQ(doc.m_Scene.m_vFileLookAt, CVector3(4, 5, 6));  // file fields kept
  EXPECT_EQ(doc.m_Scene.m_bLookAtRead, 0);
  EXPECT_EQ(doc.m_crBackground, PackColor(1, 2, 3));
  EXPECT_EQ(listener.codes, (std::vector<int>{NOTIFY_CURRENT_OBJECT, NOTIFY_DOCUMENT_RESET}));
}

TEST(QuorixDoc, CurrentObjectAndMaterialAreExclusive) {
  CQuorixDoc doc;
  CMeshObject* a = doc.AddObject();
  CMeshObject* b = doc.AddObject();
  EXPECT_EQ(doc.CurrentObject(), nullptr);
  doc.SetCurrentObject(a);
  doc.SetCurrentObject(b);
  EXPECT_EQ(doc.CurrentObject(), b);
  EXPECT_EQ(a->m_bCurrent, 0);
  CMaterial* m = doc.AddMaterial();
  doc.SetCurrentMaterial(m);
  EXPECT_EQ(doc.CurrentMaterial(), m);
  EXPECT_EQ(doc.Material(1), nullptr);
  EXPECT_EQ(doc.Material(-1), nullptr);
  EXPECT_EQ(doc.IndexOfObject(b), 1);
}

TEST(NotificationHub, SkipsSenderAndQueuesPosts) {
  CNotificationHub hub;
  RecordingListener a;
  RecordingListener b;
  hub.Register(&a);
  hub.Register(&b);
  hub.NotifyAll(NOTIFY_REDRAW, &a, 1, 2);
  EXPECT_TRUE(a.codes.empty());
  ASSERT_EQ(b.codes.size(), 1u);
  EXPECT_EQ(b.words[0], 0x00010002u);
  hub.PostNotifyAll(NOTIFY_CAMERA_MOVED);
  EXPECT_TRUE(a.codes.empty());
  hub.DeliverPosted();
  EXPECT_EQ(a.codes, std::vector<int>{NOTIFY_CAMERA_MOVED});
  std::vector<std::function<void()>> queued;
  hub.SetPostHook([&](std::function<void()> f) { queued.push_back(std::move(f)); });
  hub.PostNotifyAll(NOTIFY_CAMERA_MOVED);
  ASSERT_EQ(queued.size(), 1u);
  hub.Unregister(&b);
  queued[0]();
  EXPECT_EQ(a.codes.size(), 2u);
  EXPECT_EQ(b.codes.size(), 2u);  // unregistered before delivery
}

TEST(SettingsFile, RoundTripsOneLineWithoutAddingALineEnd) {
  const auto dir = std::filesystem::temp_directory_path() / "brimvale_settings_test";
  std::filesystem::remove_all(dir);
  const std::string path = (dir / "sub" / "brimvale.ini").string();
  EXPECT_EQ(ReadSettingsFile(path), "");
  WriteSettingsFile(path, "");
  EXPECT_FALSE(std::filesystem::exists(path));
  {
    CQuorixDoc doc(path);
    EXPECT_EQ(doc.MetaseqFolder, "");
    doc.MetaseqFolder = "/opt/metaseq/";
  }
  EXPECT_EQ(ReadSettingsFile(path), "/opt/metaseq/");
  EXPECT_EQ(std::filesystem::file_size(path), 13u);
  std::ofstream(path) << "/x/\nsecond line";
  CQuorixDoc doc(path);
  EXPECT_EQ(doc.MetaseqFolder, "/x/\n");
  std::filesystem::remove_all(dir);
}

TEST(Scene, AppliesFileOrientationAboutTheLookAt) {
  CScene scene;
  scene.m_vFileLookAt = CVector3(0, 0, 0);
  scene.m_bLookAtRead = 1;
  scene.m_fHead = 90.0f;
  scene.m_bAnglesRead = 1;
  scene.ApplyFileOrientation();
  // (0, 100, -300) turned by RotateY(-90): x' = x cos a + z sin a with a = -90 deg.
  EXPECT_NEAR(scene.m_vPosition.x, 300.0f, 1e-3f);
  EXPECT_NEAR(scene.m_vPosition.y, 100.0f, 1e-3f);
  EXPECT_NEAR(scene.m_vPosition.z, 0.0f, 1e-3f);
}

TEST(Color, PacksTruncatedChannelsModulo256) {
  EXPECT_EQ(PackColorFromFloats(1.0f, 0.5f, 0.0f), PackColor(255, 127, 0));
  EXPECT_EQ(ChannelFromFloat(2.0f), 510u & 0xFFu);
  EXPECT_EQ(ChannelFromFloat(-0.5f), static_cast<uint32_t>(-127) & 0xFFu);
  EXPECT_EQ(ChannelFromFloat(1e30f), 0u);
}

}  // namespace
}  // namespace brimvale
