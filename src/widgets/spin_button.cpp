#include "widgets/spin_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include "widgets/num_edit.h"

namespace brimvale {

CSpinButton::CSpinButton(CNumEdit* field, QWidget* parent) : QWidget(parent), m_pField(field) {
  setObjectName(QStringLiteral("spin"));
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::ArrowCursor);
}

QRect CSpinButton::HalfRect(int half) const {
  const int middle = height() / 2;
  if (half == kUpper) return QRect(0, 0, width(), middle);
  return QRect(0, middle, width(), height() - middle);
}

void CSpinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int y = static_cast<int>(event->position().y());
  m_nHalf = y < height() / 2 ? kUpper : kLower;
  m_bPressed = true;
  m_bDragging = false;
  m_nLastY = y;
  update();
  m_pField->BeginInteraction();
}

// A quick second click is a second step, not a no-op.
void CSpinButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CSpinButton::mouseMoveEvent(QMouseEvent* event) {
  if (!m_bPressed) return;
  const QPoint pos = event->position().toPoint();
  if (!m_bDragging) {
    if (!HalfRect(m_nHalf).contains(pos)) {
      m_bDragging = true;
      setCursor(Qt::SizeVerCursor);
      m_nHalf = kNone;
      update();
    }
  } else {
    m_pField->Step(m_nLastY - pos.y(), true);
  }
  m_nLastY = pos.y();
}

void CSpinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_bPressed) return;
  if (!m_bDragging) m_pField->Step(m_nHalf == kUpper ? 1 : -1, false);
  m_bPressed = false;
  m_bDragging = false;
  m_nHalf = kNone;
  setCursor(Qt::ArrowCursor);
  update();
  m_pField->EndInteraction();
}

void CSpinButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  for (const int half : {kUpper, kLower}) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = HalfRect(half);
    button.state |= (m_nHalf == half) ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);

    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = button.rect.adjusted(3, 2, -3, -2);
    if (m_nHalf == half) arrow.rect.translate(1, 1);
    style()->drawPrimitive(half == kUpper ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                           &arrow, &painter, this);
  }
}

}  // namespace brimvale
