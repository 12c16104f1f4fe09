// The main window's everyday file commands: recent files, reload (by hand and
// when the open file changes on disk), saving the view as a picture, the list
// of keyboard shortcuts, and the window's remembered layout.
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "document/quorix_doc.h"
#include "shell/background_derivation.h"
#include "shell/command_ids.h"
#include "shell/edit_history.h"
#include "shell/frame_dialogs.h"
#include "shell/frame_texts.h"
#include "shell/main_frame.h"
#include "shell/quorix_view.h"
#include "shell/translation.h"
#include "view/offscreen_render.h"

namespace brimvale {

namespace {

// A file being written is read again after this pause, a few times at most.
constexpr int kReloadDelayMs = 400;
constexpr int kReloadTries = 6;

}  // namespace

void CMainFrame::BuildDailyActions() {
  MakeAction(ID_FILE_RELOAD, nullptr, nullptr, nullptr, [this] { ReloadModel(); })->setShortcut(Qt::Key_F5);
  Action(ID_FILE_RELOAD)->setText(tr("再読み込み(&R)"));
  MakeAction(ID_FILE_SAVE_PICTURE, nullptr, nullptr, nullptr, [this] { OnSavePicture(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Action(ID_FILE_SAVE_PICTURE)->setText(tr("画像を保存(&P)..."));
  MakeAction(ID_HELP_SHORTCUTS, nullptr, nullptr, nullptr, [this] { OnShortcuts(); });
  Action(ID_HELP_SHORTCUTS)->setText(tr("キーボードショートカット(&K)"));
  MakeAction(ID_EDIT_UNDO, nullptr, nullptr, nullptr, [this] { m_pHistory->Undo(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Action(ID_EDIT_UNDO)->setText(tr("元に戻す(&U)"));
  MakeAction(ID_EDIT_REDO, nullptr, nullptr, nullptr, [this] { m_pHistory->Redo(); })
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  Action(ID_EDIT_REDO)->setText(tr("やり直し(&R)"));
  addActions({Action(ID_FILE_RELOAD), Action(ID_FILE_SAVE_PICTURE), Action(ID_EDIT_UNDO), Action(ID_EDIT_REDO)});

  m_pWatcher = new QFileSystemWatcher(this);
  connect(m_pWatcher, &QFileSystemWatcher::fileChanged, this, &CMainFrame::OnWatchedFileChanged);
  m_pReloadTimer = new QTimer(this);
  m_pReloadTimer->setSingleShot(true);
  m_pReloadTimer->setInterval(kReloadDelayMs);
  connect(m_pReloadTimer, &QTimer::timeout, this, &CMainFrame::OnReloadTimer);
}

void CMainFrame::SetReloadDelay(int milliseconds) { m_pReloadTimer->setInterval(milliseconds); }

void CMainFrame::RememberRecentFile(const QString& path) {
  m_RecentFiles = WithRecentFile(m_RecentFiles, path);
  m_Settings.SetRecentFiles(m_RecentFiles);
}

void CMainFrame::RefillRecentMenu(QMenu* menu) {
  menu->clear();
  QStringList removed;
  m_RecentFiles = WithoutMissingFiles(m_RecentFiles, &removed);
  if (!removed.isEmpty()) {
    m_Settings.SetRecentFiles(m_RecentFiles);
    statusBar()->showMessage(tr("見つからないファイルを一覧から外しました: %1").arg(removed.join(QStringLiteral(", "))),
                             8000);
  }
  for (int i = 0; i < m_RecentFiles.size(); ++i) {
    const QString& path = m_RecentFiles[i];
    QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    connect(item, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  menu->setEnabled(true);
  if (m_RecentFiles.isEmpty()) menu->addAction(tr("(なし)"))->setEnabled(false);
}

void CMainFrame::OpenRecentFile(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    m_RecentFiles.removeAll(path);
    m_Settings.SetRecentFiles(m_RecentFiles);
    statusBar()->showMessage(tr("見つからないファイルを一覧から外しました: %1").arg(path), 8000);
    return;
  }
  OpenMqoPath(path);
}

void CMainFrame::WatchOpenFile() {
  if (!m_pWatcher->files().isEmpty()) m_pWatcher->removePaths(m_pWatcher->files());
  const QString path = QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strPathName));
  if (!path.isEmpty() && QFileInfo(path).isFile()) m_pWatcher->addPath(path);
}

void CMainFrame::OnWatchedFileChanged() {
  // Writers truncate, write and rename: wait until the file has settled.
  m_nReloadTries = 0;
  m_pReloadTimer->start();
}

void CMainFrame::OnReloadTimer() {
  const QString path = QFile::decodeName(QByteArray::fromStdString(m_Doc.m_strPathName));
  if (path.isEmpty()) return;
  if (m_bBusy) {  // long work on the document: come back afterwards
    m_pReloadTimer->start();
    return;
  }
  ++m_nReloadTries;
  const bool lastTry = m_nReloadTries >= kReloadTries;
  const bool exists = QFileInfo(path).isFile();
  // A file replaced by renaming drops out of the watch: take it up again.
  if (exists && !m_pWatcher->files().contains(path)) m_pWatcher->addPath(path);
  if (!exists || LoadModel(path, true, lastTry) != LoadOutcome::Loaded) {
    if (!lastTry) {
      m_pReloadTimer->start();  // mid-write: the next try may find it whole
    } else {
      statusBar()->showMessage(tr("再読み込みできませんでした。前のモデルを表示しています: %1").arg(path), 10000);
    }
  }
}

void CMainFrame::OnSavePicture() {
  QSize size = m_pView->size();
  if (size.isEmpty()) size = QSize(640, 480);
  const QString path = m_pDialogs->SavePictureFile(this, SuggestedExportPath(QStringLiteral(".png")), size);
  if (path.isEmpty()) return;
  if (SavePicture(path, size))
    statusBar()->showMessage(tr("%1 に出力しました").arg(QDir::toNativeSeparators(path)), 8000);
}

bool CMainFrame::SavePicture(const QString& path, QSize size) {
  m_pDerivation->DropPending();  // the picture shows the model as edited
  COffscreenView offscreen;
  bool written = false;
  QString error;
  if (!offscreen.Open(size.width(), size.height())) {
    error = QString::fromStdString(offscreen.Error());
  } else {
    written = SavePicturePng(QFile::encodeName(path).toStdString(), offscreen.Render(m_Doc));
    if (!written) error = tr("画像を書き込めませんでした: %1").arg(path);
  }
  m_pView->RequestUpdate();
  if (!written) m_pDialogs->Message(this, error, FrameText(texts::kErrorCaption), true);
  return written;
}

void CMainFrame::OnShortcuts() {
  QDialog dialog(this);
  dialog.setWindowTitle(tr("キーボードショートカット"));
  auto* layout = new QVBoxLayout(&dialog);
  const QString rows[][2] = {
      {tr("Ctrl+O"), tr("ファイルを開く")},
      {tr("F5"), tr("再読み込み")},
      {tr("Ctrl+Shift+S"), tr("画像を保存")},
      {tr("矢印キー"), tr("回転")},
      {tr("Shift+矢印キー"), tr("移動")},
      {tr("+ / -, Page Up / Page Down"), tr("拡大 / 縮小")},
      {tr("Home"), tr("全体を表示")},
      {tr("Ctrl+Z"), tr("元に戻す")},
      {tr("Ctrl+Shift+Z, Ctrl+Y"), tr("やり直し")},
      {tr("Ctrl+N"), tr("新規作成")},
      {tr("Ctrl+Q"), tr("終了")},
  };
  QString html = QStringLiteral("<table cellspacing='6'>");
  for (const auto& row : rows)
    html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(row[0].toHtmlEscaped(), row[1].toHtmlEscaped());
  html += QStringLiteral("</table>");
  auto* label = new QLabel(html, &dialog);
  label->setObjectName(QStringLiteral("ShortcutList"));
  layout->addWidget(label);
  dialog.exec();
}

void CMainFrame::UseWindowSettings(const QString& file) {
  m_Settings = CWindowSettings(file);
  m_Settings.Restore(*this);
  m_RecentFiles = m_Settings.RecentFiles();
  if (m_strLastFolder.isEmpty()) m_strLastFolder = m_Settings.LastFolder();
  UpdateCommandUI();
}

void CMainFrame::SaveWindowSettings() const { m_Settings.Save(*this); }

void CMainFrame::closeEvent(QCloseEvent* event) {
  SaveWindowSettings();
  QMainWindow::closeEvent(event);
}

}  // namespace brimvale
