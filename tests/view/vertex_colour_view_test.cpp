// Corner colours in the view: a lit white square whose left corners are red
// and right corners blue is drawn tinted when its material shows them (on
// both face paths alike) and white-grey when it does not.
#include <gtest/gtest.h>

#include "model_texts.h"
#include "render_fixture.h"

namespace brimvale::test {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

// Corners 0 and 3 (left) red, 1 and 2 (right) blue, red in the lowest byte.
std::string ColouredSquareText(bool shown) {
  std::string text = PlainSquareText(1.0f, 1.0f, 1.0f, 1.0f);
  const std::string power = "power(5.00)";
  text.insert(text.find(power) + power.size(), shown ? " vcol(1)" : " vcol(0)");
  const std::string uv = "UV(0.0 0.0 1.0 0.0 1.0 1.0 0.0 1.0)";
  text.insert(text.find(uv) + uv.size(), " COL(4278190335 4294901760 4294901760 4278190335)");
  return text;
}

TEST_F(RenderTest, CornerColoursTintTheFacesOfAMaterialThatShowsThem) {
  const std::string folder = ScratchFolder("vertex_colours");
  for (const bool shown : {true, false}) {
    CQuorixDoc doc;
    ASSERT_TRUE(LoadModelText(doc, folder, "square", ColouredSquareText(shown)));
    doc.m_Scene.m_vPosition = CVector3(0.0f, 0.0f, -300.0f);
    doc.m_Scene.m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
    doc.Display.ShowGrid = doc.Display.ShowAxes = false;
    m_View->Renderer().SetUseBuffers(false);
    const CRgbPicture reference = Render(doc, kW, kH);
    m_View->Renderer().SetUseBuffers(true);
    const CRgbPicture picture = Render(doc, kW, kH);
    EXPECT_EQ(reference.pixels, picture.pixels) << "the face paths differ, shown " << shown;
    const Rgb left = PixelAt(picture, kW / 2 - 16, kH / 2);
    const Rgb right = PixelAt(picture, kW / 2 + 16, kH / 2);
    if (shown) {
      EXPECT_GT(left.r, 2 * left.b + 20);
      EXPECT_LT(left.g, 40);
      EXPECT_GT(right.b, 2 * right.r + 20);
      EXPECT_LT(right.g, 40);
    } else {
      EXPECT_GT(left.g, 100);
      EXPECT_NEAR(left.r, left.b, 4);
      EXPECT_NEAR(right.r, right.b, 4);
    }
  }
}

TEST_F(RenderTest, TurningAMaterialsCornerColoursOffRebuildsTheKeptBuffer) {
  const std::string folder = ScratchFolder("vertex_colour_toggle");
  CQuorixDoc doc, plain;
  ASSERT_TRUE(LoadModelText(doc, folder, "shown", ColouredSquareText(true)));
  ASSERT_TRUE(LoadModelText(plain, folder, "plain", ColouredSquareText(false)));
  for (CQuorixDoc* each : {&doc, &plain}) {
    each->m_Scene.m_vPosition = CVector3(0.0f, 0.0f, -300.0f);
    each->m_Scene.m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
    each->Display.ShowGrid = each->Display.ShowAxes = false;
  }
  const CRgbPicture tinted = Render(doc, kW, kH);
  doc.Material(0)->m_bVertexColour = 0;  // as the side panel's check box does; the mesh stays
  const CRgbPicture after = Render(doc, kW, kH);
  EXPECT_NE(after.pixels, tinted.pixels);
  EXPECT_EQ(after.pixels, Render(plain, kW, kH).pixels);
}

}  // namespace
}  // namespace brimvale::test
