// Sends the grid of grid_layout.h to OpenGL: row and column lines in the grid
// colour, the axis lines at half of it, lighting off.
#pragma once

#include "document/display_settings.h"
#include "document/scene.h"

namespace brimvale {

void DrawGrid(const CScene& camera, const CDisplaySettings& display, int w, int h);

}  // namespace brimvale
