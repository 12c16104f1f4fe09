// The program's own controls: numeric field, spin button, colour button and the
// roll-up panel, driven with synthesized keys and mouse events.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/rollup_header.h"
#include "widgets/rollup_page.h"
#include "widgets/rollup_panel.h"
#include "widgets/spin_button.h"

using namespace brimvale;

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

class ScriptedColorButton : public CColorButton {
 public:
  using CColorButton::CColorButton;
  bool confirm = false;
  uint32_t answer = 0;
  uint32_t offered = 0xDEADu;

 protected:
  bool RunColorDialog(uint32_t initial, uint32_t* chosen) override {
    offered = initial;
    if (confirm) *chosen = answer;
    return confirm;
  }
};

class FixedPage : public CRollupPage {
 public:
  FixedPage(const QString& title, int height) : CRollupPage(title) { SetPageHeight(height); }
  std::vector<int> codes;
  void OnDocNotify(int code, uint32_t /*word*/) override { codes.push_back(code); }
};

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void typedCharactersAreFiltered();
  void floatFieldFormatsAndClampsOnFocusLoss();
  void focusFollowsThePointer();
  void spinDragNotifiesOnceAtRelease();
  void spinClickStepsAndNotifiesAtOnce();
  void spinDragNotifiesEveryStepWhenAsked();
  void integerDragTruncatesTowardZero();
  void companionsFollowTheField();
  void colorButtonNotifiesOnlyOnConfirm();
  void rollupLayoutHeights();
  void rollupScrollIsClamped();
  void rollupHeaderToggleReleasedOutside();
  void rollupGrabScrolling();
  void rollupForwardsNotificationsToPages();
};

void ControlsTest::typedCharactersAreFiltered() {
  QWidget parent;
  CNumEdit edit(&parent, 7);
  parent.show();
  edit.setFocus();
  edit.clear();
  QTest::keyClicks(&edit, "1.5");
  QCOMPARE(edit.text(), QString("15"));
  QTest::keyClicks(&edit, "a");
  QCOMPARE(edit.text(), QString("15"));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QCOMPARE(edit.text(), QString("1"));

  edit.SetFloatMode(true);
  edit.clear();
  QTest::keyClicks(&edit, "-2.5x,e");
  QCOMPARE(edit.text(), QString("-2.5"));
}

void ControlsTest::floatFieldFormatsAndClampsOnFocusLoss() {
  QWidget parent;
  CNumEdit edit(&parent, 3);
  QLineEdit other(&parent);
  other.move(0, 40);
  parent.show();
  QApplication::setActiveWindow(&parent);
  edit.SetFloatMode(true);
  edit.SetFloatValue(2.5f);
  QCOMPARE(edit.text(), QString("2.5000"));

  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);
  edit.setFocus();
  edit.setText("9999999");
  other.setFocus();
  QCOMPARE(edit.text(), QString("1000000.0000"));
  QCOMPARE(edit.FloatValue(), 1000000.0f);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(changed.at(0).at(0).toInt(), 3);

  // Leaving the field without changing the value tells nobody.
  edit.setFocus();
  other.setFocus();
  QCOMPARE(changed.count(), 1);

  // Text that is no number reads as 0.
  edit.setFocus();
  edit.setText("-");
  other.setFocus();
  QCOMPARE(edit.text(), QString("0.0000"));
  QCOMPARE(changed.count(), 2);

  // Integer fields saturate instead of overflowing.
  edit.SetFloatMode(false);
  edit.SetIntRange(-5, 5);
  edit.setFocus();
  edit.setText("-99999999999999999999999");
  other.setFocus();
  QCOMPARE(edit.IntValue(), -5);
  QCOMPARE(edit.text(), QString("-5"));
}

