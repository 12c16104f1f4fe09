// CRollupPanel: a vertical stack of CRollupPages, each under a CRollupHeader that
// opens and closes it, scrolled as a whole when the open pages are taller than
// the panel: by grabbing the background (hand cursors), or by the mouse wheel.
//
// Interface for the side panel:
//   - AddPage(page) takes ownership, creates its header and lays out.
//   - DocNotify(code, word) hands a document notification to every page in order;
//     ROLLUP_TOGGLED (a header was clicked) also lays out again.
//   - rollupScrolled() (ROLLUP_SCROLLED) follows every scroll step.
//   - ContentHeight(), ScrollOffset(), ScrollBy(a) for the owner and the tests.
#pragma once

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace brimvale {

inline constexpr int ROLLUP_TOGGLED = 1000;
inline constexpr int ROLLUP_SCROLLED = 1001;

class CRollupPage;

class CRollupPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeaderStep = 25;  // header 20 high plus its margin

  explicit CRollupPanel(QWidget* parent = nullptr);
  ~CRollupPanel() override;

  void AddPage(CRollupPage* page);
  void RemoveAllPages();
  int PageCount() const { return static_cast<int>(m_Pages.size()); }
  CRollupPage* Page(int i) const;

  int ContentHeight() const;
  int ScrollOffset() const { return m_nOffset; }
  // Positive moves the content up; clamped to the content.
  void ScrollBy(int pixels);
  void Layout();
  void DocNotify(int code, uint32_t wordParam);
  bool IsGrabbing() const { return m_bDragging; }

 signals:
  void rollupScrolled();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReapplyScroll();
  void PlaceChildren();
  void UpdateCursors();
  bool CanGrab() const { return ContentHeight() > height(); }

  std::vector<CRollupPage*> m_Pages;
  int m_nOffset = 0;
  bool m_bDragging = false;
  QPoint m_LastGlobal;
};

}  // namespace brimvale
