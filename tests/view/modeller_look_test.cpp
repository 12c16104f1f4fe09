// The view as the modeller shows a model: a material lit only by its
// emission shows its texture's own colours, and a large texture is drawn at
// its full size.
#include <gtest/gtest.h>

#include <algorithm>

#include "model_texts.h"
#include "render_fixture.h"

namespace brimvale::test {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

void FrontCamera(CQuorixDoc& doc, float z) {
  doc.m_Scene.m_vPosition = CVector3(0.0f, 0.0f, z);
  doc.m_Scene.m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
  doc.m_Scene.m_fAngle = 40.0f;
  doc.m_Scene.m_bPerspective = 1;
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
}

// A square whose material has neither diffuse nor ambient light, only emission.
std::string GlowingSquareText(const std::string& texture) {
  std::string text = TexturedSquareText(texture);
  const std::string lit = "dif(1.000) amb(0.600) emi(0.000)";
  text.replace(text.find(lit), lit.size(), "dif(0.000) amb(0.000) emi(1.000)");
  return text;
}

CRgbPicture Pattern(int size, int (*value)(int x, int y)) {
  CRgbPicture picture;
  picture.width = picture.height = size;
  picture.pixels.resize(static_cast<size_t>(size) * static_cast<size_t>(size) * 3);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int v = value(x, y);
      uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)) * 3];
      p[0] = static_cast<uint8_t>(v & 0xFF);
      p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
      p[2] = static_cast<uint8_t>((v >> 16) & 0xFF);
    }
  return picture;
}

TEST_F(RenderTest, MaterialLitOnlyByEmissionShowsItsTexture) {
  const std::string folder = ScratchFolder("emission_square");
  // Red left, blue right.
  ASSERT_TRUE(WritePng(folder + "/halves.png", Pattern(64, [](int x, int) { return x < 32 ? 0x0000FF : 0xFF0000; })));
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, folder, "square", GlowingSquareText("halves.png")));
  FrontCamera(doc, -300.0f);
  const CRgbPicture picture = Render(doc, kW, kH);
  const Rgb left = PixelAt(picture, kW / 2 - 16, kH / 2);
  const Rgb right = PixelAt(picture, kW / 2 + 16, kH / 2);
  EXPECT_GE(left.r, 250);
  EXPECT_LE(std::max(left.g, left.b), 5);
  EXPECT_GE(right.b, 250);
  EXPECT_LE(std::max(right.r, right.g), 5);
}

TEST_F(RenderTest, LargeTextureIsDrawnAtItsFullSize) {
  const std::string folder = ScratchFolder("full_size_texture");
  // Stripes four texels wide: at 256 x 256 they would blur into grey.
  ASSERT_TRUE(
      WritePng(folder + "/stripes.png", Pattern(1024, [](int x, int) { return (x / 4) % 2 == 0 ? 0 : 0xFFFFFF; })));
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, folder, "square", GlowingSquareText("stripes.png")));
  EXPECT_EQ(doc.Material(0)->m_TextureBuffer.Rows(), 1024);
  EXPECT_EQ(doc.Material(0)->m_TextureBuffer.Columns(), 1024);
  // Close in: some 60 texels across the picture.
  FrontCamera(doc, -8.0f);
  const CRgbPicture picture = Render(doc, kW, kH);
  int darkest = 255, brightest = 0;
  for (int x = 0; x < kW; ++x) {
    const Rgb c = PixelAt(picture, x, kH / 2);
    darkest = std::min(darkest, c.g);
    brightest = std::max(brightest, c.g);
  }
  EXPECT_LT(darkest, 40);
  EXPECT_GT(brightest, 215);
}

}  // namespace
}  // namespace brimvale::test
