// Ear clipping after the classic scheme: project on the plane of Newell's
// normal, then repeatedly cut off a convex corner whose triangle holds no other
// remaining corner. A simple polygon always has such an ear; for a polygon that
// crosses itself in projection, or once the work budget is spent, the remaining
// corners are fanned from the first.
#include "document/polygon_triangulation.h"

#include <cmath>

namespace brimvale {

namespace {

double D(float value) {
  return static_cast<double>(value);
}

struct Point2 {
  double x;
  double y;
};

double Cross(const Point2& a, const Point2& b, const Point2& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Inside or on the border of the counter-clockwise triangle abc.
bool InTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c) {
  return Cross(a, b, p) >= 0.0 && Cross(b, c, p) >= 0.0 && Cross(c, a, p) >= 0.0;
}

// The corners projected on the best-fit plane, oriented so that the polygon
// runs counter-clockwise. False when the polygon has no area.
bool ProjectCounterClockwise(std::span<const CVector3> corners, std::vector<Point2>& points) {
  double nx = 0.0, ny = 0.0, nz = 0.0;
  const size_t n = corners.size();
  for (size_t i = 0; i < n; ++i) {
    const CVector3& a = corners[i];
    const CVector3& b = corners[(i + 1) % n];
    const double ax = D(a.x), ay = D(a.y), az = D(a.z), bx = D(b.x), by = D(b.y), bz = D(b.z);
    nx += (ay - by) * (az + bz);
    ny += (az - bz) * (ax + bx);
    nz += (ax - bx) * (ay + by);
  }
  const double ax = std::fabs(nx), ay = std::fabs(ny), az = std::fabs(nz);
  if (!(ax + ay + az > 0.0) || !std::isfinite(ax + ay + az)) return false;
  // Drop the normal's largest axis; flip one kept axis when the normal points
  // down it, so the projection keeps the polygon counter-clockwise.
  points.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const double x = D(corners[i].x), y = D(corners[i].y), z = D(corners[i].z);
    if (az >= ax && az >= ay) {
      points[i] = {x, nz > 0 ? y : -y};
    } else if (ax >= ay) {
      points[i] = {y, nx > 0 ? z : -z};
    } else {
      points[i] = {z, ny > 0 ? x : -x};
    }
  }
  return true;
}

}  // namespace

void TriangulatePolygon(std::span<const CVector3> corners, std::vector<std::array<int, 3>>& triangles,
                        uint64_t& budget) {
  const int n = static_cast<int>(corners.size());
  if (n < 3) return;
  std::vector<int> ring(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) ring[static_cast<size_t>(i)] = i;
  std::vector<Point2> points;
  if (n <= kMaxEarClippingCorners && ProjectCounterClockwise(corners, points)) {
    size_t at = 0;
    size_t misses = 0;
    while (ring.size() > 3 && misses < ring.size() && budget >= ring.size()) {
      const size_t m = ring.size();
      const int a = ring[(at + m - 1) % m];
      const int b = ring[at % m];
      const int c = ring[(at + 1) % m];
      const Point2& pa = points[static_cast<size_t>(a)];
      const Point2& pb = points[static_cast<size_t>(b)];
      const Point2& pc = points[static_cast<size_t>(c)];
      bool ear = Cross(pa, pb, pc) > 0.0;
      if (ear) {
        budget -= m;
        for (size_t k = 0; k < m && ear; ++k) {
          const int other = ring[k];
          if (other == a || other == b || other == c) continue;
          const Point2& p = points[static_cast<size_t>(other)];
          // A corner at the same place as a triangle corner (a polygon that
          // touches itself) does not block the ear.
          if ((p.x == pa.x && p.y == pa.y) || (p.x == pb.x && p.y == pb.y) || (p.x == pc.x && p.y == pc.y)) {
            continue;
          }
          if (InTriangle(p, pa, pb, pc)) ear = false;
        }
      }
      if (ear) {
        triangles.push_back({a, b, c});
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(at % m));
        at = (at % m + ring.size() - 1) % ring.size();  // the corner before
        misses = 0;
      } else {
        at = (at + 1) % m;
        ++misses;
        --budget;
      }
    }
  }
  // What is left (all of it for a polygon without area) as a fan.
  for (size_t k = 1; k + 1 < ring.size(); ++k) triangles.push_back({ring[0], ring[k], ring[k + 1]});
}

}  // namespace brimvale
