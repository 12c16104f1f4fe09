#include "view/camera.h"

#include "foundation/float_math.h"
#include "foundation/matrix4.h"

namespace brimvale {

float CameraPitch(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).PitchAngle(); }

float CameraHead(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).HeadAngle(); }

float CameraDistance(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).Length(); }

float VerticalAngle(const CScene& camera, int w, int h) {
  if (CameraDistance(camera) == 0.0f || w == 0 || h == 0) return camera.m_fAngle;
  const float half = DegToRad(camera.m_fAngle / 2.0f);
  const float aspect = static_cast<float>(w) / static_cast<float>(h);
  if (aspect > 1.333333f) return RadToDeg(2.0f * AtanF(TanF(half) * 3.0f / 4.0f));
  return RadToDeg(2.0f * AtanF(TanF(half) * static_cast<float>(h) / static_cast<float>(w)));
}

CVector3 ViewPlaneSize(const CScene& camera, float a, float b, int w, int h, float D) {
  if (w == 0 || h == 0 || D == 0.0f) return CVector3(0.0f, 0.0f, 0.0f);
  const float t = D * TanF(DegToRad(VerticalAngle(camera, w, h) / 2.0f));
  const float fw = static_cast<float>(w);
  const float fh = static_cast<float>(h);
  return CVector3(a * 2.0f * t * (fw / fh) / fw, b * 2.0f * t / fh, 0.0f);
}

CVector3 UpVector(const CScene& camera) {
  CMatrix4 m;
  m.RotateZ(camera.m_fBank);
  m.RotateX(CameraPitch(camera));
  m.RotateY(CameraHead(camera));
  CVector3 up(0.0f, 1.0f, 0.0f);
  return up.Transform(m);
}

namespace {

// The exact comparisons are intended: only a camera placed exactly on an axis
// through its look-at counts as an axis view.
bool Orthographic(const CScene& camera) { return camera.m_bPerspective == 0; }
const CVector3& P(const CScene& camera) { return camera.m_vPosition; }
const CVector3& T(const CScene& camera) { return camera.m_vLookAt; }

}  // namespace

bool IsViewFromAbove(const CScene& c) {
  return Orthographic(c) && P(c).x == T(c).x && P(c).z == T(c).z && P(c).y > T(c).y;
}
bool IsViewFromBelow(const CScene& c) {
  return Orthographic(c) && P(c).x == T(c).x && P(c).z == T(c).z && P(c).y < T(c).y;
}
bool IsViewFromFront(const CScene& c) {
  return Orthographic(c) && P(c).x == T(c).x && P(c).y == T(c).y && P(c).z < T(c).z;
}
bool IsViewFromBehind(const CScene& c) {
  return Orthographic(c) && P(c).x == T(c).x && P(c).y == T(c).y && P(c).z > T(c).z;
}
bool IsViewFromRight(const CScene& c) {
  return Orthographic(c) && P(c).y == T(c).y && P(c).z == T(c).z && P(c).x > T(c).x;
}
bool IsViewFromLeft(const CScene& c) {
  return Orthographic(c) && P(c).y == T(c).y && P(c).z == T(c).z && P(c).x < T(c).x;
}

}  // namespace brimvale
