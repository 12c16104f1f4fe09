// The application object: brimvale.ini read at start and written at exit, the
// notification hub on the Qt event loop (queued posts, wait cursor), the file
// named on the command line, and the command-line parser.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "document/quorix_doc.h"
#include "frame_test_support.h"
#include "shell/command_line.h"
#include "shell/main_frame.h"
#include "shell/quorix_app.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

class CursorCheckingListener : public CDocListener {
 public:
  int delivered = 0;
  bool waitCursorShown = true;
  void OnDocNotify(int /*code*/, uint32_t /*word*/) override {
    ++delivered;
    const QCursor* cursor = QApplication::overrideCursor();
    waitCursorShown = waitCursorShown && cursor && cursor->shape() == Qt::WaitCursor;
  }
};

}  // namespace

class QuorixAppTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(m_Dir.isValid()); }
  void cleanup() { CQuorixApp::Instance()->ExitInstance(); }

  void missingSettingsFileWritesNothing();
  void settingsRoundTripKeepsTheLineEnd();
  void emptyFolderLeavesTheFileAlone();
  void notifyAllIsSynchronousWithWaitCursor();
  void postNotifyAllWaitsForTheEventLoop();
  void postedNotificationsDieWithTheDocument();
  void commandLineFileIsOpened();
  void exportTargetFollowsTheInstalledRenderer();
  void commandLineParsing();

 private:
  QString IniPath() const { return m_Dir.filePath("brimvale/brimvale.ini"); }
  CQuorixDoc& Start(const QString& file = QString()) {
    CQuorixApp* app = CQuorixApp::Instance();
    app->InitInstance(IniPath().toStdString(), file.toStdString());
    return *app->Doc();
  }
  QTemporaryDir m_Dir;
};

void QuorixAppTest::missingSettingsFileWritesNothing() {
  QFile::remove(IniPath());
  CQuorixDoc& doc = Start();
  QVERIFY(doc.MetaseqFolder.empty());
  CQuorixApp::Instance()->ExitInstance();
  QVERIFY(!QFile::exists(IniPath()));
}

void QuorixAppTest::settingsRoundTripKeepsTheLineEnd() {
  QFile::remove(IniPath());
  CQuorixDoc& doc = Start();
  doc.MetaseqFolder = "/opt/Metasequoia/\n";
  CQuorixApp::Instance()->ExitInstance();
  QCOMPARE(ReadAll(IniPath()), QByteArray("/opt/Metasequoia/\n"));

  CQuorixDoc& again = Start();
  QCOMPARE(again.MetaseqFolder, std::string("/opt/Metasequoia/\n"));
  CQuorixApp::Instance()->ExitInstance();
  QCOMPARE(ReadAll(IniPath()), QByteArray("/opt/Metasequoia/\n"));

  // A folder chosen without a line end is written without one.
  CQuorixDoc& third = Start();
  third.MetaseqFolder = "/home/u/Metaseq/";
  CQuorixApp::Instance()->ExitInstance();
  QCOMPARE(ReadAll(IniPath()), QByteArray("/home/u/Metaseq/"));
}

void QuorixAppTest::emptyFolderLeavesTheFileAlone() {
  QDir().mkpath(QFileInfo(IniPath()).path());
  WriteAll(IniPath(), "/kept/");
  CQuorixDoc& doc = Start();
  QCOMPARE(doc.MetaseqFolder, std::string("/kept/"));
  doc.MetaseqFolder.clear();
  CQuorixApp::Instance()->ExitInstance();
  QCOMPARE(ReadAll(IniPath()), QByteArray("/kept/"));
}

void QuorixAppTest::notifyAllIsSynchronousWithWaitCursor() {
  CQuorixDoc& doc = Start();
  CursorCheckingListener listener;
  doc.Hub().Register(&listener);
  doc.Hub().NotifyAll(NOTIFY_REDRAW);
  QCOMPARE(listener.delivered, 1);
  QVERIFY(listener.waitCursorShown);
  QVERIFY(!QApplication::overrideCursor());  // the arrow is back
  doc.Hub().Unregister(&listener);
}

