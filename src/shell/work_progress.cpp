#include "shell/work_progress.h"

#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace brimvale {

namespace {

int g_nDelayMs = 500;

}  // namespace

void CWorkProgress::SetDelay(int milliseconds) { g_nDelayMs = std::max(0, milliseconds); }

CWorkProgress::CWorkProgress(QMainWindow* window, QString text, bool cancellable)
    : m_pWindow(window), m_strText(std::move(text)), m_bCancellable(cancellable) {
  m_Clock.start();
  // Everything but the status bar: menus, toolbars, the view, the side panel.
  QList<QWidget*> parts;
  parts << window->menuBar() << window->centralWidget();
  for (QToolBar* bar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) parts << bar;
  for (QDockWidget* dock : window->findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) parts << dock;
  for (QWidget* part : parts) {
    if (!part || !part->isEnabled()) continue;
    part->setEnabled(false);
    m_Disabled.emplace_back(part);
  }
}

CWorkProgress::~CWorkProgress() {
  for (const QPointer<QWidget>& part : m_Disabled)
    if (part) part->setEnabled(true);
  if (m_pBar) {
    m_pWindow->statusBar()->removeWidget(m_pBar);
    delete m_pBar;
  }
  if (m_pCancel) {
    m_pWindow->statusBar()->removeWidget(m_pCancel);
    delete m_pCancel;
  }
  m_pWindow->statusBar()->clearMessage();
}

void CWorkProgress::Show() {
  QStatusBar* status = m_pWindow->statusBar();
  m_pBar = new QProgressBar(status);
  m_pBar->setObjectName(QStringLiteral("WorkProgress"));
  m_pBar->setMaximumWidth(240);
  // Permanent widgets: the status bar's temporary messages never hide them.
  status->insertPermanentWidget(0, m_pBar, 0);
  if (m_bCancellable) {
    m_pCancel = new QPushButton(QApplication::translate("CWorkProgress", "キャンセル"), status);
    m_pCancel->setObjectName(QStringLiteral("WorkCancel"));
    QObject::connect(m_pCancel, &QPushButton::clicked, m_pCancel, [this] { m_bCancelled = true; });
    status->insertPermanentWidget(1, m_pCancel, 0);
  }
  status->showMessage(m_strText);
}

bool CWorkProgress::Step(size_t done, size_t total) {
  if (!m_pBar && m_Clock.elapsed() >= g_nDelayMs) Show();
  if (m_pBar) {
    // The bar counts in thousandths so that byte counts fit an int; before
    // the first step ends it only shows that work goes on.
    const int permille = total == 0 ? 1000 : static_cast<int>(std::min<size_t>(done, total) * 1000 / total);
    m_pBar->setRange(0, done == 0 && total > 0 ? 0 : 1000);
    m_pBar->setValue(permille);
    if (m_strText.contains(QStringLiteral("%1")))
      m_pWindow->statusBar()->showMessage(m_strText.arg(done).arg(total));
    QApplication::processEvents();
  }
  return !m_bCancelled;
}

}  // namespace brimvale
