#include "scene/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/float_math.h"
#include "foundation/matrix4.h"

namespace brimvale {

double FrameVerticalRadians(double horizontalDegrees) {
  const double half = horizontalDegrees / 2.0 * std::numbers::pi / 180.0;
  return 2.0 * std::atan(std::tan(half) * kFrameHeightUnits / kFrameWidthUnits);
}

float CameraPitch(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).PitchAngle(); }

float CameraHead(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).HeadAngle(); }

float CameraDistance(const CScene& camera) { return Subtract(camera.m_vLookAt, camera.m_vPosition).Length(); }

float VerticalAngle(const CScene& camera, int w, int h) {
  if (CameraDistance(camera) == 0.0f || w == 0 || h == 0) return camera.m_fAngle;
  const float half = DegToRad(camera.m_fAngle / 2.0f);
  const float aspect = static_cast<float>(w) / static_cast<float>(h);
  if (WiderThanFrame(aspect, 1.0f))
    return RadToDeg(2.0f * AtanF(TanF(half) * kFrameHeightUnits / kFrameWidthUnits));
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

double Dot(const double a[3], double x, double y, double z) { return a[0] * x + a[1] * y + a[2] * z; }
double D(float v) { return static_cast<double>(v); }

void Normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0.0)
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

}  // namespace

double CCameraAxes::Right(const CVector3& p) const {
  return Dot(right, D(p.x) - eye[0], D(p.y) - eye[1], D(p.z) - eye[2]);
}
double CCameraAxes::Up(const CVector3& p) const {
  return Dot(up, D(p.x) - eye[0], D(p.y) - eye[1], D(p.z) - eye[2]);
}
double CCameraAxes::Depth(const CVector3& p) const {
  return Dot(forward, D(p.x) - eye[0], D(p.y) - eye[1], D(p.z) - eye[2]);
}

CCameraAxes CameraAxes(const CScene& camera) {
  CCameraAxes axes{};
  const CVector3& p = camera.m_vPosition;
  const CVector3& t = camera.m_vLookAt;
  axes.eye[0] = D(p.x), axes.eye[1] = D(p.y), axes.eye[2] = D(p.z);
  axes.forward[0] = D(t.x) - D(p.x);
  axes.forward[1] = D(t.y) - D(p.y);
  axes.forward[2] = D(t.z) - D(p.z);
  if (axes.forward[0] == 0.0 && axes.forward[1] == 0.0 && axes.forward[2] == 0.0) axes.forward[2] = 1.0;
  Normalise(axes.forward);
  const CVector3 up = UpVector(camera);
  // Made exactly square to the direction of view; the sign of right does not
  // matter to anyone measuring extents.
  const double u[3] = {D(up.x), D(up.y), D(up.z)};
  const double along = Dot(axes.forward, u[0], u[1], u[2]);
  for (int i = 0; i < 3; ++i) axes.up[i] = u[i] - along * axes.forward[i];
  Normalise(axes.up);
  axes.right[0] = axes.up[1] * axes.forward[2] - axes.up[2] * axes.forward[1];
  axes.right[1] = axes.up[2] * axes.forward[0] - axes.up[0] * axes.forward[2];
  axes.right[2] = axes.up[0] * axes.forward[1] - axes.up[1] * axes.forward[0];
  return axes;
}

double HalfFrameTangent(const CScene& camera) {
  const double angle =
      std::isfinite(camera.m_fAngle) ? std::clamp(static_cast<double>(camera.m_fAngle), 1.0, 150.0) : 40.0;
  return std::tan(angle / 2.0 * std::numbers::pi / 180.0);
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
