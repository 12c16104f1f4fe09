#include "foundation/matrix4.h"

#include "foundation/float_math.h"
#include "foundation/math_constants.h"

namespace brimvale {

void CMatrix4::Identity() {
  for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void CMatrix4::Multiply(const CMatrix4& b) {
  float product[16];
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += m[4 * row + k] * b.m[4 * k + col];
      product[4 * row + col] = sum;
    }
  }
  for (int i = 0; i < 16; ++i) m[i] = product[i];
}

void CMatrix4::Translate(float tx, float ty, float tz) {
  CMatrix4 t;
  t.m[12] = tx;
  t.m[13] = ty;
  t.m[14] = tz;
  Multiply(t);
}

void CMatrix4::Scale(float sx, float sy, float sz) {
  CMatrix4 s;
  s.m[0] = sx;
  s.m[5] = sy;
  s.m[10] = sz;
  Multiply(s);
}

// The rotation builders use the float factor, not DegToRad, to match stored cameras.
void CMatrix4::RotateX(float degrees) {
  const float a = degrees * kDegToRadFactor;
  CMatrix4 r;
  r.m[5] = CosF(a);
  r.m[6] = SinF(a);
  r.m[9] = -SinF(a);
  r.m[10] = CosF(a);
  Multiply(r);
}

void CMatrix4::RotateY(float degrees) {
  const float a = degrees * kDegToRadFactor;
  CMatrix4 r;
  r.m[0] = CosF(a);
  r.m[2] = -SinF(a);
  r.m[8] = SinF(a);
  r.m[10] = CosF(a);
  Multiply(r);
}

void CMatrix4::RotateZ(float degrees) {
  const float a = degrees * kDegToRadFactor;
  CMatrix4 r;
  r.m[0] = CosF(a);
  r.m[1] = SinF(a);
  r.m[4] = -SinF(a);
  r.m[5] = CosF(a);
  Multiply(r);
}

}  // namespace brimvale
