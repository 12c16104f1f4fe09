// The document's user interface in the window: message boxes owned by the main
// window, the wait cursor, and an immediate redraw of the view.
#pragma once

#include <QPointer>
#include <QWidget>

#include "document/user_interface.h"

namespace brimvale {

class CQuorixView;

class CQtUserInterface : public CUserInterface {
 public:
  void SetOwner(QWidget* owner) { m_pOwner = owner; }
  void SetActiveView(CQuorixView* view);

  void MessageBox(const std::string& text, const std::string& caption) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void RedrawActiveView() override;

 private:
  QPointer<QWidget> m_pOwner;
  QPointer<QWidget> m_pView;
};

}  // namespace brimvale
