#include "widgets/color_button.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include "document/color.h"

namespace brimvale {

CColorButton::CColorButton(QWidget* parent, int controlId) : QWidget(parent), m_nControlId(controlId) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(16, 16);
}

void CColorButton::SetColor(uint32_t color) {
  m_crColor = color & 0x00FFFFFFu;
  update();
}

bool CColorButton::RunColorDialog(uint32_t initial, uint32_t* chosen) {
  const QColor start(static_cast<int>(ColorRed(initial)), static_cast<int>(ColorGreen(initial)),
                     static_cast<int>(ColorBlue(initial)));
  const QColor picked = QColorDialog::getColor(start, this);
  if (!picked.isValid()) return false;
  *chosen = PackColor(static_cast<uint32_t>(picked.red()), static_cast<uint32_t>(picked.green()),
                      static_cast<uint32_t>(picked.blue()));
  return true;
}

void CColorButton::ChooseAndNotify() {
  uint32_t chosen = m_crColor;
  if (!RunColorDialog(m_crColor, &chosen)) return;
  SetColor(chosen);
  emit colorChanged(m_nControlId);
}

void CColorButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_bPressed = true;
  update();
}

void CColorButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_bPressed) return;
  m_bPressed = false;
  update();
  if (rect().contains(event->position().toPoint())) ChooseAndNotify();
}

void CColorButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    ChooseAndNotify();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CColorButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOptionButton frame;
  frame.initFrom(this);
  frame.state |= m_bPressed ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &frame, &painter, this);
  QRect inner = rect().adjusted(4, 4, -4, -4);
  if (m_bPressed) inner.translate(1, 1);
  const QColor fill(static_cast<int>(ColorRed(m_crColor)), static_cast<int>(ColorGreen(m_crColor)),
                    static_cast<int>(ColorBlue(m_crColor)));
  painter.fillRect(inner, isEnabled() ? fill : palette().color(QPalette::Disabled, QPalette::Button));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(inner.adjusted(0, 0, -1, -1));
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace brimvale
