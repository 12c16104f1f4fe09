// Ear clipping: triangles cover the polygon exactly (area), keep its winding
// and use each corner; degenerate polygons still give n - 2 triangles.
#include "document/polygon_triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "foundation/matrix4.h"

namespace brimvale {
namespace {

// Signed area of a triangle seen along `normal`.
double SignedArea(const CVector3& a, const CVector3& b, const CVector3& c, const CVector3& normal) {
  auto d = [](float f) { return static_cast<double>(f); };
  const double ux = d(b.x - a.x), uy = d(b.y - a.y), uz = d(b.z - a.z);
  const double vx = d(c.x - a.x), vy = d(c.y - a.y), vz = d(c.z - a.z);
  const double nx = d(normal.x), ny = d(normal.y), nz = d(normal.z);
  return 0.5 * ((uy * vz - uz * vy) * nx + (uz * vx - ux * vz) * ny + (ux * vy - uy * vx) * nz);
}

struct Result {
  std::vector<std::array<int, 3>> triangles;
  double area = 0.0;
  double smallest = 1e30;
};

Result Triangulate(const std::vector<CVector3>& corners, const CVector3& normal) {
  Result r;
  uint64_t budget = 1u << 20;
  TriangulatePolygon(corners, r.triangles, budget);
  for (const auto& t : r.triangles) {
    const double a = SignedArea(corners[static_cast<size_t>(t[0])], corners[static_cast<size_t>(t[1])],
                                corners[static_cast<size_t>(t[2])], normal);
    r.area += a;
    r.smallest = std::min(r.smallest, a);
  }
  return r;
}

TEST(PolygonTriangulation, ConcaveShapesAreCoveredWithoutOverlap) {
  // A comb: three teeth, concave at four corners. A fan would overlap.
  const std::vector<CVector3> comb = {{0, 0, 0}, {5, 0, 0}, {5, 3, 0}, {4, 3, 0}, {4, 1, 0}, {3, 1, 0},
                                      {3, 3, 0}, {2, 3, 0}, {2, 1, 0}, {1, 1, 0}, {1, 3, 0}, {0, 3, 0}};
  const Result r = Triangulate(comb, CVector3(0, 0, 1));
  ASSERT_EQ(r.triangles.size(), comb.size() - 2);
  EXPECT_NEAR(r.area, 5 + 3 * 2, 1e-9);
  EXPECT_GT(r.smallest, 0.0);  // every triangle turns the polygon's way
}

TEST(PolygonTriangulation, ClockwisePolygonsAndTiltedPlanesKeepTheirWinding) {
  std::vector<CVector3> star;
  for (int i = 0; i < 10; ++i) {
    const double angle = i * 3.14159265358979 / 5;
    const double radius = i % 2 ? 1.0 : 3.0;
    star.emplace_back(static_cast<float>(radius * std::cos(angle)),
                      static_cast<float>(radius * std::sin(angle)), 0.0f);
  }
  const Result ccw = Triangulate(star, CVector3(0, 0, 1));
  EXPECT_EQ(ccw.triangles.size(), 8u);
  EXPECT_GT(ccw.smallest, 0.0);
  const double starArea = ccw.area;

  std::vector<CVector3> clockwise(star.rbegin(), star.rend());
  const Result cw = Triangulate(clockwise, CVector3(0, 0, -1));
  EXPECT_GT(cw.smallest, 0.0);
  EXPECT_NEAR(cw.area, starArea, 1e-4);

  // The same star standing in the plane x = y (normal along (1, -1, 0)).
  std::vector<CVector3> tilted;
  for (const CVector3& p : star) tilted.emplace_back(p.x * 0.70710677f, p.x * 0.70710677f, p.y);
  const Result t = Triangulate(tilted, CVector3(0.70710677f, -0.70710677f, 0));
  EXPECT_GT(t.smallest, 0.0);
  EXPECT_NEAR(t.area, starArea, 1e-3);
}

TEST(PolygonTriangulation, DegeneratePolygonsStillGiveEveryTriangle) {
  const std::vector<CVector3> line = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}};
  uint64_t budget = 1000;
  std::vector<std::array<int, 3>> triangles;
  TriangulatePolygon(line, triangles, budget);
  EXPECT_EQ(triangles.size(), 3u);
  const std::vector<CVector3> point(7, CVector3(1, 1, 1));
  triangles.clear();
  TriangulatePolygon(point, triangles, budget);
  EXPECT_EQ(triangles.size(), 5u);
  triangles.clear();
  TriangulatePolygon(std::vector<CVector3>(2, CVector3(0, 0, 0)), triangles, budget);
  EXPECT_TRUE(triangles.empty());
}

TEST(PolygonTriangulation, SpentBudgetFallsBackToAFan) {
  const std::vector<CVector3> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 0.5f, 0}, {0, 1, 0}};
  uint64_t budget = 0;
  std::vector<std::array<int, 3>> triangles;
  TriangulatePolygon(square, triangles, budget);
  ASSERT_EQ(triangles.size(), 3u);
  EXPECT_EQ(triangles[0], (std::array<int, 3>{0, 1, 2}));
  EXPECT_EQ(triangles[2], (std::array<int, 3>{0, 3, 4}));
}

}  // namespace
}  // namespace brimvale
