#include "shell/quorix_app.h"

#include <QCursor>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <clocale>
#include <vector>

#include "document/quorix_doc.h"
#include "foundation/program_search.h"
#include "shell/frame_texts.h"
#include "shell/main_frame.h"

namespace brimvale {

namespace {

std::vector<FrameExtension>& FrameExtensions() {
  static std::vector<FrameExtension> extensions;
  return extensions;
}

}  // namespace

FrameExtensionRegistration::FrameExtensionRegistration(FrameExtension extension) {
  FrameExtensions().push_back(std::move(extension));
}

CQuorixApp::CQuorixApp(int& argc, char** argv) : QApplication(argc, argv) {
  // QApplication takes the user's locale for C functions; numbers written
  // with printf (the POV export, the number fields) must keep the point.
  std::setlocale(LC_NUMERIC, "C");
  setApplicationName(QString::fromUtf8(texts::kAppTitle));
  // No display name: Qt would append it to every dialog's title. The main
  // window spells its own " - Brimvale".
  setApplicationVersion(QStringLiteral(BRIMVALE_VERSION));
  setWindowIcon(QIcon(QStringLiteral(":/icons/brimvale.svg")));
  // Lets the desktop (Wayland above all) match the window to the installed
  // desktop entry and its icon.
  setDesktopFileName(QStringLiteral("org.brimvale.Brimvale"));
}

CQuorixApp::~CQuorixApp() { ExitInstance(); }

CQuorixApp* CQuorixApp::Instance() { return qobject_cast<CQuorixApp*>(QCoreApplication::instance()); }

void CQuorixApp::ConnectHub() {
  CNotificationHub& hub = m_pDoc->Hub();
  m_pPostContext = new QObject(this);
  hub.SetPostHook([context = m_pPostContext](std::function<void()> delivery) {
    QMetaObject::invokeMethod(context, std::move(delivery), Qt::QueuedConnection);
  });
  hub.SetCursorHook([](bool busy) {
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  });
}

bool CQuorixApp::InitInstance(const std::string& settingsPath, const std::string& file, bool resetSettings) {
  m_pDoc = std::make_unique<CQuorixDoc>(settingsPath);
  // A first export renders in the POV-Ray that Linux ships; MegaPOV syntax only
  // where MegaPOV is installed. The panel's choice then holds for the session.
  m_pDoc->m_bMegaPov = FindProgramOnPath("megapov").empty() ? 0 : 1;
  ConnectHub();
  m_pDoc->SetUserInterface(&m_UI);

  m_pFrame = new CMainFrame(*m_pDoc);
  m_pFrame->setAttribute(Qt::WA_DeleteOnClose, false);
  m_UI.SetOwner(m_pFrame);
  m_UI.SetActiveView(m_pFrame->View());
  for (const FrameExtension& extension : FrameExtensions()) extension(*m_pFrame, *m_pDoc);
  m_pFrame->UpdateCommandUI();
  if (!settingsPath.empty()) {
    const QString windowFile =
        QFileInfo(QString::fromLocal8Bit(settingsPath.c_str())).absolutePath() + QStringLiteral("/window.ini");
    if (resetSettings) CWindowSettings(windowFile).Clear();
    m_pFrame->UseWindowSettings(windowFile);
  }

  m_pFrame->show();
  if (!file.empty()) {
    // Opened once the window is up, so a message about the file has its owner on screen.
    const QString path = QString::fromLocal8Bit(file.c_str());
    QTimer::singleShot(0, m_pFrame, [frame = m_pFrame, path] { frame->OpenMqoPath(path); });
  }
  return true;
}

void CQuorixApp::ExitInstance() {
  if (m_pFrame) m_pFrame->SaveWindowSettings();
  delete m_pFrame;  // the view and the side panel unregister themselves
  m_pFrame = nullptr;
  delete m_pPostContext;  // drops notifications still queued for the document
  m_pPostContext = nullptr;
  if (m_pDoc) {
    m_pDoc->SetUserInterface(nullptr);
    m_pDoc->Hub().SetPostHook(nullptr);
    m_pDoc->Hub().SetCursorHook(nullptr);
    m_pDoc->Hub().Clear();
  }
  m_pDoc.reset();  // writes brimvale.ini
}

}  // namespace brimvale
