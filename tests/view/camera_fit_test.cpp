// Framing: the fit brings the drawn model into the 4:3 frame at every scale
// and place (checked on rendered pictures, so the depth range is tested with
// it), opening keeps a camera that already frames the model, the depth range
// keeps 20 and 10000 whenever it can, and the wheel dollies.
#include <gtest/gtest.h>

#include <cmath>

#include "../geometry/mesh_fixtures.h"
#include "render_fixture.h"
#include "view/camera.h"
#include "view/camera_fit.h"
#include "view/depth_range.h"
#include "view/navigation.h"

namespace brimvale::test {
namespace {

using brimvale::testing::MakeCube;

CMeshObject& AddBox(CQuorixDoc& doc, CVector3 centre, CVector3 half) {
  CMeshObject& object = *doc.AddObject();
  MakeCube(object, 1.0f);
  for (CVector3& p : object.m_Vertices.Positions())
    p = CVector3(centre.x + p.x * half.x, centre.y + p.y * half.y, centre.z + p.z * half.z);
  return object;
}

CVector3 Direction(const CScene& camera) {
  CVector3 d = Subtract(camera.m_vLookAt, camera.m_vPosition);
  d.Scale(1.0f / d.Length());
  return d;
}

// Columns and rows the model covers (anything but the clear colour).
struct Extent {
  int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};
Extent ModelExtent(const CRgbPicture& picture) {
  Extent e;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb c = PixelAt(picture, x, y);
      if (c.r == 150 && c.g == 150 && c.b == 150) continue;
      e.left = std::min(e.left, x), e.right = std::max(e.right, x);
      e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
    }
  }
  return e;
}

class CameraFitTest : public RenderTest {
 protected:
  // Fits, renders at 160 x 120 and expects the whole model in the picture,
  // clear of the edges and spanning at least 60 % of the width or height.
  void ExpectFitsWhole(CQuorixDoc& doc, const char* what) {
    doc.Display.ShowGrid = false;
    doc.Display.ShowAxes = false;
    doc.Display.CullBackFaces = false;
    const CVector3 direction = Direction(doc.m_Scene);
    ASSERT_TRUE(FitCameraToDocument(doc)) << what;
    const CVector3 after = Direction(doc.m_Scene);
    EXPECT_NEAR(after.x * direction.x + after.y * direction.y + after.z * direction.z, 1.0f, 1e-5f) << what;
    const Extent e = ModelExtent(Render(doc, 160, 120));
    ASSERT_GE(e.right, 0) << what << ": nothing drawn";
    EXPECT_GT(e.left, 0) << what;
    EXPECT_LT(e.right, 159) << what;
    EXPECT_GT(e.top, 0) << what;
    EXPECT_LT(e.bottom, 119) << what;
    EXPECT_TRUE(e.right - e.left >= 96 || e.bottom - e.top >= 72) << what << ": too small";
  }
};

TEST_F(CameraFitTest, FitsModelsOfEveryScaleAndPlaceWhole) {
  const struct {
    const char* what;
    CVector3 centre, half;
  } cases[] = {
      {"box far from the origin", {40000.0f, -25000.0f, 70000.0f}, {30.0f, 60.0f, 20.0f}},
      {"0.01-unit box", {0.0f, 0.0f, 0.0f}, {0.005f, 0.005f, 0.005f}},
      {"50,000-unit box", {0.0f, 0.0f, 0.0f}, {25000.0f, 5000.0f, 25000.0f}},
      {"1e-4-unit box", {0.001f, 0.0f, 0.0f}, {0.00005f, 0.00005f, 0.00005f}},
      {"box at 1e7", {1.0e7f, 1.0e7f, -1.0e7f}, {4000.0f, 3000.0f, 5000.0f}},
  };
  for (const auto& c : cases) {
    CQuorixDoc doc;
    AddBox(doc, c.centre, c.half);
    ExpectFitsWhole(doc, c.what);
    EXPECT_NEAR(doc.m_Scene.m_vLookAt.x, c.centre.x, c.half.x * 1e-3f + std::abs(c.centre.x) * 1e-6f) << c.what;
  }
  // Orthographic, seen from an odd angle with a bank.
  CQuorixDoc ortho;
  AddBox(ortho, {300.0f, 0.0f, 0.0f}, {2000.0f, 100.0f, 50.0f});
  ortho.m_Scene.m_bPerspective = 0;
  ortho.m_Scene.m_vPosition = CVector3(-500.0f, 900.0f, -100.0f);
  ortho.m_Scene.m_fBank = 30.0f;
  ExpectFitsWhole(ortho, "orthographic");
  EXPECT_EQ(ortho.m_Scene.m_bPerspective, 0);
  EXPECT_EQ(ortho.m_Scene.m_fBank, 30.0f);
}

