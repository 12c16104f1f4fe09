#include "shell/display_toggles.h"

#include "shell/command_ids.h"
#include "shell/frame_texts.h"

namespace brimvale {

const std::array<CDisplayToggle, 9>& DisplayToggles() {
  using S = CDisplaySettings;
  static const std::array<CDisplayToggle, 9> toggles = {{
      {ID_TOGGLE_TRANSPARENCY, &S::Transparency, false, ToggleRepaint::RedrawNow, false, texts::kStrTransparency,
       ":/icons/transparency.svg"},
      {ID_TOGGLE_VERTICES, &S::ShowVertices, false, ToggleRepaint::UpdateAll, false, texts::kStrVertices,
       ":/icons/vertices.svg"},
      {ID_TOGGLE_EDGES, &S::ShowEdges, false, ToggleRepaint::UpdateAll, false, texts::kStrEdges,
       ":/icons/edges.svg"},
      {ID_TOGGLE_FACES, &S::ShowFaces, false, ToggleRepaint::UpdateAll, false, texts::kStrFaces,
       ":/icons/faces.svg"},
      {ID_TOGGLE_SMOOTH, &S::SmoothShading, false, ToggleRepaint::UpdateAll, false, texts::kStrSmooth,
       ":/icons/smooth.svg"},
      {ID_TOGGLE_AXES, &S::ShowAxes, false, ToggleRepaint::UpdateAll, false, texts::kStrAxes, ":/icons/axes.svg"},
      {ID_TOGGLE_GRID, &S::ShowGrid, false, ToggleRepaint::UpdateAll, false, texts::kStrGrid, ":/icons/grid.svg"},
      {ID_TOGGLE_SIMPLE, &S::SimpleDisplay, false, ToggleRepaint::UpdateIfFacesShown, true, texts::kStrSimple,
       ":/icons/simple.svg"},
      {ID_TOGGLE_DOUBLE_SIDED, &S::CullBackFaces, true, ToggleRepaint::UpdateIfFacesShown, false,
       texts::kStrDoubleSided, ":/icons/double_sided.svg"},
  }};
  return toggles;
}

const CDisplayToggle* FindDisplayToggle(int id) {
  for (const CDisplayToggle& toggle : DisplayToggles()) {
    if (toggle.id == id) return &toggle;
  }
  return nullptr;
}

}  // namespace brimvale
