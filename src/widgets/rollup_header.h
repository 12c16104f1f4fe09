// CRollupHeader: the button above each roll-up page. Pressing captures the mouse;
// releasing, wherever the pointer is, flips the open state and tells the panel
// (ROLLUP_TOGGLED). It shows the page title and a triangle for the open state.
#pragma once

#include <QWidget>

namespace brimvale {

class CRollupHeader : public QWidget {
  Q_OBJECT

 public:
  CRollupHeader(const QString& title, int controlId, QWidget* parent);

  int ControlId() const { return m_nControlId; }
  QString Title() const { return m_strTitle; }
  bool IsOpen() const { return m_bOpen; }
  // From code: no notification (the owner lays out itself).
  void SetOpen(bool open);
  bool IsPressed() const { return m_bPressed; }

 signals:
  void toggled(int controlId);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString m_strTitle;
  int m_nControlId;
  bool m_bOpen = true;
  bool m_bPressed = false;
};

}  // namespace brimvale
