// Offscreen renderings of small models, checked by what must be seen where and
// against baseline pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "view/back_image.h"
#include "model_texts.h"
#include "render_fixture.h"

namespace brimvale::test {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

void FrontCamera(CQuorixDoc& doc, float z = -300.0f) {
  doc.m_Scene.m_vPosition = CVector3(0.0f, 0.0f, z);
  doc.m_Scene.m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
  doc.m_Scene.m_fAngle = 40.0f;
  doc.m_Scene.m_bPerspective = 1;
}

// A 64 x 64 picture in four colours: red top left, green top right, blue
// bottom left, yellow bottom right.
CRgbPicture Quadrants() {
  CRgbPicture picture;
  picture.width = picture.height = 64;
  picture.pixels.resize(64 * 64 * 3);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = &picture.pixels[static_cast<size_t>(y * 64 + x) * 3];
      const bool right = x >= 32, bottom = y >= 32;
      p[0] = (!bottom && !right) || (bottom && right) ? 255 : 0;
      p[1] = (!bottom && right) || (bottom && right) ? 255 : 0;
      p[2] = bottom && !right ? 255 : 0;
    }
  }
  return picture;
}

bool Dominant(Rgb c, char which) {
  switch (which) {
    case 'r':
      return c.r > c.g + 60 && c.r > c.b + 60;
    case 'g':
      return c.g > c.r + 60 && c.g > c.b + 60;
    case 'b':
      return c.b > c.r + 60 && c.b > c.g + 60;
    default:  // yellow
      return c.r > c.b + 60 && c.g > c.b + 60;
  }
}

TEST_F(RenderTest, TexturedSquareIsNeitherMirroredNorTransposedNorUpsideDown) {
  const std::string folder = ScratchFolder("textured_square");
  ASSERT_TRUE(WritePng(folder + "/quadrants.png", Quadrants()));
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, folder, "square", TexturedSquareText("quadrants.png")));
  ASSERT_EQ(doc.MaterialCount(), 1);
  ASSERT_TRUE(doc.Material(0)->IsTextured());
  FrontCamera(doc);
  doc.Display.ShowGrid = false;
  const CRgbPicture picture = Render(doc, kW, kH);
  const int cx = kW / 2, cy = kH / 2, d = 16;
  EXPECT_TRUE(Dominant(PixelAt(picture, cx - d, cy - d), 'r'));
  EXPECT_TRUE(Dominant(PixelAt(picture, cx + d, cy - d), 'g'));
  EXPECT_TRUE(Dominant(PixelAt(picture, cx - d, cy + d), 'b'));
  EXPECT_TRUE(Dominant(PixelAt(picture, cx + d, cy + d), 'y'));
  EXPECT_TRUE(MatchesBaseline(picture, "textured_square"));
}

TEST_F(RenderTest, BackFacesDisappearWithCullingAndShowWithout) {
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, ScratchFolder("culling"), "square", PlainSquareText(1.0f, 0.2f, 0.2f, 1.0f)));
  FrontCamera(doc, 300.0f);  // behind the square
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  const CRgbPicture culled = Render(doc, kW, kH);
  const Rgb background = PixelAt(culled, kW / 2, kH / 2);
  EXPECT_EQ(background.r, 150);
  EXPECT_EQ(background.g, 150);
  doc.Display.CullBackFaces = false;
  const CRgbPicture shown = Render(doc, kW, kH);
  const Rgb face = PixelAt(shown, kW / 2, kH / 2);
  EXPECT_NE(face.r, 150);
  EXPECT_TRUE(MatchesBaseline(culled, "culling_on"));
  EXPECT_TRUE(MatchesBaseline(shown, "culling_off"));
}

