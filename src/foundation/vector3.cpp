#include "foundation/vector3.h"

#include <algorithm>

#include "foundation/float_math.h"
#include "foundation/math_constants.h"
#include "foundation/matrix4.h"

namespace brimvale {

float CVector3::Length() const { return SqrtF(LengthSquared()); }

float CVector3::HeadAngle() const {
  if (x == 0.0f) {
    if (z == 0.0f) return 0.0f;
    return z < 0.0f ? 180.0f : 0.0f;
  }
  if (z == 0.0f) return x > 0.0f ? 90.0f : 270.0f;
  return Atan2F(x, z) * k180 / kPi;
}

float CVector3::PitchAngle() const {
  if (y == 0.0f) return 0.0f;
  if (x == 0.0f && z == 0.0f) return y > 0.0f ? -90.0f : 90.0f;
  return -AtanF(y / SqrtF(x * x + z * z)) * k180 / kPi;
}

CVector3& CVector3::Transform(const CMatrix4& mat) {
  const CVector3 source = *this;
  Transform(source, *this, mat);
  return *this;
}

void CVector3::Transform(const CVector3& s, CVector3& d, const CMatrix4& mat) {
  const float* m = mat.m;
  const float nx = m[0] * s.x + m[4] * s.y + m[8] * s.z + m[12];
  const float ny = m[1] * s.x + m[5] * s.y + m[9] * s.z + m[13];
  const float nz = m[2] * s.x + m[6] * s.y + m[10] * s.z + m[14];
  d.x = nx;
  d.y = ny;
  d.z = nz;
}

CVector3 Subtract(const CVector3& a, const CVector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
CVector3 Min(const CVector3& a, const CVector3& b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
}
CVector3 Max(const CVector3& a, const CVector3& b) {
  return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
}

}  // namespace brimvale
