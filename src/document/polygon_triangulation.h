// Splits a polygon of any corner count into triangles that cover it, by ear
// clipping in the polygon's best-fit plane (Newell's normal), so concave
// polygons stay right. Triangles keep the polygon's winding.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "foundation/vector3.h"

namespace brimvale {

// Appends corner-index triples (positions in `corners`) to `triangles`:
// corners.size() - 2 of them for three or more corners, none otherwise.
// `budget` is the number of corner tests still allowed; ear clipping takes
// from it, and once it is spent (or the polygon has no area) the rest of
// the polygon is split as a fan, which is linear and always complete.
// Polygons above this many corners are fanned at once (ear clipping is
// quadratic; real models stay far below it).
inline constexpr int kMaxEarClippingCorners = 1024;

void TriangulatePolygon(std::span<const CVector3> corners, std::vector<std::array<int, 3>>& triangles,
                        uint64_t& budget);

}  // namespace brimvale
