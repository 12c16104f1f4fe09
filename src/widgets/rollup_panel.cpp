#include "widgets/rollup_panel.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "widgets/rollup_header.h"
#include "widgets/rollup_page.h"

namespace brimvale {

CRollupPanel::CRollupPanel(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(false);
  UpdateCursors();
}

CRollupPanel::~CRollupPanel() = default;  // pages and headers are Qt children

CRollupPage* CRollupPanel::Page(int i) const {
  if (i < 0 || i >= PageCount()) return nullptr;
  return m_Pages[static_cast<size_t>(i)];
}

void CRollupPanel::AddPage(CRollupPage* page) {
  if (!page) return;
  auto* header = new CRollupHeader(page->Title(), PageCount(), this);
  connect(header, &CRollupHeader::toggled, this, [this] { DocNotify(ROLLUP_TOGGLED, 0); });
  header->show();
  page->setParent(this);
  page->SetHeader(header);
  if (page->PageHeight() < 0) page->SetPageHeight(page->sizeHint().height());
  m_Pages.push_back(page);
  page->show();
  Layout();
  ReapplyScroll();
}

void CRollupPanel::RemoveAllPages() {
  for (CRollupPage* page : m_Pages) {
    delete page->Header();
    delete page;
  }
  m_Pages.clear();
  m_nOffset = 0;
  UpdateCursors();
}

int CRollupPanel::ContentHeight() const {
  int total = 0;
  for (const CRollupPage* page : m_Pages) {
    total += kHeaderStep;
    if (page->Header()->IsOpen()) total += page->PageHeight();
  }
  return total;
}

void CRollupPanel::Layout() {
  for (CRollupPage* page : m_Pages) page->setVisible(page->Header()->IsOpen());
  PlaceChildren();
  UpdateCursors();
}

// Positions in content coordinates, shifted up by the scroll offset.
void CRollupPanel::PlaceChildren() {
  int y = 0;
  const int w = width();
  for (CRollupPage* page : m_Pages) {
    page->Header()->setGeometry(5, y + 5 - m_nOffset, w - 10, 20);
    y += kHeaderStep;
    if (page->Header()->IsOpen()) {
      page->setGeometry(0, y - m_nOffset, w, page->PageHeight());
      y += page->PageHeight();
    }
  }
}

void CRollupPanel::ScrollBy(int pixels) {
  const int content = ContentHeight();
  if (m_nOffset + pixels > content - height()) pixels = content - height() - m_nOffset;
  if (m_nOffset + pixels < 0) pixels = -m_nOffset;  // the lower limit wins
  m_nOffset += pixels;
  PlaceChildren();
  update();
  emit rollupScrolled();
}

void CRollupPanel::ReapplyScroll() {
  const int old = m_nOffset;
  m_nOffset = 0;
  PlaceChildren();
  ScrollBy(old);
}

void CRollupPanel::DocNotify(int code, uint32_t wordParam) {
  for (CRollupPage* page : std::vector<CRollupPage*>(m_Pages)) page->OnDocNotify(code, wordParam);
  if (code == ROLLUP_TOGGLED) {
    Layout();
    ReapplyScroll();
    update();
  }
}

void CRollupPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
  ReapplyScroll();
}

void CRollupPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
}

// The open hand over the background says the content can be dragged; child
// controls keep the arrow.
void CRollupPanel::UpdateCursors() {
  const Qt::CursorShape shape = CanGrab() ? Qt::OpenHandCursor : Qt::ArrowCursor;
  if (!m_bDragging) setCursor(shape);
  for (CRollupPage* page : m_Pages) {
    page->setCursor(shape);
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->testAttribute(Qt::WA_SetCursor)) child->setCursor(Qt::ArrowCursor);
    }
  }
}

void CRollupPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !CanGrab()) return;
  m_bDragging = true;
  m_LastGlobal = event->globalPosition().toPoint();
  setCursor(Qt::ClosedHandCursor);
  for (CRollupPage* page : m_Pages) page->setCursor(Qt::ClosedHandCursor);
}

void CRollupPanel::mouseMoveEvent(QMouseEvent* event) {
  if (!m_bDragging) return;
  QPoint global = event->globalPosition().toPoint();
  ScrollBy(m_LastGlobal.y() - global.y());
  // Wrap the pointer at the screen's top and bottom so a long drag never stops.
  if (QScreen* screen = this->screen()) {
    const QRect area = screen->geometry();
    if (global.y() < area.top() + 5) {
      global.setY(area.bottom() - 5);
      QCursor::setPos(screen, global);
    } else if (global.y() > area.bottom() - 5) {
      global.setY(area.top() + 5);
      QCursor::setPos(screen, global);
    }
  }
  m_LastGlobal = global;
}

void CRollupPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_bDragging) return;
  m_bDragging = false;
  UpdateCursors();
}

void CRollupPanel::wheelEvent(QWheelEvent* event) {
  // One notch scrolls by one header step.
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) ScrollBy(-notches * kHeaderStep);
  event->accept();
}

}  // namespace brimvale
