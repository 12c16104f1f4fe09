#include "shell/status_indicators.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "shell/frame_texts.h"
#include "shell/translation.h"
#include "shell/x11_lock_keys.h"

namespace brimvale {

CStatusIndicators::CStatusIndicators(QStatusBar* bar) : QObject(bar) {
  const char* names[4] = {texts::kIndicatorKana, texts::kIndicatorCaps, texts::kIndicatorNum,
                          texts::kIndicatorScroll};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(FrameText(names[i]), bar);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
    bar->addPermanentWidget(label);
    m_pLabels[i] = label;
    m_Names[i] = label->text();
  }
  qApp->installEventFilter(this);
  Refresh();
}

CStatusIndicators::~CStatusIndicators() {
  if (qApp) qApp->removeEventFilter(this);
}


void CStatusIndicators::Refresh() {
  bool lit[4] = {false, false, false, false};
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    CLockKeyStates states;
    if (ReadX11LockKeys(x11->display(), &states)) {
      lit[1] = states.caps;
      lit[2] = states.num;
      lit[3] = states.scroll;
    }
  }
  for (int i = 0; i < 4; ++i) {
    m_bLit[i] = lit[i];
    // As on the original status bar, a pane shows its name only while lit.
    m_pLabels[i]->setText(lit[i] ? m_Names[i] : QString());
  }
}

bool CStatusIndicators::eventFilter(QObject* watched, QEvent* event) {
  // The lock keys change state on their release; window activation may have
  // missed presses made elsewhere.
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ApplicationStateChange) {
    const auto* key = event->type() == QEvent::KeyRelease ? static_cast<QKeyEvent*>(event) : nullptr;
    if (!key || key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock ||
        key->key() == Qt::Key_ScrollLock || key->key() == Qt::Key_Kana_Lock) {
      Refresh();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace brimvale
