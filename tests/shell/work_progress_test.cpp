// Progress of long work in the status bar: the bar, the disabled window, the
// Cancel button, and an export cancelled from it that writes nothing.
#include <QDir>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "document/quorix_doc.h"
#include "frame_test_support.h"
#include "shell/command_ids.h"
#include "shell/main_frame.h"
#include "shell/work_progress.h"

using namespace brimvale;
using namespace brimvale::test;

class WorkProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { CWorkProgress::SetDelay(0); }
  void barDisablesTheWindowAndCancelStopsTheWork();
  void cancelledExportLeavesNothingWritten();
};

void WorkProgressTest::barDisablesTheWindowAndCancelStopsTheWork() {
  CQuorixDoc doc;
  CMainFrame frame(doc);
  {
    CWorkProgress progress(&frame, QStringLiteral("Working: %1 of %2"), true);
    QVERIFY(!frame.menuBar()->isEnabled());
    QVERIFY(frame.statusBar()->isEnabled());
    QVERIFY(progress.Step(1, 4));
    auto* bar = frame.statusBar()->findChild<QProgressBar*>(QStringLiteral("WorkProgress"));
    QVERIFY(bar);
    QCOMPARE(bar->value(), 250);
    QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Working: 1 of 4"));
    auto* cancel = frame.statusBar()->findChild<QPushButton*>(QStringLiteral("WorkCancel"));
    QVERIFY(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!progress.Step(2, 4));
  }
  QVERIFY(frame.menuBar()->isEnabled());
  QVERIFY(!frame.statusBar()->findChild<QProgressBar*>(QStringLiteral("WorkProgress")));
}

void WorkProgressTest::cancelledExportLeavesNothingWritten() {
  CQuorixDoc doc;
  CScriptedDialogs dialogs;
  CMainFrame frame(doc);
  frame.SetDialogs(&dialogs);
  QVERIFY(frame.OpenMqoPath(DataFile("quad.mqo")));
  QTemporaryDir dir;
  dialogs.saveAnswer = dir.filePath("scene.pov");
  // Pressed as soon as the bar shows, while the export runs.
  QTimer::singleShot(0, &frame, [&frame] {
    if (auto* cancel = frame.statusBar()->findChild<QPushButton*>(QStringLiteral("WorkCancel"))) cancel->click();
  });
  QVERIFY(frame.OnCommand(ID_EXPORT_POV));
  QVERIFY(QDir(dir.path()).isEmpty());
  QVERIFY(dialogs.messages.isEmpty());
  QVERIFY(frame.statusBar()->currentMessage().contains(QStringLiteral("出力を中止しました")));

  frame.OnCommand(ID_EXPORT_POV);  // not cancelled this time
  QVERIFY(QFile::exists(dir.filePath("scene_obj.inc")));
}

QTEST_MAIN(WorkProgressTest)
#include "work_progress_test.moc"
