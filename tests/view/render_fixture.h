// Shared helpers of the view's rendering tests: an offscreen view per test,
// models written as Metasequoia text, and comparison with baseline pictures
// under tests/view/baselines (a missing or different baseline fails and
// leaves the rendering in the build folder for a person to look at).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/quorix_doc.h"
#include "view/offscreen_render.h"

namespace brimvale::test {

// A folder of its own under the build folder, emptied first.
std::string ScratchFolder(const std::string& name);

// Reads Metasequoia text (written to folder/name.mqo, so textures beside it are found).
bool LoadModelText(CQuorixDoc& doc, const std::string& folder, const std::string& name, const std::string& text);

// Writes a 24-bit PNG from RGB rows (top first).
bool WritePng(const std::string& path, const CRgbPicture& picture);

// RGB of pixel (x, y), y from the top.
struct Rgb {
  int r, g, b;
};
Rgb PixelAt(const CRgbPicture& picture, int x, int y);

// Compares with baselines/<name>.png: at most 0.5 % of the pixels may differ by
// more than 24 in a channel (software rasterisers round a little differently).
::testing::AssertionResult MatchesBaseline(const CRgbPicture& picture, const std::string& name);

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  CRgbPicture Render(CQuorixDoc& doc, int width, int height);

  std::unique_ptr<COffscreenView> m_View;
};

}  // namespace brimvale::test
