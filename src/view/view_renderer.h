// The toolkit-free view: draws one frame of a document into the current
// OpenGL context and turns forwarded mouse events into camera navigation.
// A window (the Qt widget) or an offscreen context hosts it:
//
//   CViewRenderer view;
//   // on paint, with the context current:
//   view.DrawFrame(doc, width, height);
//   // on mouse events:
//   view.ButtonDown(MouseButton::Left, x, y);                 // capture when true
//   if (view.MouseMove(doc, x, y, held, width, height)) ...;  // redraw when true
//   view.ButtonUp(MouseButton::Left);                         // release when true
//   // before the context goes away, with it current:
//   view.ReleaseGl();
//
// The renderer keeps OpenGL objects of the context it draws into (face
// buffers, material textures); one renderer serves one context.
#pragma once

#include "scene/drawn_bounds.h"
#include "scene/navigation.h"
#include "view/gl_cache.h"

namespace brimvale {

class CQuorixDoc;

class CViewRenderer {
 public:
  CViewRenderer() = default;
  CViewRenderer(const CViewRenderer&) = delete;
  CViewRenderer& operator=(const CViewRenderer&) = delete;

  // One complete frame for a client area of width x height pixels: clear,
  // projection (near and far planes around the model: depth_range.h),
  // camera, lights, turntable, background picture, grid, axes,
  // objects, frame mask, flush. A zero width or height draws nothing.
  void DrawFrame(CQuorixDoc& doc, int width, int height);

  // Off: faces are sent corner by corner as the reference path does, with no
  // buffers or texture objects kept. On (the default): the cached path.
  void SetUseBuffers(bool on) { m_bUseBuffers = on; }
  bool UseBuffers() const { return m_bUseBuffers; }

  // Mouse navigation (see CNavigationState).
  bool ButtonDown(MouseButton button, int x, int y) { return m_Navigation.ButtonDown(button, x, y); }
  bool ButtonUp(MouseButton button) { return m_Navigation.ButtonUp(button); }
  bool MouseMove(CQuorixDoc& doc, int x, int y, CButtonsHeld held, int width, int height) {
    return m_Navigation.MouseMove(doc, x, y, held, width, height);
  }

  // Deletes the kept OpenGL objects; the context must be current.
  void ReleaseGl() { m_Cache.Release(); }
  const CViewGlCache& Cache() const { return m_Cache; }
  CViewGlCache& Cache() { return m_Cache; }

 private:
  CViewGlCache m_Cache;
  CDrawnBoxCache m_DrawnBox;  // what the depth range takes in
  CNavigationState m_Navigation;
  bool m_bUseBuffers = true;
  int m_nBuffersChecked = -1;  // -1 unknown, 0 unsupported, 1 supported
};

}  // namespace brimvale
