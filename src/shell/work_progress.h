// Progress of long work in the main window's status bar. The work runs on the
// GUI thread (or waits there for its worker threads) and reports each step;
// once it has taken longer than half a second a progress bar appears, and at
// each step the window repaints. Meanwhile the rest of the window is disabled,
// so no command can start beside the work; only the Cancel button (for work
// that can stop) stays live.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <vector>

class QMainWindow;
class QProgressBar;
class QPushButton;

namespace brimvale {

class CWorkProgress {
 public:
  // `text` shows beside the bar; %1 and %2 in it become the steps done and all.
  CWorkProgress(QMainWindow* window, QString text, bool cancellable);
  ~CWorkProgress();
  CWorkProgress(const CWorkProgress&) = delete;
  CWorkProgress& operator=(const CWorkProgress&) = delete;

  // One step done of `total`; false once the user has cancelled.
  bool Step(size_t done, size_t total);
  bool Cancelled() const { return m_bCancelled; }
  // Whether the bar has been shown (the work passed the half second).
  bool Shown() const { return m_pBar != nullptr; }
  // How long to wait before the bar shows, in milliseconds (tests set 0).
  static void SetDelay(int milliseconds);

 private:
  void Show();

  QMainWindow* m_pWindow;
  QString m_strText;
  bool m_bCancellable;
  bool m_bCancelled = false;
  QElapsedTimer m_Clock;
  QProgressBar* m_pBar = nullptr;   // owned by the status bar until removed
  QPushButton* m_pCancel = nullptr;
  std::vector<QPointer<QWidget>> m_Disabled;
};

}  // namespace brimvale