TEST_F(RenderTest, TranslucentMaterialsBlendOnlyWithTransparencyOn) {
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, ScratchFolder("transparency"), "square", PlainSquareText(1.0f, 0.0f, 0.0f, 0.5f)));
  FrontCamera(doc);
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  const CRgbPicture blended = Render(doc, kW, kH);
  EXPECT_NEAR(PixelAt(blended, kW / 2 - 10, kH / 2 - 10).g, 75, 3);  // half of the grey behind
  doc.Display.Transparency = false;
  const CRgbPicture opaque = Render(doc, kW, kH);
  EXPECT_LE(PixelAt(opaque, kW / 2 - 10, kH / 2 - 10).g, 2);
  EXPECT_TRUE(MatchesBaseline(blended, "transparency_on"));
  EXPECT_TRUE(MatchesBaseline(opaque, "transparency_off"));
}

// Largest colour step between neighbouring pixels across the centre column, on one row.
int SeamStep(const CRgbPicture& picture, int y) {
  int worst = 0;
  for (int x = picture.width / 2 - 3; x < picture.width / 2 + 3; ++x) {
    const Rgb a = PixelAt(picture, x, y), b = PixelAt(picture, x + 1, y);
    worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
  }
  return worst;
}

TEST_F(RenderTest, JoinedMirrorHalvesShowNoSeam) {
  CQuorixDoc joined, separate;
  const std::string folder = ScratchFolder("mirror");
  ASSERT_TRUE(LoadModelText(joined, folder, "joined", HalfCylinderText(2)));
  ASSERT_TRUE(LoadModelText(separate, folder, "separate", HalfCylinderText(1)));
  for (CQuorixDoc* doc : {&joined, &separate}) {
    FrontCamera(*doc);
    doc->Display.ShowGrid = false;
    doc->Display.ShowAxes = false;
  }
  const CRgbPicture whole = Render(joined, kW, kH);
  const CRgbPicture halves = Render(separate, kW, kH);
  // Both halves are drawn: the cylinder is as wide on the left as on the right.
  EXPECT_NE(PixelAt(whole, kW / 2 - 20, kH / 2).r, 150);
  EXPECT_NE(PixelAt(whole, kW / 2 + 20, kH / 2).r, 150);
  EXPECT_LE(SeamStep(whole, kH / 2), 4);
  // Separate halves keep their own normals at the seam, which shows.
  EXPECT_GT(SeamStep(halves, kH / 2), SeamStep(whole, kH / 2));
  EXPECT_TRUE(MatchesBaseline(whole, "mirror_joined"));
}

TEST_F(RenderTest, FrameMaskBandsMarkTheFourByThreeArea) {
  CQuorixDoc doc;
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  const CRgbPicture wide = Render(doc, 320, 120);
  const Rgb band = PixelAt(wide, 5, 60);
  EXPECT_NEAR(band.r, 139, 2);
  EXPECT_NEAR(band.b, 202, 2);
  EXPECT_EQ(PixelAt(wide, 160, 60).b, 150);
  EXPECT_EQ(PixelAt(wide, 160, 5).b, 150);
  EXPECT_NEAR(PixelAt(wide, 314, 60).b, 202, 2);

  const CRgbPicture narrow = Render(doc, 120, 160);
  EXPECT_NEAR(PixelAt(narrow, 60, 5).b, 202, 2);
  EXPECT_NEAR(PixelAt(narrow, 60, 154).b, 202, 2);
  EXPECT_EQ(PixelAt(narrow, 5, 80).b, 150);

  const CRgbPicture exact = Render(doc, 160, 120);  // exactly 4:3: no band in view
  EXPECT_EQ(PixelAt(exact, 2, 2).b, 150);
  EXPECT_EQ(PixelAt(exact, 80, 2).b, 150);
  EXPECT_TRUE(MatchesBaseline(wide, "frame_mask_wide"));
  EXPECT_TRUE(MatchesBaseline(narrow, "frame_mask_narrow"));
}

int CountPixels(const CRgbPicture& picture, bool (*match)(Rgb)) {
  int count = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) count += match(PixelAt(picture, x, y)) ? 1 : 0;
  return count;
}

