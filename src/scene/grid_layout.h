// Which grid the view draws for a camera and client size, where it ends, and
// its lines. Pure computation; grid_drawing.cpp sends the lines to OpenGL.
#pragma once

#include <vector>

#include "document/display_settings.h"
#include "document/scene.h"
#include "foundation/vector3.h"

namespace brimvale {

enum class GridPlane {
  TopXZ = 1,     // orthographic from above or below: plane y = 0 around the view
  FrontXY = 2,   // orthographic from the front or behind: plane z = 0
  SideYZ = 3,    // orthographic from the right or left: plane x = 0
  GroundXZ = 4,  // every other camera: plane y = 0 around the look-at
};

// Past this many lines in one direction the lines would be denser than any
// screen's pixels; the row and column lines are then left out (the axis lines
// stay), so zooming far out never stalls a frame.
inline constexpr long kMaxGridLinesPerDirection = 20000;

struct CGridLine {
  CVector3 a;
  CVector3 b;
};

struct CGridLayout {
  GridPlane plane = GridPlane::GroundXZ;
  float spacing = 1.0f;
  float left = 0.0f;    // column range, left <= right
  float right = 0.0f;
  float bottom = 0.0f;  // row range, bottom <= top
  float top = 0.0f;

  std::vector<CGridLine> rows;     // from top downwards; the bottom end gets no line
  std::vector<CGridLine> columns;  // from left rightwards; the right end gets no line
  std::vector<CGridLine> axes;     // through the origin, drawn at half the grid colour
};

// Spacing as drawn: values of 0 or below count as 1.
float EffectiveGridSpacing(float spacing);

// Snaps a range end to the grid: s x (end / s truncated toward zero).
float SnapToGrid(float end, float spacing);

// Fills the layout for a client area of w x h. Returns false (nothing to draw)
// when ShowGrid is off or the camera gives no finite extent.
bool ComputeGridLayout(const CScene& camera, const CDisplaySettings& display, int w, int h,
                       CGridLayout& layout);

}  // namespace brimvale
