#include "shell/quorix_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

#include "document/quorix_doc.h"
#include "geometry/time_measurement.h"
#include "shell/frame_dialogs.h"
#include "shell/frame_texts.h"
#include "shell/translation.h"

namespace brimvale {

namespace {

bool ToNavigationButton(Qt::MouseButton button, MouseButton* out) {
  switch (button) {
    case Qt::LeftButton: *out = MouseButton::Left; return true;
    case Qt::MiddleButton: *out = MouseButton::Middle; return true;
    case Qt::RightButton: *out = MouseButton::Right; return true;
    default: return false;
  }
}

CButtonsHeld HeldButtons(Qt::MouseButtons buttons) {
  CButtonsHeld held;
  held.left = buttons.testFlag(Qt::LeftButton);
  held.middle = buttons.testFlag(Qt::MiddleButton);
  held.right = buttons.testFlag(Qt::RightButton);
  return held;
}

}  // namespace

bool CQuorixView::PlatformHasOpenGL() {
  static const bool available = [] {
    QOpenGLContext probe;
    return probe.create() && probe.isValid();
  }();
  return available;
}

CQuorixView::CQuorixView(CQuorixDoc& doc, QWidget* parent) : QOpenGLWidget(parent), m_Doc(doc) {
  // The view draws with the fixed-function pipeline: compatibility profile,
  // a depth buffer, double buffering.
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  setFormat(format);
  // The framebuffer keeps its contents between paints (see RedrawNow).
  setUpdateBehavior(QOpenGLWidget::PartialUpdate);
  setMouseTracking(true);  // the last pointer position follows every move
  setFocusPolicy(Qt::StrongFocus);  // the keys navigate once the view is clicked or tabbed to
  setMinimumSize(64, 48);
  m_Doc.Hub().Register(this);
}

CQuorixView::~CQuorixView() {
  m_Doc.Hub().Unregister(this);
  ReleaseGl();
  // The base class destroys the context after this object is gone: nothing
  // of ours may run then.
  QObject::disconnect(m_ContextGone);
}

void CQuorixView::ReleaseGl() {
  if (!m_bGlUsable || !context()) return;
  makeCurrent();
  m_Renderer.ReleaseGl();
  doneCurrent();
  m_bGlUsable = false;
}

void CQuorixView::initializeGL() {
  QOpenGLContext* ctx = context();
  m_bGlUsable = ctx && ctx->isValid() && !ctx->isOpenGLES();
  if (!m_bGlUsable) {
    emit glUnavailable(tr("OpenGL is not available: the view cannot draw."));
    return;
  }
  // The context goes away with the window; free what the renderer kept in it first.
  QObject::disconnect(m_ContextGone);
  m_ContextGone =
      connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, &CQuorixView::ReleaseGl, Qt::DirectConnection);
}

void CQuorixView::DrawFrameNow() {
  if (m_bBusy) return;
  const qreal ratio = devicePixelRatioF();
  m_Renderer.DrawFrame(m_Doc, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
  ++m_nFramesDrawn;
  emit frameDrawn();
}

bool CQuorixView::MakeCurrent() {
  if (!m_bGlUsable || !context() || !context()->isValid()) return false;
  makeCurrent();
  return true;
}

void CQuorixView::paintGL() {
  if (!m_bGlUsable) return;
  // A frame RedrawNow has just drawn is already in the framebuffer.
  if (m_bFrameReady) {
    m_bFrameReady = false;
    return;
  }
  DrawFrameNow();
}

void CQuorixView::resizeGL(int /*w*/, int /*h*/) { m_bFrameReady = false; }

// A repaint of the widget may be deferred by Qt until the last one has been
// presented, so the frame is drawn here, directly into the widget's
// framebuffer, and finished before returning; the window shows it at the next
// composition.
void CQuorixView::RedrawNow() {
  ++m_nRedrawNow;
  if (m_bGlUsable && isVisible() && context() && context()->isValid()) {
    makeCurrent();
    DrawFrameNow();
    context()->functions()->glFinish();
    doneCurrent();
    m_bFrameReady = true;
  }
  update();
}

void CQuorixView::RequestUpdate() {
  ++m_nUpdateRequests;
  m_bFrameReady = false;
  update();
}

void CQuorixView::OnDocNotify(int code, uint32_t /*wordParam*/) {
  if (code == NOTIFY_REDRAW) RedrawNow();
}

void CQuorixView::mousePressEvent(QMouseEvent* event) {
  MouseButton button;
  if (!ToNavigationButton(event->button(), &button)) return;
  const QPoint pos = event->position().toPoint();
  // Qt keeps delivering moves to this widget while a button is held, which is
  // the capture a drag needs.
  m_Renderer.ButtonDown(button, pos.x(), pos.y());
}

void CQuorixView::mouseReleaseEvent(QMouseEvent* event) {
  MouseButton button;
  if (!ToNavigationButton(event->button(), &button)) return;
  m_Renderer.ButtonUp(button);
}

void CQuorixView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // Navigation works in the same logical pixels as the pointer.
  if (m_Renderer.MouseMove(m_Doc, pos.x(), pos.y(), HeldButtons(event->buttons()), width(), height())) {
    RedrawNow();
  }
}

void CQuorixView::wheelEvent(QWheelEvent* event) {
  // A wheel away from the user brings the camera nearer.
  if (ApplyWheelDolly(m_Doc.m_Scene, event->angleDelta().y())) {
    m_Doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED);
    RedrawNow();
  }
  event->accept();
}

void CQuorixView::keyPressEvent(QKeyEvent* event) {
  // A key moves the camera as a short drag from the centre (or a wheel notch) would.
  constexpr int kStep = 16;
  const bool pan = event->modifiers() & Qt::ShiftModifier;
  int dx = 0, dy = 0, notches = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -kStep; break;
    case Qt::Key_Right: dx = kStep; break;
    case Qt::Key_Up: dy = -kStep; break;
    case Qt::Key_Down: dy = kStep; break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_PageUp: notches = 1; break;
    case Qt::Key_Minus:
    case Qt::Key_PageDown: notches = -1; break;
    default: QOpenGLWidget::keyPressEvent(event); return;
  }
  bool moved = false;
  if (notches != 0) {
    moved = ApplyWheelDolly(m_Doc.m_Scene, notches * 120);
  } else {
    const int cx = width() / 2, cy = height() / 2;
    moved = ApplyNavigationStep(pan ? kNavPan : kNavOrbit, m_Doc.m_Scene, cx + dx, cy + dy, cx, cy, width(), height());
  }
  if (moved) {
    m_Doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED);
    RedrawNow();
  }
  event->accept();
}

void CQuorixView::OnTimeMeasurement(CFrameDialogs& dialogs) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString message = GeometryTimesMessage(MeasureGeometryTimes(m_Doc));
  QApplication::restoreOverrideCursor();
  // Each line gives the time of all repetitions and then of one: the second
  // column gets its heading here.
  dialogs.Message(this, tr("\t合計\t1 回あたり (秒)") + QStringLiteral("\n\n") + message,
                  FrameText(texts::kItemTimeMeasurement), false);
}

}  // namespace brimvale
