// Mouse navigation of the camera: the five drag modes as pure steps on a
// camera, and the drag state that turns button and move events into steps.
// The window only forwards its events here and redraws when asked to.
#pragma once

#include "document/scene.h"

namespace brimvale {

class CQuorixDoc;

enum NavigationMode { kNavOrbit = 0, kNavLookAround = 1, kNavPan = 2, kNavDolly = 3, kNavAngle = 4 };

// A dolly step never shrinks the distance to the look-at by more than this
// factor, so no single drag puts the camera on or behind the look-at.
inline constexpr float kMinDollyFactor = 0.1f;

// One step of a drag from the last pointer position (lx, ly) to (x, y), client
// pixels with y downwards, in a client area of w x h. Returns false, leaving
// the camera alone, for a mode outside 0..4.
bool ApplyNavigationStep(int mode, CScene& camera, int x, int y, int lx, int ly, int w, int h);

// The wheel dollies: each notch (120 units of angle, positive turned away from
// the user) brings the camera this factor of its distance nearer the look-at,
// a notch the other way as far out again. Returns false, the camera unchanged,
// when the step would bring it too close to tell it from the look-at.
inline constexpr float kWheelNotchFactor = 0.85f;
bool ApplyWheelDolly(CScene& camera, int angleDelta);

enum class MouseButton { Left, Middle, Right };

// Buttons held, as reported with a mouse move.
struct CButtonsHeld {
  bool left = false;
  bool middle = false;
  bool right = false;
};

// Which button drags, where it was pressed, and the last pointer position.
// Only one drag is active at a time.
class CNavigationState {
 public:
  // Starts a drag of that button unless another drag is active; returns
  // whether it started (the window then captures the mouse).
  bool ButtonDown(MouseButton button, int x, int y);
  // Ends that button's drag if it is the active one; returns whether it ended
  // (the window then releases the capture).
  bool ButtonUp(MouseButton button);
  // Applies the step of the active drag's mode to the document's camera and
  // remembers (x, y). Returns whether a mode was selected: the window then
  // redraws at once, and NOTIFY_CAMERA_MOVED has been posted.
  bool MouseMove(CQuorixDoc& doc, int x, int y, CButtonsHeld held, int w, int h);

  bool Dragging() const { return m_bLeft || m_bMiddle || m_bRight; }
  // The mode the active drag selects with these buttons held; -1 without a drag.
  int SelectedMode(const CQuorixDoc& doc, CButtonsHeld held) const;

 private:
  bool m_bLeft = false;
  bool m_bMiddle = false;
  bool m_bRight = false;
  int m_nPressX = 0;
  int m_nPressY = 0;
  int m_nLastX = 0;
  int m_nLastY = 0;
};

}  // namespace brimvale
