#include "widgets/rollup_header.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace brimvale {

CRollupHeader::CRollupHeader(const QString& title, int controlId, QWidget* parent)
    : QWidget(parent), m_strTitle(title), m_nControlId(controlId) {
  setCursor(Qt::ArrowCursor);
  setFocusPolicy(Qt::NoFocus);
}

void CRollupHeader::SetOpen(bool open) {
  m_bOpen = open;
  update();
}

void CRollupHeader::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || m_bPressed) return;
  m_bPressed = true;  // Qt keeps the mouse with this widget until the release
  update();
}

void CRollupHeader::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CRollupHeader::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_bPressed) return;
  m_bPressed = false;
  m_bOpen = !m_bOpen;
  emit toggled(m_nControlId);
  update();
}

void CRollupHeader::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOptionButton button;
  button.initFrom(this);
  button.state |= m_bPressed ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);

  const int shift = m_bPressed ? 1 : 0;
  QStyleOption arrow;
  arrow.initFrom(this);
  arrow.rect = QRect(6 + shift, (height() - 10) / 2 + shift, 10, 10);
  style()->drawPrimitive(m_bOpen ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowRight, &arrow,
                         &painter, this);

  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, m_strTitle);
}

}  // namespace brimvale
