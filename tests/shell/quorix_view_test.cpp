// The view forwards mouse drags to the camera navigation with the button
// rules of the program, redraws at once after each step and posts the camera
// notification; NOTIFY_REDRAW redraws it as well.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <cmath>

#include "document/quorix_doc.h"
#include "frame_test_support.h"
#include "shell/quorix_view.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

float Distance(const CScene& s) {
  const float dx = s.m_vPosition.x - s.m_vLookAt.x, dy = s.m_vPosition.y - s.m_vLookAt.y,
              dz = s.m_vPosition.z - s.m_vLookAt.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool Same(const CVector3& a, const CVector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

}  // namespace

class QuorixViewTest : public QObject {
  Q_OBJECT

 private slots:
  void rightDragOrbitsAndRedrawsAtOnce();
  void leftDragPansAndIgnoresOtherButtons();
  void rightDragWithLeftHeldDollies();
  void redrawNotificationRedraws();
};

void QuorixViewTest::rightDragOrbitsAndRedrawsAtOnce() {
  CQuorixDoc doc;
  CQuorixView view(doc);
  view.resize(400, 300);
  CRecordingListener listener;
  doc.Hub().Register(&listener);

  // Moves without a drag only remember the pointer.
  Send(&view, QEvent::MouseMove, {90, 100}, Qt::NoButton, Qt::NoButton);
  QCOMPARE(view.RedrawNowCount(), 0);

  const CVector3 look = doc.m_Scene.m_vLookAt;
  const float distance = Distance(doc.m_Scene);
  Send(&view, QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
  Send(&view, QEvent::MouseMove, {130, 100}, Qt::NoButton, Qt::RightButton);
  QCOMPARE(view.RedrawNowCount(), 1);
  QVERIFY(doc.m_Scene.m_vPosition.x != 0.0f);          // turned about the look-at
  QVERIFY(Same(doc.m_Scene.m_vLookAt, look));
  QVERIFY(std::abs(Distance(doc.m_Scene) - distance) < 0.01f);
  // The camera notification is posted, not sent.
  QVERIFY(listener.codes.empty());
  doc.Hub().DeliverPosted();
  QCOMPARE(listener.Count(NOTIFY_CAMERA_MOVED), 1);

  Send(&view, QEvent::MouseButtonRelease, {130, 100}, Qt::RightButton, Qt::NoButton);
  const CVector3 after = doc.m_Scene.m_vPosition;
  Send(&view, QEvent::MouseMove, {200, 150}, Qt::NoButton, Qt::NoButton);
  QVERIFY(Same(doc.m_Scene.m_vPosition, after));
  QCOMPARE(view.RedrawNowCount(), 1);
  doc.Hub().Unregister(&listener);
}

void QuorixViewTest::leftDragPansAndIgnoresOtherButtons() {
  CQuorixDoc doc;
  CQuorixView view(doc);
  view.resize(400, 300);
  const CVector3 position = doc.m_Scene.m_vPosition;
  const CVector3 look = doc.m_Scene.m_vLookAt;
  Send(&view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  // A right press during the left drag starts nothing and its release ends nothing.
  Send(&view, QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  Send(&view, QEvent::MouseButtonRelease, {100, 100}, Qt::RightButton, Qt::LeftButton);
  Send(&view, QEvent::MouseMove, {120, 90}, Qt::NoButton, Qt::LeftButton);
  const float dx = doc.m_Scene.m_vPosition.x - position.x;
  QVERIFY(dx != 0.0f);
  QCOMPARE(doc.m_Scene.m_vLookAt.x - look.x, dx);  // both moved together
  QVERIFY(std::abs(Distance(doc.m_Scene) - 316.2278f) < 0.01f);
  Send(&view, QEvent::MouseButtonRelease, {120, 90}, Qt::LeftButton, Qt::NoButton);
  QCOMPARE(view.RedrawNowCount(), 1);
}

void QuorixViewTest::rightDragWithLeftHeldDollies() {
  CQuorixDoc doc;
  CQuorixView view(doc);
  view.resize(400, 300);
  const float distance = Distance(doc.m_Scene);
  Send(&view, QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
  Send(&view, QEvent::MouseMove, {100, 80}, Qt::NoButton, Qt::RightButton | Qt::LeftButton);
  QVERIFY(Distance(doc.m_Scene) > distance * 1.05f);  // upwards moves away
  QCOMPARE(doc.m_Scene.m_vPosition.x, 0.0f);          // along the line of sight
  Send(&view, QEvent::MouseButtonRelease, {100, 80}, Qt::RightButton, Qt::LeftButton);
}

void QuorixViewTest::redrawNotificationRedraws() {
  CQuorixDoc doc;
  CQuorixView view(doc);
  doc.Hub().NotifyAll(NOTIFY_CURRENT_OBJECT);
  QCOMPARE(view.RedrawNowCount(), 0);
  doc.Hub().NotifyAll(NOTIFY_REDRAW);
  QCOMPARE(view.RedrawNowCount(), 1);
  // The view leaves the list when it goes.
  const size_t listeners = doc.Hub().ListenerCount();
  {
    CQuorixView second(doc);
    QCOMPARE(doc.Hub().ListenerCount(), listeners + 1);
  }
  QCOMPARE(doc.Hub().ListenerCount(), listeners);
}

QTEST_MAIN(QuorixViewTest)
#include "quorix_view_test.moc"
