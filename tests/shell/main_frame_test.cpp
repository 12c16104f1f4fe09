// The main window: menu texts and order, toolbar order and texts, the display
// toggles with their pressed states and repaint rules, and the commands.
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QRawFont>
#include <QFontDatabase>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include "document/quorix_doc.h"
#include "frame_test_support.h"
#include "scene/camera_fit.h"
#include "shell/about_dialog.h"
#include "shell/command_ids.h"
#include "shell/display_toggles.h"
#include "shell/face_uploads.h"
#include "shell/main_frame.h"
#include "shell/quorix_view.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

QStringList MenuItemTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* action : menu->actions()) texts << (action->isSeparator() ? QStringLiteral("----") : action->text());
  return texts;
}

QList<int> ToolBarIds(QToolBar* bar) {
  QList<int> ids;
  for (QAction* action : bar->actions()) ids << (action->isSeparator() ? 0 : action->data().toInt());
  return ids;
}

// Share of pixels that are not fully transparent.
double Coverage(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  int painted = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  }
  return image.isNull() ? 0.0 : double(painted) / (image.width() * image.height());
}

struct Fixture {
  CQuorixDoc doc;
  CScriptedDialogs dialogs;
  CRecordingListener listener;
  CMainFrame frame{doc};
  Fixture() {
    frame.SetDialogs(&dialogs);
    doc.Hub().Register(&listener);
  }
  ~Fixture() { doc.Hub().Unregister(&listener); }
  void Run(int id) { frame.Action(id)->trigger(); }
};

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void menuTextsAndOrder();
  void toolBarOrderTextsAndIcons();
  void togglesFlipPressAndRepaint();
  void togglesWithFacesHiddenDoNotRepaint();
  void simpleDisplayDiscardsDerivedGeometry();
  void cancelledOpenStillAnnouncesLoaded();
  void openThenFileNewKeepsBackgroundAndResetsCamera();
  void unreadableFileIsReported();
  void exportIsEnabledOnlyWithObjectsAndWritesFiles();
  void benchmarkReportsAndRestoresTheAngle();
  void benchmarkDrawsEveryFrame();
  void largeFacesUploadBetweenTurnsOfTheEventLoop();
  void japaneseTextsHaveGlyphs();
  void timeMeasurementOfAnEmptyDocument();
  void unhandledCommandsReachTheHook();
  void viewMenuTogglesBars();
  void statusBarSaysReadyWhenIdle();
  void acceleratorsOpenOrDoNothing();
  void homeFitsTheWholeModel();
  void droppedModelIsOpened();
  void aboutBox();
};