void ControlsTest::focusFollowsThePointer() {
  QWidget parent;
  CNumEdit edit(&parent);
  QLineEdit other(&parent);
  other.move(0, 40);
  parent.show();
  QApplication::setActiveWindow(&parent);
  QVERIFY(QTest::qWaitForWindowActive(&parent));
  edit.SetIntValue(42);
  other.setFocus();
  QVERIFY(!edit.hasFocus());
  SendMouse(&edit, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
  QVERIFY(edit.hasFocus());
  QCOMPARE(edit.selectedText(), QString("42"));

  // Leaving for the other field commits what was typed; Enter does too.
  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);
  QTest::keyClicks(&edit, "7");
  other.setFocus();
  QCOMPARE(edit.IntValue(), 7);
  edit.setFocus();
  QTest::keyClicks(&edit, "3");
  QTest::keyClick(&edit, Qt::Key_Return);
  QCOMPARE(edit.IntValue(), 73);
  QCOMPARE(changed.count(), 2);

  edit.SetFocusOnHover(false);
  other.setFocus();
  SendMouse(&edit, QEvent::MouseMove, QPoint(6, 6), Qt::NoButton);
  QVERIFY(!edit.hasFocus());
}

void ControlsTest::spinDragNotifiesOnceAtRelease() {
  QWidget parent;
  CNumEdit edit(&parent);
  edit.setGeometry(10, 10, 60, 20);
  edit.SetFloatMode(true);
  edit.SetStep(0.1f);
  edit.SetFloatValue(1.0f);
  CSpinButton* spin = edit.CreateSpinButton();
  QCOMPARE(edit.CreateSpinButton(), spin);
  QCOMPARE(spin->geometry(), QRect(72, 8, 15, 24));
  parent.show();

  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);
  SendMouse(spin, QEvent::MouseButtonPress, QPoint(7, 3));
  QCOMPARE(spin->PressedHalf(), int(CSpinButton::kUpper));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, -1));  // leaves the half: drag starts
  QVERIFY(spin->IsDragging());
  QCOMPARE(spin->cursor().shape(), Qt::SizeVerCursor);
  for (int y = -4; y >= -31; y -= 3) SendMouse(spin, QEvent::MouseMove, QPoint(7, y));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, -31));
  QCOMPARE(edit.text(), QString("4.0000"));
  QCOMPARE(changed.count(), 0);
  SendMouse(spin, QEvent::MouseButtonRelease, QPoint(7, -31), Qt::NoButton);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(edit.FloatValue(), 4.0f);
  QCOMPARE(spin->cursor().shape(), Qt::ArrowCursor);
  QVERIFY(!spin->IsPressed());
}

void ControlsTest::spinClickStepsAndNotifiesAtOnce() {
  QWidget parent;
  CNumEdit edit(&parent);
  edit.setGeometry(0, 0, 50, 20);
  edit.SetIntRange(0, 10);
  edit.SetIntValue(10);
  CSpinButton* spin = edit.CreateSpinButton();
  parent.show();
  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);

  // Lower half: -1.
  SendMouse(spin, QEvent::MouseButtonPress, QPoint(7, 20));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, 19));  // stays in the half: still a click
  SendMouse(spin, QEvent::MouseButtonRelease, QPoint(7, 19), Qt::NoButton);
  QCOMPARE(edit.IntValue(), 9);
  QCOMPARE(changed.count(), 1);
  // Upper half twice: +1 up to the maximum.
  for (int i = 0; i < 2; ++i) {
    SendMouse(spin, QEvent::MouseButtonPress, QPoint(7, 2));
    SendMouse(spin, QEvent::MouseButtonRelease, QPoint(7, 2), Qt::NoButton);
  }
  QCOMPARE(edit.IntValue(), 10);
  QCOMPARE(edit.text(), QString("10"));
}

void ControlsTest::spinDragNotifiesEveryStepWhenAsked() {
  QWidget parent;
  CNumEdit edit(&parent);
  edit.setGeometry(0, 0, 50, 20);
  edit.SetNotifyWhileDragging(true);
  CSpinButton* spin = edit.CreateSpinButton();
  parent.show();
  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);
  SendMouse(spin, QEvent::MouseButtonPress, QPoint(7, 20));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, 30));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, 35));
  SendMouse(spin, QEvent::MouseMove, QPoint(7, 37));
  QCOMPARE(changed.count(), 2);
  QCOMPARE(edit.IntValue(), -7);
  SendMouse(spin, QEvent::MouseButtonRelease, QPoint(7, 37), Qt::NoButton);
  QCOMPARE(changed.count(), 2);  // nothing left pending
}

