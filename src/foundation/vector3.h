// Three-float vector used for points and directions alike.
#pragma once

namespace brimvale {

class CMatrix4;

class CVector3 {
 public:
  float x, y, z;

  CVector3() = default;  // components left undefined, as for a plain float triple
  constexpr CVector3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

  CVector3& Set(float ax, float ay, float az) {
    x = ax;
    y = ay;
    z = az;
    return *this;
  }
  CVector3& Add(const CVector3& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
  }
  CVector3& Scale(float factor) {
    x *= factor;
    y *= factor;
    z *= factor;
    return *this;
  }
  void Zero() { x = y = z = 0.0f; }

  float LengthSquared() const { return x * x + y * y + z * z; }
  float Length() const;

  // Heading and pitch of the direction, in degrees (exact comparisons with 0).
  float HeadAngle() const;
  float PitchAngle() const;

  // Replaces the vector by itself transformed by m (row vector, no divide).
  CVector3& Transform(const CMatrix4& m);
  // Writes source transformed by m into destination; source is left unchanged.
  static void Transform(const CVector3& source, CVector3& destination, const CMatrix4& m);

  friend bool operator==(const CVector3&, const CVector3&) = default;
};

CVector3 Subtract(const CVector3& a, const CVector3& b);
CVector3 Min(const CVector3& a, const CVector3& b);
CVector3 Max(const CVector3& a, const CVector3& b);

}  // namespace brimvale