void MainFrameTest::menuTextsAndOrder() {
  Fixture f;
  QStringList titles;
  for (QAction* action : f.frame.menuBar()->actions()) titles << action->text();
  QCOMPARE(titles, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
  const QList<QAction*> menus = f.frame.menuBar()->actions();
  QCOMPARE(MenuItemTexts(menus[0]->menu()),
           (QStringList{"新規作成(&N)\tCtrl+N", "----", "メタセコイアのファイルを開く", "最近使ったファイル",
                        "再読み込み(&R)", "----", "MegaPOVファイルを出力", "glTFファイルを出力", "画像を保存(&P)...",
                        "----", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
  QCOMPARE(MenuItemTexts(menus[1]->menu()), (QStringList{"元に戻す(&U)", "やり直し(&R)"}));
  QCOMPARE(MenuItemTexts(menus[2]->menu()), (QStringList{"ﾂｰﾙ ﾊﾞｰ(&T)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "全体を表示(&A)"}));
  QCOMPARE(MenuItemTexts(menus[3]->menu()), (QStringList{"ﾊﾞｰｼﾞｮﾝ情報", "ベンチマーク", "時間測定", "----", "キーボードショートカット(&K)"}));

  QList<int> ids;
  for (QAction* menu : menus) {
    for (QAction* item : menu->menu()->actions()) {
      if (!item->isSeparator()) ids << item->data().toInt();
    }
  }
  QCOMPARE(ids, (QList<int>{57600, 32791, 0, ID_FILE_RELOAD, 32800, 32805, ID_FILE_SAVE_PICTURE, 57665, ID_EDIT_UNDO,
                            ID_EDIT_REDO, 59392, 59393, 32804, 57664, 32790, 32803, ID_HELP_SHORTCUTS}));
  QCOMPARE(f.frame.Action(ID_OPEN_MQO)->statusTip(), QString("メタセコイアのファイルを入力"));
  QCOMPARE(f.frame.Action(ID_EXPORT_POV)->toolTip(), QString("POV-Ray/MegaPOVに出力"));
}

void MainFrameTest::toolBarOrderTextsAndIcons() {
  Fixture f;
  QCOMPARE(ToolBarIds(f.frame.ToolBar()), (QList<int>{57600, 32791, 32800, 0, 32792, 32793, 32794, 32795, 32796,
                                                      32797, 32798, 32799, 32802, 32804, 0, 57664}));
  const struct {
    int id;
    const char* status;
    const char* tip;
  } expected[] = {
      {32792, "透明度 ON/OFF", "透明度 ON/OFF"},
      {32793, "頂点　表示/非表示", "頂点　表示/非表示"},
      {32794, "辺　表示/非表示", "辺　表示/非表示"},
      {32795, "面　表示/非表示", "面　表示/非表示"},
      {32796, "面を滑らかに表示", "面を滑らかに表示"},
      {32797, "軸　表示/非表示", "軸　表示/非表示"},
      {32798, "グリッド 表示/非表示", "グリッド　表示/非表示"},
      {32799, "簡易表示 ON/OFF", "簡易表示 ON/OFF"},
      {32802, "面を両面表示", "面を両面表示"},
      {32804, "全体を表示", "全体を表示"},
  };
  for (const auto& e : expected) {
    QAction* action = f.frame.Action(e.id);
    QCOMPARE(action->statusTip(), QString::fromUtf8(e.status));
    QCOMPARE(action->toolTip(), QString::fromUtf8(e.tip));
    QCOMPARE(action->isCheckable(), e.id != ID_VIEW_FIT);
  }
  // Every button has a drawn icon, legible at 16 x 15 and at twice that.
  for (QAction* action : f.frame.ToolBar()->actions()) {
    if (action->isSeparator()) continue;
    QVERIFY2(!action->icon().isNull(), qPrintable(action->toolTip()));
    QVERIFY2(Coverage(action->icon().pixmap(QSize(16, 15))) > 0.15, qPrintable(action->toolTip()));
    QVERIFY2(Coverage(action->icon().pixmap(QSize(32, 30))) > 0.15, qPrintable(action->toolTip()));
  }
  QVERIFY(Coverage(f.frame.windowIcon().pixmap(48, 48)) > 0.5);
}

void MainFrameTest::togglesFlipPressAndRepaint() {
  Fixture f;
  CQuorixView* view = f.frame.View();
  for (const CDisplayToggle& toggle : DisplayToggles()) {
    QAction* action = f.frame.Action(toggle.id);
    const bool before = f.doc.Display.*toggle.flag;
    QCOMPARE(action->isChecked(), before != toggle.pressedWhenOff);
    const int now = view->RedrawNowCount();
    const int updates = view->UpdateRequestCount();
    action->trigger();
    QCOMPARE(f.doc.Display.*toggle.flag, !before);
    QCOMPARE(action->isChecked(), !before != toggle.pressedWhenOff);
    if (toggle.id == ID_TOGGLE_TRANSPARENCY) {
      QCOMPARE(view->RedrawNowCount(), now + 1);
      QCOMPARE(view->UpdateRequestCount(), updates);
    } else {
      QCOMPARE(view->RedrawNowCount(), now);
      QCOMPARE(view->UpdateRequestCount(), updates + 1);
    }
    action->trigger();
    QCOMPARE(f.doc.Display.*toggle.flag, before);
  }
  // Double-sided display shows pressed while back faces are not culled.
  f.doc.Display.CullBackFaces = true;
  f.frame.UpdateCommandUI();
  QVERIFY(!f.frame.Action(ID_TOGGLE_DOUBLE_SIDED)->isChecked());
}

void MainFrameTest::togglesWithFacesHiddenDoNotRepaint() {
  Fixture f;
  CQuorixView* view = f.frame.View();
  f.Run(ID_TOGGLE_FACES);
  QVERIFY(!f.doc.Display.ShowFaces);
  const int updates = view->UpdateRequestCount();
  f.Run(ID_TOGGLE_DOUBLE_SIDED);
  QVERIFY(!f.doc.Display.CullBackFaces);
  QVERIFY(f.frame.Action(ID_TOGGLE_DOUBLE_SIDED)->isChecked());
  f.Run(ID_TOGGLE_SIMPLE);
  QVERIFY(f.doc.Display.SimpleDisplay);
  QCOMPARE(view->UpdateRequestCount(), updates);
  // Transparency repaints at once even with faces hidden.
  const int now = view->RedrawNowCount();
  f.Run(ID_TOGGLE_TRANSPARENCY);
  QCOMPARE(view->RedrawNowCount(), now + 1);
}

void MainFrameTest::simpleDisplayDiscardsDerivedGeometry() {
  Fixture f;
  f.dialogs.openAnswer = DataFile("quad.mqo");
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.doc.ObjectCount(), 1);
  f.doc.Object(0)->m_pDerived = std::make_unique<CMeshObject>();
  f.Run(ID_TOGGLE_SIMPLE);
  QVERIFY(!f.doc.Object(0)->m_pDerived);
}

void MainFrameTest::cancelledOpenStillAnnouncesLoaded() {
  Fixture f;
  const int redraws = f.frame.View()->RedrawNowCount();
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.dialogs.openCalls, 1);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_LOADED), 1);
  QCOMPARE(f.frame.View()->RedrawNowCount(), redraws + 1);
  QVERIFY(f.dialogs.messages.isEmpty());
}

void MainFrameTest::openThenFileNewKeepsBackgroundAndResetsCamera() {
  Fixture f;
  f.dialogs.openAnswer = DataFile("quad.mqo");
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.doc.ObjectCount(), 1);
  QCOMPARE(f.doc.MaterialCount(), 1);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_LOADED), 1);
  QVERIFY(f.frame.windowTitle().startsWith("quad.mqo"));
  QVERIFY(f.doc.m_Scene.m_vPosition.x != 0.0f || f.doc.m_Scene.m_vPosition.z != -300.0f);
  QVERIFY(f.frame.Action(ID_EXPORT_POV)->isEnabled());

  f.doc.m_crBackground = 0x00336699u;
  f.doc.Display.ShowGrid = false;
  f.Run(ID_FILE_NEW);
  QCOMPARE(f.doc.ObjectCount(), 0);
  QCOMPARE(f.doc.MaterialCount(), 0);
  QCOMPARE(f.doc.m_crBackground, 0x00336699u);
  QVERIFY(!f.doc.Display.ShowGrid);
  QCOMPARE(f.doc.m_Scene.m_vPosition.x, 0.0f);
  QCOMPARE(f.doc.m_Scene.m_vPosition.y, 100.0f);
  QCOMPARE(f.doc.m_Scene.m_vPosition.z, -300.0f);
  QCOMPARE(f.doc.m_Scene.m_vLookAt.x, 0.0f);
  QCOMPARE(f.doc.m_Scene.m_vLookAt.y, 0.0f);
  QCOMPARE(f.doc.m_Scene.m_vLookAt.z, 0.0f);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_RESET), 2);  // the open's reset, then File New
  QVERIFY(!f.frame.Action(ID_EXPORT_POV)->isEnabled());
  QCOMPARE(f.frame.windowTitle(), QString("Untitled - Brimvale"));
}

