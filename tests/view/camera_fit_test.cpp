// Framing: the fit brings the drawn model into the 4:3 frame at every scale
// and place (checked on rendered pictures, so the depth range is tested with
// it), opening keeps a camera that already frames the model, the depth range
// keeps 20 and 10000 whenever it can, and the wheel dollies.
#include "scene/camera_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../geometry/mesh_fixtures.h"
#include "render_fixture.h"
#include "scene/camera.h"
#include "scene/depth_range.h"
#include "scene/navigation.h"

namespace brimvale::test {
namespace {

CMeshObject& AddBox(CQuorixDoc& doc, CVector3 centre, CVector3 half) {
  CMeshObject& object = *doc.AddObject();
  brimvale::testing::MakeCube(object, 1.0f);
  for (CVector3& p : object.m_Vertices.Positions())
    p = CVector3(centre.x + p.x * half.x, centre.y + p.y * half.y, centre.z + p.z * half.z);
  return object;
}

CVector3 Direction(const CScene& camera) {
  CVector3 d = Subtract(camera.m_vLookAt, camera.m_vPosition);
  d.Scale(1.0f / d.Length());
  return d;
}

class CameraFitTest : public RenderTest {
 protected:
  // Fits and renders at 160 x 120: the direction of view is kept, and the whole
  // model shows clear of the edges, spanning 60 % of the width or height.
  void ExpectFitsWhole(CQuorixDoc& doc, const char* what) {
    doc.Display.ShowGrid = doc.Display.ShowAxes = doc.Display.CullBackFaces = false;
    const CVector3 before = Direction(doc.m_Scene);
    ASSERT_TRUE(FitCameraToDocument(doc)) << what;
    const CVector3 after = Direction(doc.m_Scene);
    EXPECT_NEAR(after.x * before.x + after.y * before.y + after.z * before.z, 1.0f, 1e-5f) << what;
    const CRgbPicture picture = Render(doc, 160, 120);
    int left = 160, right = -1, top = 120, bottom = -1;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) {
        const Rgb c = PixelAt(picture, x, y);
        if (c.r == 150 && c.g == 150 && c.b == 150) continue;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
        bottom = std::max(bottom, y);
      }
    }
    EXPECT_TRUE(right >= left && left > 0 && right < 159 && top > 0 && bottom < 119)
        << what << ": cut or not drawn";
    EXPECT_TRUE(right - left >= 96 || bottom - top >= 72) << what << ": too small";
  }
};

TEST_F(CameraFitTest, FitsModelsOfEveryScaleAndPlaceWhole) {
  const struct {
    const char* what;
    CVector3 centre, half;
  } cases[] = {
      {"box far from the origin", {40000.0f, -25000.0f, 70000.0f}, {30.0f, 60.0f, 20.0f}},
      {"0.01-unit box", {0.0f, 0.0f, 0.0f}, {0.005f, 0.005f, 0.005f}},
      {"1e-4-unit box", {0.001f, 0.0f, 0.0f}, {0.00005f, 0.00005f, 0.00005f}},
      {"50,000-unit box", {0.0f, 0.0f, 0.0f}, {25000.0f, 5000.0f, 25000.0f}},
      {"box at 1e7", {1.0e7f, 1.0e7f, -1.0e7f}, {4000.0f, 3000.0f, 5000.0f}},
  };
  for (const auto& c : cases) {
    CQuorixDoc doc;
    AddBox(doc, c.centre, c.half);
    ExpectFitsWhole(doc, c.what);
    EXPECT_NEAR(doc.m_Scene.m_vLookAt.x, c.centre.x, c.half.x * 1e-3f + std::abs(c.centre.x) * 1e-6f)
        << c.what;
  }
  CQuorixDoc ortho;  // seen from an odd angle, banked
  AddBox(ortho, {300.0f, 0.0f, 0.0f}, {2000.0f, 100.0f, 50.0f});
  ortho.m_Scene.m_bPerspective = 0;
  ortho.m_Scene.m_vPosition = CVector3(-500.0f, 900.0f, -100.0f);
  ortho.m_Scene.m_fBank = 30.0f;
  ExpectFitsWhole(ortho, "orthographic");

  // A deep model seen end-on, widest at its near end: the near end sets the distance.
  CQuorixDoc deep;
  AddBox(deep, {0.0f, 0.0f, -1000.0f}, {200.0f, 200.0f, 10.0f});
  AddBox(deep, {0.0f, 0.0f, 1000.0f}, {1.0f, 1.0f, 10.0f});
  deep.m_Scene.m_vPosition = CVector3(0.0f, 0.0f, -5000.0f);
  deep.m_Scene.m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
  ExpectFitsWhole(deep, "deep model seen end-on");
  EXPECT_EQ(ortho.m_Scene.m_bPerspective, 0);
  EXPECT_EQ(ortho.m_Scene.m_fBank, 30.0f);
}

