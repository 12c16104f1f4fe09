// The window as a daily viewer: a failed open keeps the model, edits derive
// off the window's thread, recent files, reload, the saved picture, the
// navigation keys and the remembered settings.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "document/quorix_doc.h"
#include "geometry/derived_counts.h"
#include "frame_test_support.h"
#include "shell/background_derivation.h"
#include "shell/command_ids.h"
#include "shell/edit_history.h"
#include "shell/main_frame.h"
#include "shell/quorix_view.h"
#include "shell/window_settings.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

struct Fixture {
  CQuorixDoc doc;
  CScriptedDialogs dialogs;
  CMainFrame frame{doc};
  Fixture() { frame.SetDialogs(&dialogs); }
};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

class DailyViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void failedOpenKeepsTheModel();
  void cutFileOpensWithAWarning();
  void editsDeriveAfterReturningToTheEventLoop();
  void undoRedoOfAColourAndAMirror();
  void recentFilesOrderAndPruning();
  void reloadOfARewrittenFileKeepsTheCamera();
  void savedPictureEqualsTheCommandLineRender();
  void keysMoveTheCamera();
  void settingsRoundTrip();
};

void DailyViewerTest::failedOpenKeepsTheModel() {
  QTemporaryDir dir;
  const QString bad = dir.filePath("notes.mqo");
  QVERIFY(WriteAll(bad, "just some text\n"));
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  const int objects = f.doc.ObjectCount();
  QVERIFY(objects > 0 && f.doc.MaterialCount() > 0);
  f.doc.Material(0)->m_Color = PackColor(1, 2, 3);
  f.doc.m_Scene.m_vPosition = CVector3(11.0f, 22.0f, -33.0f);
  const std::string title = f.doc.m_strTitle;

  for (const QString& path : {bad, dir.filePath("missing.mqo")}) {
    QVERIFY(!f.frame.OpenMqoPath(path));
    QCOMPARE(f.doc.ObjectCount(), objects);
    QCOMPARE(f.doc.Material(0)->m_Color, PackColor(1, 2, 3));
    QCOMPARE(f.doc.m_Scene.m_vPosition, CVector3(11.0f, 22.0f, -33.0f));
    QCOMPARE(f.doc.m_strTitle, title);
    QVERIFY2(f.dialogs.messages.last().contains(path), qPrintable(f.dialogs.messages.last()));
  }
}

void DailyViewerTest::cutFileOpensWithAWarning() {
  QTemporaryDir dir;
  const QByteArray whole = ReadAll(DataFile("cube.mqo"));
  const QString cut = dir.filePath("cut.mqo");
  QVERIFY(WriteAll(cut, whole.left(whole.indexOf("face"))));
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(cut));
  QVERIFY2(f.frame.statusBar()->currentMessage().contains(QString("%1 個のオブジェクト").arg(f.doc.ObjectCount())),
           qPrintable(f.frame.statusBar()->currentMessage()));
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  QVERIFY(!f.frame.statusBar()->currentMessage().contains("途中"));
}

void DailyViewerTest::editsDeriveAfterReturningToTheEventLoop() {
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  CMeshObject& cube = *f.doc.Object(0);
  QVERIFY(cube.m_pDerived);
  const CMeshObject* before = cube.m_pDerived.get();
  QSignalSpy derived(&f.frame.Derivation(), &CBackgroundDerivation::derived);

  // Two edits in a row: the first is superseded, only the second counts.
  cube.m_nPatchType = 1;
  cube.m_nPatchSegments = 2;
  f.frame.Derivation().Rederive(cube);
  cube.m_nPatchSegments = 4;
  f.frame.Derivation().Rederive(cube);
  QVERIFY(f.frame.Derivation().Pending());
  QCOMPARE(cube.m_pDerived.get(), before);  // still what the view drew
  QTRY_VERIFY(!f.frame.Derivation().Pending());
  QCOMPARE(derived.count(), 1);
  QVERIFY(cube.m_pDerived.get() != before);
  // Four patch passes of two each make 16 quads of every quad.
  QCOMPARE(cube.m_pDerived->QuadCount(), cube.QuadCount() * 16);
}