void MainFrameTest::unreadableFileIsReported() {
  Fixture f;
  f.dialogs.openAnswer = QDir::tempPath() + "/brimvale-no-such-file.mqo";
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.doc.ObjectCount(), 0);
  QCOMPARE(f.dialogs.titles, QStringList{"エラー"});
  QVERIFY(f.dialogs.messages[0].contains("brimvale-no-such-file.mqo"));
  QVERIFY(f.dialogs.errors[0]);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_LOADED), 0);  // the open document was left as it was

  // A file that is not a model gets the specified box, worded by the window, once, naming the file.
  QTemporaryDir folder;
  const QString other = folder.filePath("notes.mqo");
  QFile text(other);
  QVERIFY(text.open(QIODevice::WriteOnly));
  text.write("not a model\n");
  text.close();
  QVERIFY(!f.frame.OpenMqoPath(other));
  QCOMPARE(f.dialogs.messages.size(), 2);
  QCOMPARE(f.dialogs.messages[1], other + "\nこれはメタセコイアのファイルではありません");
  QCOMPARE(f.dialogs.titles[1], QString("エラー"));
  QVERIFY(f.dialogs.errors[1]);
}

void MainFrameTest::exportIsEnabledOnlyWithObjectsAndWritesFiles() {
  Fixture f;
  QVERIFY(!f.frame.Action(ID_EXPORT_POV)->isEnabled());
  f.frame.OnCommand(ID_EXPORT_POV);  // a stale shortcut: nothing happens
  QCOMPARE(f.dialogs.saveCalls, 0);

  QVERIFY(f.frame.OpenMqoPath(DataFile("quad.mqo")));
  QVERIFY(f.frame.Action(ID_EXPORT_POV)->isEnabled());
  QTemporaryDir dir;
  f.Run(ID_EXPORT_POV);  // cancelled
  QCOMPARE(f.dialogs.saveCalls, 1);
  QVERIFY(QDir(dir.path()).isEmpty());
  // The dialogs start where the model is, the export with its name.
  const QString modelFolder = QFileInfo(DataFile("quad.mqo")).absolutePath();
  QCOMPARE(f.dialogs.saveSuggested, modelFolder + "/quad.pov");
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.dialogs.openFolder, modelFolder);

  f.dialogs.saveAnswer = dir.filePath("scene.pov");
  f.Run(ID_EXPORT_POV);
  QVERIFY(QFile::exists(dir.filePath("scene.pov")));
  QVERIFY(QFile::exists(dir.filePath("scene_mat.inc")));
  QVERIFY(QFile::exists(dir.filePath("scene_obj.inc")));
  QVERIFY(f.dialogs.messages.isEmpty());
  QVERIFY(f.frame.statusBar()->currentMessage().startsWith(dir.filePath("scene.pov") + " に出力しました"));

  // A folder that cannot be written is reported, not passed over.
  f.dialogs.saveAnswer = dir.filePath("missing/folder/scene.pov");
  f.Run(ID_EXPORT_POV);
  QCOMPARE(f.dialogs.titles, QStringList{"エラー"});

  QVERIFY(f.frame.Action(ID_EXPORT_GLTF)->isEnabled());
  f.dialogs.saveAnswer = dir.filePath("model");  // no suffix: a .glb
  f.Run(ID_EXPORT_GLTF);
  QCOMPARE(QFile(dir.filePath("model.glb")).size() > 0, true);
  f.dialogs.saveAnswer = dir.filePath("missing/folder/model.gltf");
  f.Run(ID_EXPORT_GLTF);
  QCOMPARE(f.dialogs.titles, (QStringList{"エラー", "エラー"}));
  // Without a model, where the user last was.
  f.Run(ID_FILE_NEW);
  f.Run(ID_OPEN_MQO);
  QCOMPARE(f.dialogs.openFolder, QFileInfo(dir.filePath("scene.pov")).absolutePath());
}

