// CMainFrame: the program's top-level window. It carries the menu, the toolbar
// with the display toggles, the status bar and the view, and routes commands
// by their numeric ids. Ids that nothing here handles go to the unhandled-
// command hook (the plug-in manager fills it).
#pragma once

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/notification_hub.h"
#include "shell/window_settings.h"

class QFileSystemWatcher;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace brimvale {

class CMeshObject;
class CQuorixDoc;
class CQuorixView;
class CFrameDialogs;
class CStatusIndicators;
class CBackgroundDerivation;
class CFaceUploads;
class CEditHistory;

class CMainFrame : public QMainWindow, public CDocListener {
  Q_OBJECT

 public:
  explicit CMainFrame(CQuorixDoc& doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CQuorixDoc& Doc() const { return m_Doc; }
  CQuorixView* View() const { return m_pView; }
  QToolBar* ToolBar() const { return m_pToolBar; }
  QAction* Action(int id) const;

  // Runs command `id` as a menu, toolbar or accelerator would. Returns whether
  // anything handled it (the hook included).
  bool OnCommand(int id);
  // Called with every id the window does not handle; returns whether it did.
  void SetUnhandledCommandHook(std::function<bool(int id)> hook) { m_UnhandledHook = std::move(hook); }

  // A top-level menu before Help, refilled each time it opens (plug-in menus).
  QMenu* AddRefilledMenu(const QString& title, std::function<void(QMenu*)> refill);
  // An item that routes `id` through OnCommand, for menus filled from outside.
  QAction* AddCommandItem(QMenu* menu, int id, const QString& text);
  // Docks the side panel on the right; the window owns it from then on.
  void SetSidePanel(QWidget* panel);

  // Opens a Metasequoia file as the open command does after its dialog: reads,
  // redraws and announces NOTIFY_DOCUMENT_LOADED. Returns whether it was read.
  bool OpenMqoPath(const QString& path);
  // Reads the open model's file again, keeping the camera; false (with a
  // status-bar note, the old model kept) when it cannot be read.
  bool ReloadModel();
  CBackgroundDerivation& Derivation() const { return *m_pDerivation; }
  CFaceUploads& FaceUploads() const { return *m_pUploads; }
  CEditHistory& History() const { return *m_pHistory; }
  // An object's attributes were edited in the side panel: it derives again
  // off the window's thread, and the edit becomes an undo step.
  void ObjectEdited(CMeshObject& object);
  // Draws the view's camera offscreen at `size` and writes it as PNG, the same
  // picture the command line's render makes; false with a message on failure.
  bool SavePicture(const QString& path, QSize size);

  // Where the window keeps its layout and recent files; restores them now.
  void UseWindowSettings(const QString& file);
  void SaveWindowSettings() const;
  const CWindowSettings& WindowSettings() const { return m_Settings; }
  const QStringList& RecentFiles() const { return m_RecentFiles; }
  QString LastFolder() const { return m_strLastFolder; }
  // How long the automatic reload waits after the file changed (tests shorten it).
  void SetReloadDelay(int milliseconds);
  // Brings the checked and enabled states of the actions up to date.
  void UpdateCommandUI();

  void SetDialogs(CFrameDialogs* dialogs);
  CFrameDialogs& Dialogs() const { return *m_pDialogs; }

  void OnDocNotify(int code, uint32_t wordParam) override;

 signals:
  // A model has replaced the open one (opened, or reloaded from its file).
  void modelLoaded(const QString& path, bool reload);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct CCommand {
    QAction* action = nullptr;
    std::function<void()> handler;
  };

  QAction* MakeAction(int id, const char* text, const char* stringTableText, const char* icon,
                      std::function<void()> handler);
  void OnDisplayToggle(int id);
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void UpdateTitle();
  // Where the file dialogs start: the open model's folder, else the last one used.
  QString DialogFolder() const;
  QString SuggestedExportPath(const QString& extension) const;
  // An error box for a failed export; otherwise remembers the folder and shows the first warning.
  template <class Exporter>
  void ExportWithProgress(Exporter& exporter, const QString& path);
  void ReportExport(bool written, const QString& path, const std::string& error,
                    const std::vector<std::string>& warnings);

  void OnFileNew();
  void OnOpenMqo();
  void OnExportPov();
  void OnViewFit();  // command 32804
  enum class LoadOutcome { Loaded, Failed, CutShort };
  // Reads `path` aside and takes it over. A reload keeps the camera, and one
  // that finds the file cut short (`acceptCut` false) keeps the old model.
  LoadOutcome LoadModel(const QString& path, bool reload, bool acceptCut = true);
  void RememberRecentFile(const QString& path);
  void RefillRecentMenu(QMenu* menu);
  void OpenRecentFile(const QString& path);
  void WatchOpenFile();
  void OnWatchedFileChanged();
  void OnReloadTimer();
  void OnSavePicture();
  void OnShortcuts();
  void BuildDailyActions();
  void OnExportGltf();
  void OnAbout();
  void OnBenchmark();
  // Long work on the document: the view keeps its last frame and commands wait.
  struct CBusyScope;

  CQuorixDoc& m_Doc;
  CQuorixView* m_pView = nullptr;
  std::unique_ptr<CQuorixView> m_pDetachedView;  // only when there is no OpenGL
  QToolBar* m_pToolBar = nullptr;
  QMenu* m_pHelpMenu = nullptr;
  CStatusIndicators* m_pIndicators = nullptr;
  CBackgroundDerivation* m_pDerivation = nullptr;
  CFaceUploads* m_pUploads = nullptr;
  CEditHistory* m_pHistory = nullptr;
  std::map<int, CCommand> m_Commands;
  std::function<bool(int)> m_UnhandledHook;
  CFrameDialogs* m_pDialogs;
  QString m_strLastFolder;
  bool m_bBusy = false;
  CWindowSettings m_Settings{QString()};
  QStringList m_RecentFiles;
  QFileSystemWatcher* m_pWatcher = nullptr;
  QTimer* m_pReloadTimer = nullptr;
  int m_nReloadTries = 0;
};

}  // namespace brimvale