TEST_F(RenderTest, GridAndAxesAreDrawnAndToggleIndependently) {
  CQuorixDoc doc;  // nothing in the document; seen from the side so no axis hides behind another
  doc.m_Scene.m_vPosition = CVector3(-150.0f, 120.0f, -300.0f);
  const CRgbPicture both = Render(doc, kW, kH);
  auto grid = [](Rgb c) { return c.r == 130 && c.g == 130 && c.b == 130; };
  auto red = [](Rgb c) { return c.r > 200 && c.g < 60 && c.b < 60; };
  auto green = [](Rgb c) { return c.g > 200 && c.r < 60 && c.b < 60; };
  auto blue = [](Rgb c) { return c.b > 200 && c.r < 60 && c.g < 60; };
  EXPECT_GT(CountPixels(both, grid), 300);
  EXPECT_GT(CountPixels(both, red), 5);
  EXPECT_GT(CountPixels(both, green), 5);
  EXPECT_GT(CountPixels(both, blue), 5);
  EXPECT_TRUE(MatchesBaseline(both, "grid_and_axes"));

  doc.Display.ShowAxes = false;
  const CRgbPicture gridOnly = Render(doc, kW, kH);
  EXPECT_EQ(CountPixels(gridOnly, red), 0);
  EXPECT_GT(CountPixels(gridOnly, grid), 300);
  doc.Display.ShowAxes = true;
  doc.Display.ShowGrid = false;
  const CRgbPicture axesOnly = Render(doc, kW, kH);
  EXPECT_EQ(CountPixels(axesOnly, grid), 0);
  EXPECT_GT(CountPixels(axesOnly, red), 5);
}

TEST_F(RenderTest, PointsAndEdgesUseTheWireColour) {
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, ScratchFolder("wire"), "square", PlainSquareText(0.2f, 0.2f, 1.0f, 1.0f)));
  FrontCamera(doc);
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  doc.Display.ShowFaces = false;
  doc.Display.ShowVertices = true;
  auto wire = [](Rgb c) { return c.r == 255 && c.g == 100 && c.b == 255; };
  const CRgbPicture points = Render(doc, kW, kH);
  EXPECT_EQ(CountPixels(points, wire), 4 * 16);  // four points, 4 pixels square
  doc.Display.ShowEdges = true;
  doc.Display.ShowFaces = true;
  const CRgbPicture edges = Render(doc, kW, kH);
  EXPECT_GT(CountPixels(edges, wire), 4 * 16 + 4 * 60);  // edges stay visible over the faces
  EXPECT_TRUE(MatchesBaseline(edges, "points_and_edges"));
}

TEST_F(RenderTest, BackgroundPictureStandsUprightBehindTheScene) {
  const std::string folder = ScratchFolder("background");
  ASSERT_TRUE(WritePng(folder + "/quadrants.png", Quadrants()));
  CQuorixDoc doc;
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  doc.m_BackImage.m_strFile = folder + "/quadrants.png";
  doc.m_BackImage.m_bShow = 1;
  ASSERT_TRUE(LoadBackImage(doc.m_BackImage));
  EXPECT_EQ(doc.m_BackImage.m_nWidth, 64);
  const CRgbPicture picture = Render(doc, kW, kH);
  EXPECT_TRUE(Dominant(PixelAt(picture, 40, 30), 'r'));
  EXPECT_TRUE(Dominant(PixelAt(picture, 120, 30), 'g'));
  EXPECT_TRUE(Dominant(PixelAt(picture, 40, 90), 'b'));
  EXPECT_TRUE(Dominant(PixelAt(picture, 120, 90), 'y'));
  EXPECT_TRUE(MatchesBaseline(picture, "background_picture"));

  doc.m_BackImage.m_bShow = 0;
  EXPECT_EQ(PixelAt(Render(doc, kW, kH), 40, 30).g, 150);
  doc.m_BackImage.m_strFile = folder + "/missing.png";
  EXPECT_FALSE(LoadBackImage(doc.m_BackImage));
  EXPECT_FALSE(doc.m_BackImage.m_bLoaded);
  doc.m_BackImage.m_strFile = folder + "/quadrants.gif";
  EXPECT_FALSE(LoadBackImage(doc.m_BackImage));
}

}  // namespace
}  // namespace brimvale::test
