#include <gtest/gtest.h>

#include <cmath>

#include "document/quorix_doc.h"
#include "scene/camera.h"
#include "scene/navigation.h"

namespace brimvale {
namespace {

constexpr int kW = 800;
constexpr int kH = 600;

float Distance(const CScene& c) { return CameraDistance(c); }

TEST(Navigation, OrbitStopsStraightAboveOrBelowThenOnlyTurns) {
  // The scene follows the pointer: dragging down turns the camera up over the look-at.
  CScene camera;
  const float d = Distance(camera);
  for (int i = 0; i < 40; ++i) ApplyNavigationStep(kNavOrbit, camera, 400, 300 + 20, 400, 300, kW, kH);
  EXPECT_NEAR(camera.m_vPosition.x, 0.0f, 1e-3);
  EXPECT_NEAR(camera.m_vPosition.z, 0.0f, 1e-3);
  EXPECT_NEAR(camera.m_vPosition.y, d, 1e-2);
  EXPECT_NEAR(Distance(camera), d, 1e-2);
  ApplyNavigationStep(kNavOrbit, camera, 400, 400, 400, 300, kW, kH);  // further: stays on top
  EXPECT_NEAR(camera.m_vPosition.y, d, 1e-2);
  // Dragging up goes the other way, down to straight below.
  for (int i = 0; i < 80; ++i) ApplyNavigationStep(kNavOrbit, camera, 400, 300 - 20, 400, 300, kW, kH);
  EXPECT_NEAR(camera.m_vPosition.y, -d, 1e-2);
}

constexpr float kRad = 3.14159265f / 180.0f;

void ExpectNear(const CVector3& got, float x, float y, float z, const char* what) {
  EXPECT_NEAR(got.x, x, 1e-2f) << what;
  EXPECT_NEAR(got.y, y, 1e-2f) << what;
  EXPECT_NEAR(got.z, z, 1e-2f) << what;
}

TEST(Navigation, OrbitAndLookAroundTurnWithThePointer) {
  // 60 px to the right is 30 degrees about the vertical through the pivot:
  // the eye swings to the left of (0, 100, -300), the look-at to the right.
  CScene orbit;
  ApplyNavigationStep(kNavOrbit, orbit, 460, 300, 400, 300, kW, kH);
  ExpectNear(orbit.m_vPosition, -300.0f * std::sin(30 * kRad), 100.0f, -300.0f * std::cos(30 * kRad), "orbit right");
  EXPECT_EQ(orbit.m_vLookAt, CVector3(0.0f, 0.0f, 0.0f));
  CScene look;
  ApplyNavigationStep(kNavLookAround, look, 460, 300, 400, 300, kW, kH);
  EXPECT_EQ(look.m_vPosition, CVector3(0.0f, 100.0f, -300.0f));
  ExpectNear(look.m_vLookAt, 300.0f * std::sin(30 * kRad), 0.0f, -300.0f + 300.0f * std::cos(30 * kRad),
             "look right");

  // 20 px down is 10 degrees: the orbiting eye rises, the look-at sinks.
  const float d = std::sqrt(100.0f * 100.0f + 300.0f * 300.0f);
  const float elevation = std::atan(100.0f / 300.0f) + 10 * kRad;
  CScene up;
  ApplyNavigationStep(kNavOrbit, up, 400, 320, 400, 300, kW, kH);
  ExpectNear(up.m_vPosition, 0.0f, d * std::sin(elevation), -d * std::cos(elevation), "orbit down");
  CScene down;
  ApplyNavigationStep(kNavLookAround, down, 400, 320, 400, 300, kW, kH);
  ExpectNear(down.m_vLookAt, 0.0f, 100.0f - d * std::sin(elevation), -300.0f + d * std::cos(elevation), "look down");
}

TEST(Navigation, PerspectivePanMovesTheSceneByThePointerOnTheLookAtPlane) {
  CScene camera;
  const float d = Distance(camera);
  // One pixel on the look-at plane: the 4:3 frame's 40 degrees span 800 px.
  const float pixel = 2.0f * d * std::tan(20 * kRad) / kW;
  const float pitch = std::atan(100.0f / 300.0f);  // looking down
  // 80 px right and 60 px down: the camera moves left, and up along its tilted up vector.
  ApplyNavigationStep(kNavPan, camera, 480, 360, 400, 300, kW, kH);
  ExpectNear(camera.m_vPosition, -80 * pixel, 100.0f + 60 * pixel * std::cos(pitch), -300.0f + 60 * pixel * std::sin(pitch),
             "pan");
  ExpectNear(camera.m_vLookAt, -80 * pixel, 60 * pixel * std::cos(pitch), 60 * pixel * std::sin(pitch), "pan");
}

TEST(Navigation, OrthographicPanFollowsThePointerExactly) {
  CScene camera;
  camera.m_bPerspective = 0;
  camera.m_vPosition = CVector3(0.0f, 0.0f, -300.0f);
  const CVector3 view = ViewPlaneSize(camera, kW, kH, kW, kH, 300.0f);
  // Pointer 80 px right, 60 px down: the scene follows, so the camera moves left and up.
  ApplyNavigationStep(kNavPan, camera, 480, 360, 400, 300, kW, kH);
  EXPECT_NEAR(camera.m_vPosition.x, -view.x / 10.0f, 1e-3);
  EXPECT_NEAR(camera.m_vPosition.y, view.y / 10.0f, 1e-3);
  EXPECT_NEAR(camera.m_vPosition.z, -300.0f, 1e-3);
  EXPECT_NEAR(camera.m_vLookAt.x, camera.m_vPosition.x, 1e-3);
  EXPECT_NEAR(camera.m_vLookAt.y, camera.m_vPosition.y, 1e-3);
}

TEST(Navigation, DollyMovesAlongTheLineOfSightAndNeverPassesTheLookAt) {
  CScene camera;
  const float d = Distance(camera);
  ApplyNavigationStep(kNavDolly, camera, 400, 280, 400, 300, kW, kH);  // upwards: away
  EXPECT_NEAR(Distance(camera), d * 1.1f, 1e-2);
  CScene right, down;
  ApplyNavigationStep(kNavDolly, right, 450, 300, 400, 300, kW, kH);  // 50 px right: 5 % away
  EXPECT_NEAR(Distance(right), d * 1.05f, 1e-2);
  ApplyNavigationStep(kNavDolly, down, 400, 320, 400, 300, kW, kH);  // downwards: nearer
  ExpectNear(down.m_vPosition, 0.0f, 90.0f, -270.0f, "dolly down");
  for (int drag : {200, 250, 5000}) {
    CScene c;
    ApplyNavigationStep(kNavDolly, c, 400, 300 + drag, 400, 300, kW, kH);
    EXPECT_NEAR(Distance(c), d * kMinDollyFactor, 1e-2) << drag;
    EXPECT_LT(c.m_vPosition.z, 0.0f) << "still in front of the look-at";
  }
}

TEST(Navigation, AngleIsClampedToOneAndOneHundredFifty) {
  CScene camera;
  ApplyNavigationStep(kNavAngle, camera, 400, 290, 400, 300, kW, kH);
  EXPECT_NEAR(camera.m_fAngle, 50.0f, 1e-4);
  ApplyNavigationStep(kNavAngle, camera, 350, 290, 400, 290, kW, kH);  // 50 px left: 5 degrees less
  EXPECT_NEAR(camera.m_fAngle, 45.0f, 1e-4);
  ApplyNavigationStep(kNavAngle, camera, 400, 0, 400, 300, kW, kH);
  EXPECT_EQ(camera.m_fAngle, 150.0f);
  ApplyNavigationStep(kNavAngle, camera, 400, 600, 400, 0, kW, kH);
  EXPECT_EQ(camera.m_fAngle, 1.0f);
}

TEST(Navigation, UnknownModesLeaveTheCameraAlone) {
  CScene camera;
  EXPECT_FALSE(ApplyNavigationStep(5, camera, 500, 100, 400, 300, kW, kH));
  EXPECT_FALSE(ApplyNavigationStep(-1, camera, 500, 100, 400, 300, kW, kH));
  EXPECT_EQ(camera.m_vPosition, CScene().m_vPosition);
  EXPECT_EQ(camera.m_fAngle, 40.0f);
}

TEST(NavigationState, OneDragAtATimeAndButtonsHeldPickTheRightDragMode) {
  CQuorixDoc doc;
  CNavigationState state;
  EXPECT_TRUE(state.ButtonDown(MouseButton::Left, 10, 10));
  EXPECT_FALSE(state.ButtonDown(MouseButton::Right, 10, 10));
  EXPECT_FALSE(state.ButtonUp(MouseButton::Right));  // releasing it does not end the left drag
  EXPECT_TRUE(state.Dragging());
  EXPECT_EQ(state.SelectedMode(doc, {true, false, true}), 2);  // left drag: pan
  EXPECT_TRUE(state.ButtonUp(MouseButton::Left));
  EXPECT_FALSE(state.Dragging());
  EXPECT_EQ(state.SelectedMode(doc, {}), -1);

  EXPECT_TRUE(state.ButtonDown(MouseButton::Right, 10, 10));
  EXPECT_EQ(state.SelectedMode(doc, {false, false, true}), 0);  // orbit
  EXPECT_EQ(state.SelectedMode(doc, {true, false, true}), 3);   // with the left held: dolly
  EXPECT_EQ(state.SelectedMode(doc, {false, true, true}), 2);   // with the middle held: pan
  EXPECT_FALSE(state.ButtonDown(MouseButton::Middle, 10, 10));
}

TEST(NavigationState, MovesStepFromTheLastPositionAndAnnounceTheCamera) {
  CQuorixDoc doc;
  int posted = 0;
  struct Listener : CDocListener {
    int* count;
    explicit Listener(int* c) : count(c) {}
    void OnDocNotify(int code, uint32_t) override {
      if (code == NOTIFY_CAMERA_MOVED) ++*count;
    }
  } listener(&posted);
  doc.Hub().Register(&listener);
  CNavigationState state;
  EXPECT_FALSE(state.MouseMove(doc, 100, 100, {}, kW, kH));  // no drag: nothing, but remembered
  doc.MouseModeLeft = kNavAngle;
  ASSERT_TRUE(state.ButtonDown(MouseButton::Left, 100, 100));
  EXPECT_TRUE(state.MouseMove(doc, 100, 95, {true, false, false}, kW, kH));
  EXPECT_TRUE(state.MouseMove(doc, 100, 90, {true, false, false}, kW, kH));
  EXPECT_NEAR(doc.m_Scene.m_fAngle, 50.0f, 1e-4);  // two steps of 5 px, not 5 + 10
  doc.Hub().DeliverPosted();
  EXPECT_EQ(posted, 2);
  doc.Hub().Unregister(&listener);
}

}  // namespace
}  // namespace brimvale
