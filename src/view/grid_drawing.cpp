#include "view/grid_drawing.h"

#include <vector>

#include "scene/grid_layout.h"
#include "view/gl_api.h"

namespace brimvale {
namespace {

void DrawLines(const std::vector<CGridLine>& lines) {
  glBegin(GL_LINES);
  for (const CGridLine& line : lines) {
    glVertex3f(line.a.x, line.a.y, line.a.z);
    glVertex3f(line.b.x, line.b.y, line.b.z);
  }
  glEnd();
}

}  // namespace

void DrawGrid(const CScene& camera, const CDisplaySettings& display, int w, int h) {
  CGridLayout layout;
  if (!ComputeGridLayout(camera, display, w, h, layout)) return;
  glDisable(GL_LIGHTING);
  glColor3f(display.GridColor[0], display.GridColor[1], display.GridColor[2]);
  DrawLines(layout.rows);
  DrawLines(layout.columns);
  glColor3f(display.GridColor[0] * 0.5f, display.GridColor[1] * 0.5f, display.GridColor[2] * 0.5f);
  DrawLines(layout.axes);
}

}  // namespace brimvale