void MainFrameTest::benchmarkReportsAndRestoresTheAngle() {
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("quad.mqo")));
  const int redraws = f.frame.View()->RedrawNowCount();
  float angleShown = -1.0f;
  f.dialogs.onMessage = [&] { angleShown = f.doc.TurntableAngle; };
  f.Run(ID_BENCHMARK);
  QCOMPARE(angleShown, 150.0f);  // the box stands over the last frame
  QCOMPARE(f.dialogs.titles, QStringList{"ベンチマーク"});
  const QRegularExpression format("^\\d+\\.\\d{4} フレーム/秒\n\n\\d+\\.\\d{4} 秒/フレーム\n\n\\d+\\.\\d{4} 秒$");
  QVERIFY2(format.match(f.dialogs.messages[0]).hasMatch(), qPrintable(f.dialogs.messages[0]));
  QVERIFY(!f.dialogs.errors[0]);
  QCOMPARE(f.doc.TurntableAngle, 0.0f);
  QCOMPARE(f.frame.View()->RedrawNowCount(), redraws + 16);
}

// With a real context (the run under Xvfb) every forced redraw draws a frame
// before it returns, which is what the benchmark times.
void MainFrameTest::benchmarkDrawsEveryFrame() {
  if (!CQuorixView::PlatformHasOpenGL()) QSKIP("no OpenGL on this platform");
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  f.frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
  QTRY_VERIFY(f.frame.View()->FramesDrawn() > 0);
  QTest::qWait(200);
  const int frames = f.frame.View()->FramesDrawn();
  f.Run(ID_BENCHMARK);
  QCOMPARE(f.frame.View()->FramesDrawn(), frames + 16);
  // A navigation drag redraws at once as well.
  QTest::mousePress(f.frame.View(), Qt::RightButton, {}, QPoint(100, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(130, 90), f.frame.View()->mapToGlobal(QPointF(130, 90)),
                   Qt::NoButton, Qt::RightButton, Qt::NoModifier);
  const CVector3 before = f.doc.m_Scene.m_vPosition;
  QApplication::sendEvent(f.frame.View(), &move);
  QCOMPARE(f.frame.View()->FramesDrawn(), frames + 17);
  QVERIFY(f.doc.m_Scene.m_vPosition.x != before.x || f.doc.m_Scene.m_vPosition.z != before.z);
  QTest::mouseRelease(f.frame.View(), Qt::RightButton, {}, QPoint(130, 90));
}

void MainFrameTest::largeFacesUploadBetweenTurnsOfTheEventLoop() {
  if (!CQuorixView::PlatformHasOpenGL()) QSKIP("no OpenGL on this platform");
  Fixture f;
  CQuorixView* view = f.frame.View();
  f.frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
  view->Cache().SetDeferredFaces(0);  // every object counts as large
  f.frame.FaceUploads().SetCornersPerTurn(4);
  QSignalSpy complete(&f.frame.FaceUploads(), &CFaceUploads::facesComplete);
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  // The open is back in the event loop with the faces still to come.
  QVERIFY(f.frame.FaceUploads().Busy());
  const QImage pending = view->grabFramebuffer();
  QTRY_COMPARE(complete.count(), 1);
  QVERIFY(!f.frame.FaceUploads().Busy());
  const QImage uploaded = view->grabFramebuffer();
  QVERIFY(uploaded != pending);
  // The same faces built inside the frame, as before, give the same picture.
  view->Cache().SetDeferredFaces(size_t(-1));
  f.doc.Object(0)->DiscardDerived();
  QCOMPARE(view->grabFramebuffer(), uploaded);
  QCOMPARE(complete.count(), 1);
}

void MainFrameTest::timeMeasurementOfAnEmptyDocument() {
  Fixture f;
  f.Run(ID_TIME_MEASUREMENT);
  QCOMPARE(f.dialogs.titles, QStringList{"時間測定"});
  QCOMPARE(f.dialogs.messages[0], QString("\t合計\t1 回あたり (秒)\n\nフリーズ\t0.0000 秒\t0.0000\n\n法線\t0.0000 秒\t0.0000\n\n"
                                          "スムース法線 0.0000 秒\t0.0000\n\nトータル\t0.0000 秒\t0.0000"));
}

void MainFrameTest::unhandledCommandsReachTheHook() {
  Fixture f;
  QList<int> seen;
  f.frame.SetUnhandledCommandHook([&seen](int id) {
    seen << id;
    return id == 202;
  });
  QVERIFY(f.frame.OnCommand(202));
  QVERIFY(!f.frame.OnCommand(499));
  QVERIFY(f.frame.OnCommand(ID_TOGGLE_GRID));  // handled here, never offered
  QCOMPARE(seen, (QList<int>{202, 499}));

  int refills = 0;
  QMenu* menu = f.frame.AddRefilledMenu("Create", [&](QMenu* m) {
    ++refills;
    f.frame.AddCommandItem(m, 200 + refills, QString("item %1").arg(refills));
  });
  const QList<QAction*> top = f.frame.menuBar()->actions();
  QCOMPARE(top[4]->menu(), f.frame.menuBar()->actions().last()->menu());  // Help stays last
  QCOMPARE(top[3]->menu(), menu);
  emit menu->aboutToShow();
  emit menu->aboutToShow();
  QCOMPARE(refills, 2);
  QCOMPARE(menu->actions().size(), 1);  // refilled, not appended
  menu->actions()[0]->trigger();
  QCOMPARE(seen.last(), 202);
}

void MainFrameTest::viewMenuTogglesBars() {
  Fixture f;
  f.frame.show();
  QVERIFY(f.frame.Action(ID_VIEW_TOOLBAR)->isChecked());
  f.Run(ID_VIEW_TOOLBAR);
  QVERIFY(f.frame.ToolBar()->isHidden());
  QVERIFY(!f.frame.Action(ID_VIEW_TOOLBAR)->isChecked());
  f.Run(ID_VIEW_TOOLBAR);
  QVERIFY(!f.frame.ToolBar()->isHidden());
  f.Run(ID_VIEW_STATUS_BAR);
  QVERIFY(f.frame.statusBar()->isHidden());
  QVERIFY(!f.frame.Action(ID_VIEW_STATUS_BAR)->isChecked());
  f.Run(ID_VIEW_STATUS_BAR);
  QVERIFY(f.frame.Action(ID_VIEW_STATUS_BAR)->isChecked());
}

void MainFrameTest::statusBarSaysReadyWhenIdle() {
  Fixture f;
  QCOMPARE(f.frame.statusBar()->currentMessage(), QString("Ready"));
  f.frame.statusBar()->showMessage(f.frame.Action(ID_TOGGLE_GRID)->statusTip());
  QCOMPARE(f.frame.statusBar()->currentMessage(), QString("グリッド 表示/非表示"));
  f.frame.statusBar()->clearMessage();
  QCOMPARE(f.frame.statusBar()->currentMessage(), QString("Ready"));
}

void MainFrameTest::acceleratorsOpenOrDoNothing() {
  Fixture f;
  QAction* open = nullptr;
  QList<QKeySequence> bound;
  for (QAction* action : f.frame.findChildren<QAction*>()) {
    if (action->shortcut().isEmpty()) continue;
    bound << action->shortcut();
    if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_O)) open = action;
  }
  QVERIFY(open);
  QVERIFY(f.frame.actions().contains(open));  // reachable while any child has the focus
  open->trigger();
  QCOMPARE(f.dialogs.openCalls, 1);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_LOADED), 1);
  QCOMPARE(f.frame.Action(ID_FILE_NEW)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  // Save, cut, copy, paste and pane switching have no action here.
  const QKeySequence silent[] = {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence(Qt::CTRL | Qt::Key_X),
                                 QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_C),
                                 QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_V),
                                 QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::Key_F6),
                                 QKeySequence(Qt::SHIFT | Qt::Key_F6)};
  for (const QKeySequence& keys : silent) QVERIFY2(!bound.contains(keys), qPrintable(keys.toString()));

  // And pressed for real in the active window.
  f.frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
  f.frame.activateWindow();  // no window manager under Xvfb does it
  QVERIFY(QTest::qWaitForWindowActive(&f.frame));
  f.listener.codes.clear();
  for (const QKeySequence& keys : silent) QTest::keySequence(&f.frame, keys);
  QCOMPARE(f.dialogs.openCalls, 1);
  QVERIFY(f.listener.codes.empty());
  QVERIFY(f.dialogs.messages.isEmpty());
  QTest::keySequence(&f.frame, QKeySequence(Qt::CTRL | Qt::Key_O));
  QCOMPARE(f.dialogs.openCalls, 2);
  QTest::keySequence(&f.frame, QKeySequence(Qt::CTRL | Qt::Key_N));
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_RESET), 1);
}

