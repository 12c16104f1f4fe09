#include <gtest/gtest.h>

#include <cmath>

#include "foundation/vector3.h"
#include "scene/camera.h"

namespace brimvale {
namespace {

double Deg(double radians) { return radians * 180.0 / 3.14159265358979; }
double Rad(double degrees) { return degrees * 3.14159265358979 / 180.0; }

TEST(CameraAngles, VerticalAngleSpansTheWidthOfTheFourByThreeFrame) {
  CScene camera;  // 40 degrees, distance > 0
  // Wider than 4:3: the vertical angle of a 4:3 picture, whatever the width.
  const double fourByThree = 2.0 * Deg(std::atan(std::tan(Rad(20.0)) * 0.75));
  EXPECT_NEAR(VerticalAngle(camera, 1600, 600), fourByThree, 1e-4);
  EXPECT_NEAR(VerticalAngle(camera, 1000, 600), fourByThree, 1e-4);
  // Narrower: the angle spans the window's width.
  EXPECT_NEAR(VerticalAngle(camera, 400, 600), 2.0 * Deg(std::atan(std::tan(Rad(20.0)) * 1.5)), 1e-4);
  // Exactly 4:3 takes the width branch, which agrees with the 4:3 value.
  EXPECT_NEAR(VerticalAngle(camera, 800, 600), fourByThree, 1e-4);
}

TEST(CameraAngles, DegenerateInputsKeepTheStoredAngle) {
  CScene camera;
  EXPECT_EQ(VerticalAngle(camera, 0, 600), 40.0f);
  EXPECT_EQ(VerticalAngle(camera, 800, 0), 40.0f);
  camera.m_vPosition = camera.m_vLookAt;
  EXPECT_EQ(VerticalAngle(camera, 800, 600), 40.0f);
}

TEST(CameraAngles, ViewPlaneSizeIsTheWorldSizeOfAPixelSpan) {
  CScene camera;
  const float t = 300.0f * static_cast<float>(std::tan(Rad(static_cast<double>(VerticalAngle(camera, 800, 600)) / 2.0)));
  const CVector3 whole = ViewPlaneSize(camera, 800, 600, 800, 600, 300.0f);
  EXPECT_NEAR(whole.x, 2.0f * t * 800.0f / 600.0f, 1e-3);
  EXPECT_NEAR(whole.y, 2.0f * t, 1e-3);
  EXPECT_EQ(whole.z, 0.0f);
  const CVector3 part = ViewPlaneSize(camera, 80, -60, 800, 600, 300.0f);
  EXPECT_NEAR(part.x, whole.x / 10.0f, 1e-3);
  EXPECT_NEAR(part.y, -whole.y / 10.0f, 1e-3);
  for (const CVector3& zero : {ViewPlaneSize(camera, 5, 5, 0, 600, 300.0f), ViewPlaneSize(camera, 5, 5, 800, 0, 300.0f),
                               ViewPlaneSize(camera, 5, 5, 800, 600, 0.0f)})
    EXPECT_EQ(zero, CVector3(0.0f, 0.0f, 0.0f));
}

TEST(CameraAngles, UpVectorIsPerpendicularToTheLineOfSightAndFollowsBank) {
  CScene camera;  // looking down at the origin from (0, 100, -300)
  const CVector3 up = UpVector(camera);
  CVector3 sight = Subtract(camera.m_vLookAt, camera.m_vPosition);
  sight.Scale(1.0f / sight.Length());
  EXPECT_NEAR(up.x * sight.x + up.y * sight.y + up.z * sight.z, 0.0f, 1e-5);
  EXPECT_GT(up.y, 0.9f);
  EXPECT_GT(up.z, 0.0f);  // tilted forward, towards where the camera looks
  camera.m_fBank = 90.0f;
  EXPECT_NEAR(std::fabs(UpVector(camera).x), 1.0f, 1e-5);
}

TEST(CameraAxisViews, OnlyExactOrthographicAxisCamerasCount) {
  CScene camera;
  camera.m_vLookAt = CVector3(5.0f, 6.0f, 7.0f);
  camera.m_vPosition = CVector3(5.0f, 600.0f, 7.0f);
  EXPECT_FALSE(IsViewFromAbove(camera));  // perspective: never an axis view
  camera.m_bPerspective = 0;
  EXPECT_TRUE(IsViewFromAbove(camera));
  EXPECT_FALSE(IsViewFromBelow(camera));
  camera.m_vPosition.x = std::nextafter(5.0f, 6.0f);
  EXPECT_FALSE(IsViewFromAbove(camera));
  camera.m_vPosition = CVector3(5.0f, -600.0f, 7.0f);
  EXPECT_TRUE(IsViewFromBelow(camera));
  camera.m_vPosition = CVector3(5.0f, 6.0f, -300.0f);
  EXPECT_TRUE(IsViewFromFront(camera));
  camera.m_vPosition = CVector3(5.0f, 6.0f, 300.0f);
  EXPECT_TRUE(IsViewFromBehind(camera));
  camera.m_vPosition = CVector3(300.0f, 6.0f, 7.0f);
  EXPECT_TRUE(IsViewFromRight(camera));
  EXPECT_FALSE(IsViewFromLeft(camera));
  camera.m_vPosition = CVector3(-300.0f, 6.0f, 7.0f);
  EXPECT_TRUE(IsViewFromLeft(camera));
}

}  // namespace
}  // namespace brimvale