void QuorixAppTest::postNotifyAllWaitsForTheEventLoop() {
  CQuorixDoc& doc = Start();
  CRecordingListener listener;
  doc.Hub().Register(&listener);
  doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED, nullptr, 1, 2);
  doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED);
  QVERIFY(listener.codes.empty());
  QVERIFY(!QApplication::overrideCursor());
  QCoreApplication::processEvents();
  QCOMPARE(listener.codes, (std::vector<int>{NOTIFY_CAMERA_MOVED, NOTIFY_CAMERA_MOVED}));
  QCoreApplication::processEvents();
  QCOMPARE(listener.codes.size(), size_t(2));
  doc.Hub().Unregister(&listener);
}

void QuorixAppTest::postedNotificationsDieWithTheDocument() {
  CQuorixDoc& doc = Start();
  doc.Hub().PostNotifyAll(NOTIFY_CAMERA_MOVED);
  CQuorixApp::Instance()->ExitInstance();  // the document and its hub are gone
  QCoreApplication::processEvents();       // nothing may reach them now
  QVERIFY(!CQuorixApp::Instance()->Doc());
}

void QuorixAppTest::commandLineFileIsOpened() {
  CQuorixDoc& doc = Start(DataFile("quad.mqo"));
  CMainFrame* frame = CQuorixApp::Instance()->MainFrame();
  QVERIFY(frame && frame->isVisible());
  QTRY_COMPARE(doc.ObjectCount(), 1);
  QCOMPARE(doc.m_strTitle, std::string("quad.mqo"));
  QTRY_VERIFY(frame->windowTitle().startsWith("quad.mqo"));
}

void QuorixAppTest::exportTargetFollowsTheInstalledRenderer() {
  const QByteArray savedPath = qgetenv("PATH");
  const QString bin = m_Dir.filePath("bin");
  QVERIFY(QDir().mkpath(bin));
  qputenv("PATH", bin.toLocal8Bit());
  CQuorixDoc& doc = Start();
  QCOMPARE(doc.m_bMegaPov, 0);  // POV-Ray syntax where no MegaPOV is installed
  // The user's choice holds for the session, across opened files.
  doc.m_bMegaPov = 1;
  CQuorixApp::Instance()->MainFrame()->OpenMqoPath(DataFile("quad.mqo"));
  QCOMPARE(doc.ObjectCount(), 1);
  QCOMPARE(doc.m_bMegaPov, 1);
  CQuorixApp::Instance()->ExitInstance();
  WriteAll(bin + "/megapov", "#!/bin/sh\n");
  QVERIFY(QFile::setPermissions(bin + "/megapov", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  QCOMPARE(Start().m_bMegaPov, 1);
  qputenv("PATH", savedPath);
}

void QuorixAppTest::commandLineParsing() {
  CShellArguments parsed = ParseShellArguments({});
  QVERIFY(parsed.file.empty() && parsed.error.empty() && !parsed.help);
  parsed = ParseShellArguments({"model.mqo"});
  QCOMPARE(parsed.file, std::string("model.mqo"));
  parsed = ParseShellArguments({"--help"});
  QVERIFY(parsed.help);
  parsed = ParseShellArguments({"--frobnicate"});
  QVERIFY(!parsed.error.empty());
  parsed = ParseShellArguments({"a.mqo", "b.mqo"});
  QVERIFY(!parsed.error.empty());
  parsed = ParseShellArguments({"--", "-dash.mqo"});
  QCOMPARE(parsed.file, std::string("-dash.mqo"));
}

int main(int argc, char** argv) {
  CQuorixApp app(argc, argv);
  QuorixAppTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "quorix_app_test.moc"
