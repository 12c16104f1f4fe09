// The nine display toggles of the toolbar: which flag of the document's display
// settings each flips, when its button shows pressed, and how the view is
// repainted afterwards.
#pragma once

#include <array>

#include "document/display_settings.h"

namespace brimvale {

enum class ToggleRepaint {
  RedrawNow,         // the active view is redrawn at once
  UpdateAll,         // the views are asked to repaint
  UpdateIfFacesShown // ... only while faces are shown
};

struct CDisplayToggle {
  int id;
  bool CDisplaySettings::*flag;
  bool pressedWhenOff;  // double-sided display is the inverse of back-face culling
  ToggleRepaint repaint;
  bool discardDerived;  // simple display changes what the derived geometry holds
  const char* strings;  // string table text: status text, newline, tooltip
  const char* icon;     // resource path
};

const std::array<CDisplayToggle, 9>& DisplayToggles();
const CDisplayToggle* FindDisplayToggle(int id);

inline bool IsTogglePressed(const CDisplayToggle& toggle, const CDisplaySettings& display) {
  return (display.*toggle.flag) != toggle.pressedWhenOff;
}

}  // namespace brimvale
