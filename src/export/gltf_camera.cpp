#include "export/gltf_camera.h"

#include <cmath>

#include "document/scene.h"
#include "foundation/matrix4.h"
#include "scene/camera.h"

namespace brimvale {
namespace {

// The view's clipping distances.
constexpr double kNear = 20.0;
constexpr double kFar = 10000.0;

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

bool Normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(length > 1e-12) || !std::isfinite(length)) return false;
  for (int k = 0; k < 3; ++k) v[k] /= length;
  return true;
}

}  // namespace

void GltfCameraRotation(const double forward[3], const double up[3], double quaternion[4]) {
  double back[3] = {-forward[0], -forward[1], -forward[2]};
  if (!Normalise(back)) back[0] = 0.0, back[1] = 0.0, back[2] = 1.0;
  double right[3];
  Cross(up, back, right);
  if (!Normalise(right)) {
    // Up along the line of sight: any upright choice will do.
    const double fallback[3] = {std::fabs(back[1]) < 0.9 ? 0.0 : 1.0, std::fabs(back[1]) < 0.9 ? 1.0 : 0.0, 0.0};
    Cross(fallback, back, right);
    Normalise(right);
  }
  double upright[3];
  Cross(back, right, upright);
  // Columns right, upright, back; the quaternion of that rotation matrix.
  const double m00 = right[0], m11 = upright[1], m22 = back[2];
  const double trace = m00 + m11 + m22;
  double x, y, z, w;
  if (trace > 0.0) {
    const double s = std::sqrt(trace + 1.0) * 2.0;
    w = 0.25 * s;
    x = (upright[2] - back[1]) / s;
    y = (back[0] - right[2]) / s;
    z = (right[1] - upright[0]) / s;
  } else if (m00 > m11 && m00 > m22) {
    const double s = std::sqrt(1.0 + m00 - m11 - m22) * 2.0;
    w = (upright[2] - back[1]) / s;
    x = 0.25 * s;
    y = (upright[0] + right[1]) / s;
    z = (back[0] + right[2]) / s;
  } else if (m11 > m22) {
    const double s = std::sqrt(1.0 + m11 - m00 - m22) * 2.0;
    w = (back[0] - right[2]) / s;
    x = (upright[0] + right[1]) / s;
    y = 0.25 * s;
    z = (back[1] + upright[2]) / s;
  } else {
    const double s = std::sqrt(1.0 + m22 - m00 - m11) * 2.0;
    w = (right[1] - upright[0]) / s;
    x = (back[0] + right[2]) / s;
    y = (back[1] + upright[2]) / s;
    z = 0.25 * s;
  }
  const double length = std::sqrt(x * x + y * y + z * z + w * w);
  quaternion[0] = x / length;
  quaternion[1] = y / length;
  quaternion[2] = z / length;
  quaternion[3] = w / length;
}

int AddGltfCamera(CGltfDocument& document, const CScene& scene, float scale) {
  const double s = static_cast<double>(scale);
  // Document coordinates have z negated; the file's are right-handed.
  const CVector3& p = scene.m_vPosition;
  const double position[3] = {static_cast<double>(p.x) * s, static_cast<double>(p.y) * s,
                              -static_cast<double>(p.z) * s};
  const CVector3 direction = Subtract(scene.m_vLookAt, scene.m_vPosition);
  const double forward[3] = {static_cast<double>(direction.x), static_cast<double>(direction.y),
                             -static_cast<double>(direction.z)};
  // The view's up vector: bank, then the pitch and heading of the line of sight.
  CMatrix4 turn;
  turn.RotateZ(scene.m_fBank);
  turn.RotateX(direction.PitchAngle());
  turn.RotateY(direction.HeadAngle());
  CVector3 upDoc(0.0f, 1.0f, 0.0f);
  upDoc.Transform(turn);
  const double up[3] = {static_cast<double>(upDoc.x), static_cast<double>(upDoc.y), -static_cast<double>(upDoc.z)};
  double rotation[4];
  GltfCameraRotation(forward, up, rotation);

  // The view keeps the vertical angle of a 4:3 picture for wider windows.
  const double angle = std::isfinite(scene.m_fAngle) && scene.m_fAngle > 0.0f && scene.m_fAngle < 180.0f
                           ? static_cast<double>(scene.m_fAngle)
                           : 40.0;
  const double yfov = FrameVerticalRadians(angle);
  GltfJson camera;
  if (scene.m_bPerspective) {
    camera = {{"type", "perspective"}, {"perspective", {{"yfov", yfov}, {"znear", kNear * s}, {"zfar", kFar * s}}}};
  } else {
    double distance = std::sqrt(forward[0] * forward[0] + forward[1] * forward[1] + forward[2] * forward[2]) * s;
    if (!(distance > 0.0)) distance = s;
    const double ymag = distance * std::tan(yfov / 2.0);
    camera = {{"type", "orthographic"},
              {"orthographic", {{"xmag", ymag * kFrameWidthUnits / kFrameHeightUnits}, {"ymag", ymag}, {"znear", kNear * s}, {"zfar", kFar * s}}}};
  }
  const int index = document.Add("cameras", std::move(camera));
  return document.Add("nodes", {{"name", "Camera"},
                                {"camera", index},
                                {"rotation", {rotation[0], rotation[1], rotation[2], rotation[3]}},
                                {"translation", {position[0], position[1], position[2]}}});
}

}  // namespace brimvale