void MainFrameTest::homeFitsTheWholeModel() {
  Fixture f;
  QVERIFY(f.frame.OpenMqoPath(DataFile("cube.mqo")));
  QVERIFY(CameraShowsModelWell(f.doc));
  // Orbited and dollied far away, the cube is a speck off to one side.
  f.doc.m_Scene.m_vPosition = CVector3(9000.0f, 4000.0f, 20000.0f);
  f.doc.m_Scene.m_vLookAt = CVector3(3000.0f, 0.0f, 0.0f);
  QVERIFY(!CameraShowsModelWell(f.doc));
  const CScene away = f.doc.m_Scene;
  f.frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
  f.frame.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f.frame));
  f.listener.codes.clear();
  const int redraws = f.frame.View()->RedrawNowCount();
  QTest::keyClick(&f.frame, Qt::Key_Home);
  QVERIFY(CameraShowsModelWell(f.doc));
  QVERIFY(f.frame.View()->RedrawNowCount() > redraws);
  QCOMPARE(f.listener.Count(NOTIFY_CAMERA_MOVED), 1);
  QCOMPARE(f.doc.m_Scene.m_fAngle, away.m_fAngle);
}

void MainFrameTest::droppedModelIsOpened() {
  Fixture f;
  auto drop = [&f](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.frame, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.frame, &dropped);
    return true;
  };
  QVERIFY(!drop(QDir::tempPath() + "/notes.txt"));
  QVERIFY(drop(DataFile("quad.mqo")));
  QCOMPARE(f.doc.ObjectCount(), 1);
  QCOMPARE(f.listener.Count(NOTIFY_DOCUMENT_LOADED), 1);
}

