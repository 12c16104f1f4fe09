#include "widgets/rollup_page.h"

namespace brimvale {

// A page accepts no mouse presses of its own, so presses on its background
// reach the panel, which grab-scrolls.
CRollupPage::CRollupPage(const QString& title, QWidget* parent, int resourceId)
    : QWidget(parent), m_strTitle(title), m_nResourceId(resourceId) {}

}  // namespace brimvale