TEST_F(CameraFitTest, MeasuresTheDerivedMeshOfVisibleObjectsOnly) {
  // Mirrored across x: the cage lies right of the origin, what is drawn on both sides.
  CQuorixDoc mirrored;
  CMeshObject& half = AddBox(mirrored, {100.0f, 0.0f, 0.0f}, {50.0f, 50.0f, 50.0f});
  half.m_nMirrorType = 1;
  ASSERT_TRUE(FitCameraToDocument(mirrored));
  EXPECT_NEAR(mirrored.m_Scene.m_vLookAt.x, 0.0f, 1e-3f);
  ExpectFitsWhole(mirrored, "mirrored");

  // A subdivided box is drawn smaller than its cage, so it is fitted nearer.
  CQuorixDoc cage, patch;
  AddBox(cage, {0.0f, 0.0f, 0.0f}, {100.0f, 100.0f, 100.0f});
  AddBox(patch, {0.0f, 0.0f, 0.0f}, {100.0f, 100.0f, 100.0f}).m_nPatchType = 1;
  ASSERT_TRUE(FitCameraToDocument(cage));
  ASSERT_TRUE(FitCameraToDocument(patch));
  EXPECT_LT(CameraDistance(patch.m_Scene), 0.9f * CameraDistance(cage.m_Scene));

  // A hidden giant is left out: the fit is that of the small box alone.
  CQuorixDoc withHidden, alone;
  AddBox(withHidden, {0.0f, 0.0f, 0.0f}, {10.0f, 10.0f, 10.0f});
  AddBox(withHidden, {5000.0f, 0.0f, 0.0f}, {9000.0f, 9000.0f, 9000.0f}).m_bVisible = 0;
  AddBox(alone, {0.0f, 0.0f, 0.0f}, {10.0f, 10.0f, 10.0f});
  ASSERT_TRUE(FitCameraToDocument(withHidden));
  ASSERT_TRUE(FitCameraToDocument(alone));
  EXPECT_EQ(withHidden.m_Scene.m_vPosition, alone.m_Scene.m_vPosition);
}

TEST(CameraFit, DegenerateModelsGetASaneCamera) {
  // Nothing drawn: an empty document, and a lone vertex while vertices are hidden.
  CQuorixDoc empty, point;
  EXPECT_FALSE(FitCameraToDocument(empty));
  CMeshObject& vertex = *point.AddObject();
  vertex.m_Vertices.SetSize(1);
  vertex.m_Vertices.Position(0) = CVector3(7.0f, 8.0f, 9.0f);
  EXPECT_FALSE(FitCameraToDocument(point));
  EXPECT_EQ(point.m_Scene.m_vPosition, CVector3(0.0f, 100.0f, -300.0f));
  // Shown, the vertex is looked at from the distance the camera had.
  point.Display.ShowVertices = true;
  ASSERT_TRUE(FitCameraToDocument(point));
  EXPECT_EQ(point.m_Scene.m_vLookAt, CVector3(7.0f, 8.0f, 9.0f));
  EXPECT_NEAR(CameraDistance(point.m_Scene), std::sqrt(100.0f * 100.0f + 300.0f * 300.0f), 1e-2f);
  // A flat square seen exactly edge-on, orthographic or not.
  for (int perspective : {1, 0}) {
    CQuorixDoc flat;
    AddBox(flat, {0.0f, 0.0f, 0.0f}, {50.0f, 0.0f, 50.0f});
    flat.m_Scene.m_vPosition = CVector3(0.0f, 0.0f, -300.0f);
    flat.m_Scene.m_bPerspective = perspective;
    ASSERT_TRUE(FitCameraToDocument(flat));
    const float d = CameraDistance(flat.m_Scene);
    EXPECT_TRUE(std::isfinite(d) && d > 10.0f && d < 1000.0f) << d;
  }
}