void DailyViewerTest::undoRedoOfAColourAndAMirror() {
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  CEditHistory& history = f.frame.History();
  QVERIFY(!history.CanUndo());
  CMeshObject& cube = *f.doc.Object(0);
  CMaterial& red = *f.doc.Material(0);
  const uint32_t colour = red.m_Color;
  const auto quads = [&] {
    return f.frame.Derivation().Pending() ? -1 : DerivedCounts(cube, &f.doc.Display).quads;
  };
  QCOMPARE(quads(), 6);

  red.m_Color = PackColor(9, 8, 7);
  f.doc.Hub().NotifyAll(NOTIFY_REDRAW);  // as a panel page announces its edit
  QTRY_VERIFY(history.CanUndo());
  cube.m_nMirrorType = 1;  // separate halves across X
  f.frame.ObjectEdited(cube);
  QTRY_COMPARE(quads(), 12);

  f.frame.Action(ID_EDIT_UNDO)->trigger();
  QCOMPARE(cube.m_nMirrorType, 0);
  QCOMPARE(red.m_Color, PackColor(9, 8, 7));
  QTRY_COMPARE(quads(), 6);
  f.frame.Action(ID_EDIT_UNDO)->trigger();
  QCOMPARE(red.m_Color, colour);
  QVERIFY(!f.frame.Action(ID_EDIT_UNDO)->isEnabled());

  f.frame.Action(ID_EDIT_REDO)->trigger();
  QCOMPARE(red.m_Color, PackColor(9, 8, 7));
  f.frame.Action(ID_EDIT_REDO)->trigger();
  QCOMPARE(cube.m_nMirrorType, 1);
  QTRY_COMPARE(quads(), 12);
  QVERIFY(!history.CanRedo());

  // Navigation is no step; reading the file again starts a new history.
  f.doc.m_Scene.m_vPosition.x += 10.0f;
  f.doc.Hub().NotifyAll(NOTIFY_CAMERA_MOVED);
  const CVector3 navigated = f.doc.m_Scene.m_vPosition;
  f.frame.Action(ID_EDIT_UNDO)->trigger();
  QCOMPARE(cube.m_nMirrorType, 0);
  QCOMPARE(f.doc.m_Scene.m_vPosition, navigated);
  QVERIFY(f.frame.ReloadModel());
  QVERIFY(!history.CanUndo() && !history.CanRedo());
}

void DailyViewerTest::recentFilesOrderAndPruning() {
  QTemporaryDir dir;
  QStringList list;
  for (int i = 0; i < 10; ++i) {
    const QString path = dir.filePath(QString("m%1.mqo").arg(i));
    QVERIFY(WriteAll(path, "x"));
    list = WithRecentFile(list, path);
  }
  QCOMPARE(list.size(), 8);
  QCOMPARE(list.first(), dir.filePath("m9.mqo"));
  QCOMPARE(list.last(), dir.filePath("m2.mqo"));
  list = WithRecentFile(list, dir.filePath("m5.mqo"));  // again: moves to the top, no twin
  QCOMPARE(list.first(), dir.filePath("m5.mqo"));
  QCOMPARE(list.count(dir.filePath("m5.mqo")), 1);
  QCOMPARE(list.size(), 8);
  QVERIFY(QFile::remove(dir.filePath("m9.mqo")));
  QStringList removed;
  const QStringList kept = WithoutMissingFiles(list, &removed);
  QCOMPARE(removed, QStringList{dir.filePath("m9.mqo")});
  QCOMPARE(kept.size(), 7);
  QCOMPARE(kept.first(), dir.filePath("m5.mqo"));
}

