#include "shell/main_frame.h"

#include <QApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include "document/document_transfer.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "export/gltf_exporter.h"
#include "export/pov_exporter.h"
#include "scene/camera_fit.h"
#include "scene/derived_geometry.h"
#include "shell/about_dialog.h"
#include "shell/command_ids.h"
#include "shell/display_toggles.h"
#include "shell/frame_dialogs.h"
#include "shell/frame_texts.h"
#include "shell/model_reading.h"
#include "shell/background_derivation.h"
#include "shell/face_uploads.h"
#include "shell/edit_history.h"
#include "panel/panel_page.h"
#include "shell/quorix_view.h"
#include "shell/status_indicators.h"
#include "shell/translation.h"
#include "shell/work_progress.h"
#include "view/frame_benchmark.h"

namespace brimvale {

namespace {

bool IsMqoPath(const QString& path) {
  return path.endsWith(QStringLiteral(".mqo"), Qt::CaseInsensitive) ||
         path.endsWith(QStringLiteral(".mqoz"), Qt::CaseInsensitive);
}

// The override cursor stack shows the wait cursor for as long as this lives.
struct CWaitCursor {
  CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

struct CMainFrame::CBusyScope {
  explicit CBusyScope(CMainFrame& frame) : m_Frame(frame) {
    m_Frame.m_bBusy = true;
    m_Frame.m_pView->SetBusy(true);
  }
  ~CBusyScope() {
    m_Frame.m_pView->SetBusy(false);
    m_Frame.m_bBusy = false;
  }
  CBusyScope(const CBusyScope&) = delete;
  CBusyScope& operator=(const CBusyScope&) = delete;
  CMainFrame& m_Frame;
};

CMainFrame::CMainFrame(CQuorixDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_Doc(doc), m_pDialogs(&DefaultFrameDialogs()) {
  setObjectName(QStringLiteral("MainFrame"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/brimvale.svg")));
  setAcceptDrops(true);

  if (CQuorixView::PlatformHasOpenGL()) {
    m_pView = new CQuorixView(doc, this);
    setCentralWidget(m_pView);
  } else {
    // Qt cannot compose a window around an OpenGL widget here; the view lives
    // on unseen (commands still work on the document) and a notice takes its place.
    m_pDetachedView.reset(new CQuorixView(doc));
    m_pView = m_pDetachedView.get();
    auto* notice = new QLabel(tr("OpenGL is not available on this display: the model cannot be shown."), this);
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    setCentralWidget(notice);
  }

  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  connect(m_pView, &CQuorixView::glUnavailable, this,
          [this](const QString& reason) { statusBar()->showMessage(reason); });

  m_pUploads = new CFaceUploads(*m_pView, this);
  connect(m_pView, &CQuorixView::frameDrawn, m_pUploads, &CFaceUploads::AfterFrame);
  m_pDerivation = new CBackgroundDerivation(doc, this);
  m_pDerivation->SetFaceUploads(m_pUploads);
  connect(m_pDerivation, &CBackgroundDerivation::derived, m_pView, &CQuorixView::RequestUpdate);
  m_pHistory = new CEditHistory(doc, *m_pDerivation, this);
  connect(m_pHistory, &CEditHistory::changed, this, &CMainFrame::UpdateCommandUI);
  CPanelPage::SetRederiveHook([this](CMeshObject& object) { ObjectEdited(object); });

  m_Doc.Hub().Register(this);
  UpdateTitle();
  UpdateCommandUI();
  resize(900, 650);
}

CMainFrame::~CMainFrame() {
  CPanelPage::SetRederiveHook(nullptr);
  m_Doc.Hub().Unregister(this);
}

QAction* CMainFrame::Action(int id) const {
  const auto found = m_Commands.find(id);
  return found == m_Commands.end() ? nullptr : found->second.action;
}

QAction* CMainFrame::MakeAction(int id, const char* text, const char* stringTableText, const char* icon,
                                std::function<void()> handler) {
  auto* action = new QAction(text ? FrameText(text) : QString(), this);
  action->setData(id);
  if (stringTableText) {
    // "status text\ntooltip", as the string table keeps them.
    const QStringList parts = FrameText(stringTableText).split(QLatin1Char('\n'));
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1, parts.value(0)));
  }
  if (icon) action->setIcon(QIcon(QString::fromLatin1(icon)));
  connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  m_Commands[id] = CCommand{action, std::move(handler)};
  return action;
}

void CMainFrame::BuildActions() {
  MakeAction(ID_FILE_NEW, texts::kItemNew, texts::kStrNew, ":/icons/new.svg", [this] { OnFileNew(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  // Ctrl+O opens a Metasequoia file, the only kind of file this program reads;
  // the menu item carries it so the menu shows it in every language.
  MakeAction(ID_OPEN_MQO, texts::kItemOpenMqo, texts::kStrOpenMqo, ":/icons/open.svg", [this] { OnOpenMqo(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  addAction(Action(ID_OPEN_MQO));  // reachable while any child has the focus
  MakeAction(ID_EXPORT_POV, texts::kItemExportPov, texts::kStrExportPov, ":/icons/export.svg",
             [this] { OnExportPov(); });
  MakeAction(ID_EXPORT_GLTF, texts::kItemExportGltf, texts::kStrExportGltf, nullptr, [this] { OnExportGltf(); });
  MakeAction(ID_APP_EXIT, texts::kItemExit, texts::kStrExit, nullptr, [this] { close(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  MakeAction(ID_APP_ABOUT, texts::kItemAbout, texts::kStrAbout, ":/icons/about.svg", [this] { OnAbout(); });
  MakeAction(ID_BENCHMARK, texts::kItemBenchmark, nullptr, nullptr, [this] { OnBenchmark(); });
  MakeAction(ID_TIME_MEASUREMENT, texts::kItemTimeMeasurement, nullptr, nullptr,
             [this] { m_pView->OnTimeMeasurement(*m_pDialogs); });
  MakeAction(ID_VIEW_FIT, texts::kItemViewFit, texts::kStrViewFit, ":/icons/fit.svg", [this] { OnViewFit(); })
      ->setShortcut(QKeySequence(Qt::Key_Home));

  // The standard open command (plug-ins may send it) does the same.
  MakeAction(ID_FILE_OPEN, nullptr, nullptr, nullptr, [this] { OnOpenMqo(); });

  BuildDailyActions();

  for (const CDisplayToggle& toggle : DisplayToggles()) {
    QAction* action = MakeAction(toggle.id, nullptr, toggle.strings, toggle.icon,
                                 [this, id = toggle.id] { OnDisplayToggle(id); });
    action->setText(action->toolTip());
    action->setCheckable(true);
  }
}

void CMainFrame::BuildMenus() {
  QMenu* file = menuBar()->addMenu(FrameText(texts::kMenuFile));
  file->addAction(Action(ID_FILE_NEW));
  file->addSeparator();
  file->addAction(Action(ID_OPEN_MQO));
  QMenu* recent = file->addMenu(tr("最近使ったファイル"));
  recent->setObjectName(QStringLiteral("RecentFiles"));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { RefillRecentMenu(recent); });
  file->addAction(Action(ID_FILE_RELOAD));
  file->addSeparator();
  file->addAction(Action(ID_EXPORT_POV));
  file->addAction(Action(ID_EXPORT_GLTF));
  file->addAction(Action(ID_FILE_SAVE_PICTURE));
  file->addSeparator();
  file->addAction(Action(ID_APP_EXIT));

  QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
  edit->addAction(Action(ID_EDIT_UNDO));
  edit->addAction(Action(ID_EDIT_REDO));

  QMenu* view = menuBar()->addMenu(FrameText(texts::kMenuView));
  QAction* toolbar = MakeAction(ID_VIEW_TOOLBAR, texts::kItemToolbar, texts::kStrToolbar, nullptr,
                                [this] { m_pToolBar->setVisible(m_pToolBar->isHidden()); });
  QAction* status = MakeAction(ID_VIEW_STATUS_BAR, texts::kItemStatusBar, texts::kStrStatusBar, nullptr,
                               [this] { statusBar()->setVisible(statusBar()->isHidden()); });
  toolbar->setCheckable(true);
  status->setCheckable(true);
  view->addAction(toolbar);
  view->addAction(status);
  view->addAction(Action(ID_VIEW_FIT));

  m_pHelpMenu = menuBar()->addMenu(FrameText(texts::kMenuHelp));
  m_pHelpMenu->addAction(Action(ID_APP_ABOUT));
  m_pHelpMenu->addAction(Action(ID_BENCHMARK));
  m_pHelpMenu->addAction(Action(ID_TIME_MEASUREMENT));
  m_pHelpMenu->addSeparator();
  m_pHelpMenu->addAction(Action(ID_HELP_SHORTCUTS));

  for (QMenu* menu : {file, edit, view, m_pHelpMenu}) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
  }
}

void CMainFrame::BuildToolBar() {
  m_pToolBar = new QToolBar(this);
  m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
  m_pToolBar->setWindowTitle(FrameText(texts::kItemToolbar).remove(QStringLiteral("(&T)")).remove(u'&'));
  m_pToolBar->setIconSize(QSize(16, 15));
  m_pToolBar->setMovable(true);
  m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  m_pToolBar->addAction(Action(ID_FILE_NEW));
  m_pToolBar->addAction(Action(ID_OPEN_MQO));
  m_pToolBar->addAction(Action(ID_EXPORT_POV));
  m_pToolBar->addSeparator();
  for (const CDisplayToggle& toggle : DisplayToggles()) m_pToolBar->addAction(Action(toggle.id));
  m_pToolBar->addAction(Action(ID_VIEW_FIT));
  m_pToolBar->addSeparator();
  m_pToolBar->addAction(Action(ID_APP_ABOUT));
  addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  // The message pane says "Ready" whenever no command text is shown.
  connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
    if (message.isEmpty()) bar->showMessage(FrameText(texts::kReady));
  });
  bar->showMessage(FrameText(texts::kReady));
  m_pIndicators = new CStatusIndicators(bar);
}

QMenu* CMainFrame::AddRefilledMenu(const QString& title, std::function<void(QMenu*)> refill) {
  auto* menu = new QMenu(title, this);
  menuBar()->insertMenu(m_pHelpMenu->menuAction(), menu);
  connect(menu, &QMenu::aboutToShow, this, [menu, refill = std::move(refill)] {
    menu->clear();
    refill(menu);
  });
  return menu;
}

QAction* CMainFrame::AddCommandItem(QMenu* menu, int id, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  return action;
}

void CMainFrame::SetSidePanel(QWidget* panel) {
  auto* dock = new QDockWidget(this);
  dock->setObjectName(QStringLiteral("SidePanel"));
  dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dock->setTitleBarWidget(new QWidget(dock));  // a plain bar, as the dialog bar was
  dock->setWidget(panel);
  addDockWidget(Qt::RightDockWidgetArea, dock);
}

void CMainFrame::SetDialogs(CFrameDialogs* dialogs) { m_pDialogs = dialogs ? dialogs : &DefaultFrameDialogs(); }

void CMainFrame::ObjectEdited(CMeshObject& object) {
  m_pDerivation->Rederive(object);
  m_pHistory->NoteEdit();
}

bool CMainFrame::OnCommand(int id) {
  if (m_bBusy) return false;  // a shortcut reached during long work
  const auto found = m_Commands.find(id);
  bool handled = false;
  if (found != m_Commands.end() && found->second.handler) {
    found->second.handler();
    handled = true;
  } else if (m_UnhandledHook) {
    // A plug-in command may change anything: it is undone as a whole, and
    // what still derives from the meshes before it must not come back after it.
    m_pDerivation->DropPending();
    m_pHistory->BeginWholeEdit();
    handled = m_UnhandledHook(id);
    m_pHistory->EndWholeEdit(handled);
  }
  UpdateCommandUI();
  return handled;
}

void CMainFrame::UpdateCommandUI() {
  const CDisplaySettings& display = m_Doc.Display;
  for (const CDisplayToggle& toggle : DisplayToggles()) {
    Action(toggle.id)->setChecked(IsTogglePressed(toggle, display));
  }
  Action(ID_EXPORT_POV)->setEnabled(m_Doc.ObjectCount() > 0);
  Action(ID_EXPORT_GLTF)->setEnabled(m_Doc.ObjectCount() > 0);
  Action(ID_FILE_RELOAD)->setEnabled(!m_Doc.m_strPathName.empty());
  Action(ID_EDIT_UNDO)->setEnabled(m_pHistory->CanUndo());
  Action(ID_EDIT_REDO)->setEnabled(m_pHistory->CanRedo());
  Action(ID_VIEW_TOOLBAR)->setChecked(!m_pToolBar->isHidden());
  Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::OnDocNotify(int /*code*/, uint32_t /*wordParam*/) {
  // The side panel and plug-ins change the document too: keep the buttons true.
  UpdateTitle();
  UpdateCommandUI();
}

void CMainFrame::UpdateTitle() {
  // The title is the file name as the file system spelled it.
  const QString title = QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strTitle));
  setWindowTitle(title + QStringLiteral(" - ") + FrameText(texts::kAppTitle));
}

void CMainFrame::OnDisplayToggle(int id) {
  const CDisplayToggle* toggle = FindDisplayToggle(id);
  if (!toggle) return;
  CDisplaySettings& display = m_Doc.Display;
  display.*(toggle->flag) = !(display.*(toggle->flag));
  if (toggle->discardDerived) {
    m_pDerivation->DropPending();  // results derived under the old settings
    m_Doc.DiscardAllDerived();
  }
  switch (toggle->repaint) {
    case ToggleRepaint::RedrawNow: m_pView->RedrawNow(); break;
    case ToggleRepaint::UpdateAll: m_pView->RequestUpdate(); break;
    case ToggleRepaint::UpdateIfFacesShown:
      if (display.ShowFaces) m_pView->RequestUpdate();
      break;
  }
}

void CMainFrame::OnFileNew() {
  m_pDerivation->DropPending();
  m_Doc.m_strPathName.clear();  // a new document has no file
  m_Doc.Reset();
  UpdateTitle();
  m_pView->RequestUpdate();
}

void CMainFrame::OnOpenMqo() {
  const QString path = m_pDialogs->OpenMqoFile(this, DialogFolder());
  if (!path.isEmpty()) {
    OpenMqoPath(path);
    return;
  }
  // Cancelled: the view is still redrawn and the panels still told.
  m_pView->RedrawNow();
  m_Doc.Hub().NotifyAll(NOTIFY_DOCUMENT_LOADED);
}

bool CMainFrame::OpenMqoPath(const QString& path) { return LoadModel(path, false) == LoadOutcome::Loaded; }

CMainFrame::LoadOutcome CMainFrame::LoadModel(const QString& path, bool reload, bool acceptCut) {
  if (m_bBusy) return LoadOutcome::Failed;
  // Read aside: the open model stays whole until the new one has been read.
  CQuorixDoc staged;
  MqoReadStatus status;
  bool read = false;
  {
    CBusyScope busy(*this);
    CWaitCursor wait;
    {
      CWorkProgress progress(this, tr("モデルを開いています..."), false);
      read = ReadModelAside(staged, m_Doc, path, status,
                            [&progress](size_t done, size_t total) { progress.Step(done, total); });
    }
    if (read && status.endsEarly && !acceptCut) return LoadOutcome::CutShort;  // being written: try later
    if (read) {
      m_pDerivation->DropPending();  // edits still deriving belong to the old model
      const CScene camera = m_Doc.m_Scene;
      TakeReadContents(m_Doc, staged);
      // The first frame's derived geometry, built here so that its progress
      // shows, and before the framing, which measures it.
      CWorkProgress progress(this, tr("オブジェクトを生成しています: %1 / %2"), false);
      EnsureDerivedGeometryForFrame(m_Doc, [&progress](size_t done, size_t total) { return progress.Step(done, total); });
      if (reload) {
        m_Doc.m_Scene = camera;  // the user's camera outlives a reload
      } else {
        ApplyOpeningFraming(m_Doc, FramingMode::Auto);
      }
    }
  }
  if (!read) {
    if (reload) {
      statusBar()->showMessage(tr("再読み込みできませんでした。前のモデルを表示しています: %1").arg(path), 10000);
    } else {
      m_pDialogs->Message(this, ReadFailureText(path, status), FrameText(texts::kErrorCaption), true);
    }
    return LoadOutcome::Failed;
  }
  m_strLastFolder = QFileInfo(path).absolutePath();
  RememberRecentFile(path);
  WatchOpenFile();
  emit modelLoaded(path, reload);
  UpdateTitle();
  m_pView->RedrawNow();
  m_Doc.Hub().NotifyAll(NOTIFY_DOCUMENT_LOADED);
  UpdateCommandUI();
  const QString warning = ReadWarningText(m_Doc, status);
  if (!warning.isEmpty()) {
    statusBar()->showMessage(warning, 15000);
  } else if (reload) {
    statusBar()->showMessage(tr("再読み込みしました: %1").arg(path), 5000);
  }
  return LoadOutcome::Loaded;
}

bool CMainFrame::ReloadModel() {
  if (m_Doc.m_strPathName.empty()) return false;
  return LoadModel(QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strPathName)), true) == LoadOutcome::Loaded;
}

void CMainFrame::OnViewFit() {
  if (!FitCameraToDocument(m_Doc)) return;
  m_Doc.Hub().NotifyAll(NOTIFY_CAMERA_MOVED);  // the camera page shows the new camera
  m_pView->RedrawNow();
}

QString CMainFrame::DialogFolder() const {
  if (m_Doc.m_strPathName.empty()) return m_strLastFolder;
  return QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strPathName))).absolutePath();
}

QString CMainFrame::SuggestedExportPath(const QString& extension) const {
  // The model's name with the export's extension, in the model's folder.
  const QString model = QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strPathName));
  const QString name = model.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(model).completeBaseName();
  const QString folder = DialogFolder();
  return (folder.isEmpty() ? name : folder + u'/' + name) + extension;
}

// Both exports run alike: the progress bar with its Cancel button after half a
// second, a cancelled export reported in the status bar (it writes nothing).
template <class Exporter>
void CMainFrame::ExportWithProgress(Exporter& exporter, const QString& path) {
  bool written = false;
  bool cancelled = false;
  {
    CBusyScope busy(*this);
    CWorkProgress progress(this, tr("オブジェクトを出力しています: %1 / %2"), true);
    exporter.SetProgress([&progress](size_t done, size_t total) { return progress.Step(done, total); });
    written = exporter.Export(QFile::encodeName(path).toStdString());
    cancelled = progress.Cancelled();
  }
  if (!written && cancelled) {
    statusBar()->showMessage(tr("出力を中止しました。ファイルは書き込まれていません。"), 8000);
    return;
  }
  ReportExport(written, path, exporter.Error(), exporter.Warnings());
}

void CMainFrame::OnExportPov() {
  if (m_Doc.ObjectCount() == 0) return;  // also when reached by a stale shortcut
  const QString path = m_pDialogs->SavePovFile(this, SuggestedExportPath(QStringLiteral(".pov")));
  if (path.isEmpty()) return;
  m_pDerivation->DropPending();  // the export derives what is still deriving, with its own progress
  CPovExporter exporter(m_Doc);
  ExportWithProgress(exporter, path);
}

void CMainFrame::OnExportGltf() {
  if (m_Doc.ObjectCount() == 0) return;
  QString path = m_pDialogs->SaveGltfFile(this, SuggestedExportPath(QStringLiteral(".glb")));
  if (path.isEmpty()) return;
  if (!IsGltfPath(QFile::encodeName(path).toStdString())) path += QStringLiteral(".glb");
  m_pDerivation->DropPending();
  CGltfExporter exporter(m_Doc, CGltfExportOptions{1.0f, m_Doc.m_bSkipHidden == 0});
  ExportWithProgress(exporter, path);
}

void CMainFrame::ReportExport(bool written, const QString& path, const std::string& error,
                              const std::vector<std::string>& warnings) {
  if (!written) {
    m_pDialogs->Message(this, QString::fromStdString(error), FrameText(texts::kErrorCaption), true);
    return;
  }
  m_strLastFolder = QFileInfo(path).absolutePath();
  QString message = tr("%1 に出力しました").arg(QDir::toNativeSeparators(path));
  if (!warnings.empty()) message += QStringLiteral("  /  ") + QString::fromStdString(warnings.front());
  statusBar()->showMessage(message, 8000);
}

void CMainFrame::OnAbout() {
  CAboutDialog about(this);
  about.exec();
}

void CMainFrame::OnBenchmark() {
  // 15 turned frames, each drawn before the next step; the figures are shown
  // over the last one, and the view turns back once the box is closed.
  RunFrameBenchmark(m_Doc, [this] { m_pView->RedrawNow(); }, [this](double seconds) {
    m_pDialogs->Message(this, FrameBenchmarkMessage(seconds), FrameText(texts::kBenchmarkTitle), false);
  });
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile() && IsMqoPath(url.toLocalFile())) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile() && IsMqoPath(url.toLocalFile())) {
      event->acceptProposedAction();
      OpenMqoPath(url.toLocalFile());
      return;
    }
  }
}

}  // namespace brimvale