// Every character of the menus and toolbar texts has a glyph in the font Qt
// picks for Japanese, so nothing shows as an empty box.
void MainFrameTest::japaneseTextsHaveGlyphs() {
  Fixture f;
  const QRawFont font = QRawFont::fromFont(f.frame.menuBar()->font(), QFontDatabase::Japanese);
  QVERIFY2(font.isValid(), "no font for Japanese text is installed");
  QStringList texts;
  for (QAction* menu : f.frame.menuBar()->actions()) {
    texts << menu->text();
    for (QAction* item : menu->menu()->actions()) texts << item->text();
  }
  for (QAction* button : f.frame.ToolBar()->actions()) texts << button->toolTip() << button->statusTip();
  for (const QString& text : texts) {
    for (const QChar c : text) {
      if (c.unicode() < 0x80) continue;
      QVERIFY2(font.supportsCharacter(c), qPrintable(QString("%1 in %2").arg(c).arg(text)));
    }
  }
}

void MainFrameTest::aboutBox() {
  CAboutDialog about;
  QCOMPARE(about.windowTitle(), QString("ﾊﾞｰｼﾞｮﾝ情報"));
  auto* text = about.findChild<QLabel*>("version");
  QVERIFY(text);
  QCOMPARE(text->text(), QString("Brimvale Version 2.1"));
  auto* icon = about.findChild<QLabel*>("icon");
  QVERIFY(icon && Coverage(icon->pixmap()) > 0.5);
  const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
  QCOMPARE(buttons.size(), 1);
  QCOMPARE(buttons[0]->text(), QString("OK"));
  about.show();
  buttons[0]->click();
  QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
