#include "widgets/num_edit.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "foundation/text_utils.h"
#include "widgets/spin_button.h"

namespace brimvale {

namespace {

// The number's characters after leading blanks, as bytes for from_chars.
std::string LeadingNumberText(const QString& text) {
  std::string bytes = text.trimmed().toStdString();
  if (!bytes.empty() && bytes[0] == '+') bytes.erase(0, 1);
  return bytes;
}

int SaturateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);  // truncates toward zero
}

}  // namespace

long long ParseLeadingInt(const QString& text) {
  const std::string bytes = LeadingNumberText(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
  if (error == std::errc::result_out_of_range) {
    return (!bytes.empty() && bytes[0] == '-') ? std::numeric_limits<long long>::min()
                                                : std::numeric_limits<long long>::max();
  }
  (void)end;
  return error == std::errc() ? value : 0;
}

double ParseLeadingFloat(const QString& text) {
  const std::string bytes = LeadingNumberText(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value,
                                            std::chars_format::fixed);
  (void)end;
  if (error != std::errc() || std::isnan(value)) return 0.0;
  return value;
}

CNumEdit::CNumEdit(QWidget* parent, int controlId) : QLineEdit(parent), m_nControlId(controlId) {
  setMouseTracking(true);
  setText(QStringLiteral("0"));
}

CNumEdit::~CNumEdit() {
  // The spin button and the companion live in the parent; they go with the field.
  delete m_pSpin.data();
  delete m_pCompanion.data();
}

void CNumEdit::SetIntRange(int minimum, int maximum) {
  m_nMin = minimum;
  m_nMax = maximum;
}

void CNumEdit::SetFloatRange(float minimum, float maximum) {
  m_fMin = minimum;
  m_fMax = maximum;
}

void CNumEdit::SetDecimals(int decimals) { m_nDecimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals); }

void CNumEdit::SetIntValue(int value) {
  if (value > m_nMax) value = m_nMax;
  if (value < m_nMin) value = m_nMin;
  m_nValue = value;
  setText(QString::fromStdString(IntToString(value)));
  update();
}

void CNumEdit::SetFloatValue(float value) {
  if (std::isnan(value)) value = 0.0f;
  if (value > m_fMax) value = m_fMax;
  if (value < m_fMin) value = m_fMin;
  m_fValue = value;
  setText(QString::fromStdString(FormatFixed(value, m_nDecimals)));
  update();
}

CSpinButton* CNumEdit::CreateSpinButton() {
  if (!m_pSpin) {
    m_pSpin = new CSpinButton(this, parentWidget());
    PlaceSpinButton();
    m_pSpin->setEnabled(isEnabled());
    m_pSpin->setVisible(isVisibleTo(parentWidget()) || !parentWidget());
  }
  return m_pSpin;
}

void CNumEdit::PlaceSpinButton() {
  if (!m_pSpin) return;
  const QRect r = geometry();
  m_pSpin->setGeometry(r.right() + 1 + 2, r.top() - 2, CSpinButton::kWidth, r.height() + 4);
}

void CNumEdit::SetCompanion(QWidget* companion) {
  if (m_pCompanion == companion) return;
  delete m_pCompanion.data();
  m_pCompanion = companion;
  if (companion) {
    companion->setEnabled(isEnabled());
    if (!isVisibleTo(parentWidget())) companion->hide();
  }
}

void CNumEdit::setVisible(bool visible) {
  QLineEdit::setVisible(visible);
  if (m_pSpin) m_pSpin->setVisible(visible);
  if (m_pCompanion) m_pCompanion->setVisible(visible);
}

void CNumEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (m_pSpin) m_pSpin->setEnabled(isEnabled());
    if (m_pCompanion) m_pCompanion->setEnabled(isEnabled());
  }
  QLineEdit::changeEvent(event);
}

void CNumEdit::moveEvent(QMoveEvent* event) {
  QLineEdit::moveEvent(event);
  PlaceSpinButton();
}

void CNumEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceSpinButton();
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
  // Shortcuts (copy, paste, select all) and keys without a character (arrows,
  // Delete, Tab) keep their usual meaning; typed characters are filtered.
  const QString text = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (!shortcut && !text.isEmpty() && text[0].isPrint()) {
    for (const QChar c : text) {
      const bool accepted = (c >= u'0' && c <= u'9') || c == u'-' || (m_bFloat && c == u'.');
      if (!accepted) {
        event->accept();
        return;
      }
    }
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Enter commits at once, as leaving the field would.
    CommitText();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CNumEdit::TakeFocusOnHover() {
  if (!m_bFocusOnHover || hasFocus() || !isEnabled()) return;
  setFocus(Qt::MouseFocusReason);
  selectAll();
}

void CNumEdit::enterEvent(QEnterEvent* event) {
  QLineEdit::enterEvent(event);
  TakeFocusOnHover();
}

void CNumEdit::mouseMoveEvent(QMouseEvent* event) {
  TakeFocusOnHover();
  QLineEdit::mouseMoveEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  CommitText();
}

void CNumEdit::CommitText() {
  if (m_bFloat) {
    const float before = m_fValue;
    const double parsed = ParseLeadingFloat(text());
    float value = static_cast<float>(parsed);
    if (parsed > static_cast<double>(std::numeric_limits<float>::max())) value = m_fMax;
    if (parsed < -static_cast<double>(std::numeric_limits<float>::max())) value = m_fMin;
    SetFloatValue(value);
    if (m_fValue != before) Notify();
  } else {
    const int before = m_nValue;
    const long long parsed = ParseLeadingInt(text());
    SetIntValue(parsed > std::numeric_limits<int>::max()   ? std::numeric_limits<int>::max()
                : parsed < std::numeric_limits<int>::min() ? std::numeric_limits<int>::min()
                                                           : static_cast<int>(parsed));
    if (m_nValue != before) Notify();
  }
}

void CNumEdit::Notify() {
  m_bPending = false;
  emit numEditChanged(m_nControlId);
}

void CNumEdit::BeginInteraction() {
  m_nDragSteps = 0;
  m_bPending = false;
  m_nDragStartInt = m_nValue;
  m_fDragStartFloat = m_fValue;
}

void CNumEdit::ApplyStep() {
  const double x = static_cast<double>(m_nDragSteps) * static_cast<double>(m_fStep);
  if (m_bFloat) {
    SetFloatValue(static_cast<float>(static_cast<double>(m_fDragStartFloat) + x));
  } else {
    SetIntValue(SaturateToInt(static_cast<double>(m_nDragStartInt) + x));
  }
}

void CNumEdit::Step(int n, bool deferNotification) {
  m_nDragSteps += n;
  ApplyStep();
  if (deferNotification && !m_bNotifyWhileDragging) {
    m_bPending = true;
  } else {
    Notify();
  }
}

void CNumEdit::EndInteraction() {
  if (m_nDragSteps != 0) {
    ApplyStep();
    if (m_bPending) Notify();
  }
  m_nDragSteps = 0;
  m_bPending = false;
  m_nDragStartInt = m_nValue;
  m_fDragStartFloat = m_fValue;
}

}  // namespace brimvale
