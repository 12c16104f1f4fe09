// CSpinButton: the narrow up/down button beside a CNumEdit. A click on the upper
// or lower half steps the field by one; pressing and then dragging vertically
// out of the pressed half steps it by the pixels moved (upwards positive), and
// the field tells its owner once, at the release, unless it notifies while
// dragging. Made by CNumEdit::CreateSpinButton.
#pragma once

#include <QWidget>

namespace brimvale {

class CNumEdit;

class CSpinButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 15;
  static constexpr int kControlId = 10;
  enum Half { kNone = 0, kUpper = 1, kLower = 2 };

  CSpinButton(CNumEdit* field, QWidget* parent);

  CNumEdit* Field() const { return m_pField; }
  bool IsPressed() const { return m_bPressed; }
  bool IsDragging() const { return m_bDragging; }
  int PressedHalf() const { return m_nHalf; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect HalfRect(int half) const;

  CNumEdit* m_pField;
  bool m_bPressed = false;
  bool m_bDragging = false;
  int m_nHalf = kNone;
  int m_nLastY = 0;
};

}  // namespace brimvale