void ControlsTest::integerDragTruncatesTowardZero() {
  CNumEdit edit;
  edit.SetStep(0.4f);
  edit.SetIntValue(5);
  edit.BeginInteraction();
  edit.Step(-2, true);  // 5 - 0.8 = 4.2
  QCOMPARE(edit.IntValue(), 4);
  edit.Step(-1, true);  // 5 - 1.2 = 3.8
  QCOMPARE(edit.IntValue(), 3);
  QSignalSpy changed(&edit, &CNumEdit::numEditChanged);
  edit.EndInteraction();
  QCOMPARE(changed.count(), 1);
  // A fresh interaction starts from the value now shown.
  edit.BeginInteraction();
  edit.Step(3, false);
  QCOMPARE(edit.IntValue(), 4);
}

void ControlsTest::companionsFollowTheField() {
  QWidget parent;
  auto* edit = new CNumEdit(&parent);
  auto* label = new QLabel("mm", &parent);
  edit->SetCompanion(label);
  CSpinButton* spin = edit->CreateSpinButton();
  parent.show();
  edit->setEnabled(false);
  QVERIFY(!spin->isEnabled());
  QVERIFY(!label->isEnabled());
  edit->setEnabled(true);
  QVERIFY(spin->isEnabled());
  edit->hide();
  QVERIFY(spin->isHidden());
  QVERIFY(label->isHidden());
  edit->show();
  QVERIFY(!spin->isHidden());
  QPointer<QLabel> watch(label);
  QPointer<CSpinButton> watchSpin(spin);
  delete edit;
  QVERIFY(watch.isNull());
  QVERIFY(watchSpin.isNull());
}

void ControlsTest::colorButtonNotifiesOnlyOnConfirm() {
  ScriptedColorButton button(nullptr, 1042);
  button.resize(40, 20);
  QCOMPARE(button.Color(), 0xFFFFFFu);
  QSignalSpy changed(&button, &CColorButton::colorChanged);
  button.SetColor(0x123456u);
  QCOMPARE(changed.count(), 0);

  QTest::mouseClick(&button, Qt::LeftButton);
  QCOMPARE(button.offered, 0x123456u);
  QCOMPARE(button.Color(), 0x123456u);
  QCOMPARE(changed.count(), 0);

  button.confirm = true;
  button.answer = 0x00FF8000u;
  QTest::mouseClick(&button, Qt::LeftButton);
  QCOMPARE(button.Color(), 0x00FF8000u);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(changed.at(0).at(0).toInt(), 1042);
}

void ControlsTest::rollupLayoutHeights() {
  CRollupPanel panel;
  panel.resize(200, 150);
  auto* a = new FixedPage("A", 100);
  auto* b = new FixedPage("B", 50);
  auto* c = new FixedPage("C", 200);
  panel.AddPage(a);
  panel.AddPage(b);
  panel.AddPage(c);
  panel.show();
  QCOMPARE(panel.ContentHeight(), 75 + 350);
  QCOMPARE(a->Header()->geometry(), QRect(5, 5, 190, 20));
  QCOMPARE(a->geometry(), QRect(0, 25, 200, 100));
  QCOMPARE(b->Header()->geometry(), QRect(5, 130, 190, 20));
  QCOMPARE(b->geometry(), QRect(0, 150, 200, 50));
  QCOMPARE(c->Header()->ControlId(), 2);
  QCOMPARE(c->Header()->Title(), QString("C"));

  b->Header()->SetOpen(false);
  panel.DocNotify(ROLLUP_TOGGLED, 0);
  QVERIFY(b->isHidden());
  QCOMPARE(c->Header()->geometry(), QRect(5, 155, 190, 20));
  QCOMPARE(c->geometry(), QRect(0, 175, 200, 200));
  QCOMPARE(panel.ContentHeight(), 75 + 300);
}

