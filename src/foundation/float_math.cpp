#include "foundation/float_math.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "foundation/math_constants.h"

namespace brimvale {

float DegToRad(float degrees) { return degrees / k180 * kPi; }
float RadToDeg(float radians) { return radians / kPi * k180; }

float SinF(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float CosF(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
float TanF(float a) { return static_cast<float>(std::tan(static_cast<double>(a))); }
float AtanF(float a) { return static_cast<float>(std::atan(static_cast<double>(a))); }
float Atan2F(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}
float SqrtF(float a) { return static_cast<float>(std::sqrt(static_cast<double>(a))); }

uint32_t SwapBytes32(uint32_t word) {
  return ((word & 0x000000FFu) << 24) | ((word & 0x0000FF00u) << 8) | ((word & 0x00FF0000u) >> 8) |
         ((word & 0xFF000000u) >> 24);
}

float ReadFloatBigEndian(const unsigned char bytes[4]) {
  uint32_t stored = 0;
  std::memcpy(&stored, bytes, 4);  // the bytes as a little-endian machine sees them
  return std::bit_cast<float>(SwapBytes32(stored));
}

}  // namespace brimvale
