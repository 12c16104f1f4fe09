#include "scene/grid_layout.h"

#include <algorithm>
#include <cmath>

#include "scene/camera.h"

namespace brimvale {
namespace {

GridPlane ChoosePlane(const CScene& camera) {
  if (IsViewFromAbove(camera) || IsViewFromBelow(camera)) return GridPlane::TopXZ;
  if (IsViewFromFront(camera) || IsViewFromBehind(camera)) return GridPlane::FrontXY;
  if (IsViewFromRight(camera) || IsViewFromLeft(camera)) return GridPlane::SideYZ;
  return GridPlane::GroundXZ;
}

// A point of the grid's plane from its column and row coordinates.
CVector3 PlanePoint(GridPlane plane, float column, float row) {
  switch (plane) {
    case GridPlane::FrontXY:
      return CVector3(column, row, 0.0f);
    case GridPlane::SideYZ:
      return CVector3(0.0f, row, column);
    case GridPlane::TopXZ:
    case GridPlane::GroundXZ:
      break;
  }
  return CVector3(column, 0.0f, row);
}

// Number of lines from `from` stepping by s while strictly inside the range of
// length `span` (both ends multiples of s). Counting by index instead of
// repeated float steps keeps a huge coordinate from stalling the loop.
long LineCount(float span, float s) {
  const double n = std::floor(static_cast<double>(span) / static_cast<double>(s) + 0.5);
  return n > 0.0 ? static_cast<long>(std::min(n, 1e12)) : 0;
}

void BuildLines(CGridLayout& g) {
  const float s = g.spacing;
  const long rowCount = LineCount(g.top - g.bottom, s);
  const long columnCount = LineCount(g.right - g.left, s);
  if (rowCount <= kMaxGridLinesPerDirection && columnCount <= kMaxGridLinesPerDirection) {
    g.rows.reserve(static_cast<size_t>(rowCount));
    for (long i = 0; i < rowCount; ++i) {
      const float v = g.top - static_cast<float>(i) * s;
      g.rows.push_back({PlanePoint(g.plane, g.left, v), PlanePoint(g.plane, g.right, v)});
    }
    g.columns.reserve(static_cast<size_t>(columnCount));
    for (long i = 0; i < columnCount; ++i) {
      const float v = g.left + static_cast<float>(i) * s;
      g.columns.push_back({PlanePoint(g.plane, v, g.top), PlanePoint(g.plane, v, g.bottom)});
    }
  }
  const CGridLine alongRows = {PlanePoint(g.plane, 0.0f, g.top), PlanePoint(g.plane, 0.0f, g.bottom)};
  const CGridLine alongColumns = {PlanePoint(g.plane, g.left, 0.0f), PlanePoint(g.plane, g.right, 0.0f)};
  if (g.plane != GridPlane::GroundXZ) {
    g.axes = {alongRows, alongColumns};
    return;
  }
  if (g.left <= 0.0f && 0.0f <= g.right) g.axes.push_back(alongRows);
  if (g.bottom <= 0.0f && 0.0f <= g.top) g.axes.push_back(alongColumns);
}

}  // namespace

float EffectiveGridSpacing(float spacing) { return spacing > 0.0f ? spacing : 1.0f; }

float SnapToGrid(float end, float spacing) { return spacing * std::trunc(end / spacing); }

bool ComputeGridLayout(const CScene& camera, const CDisplaySettings& display, int w, int h,
                       CGridLayout& layout) {
  layout = CGridLayout();
  if (!display.ShowGrid) return false;
  const float s = EffectiveGridSpacing(display.GridSpacing);
  const CVector3 size = ViewPlaneSize(camera, static_cast<float>(w), static_cast<float>(h), w, h,
                                      CameraDistance(camera));
  const CVector3& p = camera.m_vPosition;
  const CVector3& t = camera.m_vLookAt;
  float c0 = 0.0f, c1 = 0.0f, r0 = 0.0f, r1 = 0.0f;
  layout.plane = ChoosePlane(camera);
  switch (layout.plane) {
    case GridPlane::TopXZ:
      c0 = p.x - size.x / 2.0f - s, c1 = p.x + size.x / 2.0f + s;
      r0 = p.z - size.y / 2.0f - s, r1 = p.z + size.y / 2.0f + s;
      break;
    case GridPlane::FrontXY:
      c0 = p.x - size.x / 2.0f - s, c1 = p.x + size.x / 2.0f + s;
      r0 = p.y - size.y / 2.0f - s, r1 = p.y + size.y / 2.0f + s;
      break;
    case GridPlane::SideYZ:
      c0 = p.z - size.x / 2.0f - s, c1 = p.z + size.x / 2.0f + s;
      r0 = p.y - size.y / 2.0f - s, r1 = p.y + size.y / 2.0f + s;
      break;
    case GridPlane::GroundXZ: {
      const float square = 1.5f * std::max(size.x, size.y);
      c0 = t.x - square / 2.0f - s, c1 = t.x + square / 2.0f + s;
      r0 = t.z - square / 2.0f - s, r1 = t.z + square / 2.0f + s;
      break;
    }
  }
  if (!std::isfinite(c0) || !std::isfinite(c1) || !std::isfinite(r0) || !std::isfinite(r1)) return false;
  layout.spacing = s;
  layout.left = SnapToGrid(std::min(c0, c1), s);
  layout.right = SnapToGrid(std::max(c0, c1), s);
  layout.bottom = SnapToGrid(std::min(r0, r1), s);
  layout.top = SnapToGrid(std::max(r0, r1), s);
  BuildLines(layout);
  return true;
}

}  // namespace brimvale
