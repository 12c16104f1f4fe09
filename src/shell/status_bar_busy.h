// A small progress bar in the main window's status bar for work that runs
// beside the window (deriving, laying out faces) while it stays usable. The
// bar is kept to the status bar's text height: a bar that grew the status bar
// would shrink the view, whose repaint is what costs most on a large model.
#pragma once

#include <QString>

#include <cstddef>
#include <utility>

class QMainWindow;
class QProgressBar;

namespace brimvale {

class CStatusBarBusy {
 public:
  // `name` is the bar's object name, by which tests find it.
  CStatusBarBusy(QMainWindow* window, QString name) : m_pWindow(window), m_strName(std::move(name)) {}
  CStatusBarBusy(const CStatusBarBusy&) = delete;
  CStatusBarBusy& operator=(const CStatusBarBusy&) = delete;

  // Shows the bar (if it is not shown) with `message` beside it.
  void Show(const QString& message);
  // Removes the bar and its message.
  void Hide();
  bool Shown() const { return m_pBar != nullptr; }
  // done of total, or with total 0 a bar that only shows that work goes on.
  void SetProgress(size_t done, size_t total);

 private:
  QMainWindow* m_pWindow;
  QString m_strName;
  QProgressBar* m_pBar = nullptr;  // owned by the status bar while shown
};

}  // namespace brimvale
