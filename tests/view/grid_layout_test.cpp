#include <gtest/gtest.h>

#include "scene/grid_layout.h"

namespace brimvale {
namespace {

CScene Orthographic(CVector3 position, CVector3 lookAt) {
  CScene camera;
  camera.m_bPerspective = 0;
  camera.m_vPosition = position;
  camera.m_vLookAt = lookAt;
  return camera;
}

TEST(GridLayout, SnappingTruncatesTowardZeroAndBadSpacingCountsAsOne) {
  EXPECT_EQ(SnapToGrid(-120.0f, 50.0f), -100.0f);
  EXPECT_EQ(SnapToGrid(70.0f, 50.0f), 50.0f);
  EXPECT_EQ(EffectiveGridSpacing(0.0f), 1.0f);
  EXPECT_EQ(EffectiveGridSpacing(-5.0f), 1.0f);
  EXPECT_EQ(EffectiveGridSpacing(12.5f), 12.5f);

  CDisplaySettings display;
  display.GridSpacing = -3.0f;
  CGridLayout layout;
  ASSERT_TRUE(ComputeGridLayout(CScene(), display, 200, 150, layout));
  EXPECT_EQ(layout.spacing, 1.0f);
}

TEST(GridLayout, PlaneFollowsTheAxisViewsOnlyForOrthographicCameras) {
  CDisplaySettings display;
  CGridLayout layout;
  CScene above = Orthographic({0, 500, 0}, {0, 0, 0});
  ASSERT_TRUE(ComputeGridLayout(above, display, 800, 600, layout));
  EXPECT_EQ(layout.plane, GridPlane::TopXZ);
  above.m_bPerspective = 1;
  ComputeGridLayout(above, display, 800, 600, layout);
  EXPECT_EQ(layout.plane, GridPlane::GroundXZ);
  ComputeGridLayout(Orthographic({0.01f, 500, 0}, {0, 0, 0}), display, 800, 600, layout);
  EXPECT_EQ(layout.plane, GridPlane::GroundXZ);
  ComputeGridLayout(Orthographic({0, 0, 300}, {0, 0, 0}), display, 800, 600, layout);
  EXPECT_EQ(layout.plane, GridPlane::FrontXY);
  ComputeGridLayout(Orthographic({-300, 0, 0}, {0, 0, 0}), display, 800, 600, layout);
  EXPECT_EQ(layout.plane, GridPlane::SideYZ);
  for (const CGridLine& line : layout.rows) EXPECT_EQ(line.a.x, 0.0f);

  display.ShowGrid = false;
  EXPECT_FALSE(ComputeGridLayout(CScene(), display, 800, 600, layout));
  EXPECT_TRUE(layout.rows.empty());
}

TEST(GridLayout, LinesRunFromTopAndLeftAndSkipTheFarEnds) {
  CDisplaySettings display;
  CGridLayout layout;
  ASSERT_TRUE(ComputeGridLayout(Orthographic({0, 0, -300}, {0, 0, 0}), display, 800, 600, layout));
  ASSERT_EQ(layout.plane, GridPlane::FrontXY);
  EXPECT_LT(layout.left, 0.0f);
  EXPECT_GT(layout.top, 0.0f);
  ASSERT_FALSE(layout.rows.empty());
  EXPECT_EQ(layout.rows.size(), static_cast<size_t>((layout.top - layout.bottom) / 50.0f));
  EXPECT_EQ(layout.columns.size(), static_cast<size_t>((layout.right - layout.left) / 50.0f));
  EXPECT_EQ(layout.rows.front().a, CVector3(layout.left, layout.top, 0.0f));
  EXPECT_EQ(layout.rows.front().b, CVector3(layout.right, layout.top, 0.0f));
  EXPECT_GT(layout.rows.back().a.y, layout.bottom);
  EXPECT_EQ(layout.columns.front().a, CVector3(layout.left, layout.top, 0.0f));
  EXPECT_LT(layout.columns.back().a.x, layout.right);
  // The grid covers the whole view with a margin.
  const float halfWidth = 0.5f * (layout.right - layout.left);
  EXPECT_GT(halfWidth, 100.0f);
}

TEST(GridLayout, AxisLinesOnlyWhereTheOriginIsForTheGroundGrid) {
  CDisplaySettings display;
  CGridLayout layout;
  CScene far;
  far.m_vLookAt = CVector3(10000, 0, 10000);
  far.m_vPosition = CVector3(10000, 100, 9700);
  ASSERT_TRUE(ComputeGridLayout(far, display, 800, 600, layout));
  EXPECT_EQ(layout.plane, GridPlane::GroundXZ);
  EXPECT_TRUE(layout.axes.empty());
  ASSERT_TRUE(ComputeGridLayout(CScene(), display, 800, 600, layout));
  EXPECT_EQ(layout.axes.size(), 2u);
  // The ground grid is a square around the look-at.
  EXPECT_EQ(layout.right - layout.left, layout.top - layout.bottom);
  // Axis views draw both axis lines even when the origin is far outside.
  ASSERT_TRUE(ComputeGridLayout(Orthographic({10000, 10000, -300}, {10000, 10000, 0}), display, 800, 600, layout));
  EXPECT_EQ(layout.axes.size(), 2u);
  EXPECT_EQ(layout.axes[0].a.x, 0.0f);
}

TEST(GridLayout, ZoomingFarOutNeverStallsOrFloodsTheFrame) {
  CDisplaySettings display;
  display.GridSpacing = 1.0f;
  CGridLayout layout;
  ASSERT_TRUE(ComputeGridLayout(Orthographic({0, 9e6f, 0}, {0, 0, 0}), display, 800, 600, layout));
  EXPECT_TRUE(layout.rows.empty());
  EXPECT_TRUE(layout.columns.empty());
  EXPECT_EQ(layout.axes.size(), 2u);
  // Coordinates where a float step of 1 no longer changes the value.
  ASSERT_TRUE(ComputeGridLayout(Orthographic({3e8f, 0, 0}, {3e8f - 100.0f, 0, 0}), display, 800, 600, layout));
  EXPECT_LE(layout.rows.size(), static_cast<size_t>(kMaxGridLinesPerDirection));
}

}  // namespace
}  // namespace brimvale
