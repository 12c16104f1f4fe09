// CQuorixView: the OpenGL view. It hosts the core's CViewRenderer, which draws
// the frame and runs the camera navigation; the widget forwards paints and
// mouse events to it and repaints when asked (NOTIFY_REDRAW, navigation steps,
// display toggles).
#pragma once

#include <QOpenGLWidget>

#include "document/notification_hub.h"
#include "view/view_renderer.h"

namespace brimvale {

class CFrameDialogs;
class CQuorixDoc;

class CQuorixView : public QOpenGLWidget, public CDocListener {
  Q_OBJECT

 public:
  explicit CQuorixView(CQuorixDoc& doc, QWidget* parent = nullptr);
  ~CQuorixView() override;

  CQuorixDoc& Doc() const { return m_Doc; }
  // The renderer's OpenGL objects; uploads to them need MakeCurrent first.
  CViewGlCache& Cache() { return m_Renderer.Cache(); }
  const CViewGlCache& Cache() const { return m_Renderer.Cache(); }
  // Makes the view's context current outside a paint; false without a usable one.
  bool MakeCurrent();
  void DoneCurrent() { doneCurrent(); }

  // Whether the window system can give this program an OpenGL context at all
  // (asked once). Without one the window shows a notice instead of the view.
  static bool PlatformHasOpenGL();

  // Draws the frame now, before returning (navigation, benchmark, transparency).
  void RedrawNow();
  // Asks for a repaint at the next turn of the event loop (display toggles).
  void RequestUpdate();
  // While busy (the document is being read or derived on other threads) the
  // view draws nothing new and keeps showing its last frame.
  void SetBusy(bool busy) { m_bBusy = busy; }
  // How often each was asked for; lets the tests see the repaint rules.
  int RedrawNowCount() const { return m_nRedrawNow; }
  int UpdateRequestCount() const { return m_nUpdateRequests; }
  int FramesDrawn() const { return m_nFramesDrawn; }

  // Command 32803: times the geometry work and shows the figures in a box
  // owned by the view.
  void OnTimeMeasurement(CFrameDialogs& dialogs);

  void OnDocNotify(int code, uint32_t wordParam) override;

 signals:
  // The window system gave no usable OpenGL context: the view stays blank.
  void glUnavailable(const QString& reason);
  // A frame has been drawn (its face buffer requests are ready to take).
  void frameDrawn();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int w, int h) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Arrows orbit, Shift+arrows pan, +/- and Page Up/Down dolly.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ReleaseGl();
  void DrawFrameNow();  // the context must be current

  CQuorixDoc& m_Doc;
  CViewRenderer m_Renderer;
  QMetaObject::Connection m_ContextGone;
  bool m_bGlUsable = false;
  bool m_bFrameReady = false;  // drawn by RedrawNow, not yet composed
  bool m_bBusy = false;
  int m_nRedrawNow = 0;
  int m_nUpdateRequests = 0;
  int m_nFramesDrawn = 0;
};

}  // namespace brimvale
