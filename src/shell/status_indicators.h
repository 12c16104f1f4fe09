// The lock-key indicators at the right of the status bar: kana, caps lock, num
// lock and scroll lock. Each shows its name while its lock is on. The states
// are read from the X keyboard extension when the program runs on X11; on
// other window systems the panes stay empty.
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace brimvale {

class CStatusIndicators : public QObject {
  Q_OBJECT

 public:
  explicit CStatusIndicators(QStatusBar* bar);
  ~CStatusIndicators() override;

  // Reads the lock states again and shows them.
  void Refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* m_pLabels[4] = {};
  bool m_bLit[4] = {};
  QString m_Names[4];
};

}  // namespace brimvale
