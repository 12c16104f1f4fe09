#include "scene/navigation.h"

#include <algorithm>
#include <cmath>

#include "document/quorix_doc.h"
#include "foundation/matrix4.h"
#include "scene/camera.h"

namespace brimvale {
namespace {

constexpr float kOrbitSpeed = 0.1f * 5.0f;

// Turns `moving` about `pivot` by the pointer step: the pitch of
// (moving - pivot) changes by dy, clamped to -90..90, and the heading by dx.
void TurnAbout(CVector3& moving, const CVector3& pivot, float dx, float dy) {
  const CVector3 s = Subtract(moving, pivot);
  const float head = s.HeadAngle();
  const float pitch = s.PitchAngle();
  const float newPitch = std::clamp(pitch + dy * kOrbitSpeed, -90.0f, 90.0f);
  CMatrix4 m;
  m.Translate(-pivot.x, -pivot.y, -pivot.z);
  m.RotateY(-head);
  m.RotateX(-pitch);
  m.RotateX(newPitch);
  m.RotateY(head + dx * kOrbitSpeed);
  m.Translate(pivot.x, pivot.y, pivot.z);
  moving.Transform(m);
}

void Pan(CScene& camera, float dx, float dy, int w, int h) {
  CVector3 v = ViewPlaneSize(camera, dx, dy, w, h, CameraDistance(camera));
  v.Scale(-1.0f);
  CMatrix4 m;
  m.RotateZ(camera.m_fBank);
  m.RotateX(CameraPitch(camera));
  m.RotateY(CameraHead(camera));
  v.Transform(m);
  camera.m_vPosition.Add(v);
  camera.m_vLookAt.Add(v);
}

void Dolly(CScene& camera, float dx, float dy) {
  const float f = std::max(1.0f + dx * 0.001f + dy * 0.005f, kMinDollyFactor);
  CVector3 offset = Subtract(camera.m_vPosition, camera.m_vLookAt);
  offset.Scale(f);
  camera.m_vPosition = camera.m_vLookAt;
  camera.m_vPosition.Add(offset);
}

}  // namespace

bool ApplyNavigationStep(int mode, CScene& camera, int x, int y, int lx, int ly, int w, int h) {
  const float dx = static_cast<float>(x - lx);
  const float dyUp = static_cast<float>(ly - y);
  switch (mode) {
    case kNavOrbit:
      TurnAbout(camera.m_vPosition, camera.m_vLookAt, dx, dyUp);
      return true;
    case kNavLookAround:
      TurnAbout(camera.m_vLookAt, camera.m_vPosition, dx, -dyUp);
      return true;
    case kNavPan:
      Pan(camera, dx, dyUp, w, h);
      return true;
    case kNavDolly:
      Dolly(camera, dx, dyUp);
      return true;
    case kNavAngle:
      camera.m_fAngle = std::clamp(camera.m_fAngle + dyUp + dx * 0.1f, 1.0f, 150.0f);
      return true;
    default:
      return false;
  }
}

bool ApplyWheelDolly(CScene& camera, int angleDelta) {
  if (angleDelta == 0) return false;
  const double notches = std::clamp(static_cast<double>(angleDelta) / 120.0, -10.0, 10.0);
  const double f = std::pow(static_cast<double>(kWheelNotchFactor), notches);
  const CVector3& t = camera.m_vLookAt;
  const CVector3& p = camera.m_vPosition;
  const double target[3] = {static_cast<double>(t.x), static_cast<double>(t.y), static_cast<double>(t.z)};
  const double offset[3] = {(static_cast<double>(p.x) - target[0]) * f,
                            (static_cast<double>(p.y) - target[1]) * f,
                            (static_cast<double>(p.z) - target[2]) * f};
  const double distance = std::sqrt(offset[0] * offset[0] + offset[1] * offset[1] + offset[2] * offset[2]);
  const double scale = std::max({1.0, std::abs(target[0]), std::abs(target[1]), std::abs(target[2])});
  if (!(distance >= scale * 1e-5) || distance > 1e12) return false;
  camera.m_vPosition = CVector3(static_cast<float>(target[0] + offset[0]),
                                static_cast<float>(target[1] + offset[1]),
                                static_cast<float>(target[2] + offset[2]));
  return true;
}

bool CNavigationState::ButtonDown(MouseButton button, int x, int y) {
  bool* flag = nullptr;
  switch (button) {
    case MouseButton::Left:
      if (!m_bMiddle && !m_bRight) flag = &m_bLeft;
      break;
    case MouseButton::Middle:
      if (!m_bLeft && !m_bRight) flag = &m_bMiddle;
      break;
    case MouseButton::Right:
      if (!m_bLeft && !m_bMiddle) flag = &m_bRight;
      break;
  }
  if (flag == nullptr) return false;
  *flag = true;
  m_nPressX = m_nLastX = x;
  m_nPressY = m_nLastY = y;
  return true;
}

bool CNavigationState::ButtonUp(MouseButton button) {
  bool& flag = button == MouseButton::Left ? m_bLeft : button == MouseButton::Middle ? m_bMiddle : m_bRight;
  if (!flag) return false;
  flag = false;
  return true;
}

int CNavigationState::SelectedMode(const CQuorixDoc& doc, CButtonsHeld held) const {
  if (m_bLeft) return doc.MouseModeLeft;
  if (m_bMiddle) return doc.MouseModeMiddle;
  if (m_bRight) {
    if (held.left) return doc.MouseModeRightLeft;
    if (held.middle) return doc.MouseModeMiddle;
    return doc.MouseModeRight;
  }
  return -1;
}

bool CNavigationState::MouseMove(CQuorixDoc& doc, int x, int y, CButtonsHeld held, int w, int h) {
  const int mode = SelectedMode(doc, held);
  bool selected = false;
  if (mode >= 0) {
    // An unknown mode value is still a selected mode: the view redraws, as it
    // would for any drag.
    ApplyNavigationStep(mode, doc.m_Scene, x, y, m_nLastX, m_nLastY, w, h);
    selected = true;
    doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED);
  }
  m_nLastX = x;
  m_nLastY = y;
  return selected;
}

}  // namespace brimvale
