#include "shell/qt_user_interface.h"

#include <QApplication>
#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "shell/frame_texts.h"
#include "shell/quorix_view.h"
#include "shell/translation.h"

namespace brimvale {

void CQtUserInterface::SetActiveView(CQuorixView* view) { m_pView = view; }

void CQtUserInterface::MessageBox(const std::string& text, const std::string& caption) {
  const QString title = CoreText(caption);
  const bool error = caption == texts::kErrorCaption;
  // A message during a busy operation should not show the wait cursor.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(error ? QMessageBox::Critical : QMessageBox::NoIcon, title, CoreText(text),
                  QMessageBox::Ok, m_pOwner);
  // Plain buttons, as the rest of the program's dialogs have.
  for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
  box.exec();
  if (busy) QApplication::restoreOverrideCursor();
}

void CQtUserInterface::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CQtUserInterface::EndWaitCursor() {
  if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void CQtUserInterface::RedrawActiveView() {
  if (auto* view = qobject_cast<CQuorixView*>(m_pView.data())) view->RedrawNow();
}

}  // namespace brimvale