void DailyViewerTest::reloadOfARewrittenFileKeepsTheCamera() {
  QTemporaryDir dir;
  const QString path = dir.filePath("model.mqo");
  QVERIFY(QFile::copy(DataFile("cube.mqo"), path));
  Fixture f;
  f.frame.SetReloadDelay(20);
  QVERIFY(f.frame.OpenMqoPath(path));
  const int vertices = f.doc.Object(0)->VertexCount();
  f.doc.m_Scene.m_vPosition = CVector3(5.0f, 6.0f, -70.0f);
  QSignalSpy loaded(&f.frame, &CMainFrame::modelLoaded);

  // A half-written file first: the old model stays; then the whole new one.
  const QByteArray quad = ReadAll(DataFile("quad.mqo"));
  QVERIFY(WriteAll(path, quad.left(quad.indexOf("face") + 6)));
  QTest::qWait(30);
  QCOMPARE(f.doc.Object(0)->VertexCount(), vertices);
  QVERIFY(WriteAll(path, quad));
  QTRY_COMPARE(loaded.count(), 1);
  QVERIFY(f.doc.Object(0)->VertexCount() != vertices);
  QCOMPARE(f.doc.m_Scene.m_vPosition, CVector3(5.0f, 6.0f, -70.0f));
  QCOMPARE(loaded.first().at(1).toBool(), true);
}

void DailyViewerTest::savedPictureEqualsTheCommandLineRender() {
  QTemporaryDir dir;
  const QString cli = QStringLiteral(BRIMVALE_BINARY_DIR "/bin/brimvale-cli");
  if (!QFile::exists(cli)) QSKIP("brimvale-cli is not built");
  QProcess render;
  render.start(cli, {"render", DataFile("cube.mqo"), "--size", "96x64", "-o", dir.filePath("cli.png")});
  QVERIFY(render.waitForFinished(60000));
  if (render.exitCode() != 0) QSKIP(qPrintable("no offscreen OpenGL: " + render.readAllStandardError()));
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  QVERIFY(f.frame.SavePicture(dir.filePath("window.png"), QSize(96, 64)));
  const QImage fromCli(dir.filePath("cli.png")), fromWindow(dir.filePath("window.png"));
  QCOMPARE(fromWindow.size(), QSize(96, 64));
  QCOMPARE(fromWindow.convertToFormat(QImage::Format_RGB888), fromCli.convertToFormat(QImage::Format_RGB888));
}

void DailyViewerTest::keysMoveTheCamera() {
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  f.frame.View()->resize(200, 150);
  CScene& camera = f.doc.m_Scene;
  const auto distance = [&camera] { return Subtract(camera.m_vPosition, camera.m_vLookAt).Length(); };
  const CScene start = camera;
  QTest::keyClick(f.frame.View(), Qt::Key_Left);
  QVERIFY(camera.m_vPosition != start.m_vPosition);
  QCOMPARE(camera.m_vLookAt, start.m_vLookAt);  // orbiting turns about the look-at
  QTest::keyClick(f.frame.View(), Qt::Key_Left, Qt::ShiftModifier);
  QVERIFY(camera.m_vLookAt != start.m_vLookAt);  // panning moves it
  const float far = distance();
  QTest::keyClick(f.frame.View(), Qt::Key_PageUp);
  QVERIFY(distance() < far);
  QTest::keyClick(f.frame.View(), Qt::Key_Minus);
  QTest::keyClick(f.frame.View(), Qt::Key_Minus);
  QVERIFY(distance() > far);
}

void DailyViewerTest::settingsRoundTrip() {
  QTemporaryDir dir;
  const QString file = dir.filePath("window.ini");
  {
    Fixture f;
    f.frame.UseWindowSettings(file);
    f.frame.resize(777, 555);
    f.doc.m_crBackground = PackColor(10, 20, 30);
    f.frame.Action(ID_TOGGLE_GRID)->trigger();
    f.frame.SaveWindowSettings();
  }
  Fixture g;
  const bool gridByDefault = g.doc.Display.ShowGrid;
  g.frame.UseWindowSettings(file);
  QCOMPARE(g.frame.size(), QSize(777, 555));
  QCOMPARE(g.doc.m_crBackground, PackColor(10, 20, 30));
  QCOMPARE(g.doc.Display.ShowGrid, !gridByDefault);
  CWindowSettings(file).Clear();
  Fixture h;
  h.frame.UseWindowSettings(file);
  QCOMPARE(h.doc.Display.ShowGrid, gridByDefault);
}

QTEST_MAIN(DailyViewerTest)
#include "daily_viewer_test.moc"
