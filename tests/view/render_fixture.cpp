#include "render_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/mqo_reader.h"

namespace brimvale::test {

std::string ScratchFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(BRIMVALE_BINARY_DIR) / "view-test-scratch" / name;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder);
  return folder.string();
}

bool LoadModelText(CQuorixDoc& doc, const std::string& folder, const std::string& name, const std::string& text) {
  const std::string path = folder + "/" + name + ".mqo";
  {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  return ReadMqoFile(doc, path);
}

bool WritePng(const std::string& path, const CRgbPicture& picture) { return SavePicturePng(path, picture); }

Rgb PixelAt(const CRgbPicture& picture, int x, int y) {
  const uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)) * 3];
  return {p[0], p[1], p[2]};
}

::testing::AssertionResult MatchesBaseline(const CRgbPicture& picture, const std::string& name) {
  const std::filesystem::path baseline =
      std::filesystem::path(BRIMVALE_SOURCE_DIR) / "tests" / "view" / "baselines" / (name + ".png");
  const std::filesystem::path outFolder = std::filesystem::path(BRIMVALE_BINARY_DIR) / "view-test-output";
  std::filesystem::create_directories(outFolder);
  const std::string actual = (outFolder / (name + ".png")).string();
  SavePicturePng(actual, picture);
  CRgbPicture expected;
  if (!LoadPicture(baseline.string(), expected))
    return ::testing::AssertionFailure() << "no baseline " << baseline << "; the rendering is at " << actual;
  if (expected.width != picture.width || expected.height != picture.height)
    return ::testing::AssertionFailure() << "baseline " << baseline << " has another size; see " << actual;
  size_t differing = 0;
  for (size_t i = 0; i < picture.pixels.size(); i += 3) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(picture.pixels[i + c] - expected.pixels[i + c]) > 24) {
        ++differing;
        break;
      }
    }
  }
  const size_t allowed = picture.pixels.size() / 3 / 200;
  if (differing > allowed)
    return ::testing::AssertionFailure() << differing << " pixels differ from " << baseline << "; see " << actual;
  return ::testing::AssertionSuccess();
}

void RenderTest::SetUp() {
  m_View = std::make_unique<COffscreenView>();
  if (!m_View->Open(64, 64)) GTEST_SKIP() << "no offscreen OpenGL here: " << m_View->Error();
}

CRgbPicture RenderTest::Render(CQuorixDoc& doc, int width, int height) {
  EXPECT_TRUE(m_View->Resize(width, height));
  return m_View->Render(doc);
}

}  // namespace brimvale::test
