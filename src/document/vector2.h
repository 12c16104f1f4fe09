// Texture coordinate pair. The first member holds v and the second u (the
// reverse of the file's order); a new pair is (1, 0): u 0, v 1.
#pragma once

namespace brimvale {

struct CVector2 {
  float v = 1.0f;
  float u = 0.0f;

  CVector2& operator+=(const CVector2& o) {
    v += o.v;
    u += o.u;
    return *this;
  }
  CVector2& operator*=(float f) {
    v *= f;
    u *= f;
    return *this;
  }
  CVector2& operator/=(float f) {
    v /= f;
    u /= f;
    return *this;
  }
  friend bool operator==(const CVector2&, const CVector2&) = default;
};

}  // namespace brimvale
