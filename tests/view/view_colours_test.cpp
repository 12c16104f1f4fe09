// What the view shows in colour: a lathed object in its lines' material, and
// the Z axis over the grid line it lies on.
#include <gtest/gtest.h>

#include "document/mqo_reader.h"
#include "render_fixture.h"

namespace brimvale::test {
namespace {

int Count(const CRgbPicture& picture, bool (*match)(Rgb)) {
  int count = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) count += match(PixelAt(picture, x, y)) ? 1 : 0;
  return count;
}

TEST_F(RenderTest, LathedVaseShowsInItsMaterial) {
  CQuorixDoc doc;
  ASSERT_TRUE(ReadMqoFile(doc, BRIMVALE_SOURCE_DIR "/examples/lathe_vase.mqo"));
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  const CRgbPicture picture = Render(doc, 160, 120);
  // "glaze" is blue; the default material would be grey.
  const int blue = Count(picture, [](Rgb c) { return c.b > c.r + 40 && c.b > c.g + 20; });
  EXPECT_GT(blue, 1000);
}

TEST_F(RenderTest, ZAxisWinsOverTheGridLineItLiesOn) {
  CQuorixDoc doc;  // seen from the side, the Z axis runs along the ground grid's middle line
  doc.m_Scene.m_vPosition = CVector3(300.0f, 60.0f, -40.0f);
  const CRgbPicture picture = Render(doc, 320, 240);
  // Drawn whole it covers some 70 pixels; losing to the grid line, a third of them.
  EXPECT_GT(Count(picture, [](Rgb c) { return c.b > 200 && c.r < 60 && c.g < 60; }), 50);
}

}  // namespace
}  // namespace brimvale::test
