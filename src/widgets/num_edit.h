// CNumEdit: a one-line numeric field in integer or float mode, with an optional
// CSpinButton beside it. Used by the side panel and the deformer pages.
//
// Interface for the pages that own one:
//   - configure: SetFloatMode, SetIntRange / SetFloatRange, SetDecimals, SetStep,
//     SetNotifyWhileDragging, SetFocusOnHover; CreateSpinButton() adds the spin
//     button (a sibling in the same parent, placed right of the field).
//   - values: SetIntValue / SetFloatValue clamp to the range, reformat the text and
//     never notify; IntValue() / FloatValue() read the stored value.
//   - numEditChanged(controlId) is the NUMEDIT_CHANGED notification: emitted when a
//     typed value is committed (focus loss) and differs from the previous value,
//     on a spin click, and once at the release of a spin drag (or on every drag
//     step when notify-while-dragging is on).
//   - SetCompanion(widget) hands over a second window (a label, say) that is
//     enabled, disabled, shown and hidden together with the field; it is owned.
#pragma once

#include <QLineEdit>
#include <QPointer>

namespace brimvale {

inline constexpr int NUMEDIT_CHANGED = 0x0601;

class CSpinButton;

class CNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CNumEdit(QWidget* parent = nullptr, int controlId = 0);
  ~CNumEdit() override;

  int ControlId() const { return m_nControlId; }
  void SetControlId(int id) { m_nControlId = id; }

  void SetFloatMode(bool on) { m_bFloat = on; }
  bool IsFloatMode() const { return m_bFloat; }
  void SetIntRange(int minimum, int maximum);
  void SetFloatRange(float minimum, float maximum);
  void SetDecimals(int decimals);
  void SetStep(float step) { m_fStep = step; }
  void SetNotifyWhileDragging(bool on) { m_bNotifyWhileDragging = on; }
  void SetFocusOnHover(bool on) { m_bFocusOnHover = on; }

  void SetIntValue(int value);
  void SetFloatValue(float value);
  int IntValue() const { return m_nValue; }
  float FloatValue() const { return m_fValue; }

  // Creates the spin button once (later calls return the same one).
  CSpinButton* CreateSpinButton();
  CSpinButton* SpinButton() const { return m_pSpin; }
  void SetCompanion(QWidget* companion);
  QWidget* Companion() const { return m_pCompanion; }

  // The spin button's interaction: restart, step by n (deferring the
  // notification to the end when asked), end.
  void BeginInteraction();
  void Step(int n, bool deferNotification);
  void EndInteraction();

  // Parses the text as the user typed it and stores it, notifying on change;
  // runs when the field loses the focus.
  void CommitText();

  void setVisible(bool visible) override;

 signals:
  void numEditChanged(int controlId);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Notify();
  void TakeFocusOnHover();
  void PlaceSpinButton();
  void ApplyStep();

  int m_nControlId;
  bool m_bFloat = false;
  int m_nValue = 0;
  float m_fValue = 0.0f;
  int m_nMax = 100000;
  int m_nMin = -100000;
  float m_fMax = 1000000.0f;
  float m_fMin = -1000000.0f;
  bool m_bFocusOnHover = true;
  int m_nDecimals = 4;
  bool m_bNotifyWhileDragging = false;
  int m_nDragSteps = 0;
  int m_nDragStartInt = 0;
  float m_fDragStartFloat = 0.0f;
  float m_fStep = 1.0f;
  bool m_bPending = false;
  QPointer<CSpinButton> m_pSpin;
  QPointer<QWidget> m_pCompanion;
};

// Reads text as the field does: a leading number, anything after it ignored,
// no number at all gives 0. Out-of-range integers saturate.
long long ParseLeadingInt(const QString& text);
double ParseLeadingFloat(const QString& text);

}  // namespace brimvale
