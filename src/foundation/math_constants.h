// Single-precision constants shared by every angle computation. The values are
// the exact IEEE floats the file formats and the camera were tuned against.
#pragma once

namespace brimvale {

inline constexpr float kPi = 3.1415927f;             // 40 49 0F DB
inline constexpr float kDegToRadFactor = 0.017453292f;  // 3C 8E FA 35
inline constexpr float k180 = 180.0f;                 // 43 34 00 00

}  // namespace brimvale
