// CQuorixApp: the application object. It owns the one document and the main
// window, connects the document's notification hub to the Qt event loop
// (posted notifications are queued there; the wait cursor shows during
// delivery) and gives the document its Qt user interface.
//
// Other parts of the window (the side panel, the plug-in menus) attach
// themselves through FrameExtensionRegistration: each registered function runs
// once the main window exists, before it is shown.
#pragma once

#include <QApplication>

#include <functional>
#include <memory>
#include <string>

#include "shell/qt_user_interface.h"

namespace brimvale {

class CMainFrame;
class CQuorixDoc;

using FrameExtension = std::function<void(CMainFrame& frame, CQuorixDoc& doc)>;

struct FrameExtensionRegistration {
  explicit FrameExtensionRegistration(FrameExtension extension);
};

class CQuorixApp : public QApplication {
  Q_OBJECT

 public:
  CQuorixApp(int& argc, char** argv);
  ~CQuorixApp() override;

  // Creates the document (reading brimvale.ini from settingsPath) and the main
  // window, shows it and opens `file` when one is given. Returns true when the
  // window is shown.
  // The window's layout and recent files are kept beside the settings file;
  // `resetSettings` forgets them first.
  bool InitInstance(const std::string& settingsPath, const std::string& file, bool resetSettings = false);

  CQuorixDoc* Doc() const { return m_pDoc.get(); }
  CMainFrame* MainFrame() const { return m_pFrame; }
  static CQuorixApp* Instance();

  // Destroys the window and then the document (which writes brimvale.ini).
  void ExitInstance();

 private:
  void ConnectHub();

  std::unique_ptr<CQuorixDoc> m_pDoc;
  CMainFrame* m_pFrame = nullptr;
  QObject* m_pPostContext = nullptr;  // queued notifications die with it
  CQtUserInterface m_UI;
};

}  // namespace brimvale
