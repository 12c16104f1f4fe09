// 4x4 float matrix, row-major, acting on row vectors: p' = p x M. Every builder
// appends its elementary matrix on the right, so calls apply in call order.
#pragma once

namespace brimvale {

class CMatrix4 {
 public:
  float m[16];

  CMatrix4() { Identity(); }

  void Identity();
  void Multiply(const CMatrix4& b);  // M = M x B, through a temporary
  void Translate(float tx, float ty, float tz);
  void Scale(float sx, float sy, float sz);
  void RotateX(float degrees);
  void RotateY(float degrees);
  void RotateZ(float degrees);
};

}  // namespace brimvale
