// CColorButton: a push button filled with a colour (a Windows RGB word, red in the
// low byte). A click opens the colour dialog at the current colour; only when the
// user confirms does the colour change and colorChanged(controlId) reach the owner.
// SetColor from code redraws without notifying.
#pragma once

#include <QWidget>

#include <cstdint>

namespace brimvale {

class CColorButton : public QWidget {
  Q_OBJECT

 public:
  explicit CColorButton(QWidget* parent = nullptr, int controlId = 0);

  int ControlId() const { return m_nControlId; }
  uint32_t Color() const { return m_crColor; }
  void SetColor(uint32_t color);

  // Opens the dialog as a click does.
  void ChooseAndNotify();

 signals:
  void colorChanged(int controlId);

 protected:
  // The colour dialog; returns false when the user cancels. Tests replace it.
  virtual bool RunColorDialog(uint32_t initial, uint32_t* chosen);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int m_nControlId;
  uint32_t m_crColor = 0x00FFFFFFu;  // white
  bool m_bPressed = false;
};

}  // namespace brimvale
