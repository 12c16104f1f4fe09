#include "shell/status_bar_busy.h"

#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

namespace brimvale {

void CStatusBarBusy::Show(const QString& message) {
  if (m_pBar) return;
  QStatusBar* status = m_pWindow->statusBar();
  m_pBar = new QProgressBar(status);
  m_pBar->setObjectName(m_strName);
  m_pBar->setMaximumWidth(240);
  m_pBar->setMaximumHeight(status->fontMetrics().height());
  m_pBar->setRange(0, 0);
  status->insertPermanentWidget(0, m_pBar, 0);
  status->showMessage(message);
}

void CStatusBarBusy::Hide() {
  if (!m_pBar) return;
  QStatusBar* status = m_pWindow->statusBar();
  status->removeWidget(m_pBar);
  delete m_pBar;
  m_pBar = nullptr;
  status->clearMessage();
}

void CStatusBarBusy::SetProgress(size_t done, size_t total) {
  if (!m_pBar) return;
  if (total == 0) {
    m_pBar->setRange(0, 0);
    return;
  }
  m_pBar->setRange(0, 1000);
  m_pBar->setValue(static_cast<int>(done * 1000 / total));
}

}  // namespace brimvale
