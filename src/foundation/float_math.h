// Angle conversion and library maths on floats. The library calls run in double
// precision and are rounded to float on return, so results match a float-only
// implementation to float rounding.
#pragma once

#include <cstdint>

namespace brimvale {

float DegToRad(float degrees);
float RadToDeg(float radians);

float SinF(float a);
float CosF(float a);
float TanF(float a);
float AtanF(float a);
float Atan2F(float y, float x);
float SqrtF(float a);

// Reverses the order of the four bytes of a 32-bit word.
uint32_t SwapBytes32(uint32_t word);

// Reads a float whose four bytes are stored most significant first.
float ReadFloatBigEndian(const unsigned char bytes[4]);

}  // namespace brimvale
