// Face normals and the table-driven square root that normalises them.
#pragma once

#include "foundation/vector3.h"

namespace brimvale {

// Square root of a non-negative float through a 65536-entry mantissa table
// (built once, on first use, safely from any thread). Exact to the table's
// 15-bit mantissa key; 0 gives 0.
float FastSqrt(float x);

// Normal of the plane through p0, p1, p2: (p1 - p2) x (p1 - p0), unit length,
// or (0, 0, 0) when that cross product is exactly zero.
CVector3 FaceNormal(const CVector3& p0, const CVector3& p1, const CVector3& p2);

}  // namespace brimvale