TEST_F(CameraFitTest, MeasuresTheDerivedMeshOfVisibleObjectsOnly) {
  // Mirrored across x: the cage lies right of the origin, the drawn mesh on both sides.
  CQuorixDoc mirrored;
  AddBox(mirrored, {100.0f, 0.0f, 0.0f}, {50.0f, 50.0f, 50.0f}).m_nMirrorType = 1;
  ExpectFitsWhole(mirrored, "mirrored");
  EXPECT_NEAR(mirrored.m_Scene.m_vLookAt.x, 0.0f, 1e-3f);

  // A subdivided box is drawn smaller than its cage, so it is fitted nearer;
  // a hidden giant beside it changes nothing.
  CQuorixDoc cage, patch, withHidden;
  AddBox(cage, {0.0f, 0.0f, 0.0f}, {100.0f, 100.0f, 100.0f});
  AddBox(patch, {0.0f, 0.0f, 0.0f}, {100.0f, 100.0f, 100.0f}).m_nPatchType = 1;
  AddBox(withHidden, {0.0f, 0.0f, 0.0f}, {100.0f, 100.0f, 100.0f});
  AddBox(withHidden, {5000.0f, 0.0f, 0.0f}, {9000.0f, 9000.0f, 9000.0f}).m_bVisible = 0;
  for (CQuorixDoc* doc : {&cage, &patch, &withHidden}) ASSERT_TRUE(FitCameraToDocument(*doc));
  EXPECT_LT(CameraDistance(patch.m_Scene), 0.9f * CameraDistance(cage.m_Scene));
  EXPECT_EQ(withHidden.m_Scene.m_vPosition, cage.m_Scene.m_vPosition);
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
  // Shown, it is looked at from the distance the camera had.
  point.Display.ShowVertices = true;
  ASSERT_TRUE(FitCameraToDocument(point));
  EXPECT_EQ(point.m_Scene.m_vLookAt, CVector3(7.0f, 8.0f, 9.0f));
  EXPECT_NEAR(CameraDistance(point.m_Scene), std::sqrt(100.0f * 100.0f + 300.0f * 300.0f), 1e-2f);
  for (int perspective : {1, 0}) {  // a flat square seen exactly edge-on
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
  const CVector3 file = framed.m_Scene.m_vPosition;
  ApplyOpeningFraming(framed, FramingMode::Auto);
  EXPECT_EQ(framed.m_Scene.m_vPosition, file);
  ApplyOpeningFraming(framed, FramingMode::Fit);
  EXPECT_NE(framed.m_Scene.m_vPosition, file);
  for (CQuorixDoc* doc : {&cut, &around, &speck}) {
    EXPECT_FALSE(CameraShowsModelWell(*doc));
    ApplyOpeningFraming(*doc, FramingMode::FileCamera);
    EXPECT_EQ(doc->m_Scene.m_vPosition, file);
    ApplyOpeningFraming(*doc, FramingMode::Auto);
    EXPECT_TRUE(CameraShowsModelWell(*doc));
  }
}

TEST(DepthRange, KeepsTheUsualPlanesWheneverTheModelLiesBetweenThem) {
  CScene camera;  // 316 units from the origin
  CDrawnBox box, big;
  box.Add(CVector3(-100.0f, -100.0f, -100.0f));
  box.Add(CVector3(100.0f, 100.0f, 100.0f));
  const CDepthRange usual = DepthRangeFor(camera, box, false);
  EXPECT_TRUE(usual.zNear == 20.0 && usual.zFar == 10000.0);
  // A model around the eye and past the far plane: all of it, the ratio bounded.
  big.Add(CVector3(-1e6f, -1e6f, -1e6f));
  big.Add(CVector3(1e6f, 1e6f, 1e6f));
  for (bool turntable : {false, true}) {
    double nearest = 0.0, farthest = 0.0;
    BoxDepths(camera, big, turntable, nearest, farthest);
    const CDepthRange range = DepthRangeFor(camera, big, turntable);
    EXPECT_GE(range.zFar, farthest);
    EXPECT_TRUE(range.zNear > 0.0 && range.zFar / range.zNear <= kMaxDepthRatio * 1.0001);
  }
}

TEST(WheelDolly, StepsInProportionToTheDistanceAndNeverReachTheLookAt) {
  CScene camera;
  const float start = CameraDistance(camera);
  const CVector3 direction = Direction(camera);
  ASSERT_TRUE(ApplyWheelDolly(camera, 120));
  EXPECT_NEAR(CameraDistance(camera), start * kWheelNotchFactor, 1e-2f);
  ASSERT_TRUE(ApplyWheelDolly(camera, -240));
  EXPECT_NEAR(CameraDistance(camera), start / kWheelNotchFactor, 1e-2f);
  for (int i = 0; i < 500; ++i) ApplyWheelDolly(camera, 1200);
  EXPECT_GT(CameraDistance(camera), 0.0f);
  EXPECT_NEAR(Direction(camera).y, direction.y, 1e-3f);
  EXPECT_FALSE(ApplyWheelDolly(camera, 1200));
}

}  // namespace
}  // namespace brimvale::test