TEST(CameraFit, OpeningKeepsACameraThatFramesTheModel) {
  CQuorixDoc framed, cut, around, speck;
  AddBox(framed, {0.0f, 0.0f, 0.0f}, {60.0f, 60.0f, 60.0f});
  AddBox(cut, {0.0f, 0.0f, 0.0f}, {600.0f, 60.0f, 60.0f});
  AddBox(around, {0.0f, 0.0f, 0.0f}, {1000.0f, 1000.0f, 1000.0f});  // the eye is inside it
  AddBox(speck, {0.0f, 0.0f, 0.0f}, {2.0f, 2.0f, 2.0f});
  const CScene file = framed.m_Scene;
  EXPECT_TRUE(CameraShowsModelWell(framed));
  ApplyOpeningFraming(framed, FramingMode::Auto);
  EXPECT_EQ(framed.m_Scene.m_vPosition, file.m_vPosition);
  EXPECT_EQ(framed.m_Scene.m_vLookAt, file.m_vLookAt);
  ApplyOpeningFraming(framed, FramingMode::Fit);
  EXPECT_NE(framed.m_Scene.m_vPosition, file.m_vPosition);

  for (CQuorixDoc* doc : {&cut, &around, &speck}) {
    EXPECT_FALSE(CameraShowsModelWell(*doc));
    ApplyOpeningFraming(*doc, FramingMode::FileCamera);
    EXPECT_EQ(doc->m_Scene.m_vPosition, file.m_vPosition);
    ApplyOpeningFraming(*doc, FramingMode::Auto);
    EXPECT_NE(doc->m_Scene.m_vPosition, file.m_vPosition);
    EXPECT_TRUE(CameraShowsModelWell(*doc));
  }
}

TEST(DepthRange, KeepsTheUsualPlanesWheneverTheModelLiesBetweenThem) {
  CScene camera;  // 316 units from the origin
  CDrawnBox box;
  box.Add(CVector3(-100.0f, -100.0f, -100.0f));
  box.Add(CVector3(100.0f, 100.0f, 100.0f));
  CDepthRange range = DepthRangeFor(camera, box, false);
  EXPECT_EQ(range.zNear, 20.0);
  EXPECT_EQ(range.zFar, 10000.0);
  EXPECT_EQ(DepthRangeFor(camera, CDrawnBox(), false).zFar, 10000.0);

  // A model reaching past the far plane is taken in whole; one at the eye
  // gets planes whose ratio stays bounded.
  for (float size : {40000.0f, 1e6f}) {
    CDrawnBox big;
    big.Add(CVector3(-size, -size, -size));
    big.Add(CVector3(size, size, size));
    for (bool turntable : {false, true}) {
      double nearest = 0.0, farthest = 0.0;
      BoxDepths(camera, big, turntable, nearest, farthest);
      range = DepthRangeFor(camera, big, turntable);
      EXPECT_GE(range.zFar, farthest);
      EXPECT_GT(range.zNear, 0.0);
      EXPECT_LE(range.zFar / range.zNear, kMaxDepthRatio * 1.0001);
    }
  }
  // A tiny model right in front of the eye lies wholly between its planes.
  CDrawnBox tiny;
  tiny.Add(CVector3(0.0f, 0.0f, -299.99f));
  tiny.Add(CVector3(0.001f, 0.001f, -299.98f));
  camera.m_vPosition = CVector3(0.0f, 0.0f, -300.0f);
  range = DepthRangeFor(camera, tiny, false);
  EXPECT_LT(range.zNear, 0.01 * 0.99);
  EXPECT_GT(range.zFar, 0.02);
  EXPECT_LT(range.zFar / range.zNear, kMaxDepthRatio);
}

TEST(WheelDolly, StepsInProportionToTheDistanceAndNeverReachTheLookAt) {
  CScene camera;
  const float start = CameraDistance(camera);
  const CVector3 direction = Direction(camera);
  ASSERT_TRUE(ApplyWheelDolly(camera, 120));
  EXPECT_NEAR(CameraDistance(camera), start * kWheelNotchFactor, 1e-2f);
  ASSERT_TRUE(ApplyWheelDolly(camera, -240));
  EXPECT_NEAR(CameraDistance(camera), start / kWheelNotchFactor, 1e-2f);
  EXPECT_NEAR(Direction(camera).y, direction.y, 1e-5f);
  EXPECT_FALSE(ApplyWheelDolly(camera, 0));
  for (int i = 0; i < 500; ++i) ApplyWheelDolly(camera, 1200);
  EXPECT_GT(CameraDistance(camera), 0.0f);
  EXPECT_NEAR(Direction(camera).y, direction.y, 1e-3f);
  EXPECT_FALSE(ApplyWheelDolly(camera, 1200));
}

}  // namespace
}  // namespace brimvale::test