void ControlsTest::rollupScrollIsClamped() {
  CRollupPanel panel;
  panel.resize(200, 150);
  auto* a = new FixedPage("A", 300);
  auto* b = new FixedPage("B", 100);
  panel.AddPage(a);
  panel.AddPage(b);
  panel.show();
  QSignalSpy scrolled(&panel, &CRollupPanel::rollupScrolled);
  const int content = 50 + 400;
  panel.ScrollBy(1000);
  QCOMPARE(panel.ScrollOffset(), content - 150);
  QCOMPARE(a->Header()->y(), 5 - (content - 150));
  panel.ScrollBy(-5000);
  QCOMPARE(panel.ScrollOffset(), 0);
  QCOMPARE(scrolled.count(), 2);

  // Growing the panel pulls the offset back within the content.
  panel.ScrollBy(250);
  QCOMPARE(panel.ScrollOffset(), 250);
  panel.resize(200, 400);
  QCOMPARE(panel.ScrollOffset(), content - 400);

  // Every page closed: 25 per page fits, so the offset returns to 0 and the
  // background no longer grabs.
  a->Header()->SetOpen(false);
  b->Header()->SetOpen(false);
  panel.DocNotify(ROLLUP_TOGGLED, 0);
  panel.resize(200, 399);
  QCOMPARE(panel.ContentHeight(), 50);
  QCOMPARE(panel.ScrollOffset(), 0);
  QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
  SendMouse(&panel, QEvent::MouseButtonPress, QPoint(100, 300));
  QVERIFY(!panel.IsGrabbing());
}

void ControlsTest::rollupHeaderToggleReleasedOutside() {
  CRollupPanel panel;
  panel.resize(200, 300);
  auto* a = new FixedPage("A", 100);
  panel.AddPage(a);
  panel.show();
  CRollupHeader* header = a->Header();
  QSignalSpy toggled(header, &CRollupHeader::toggled);
  SendMouse(header, QEvent::MouseButtonPress, QPoint(10, 10));
  QVERIFY(header->IsPressed());
  SendMouse(header, QEvent::MouseButtonRelease, QPoint(500, 500), Qt::NoButton);
  QCOMPARE(toggled.count(), 1);
  QVERIFY(!header->IsOpen());
  QVERIFY(a->isHidden());
  QCOMPARE(panel.ContentHeight(), 25);
  QCOMPARE(a->codes, std::vector<int>{ROLLUP_TOGGLED});
}

void ControlsTest::rollupGrabScrolling() {
  CRollupPanel panel;
  panel.resize(200, 150);
  auto* a = new FixedPage("A", 400);
  panel.AddPage(a);
  panel.show();
  QCOMPARE(panel.cursor().shape(), Qt::OpenHandCursor);
  QCOMPARE(a->cursor().shape(), Qt::OpenHandCursor);
  // A press on the page's background reaches the panel.
  SendMouse(a, QEvent::MouseButtonPress, QPoint(100, 50));
  QVERIFY(panel.IsGrabbing());
  QCOMPARE(panel.cursor().shape(), Qt::ClosedHandCursor);
  SendMouse(&panel, QEvent::MouseMove, QPoint(100, 40), Qt::LeftButton);
  QCOMPARE(panel.ScrollOffset(), 35);  // the drag started at y 75 in the panel
  SendMouse(&panel, QEvent::MouseMove, QPoint(100, 50), Qt::LeftButton);
  QCOMPARE(panel.ScrollOffset(), 25);
  SendMouse(&panel, QEvent::MouseButtonRelease, QPoint(100, 50), Qt::NoButton);
  QVERIFY(!panel.IsGrabbing());
  QCOMPARE(panel.cursor().shape(), Qt::OpenHandCursor);
}

void ControlsTest::rollupForwardsNotificationsToPages() {
  CRollupPanel panel;
  auto* a = new FixedPage("A", 10);
  auto* b = new FixedPage("B", 10);
  panel.AddPage(a);
  panel.AddPage(b);
  panel.DocNotify(NOTIFY_DOCUMENT_RESET, 0);
  QCOMPARE(a->codes, std::vector<int>{NOTIFY_DOCUMENT_RESET});
  QCOMPARE(b->codes, std::vector<int>{NOTIFY_DOCUMENT_RESET});
  panel.RemoveAllPages();
  QCOMPARE(panel.PageCount(), 0);
  QCOMPARE(panel.ContentHeight(), 0);
}

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
