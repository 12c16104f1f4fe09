// The "Bend", "Taper" and "Twist" pages of the "変形" tab. Each edits the
// document's deformer of its kind; its "適用する" check puts a copy of that
// deformer, with the page's settings, on the current object's deformer list
// or takes it off. While the current object carries one, the page shows and
// edits the object's own copy, so each object keeps its own settings.
#pragma once

#include "panel/panel_page.h"

class QButtonGroup;
class QCheckBox;

namespace brimvale {

class CBendDeformer;
class CTaperDeformer;
class CTwistDeformer;
class CNumEdit;

class CDeformerPage : public CPanelPage {
  Q_OBJECT

 public:
  static constexpr int kApplyId = 1040;

  CDeformerPage(CQuorixDoc& doc, const QString& kind);

  // The current object's deformer of this page's kind, or null.
  CDeformer* ObjectDeformer() const;

 protected:
  bool ReloadsOn(int code) const override;
  void LoadControls() final;
  // The document's deformer of this page's kind (null before deformers exist).
  virtual CDeformer* DocumentDeformer() const = 0;
  virtual void LoadSettings() = 0;
  // Copies the settings of own (this page's kind) into DocumentDeformer().
  virtual void AdoptSettings(const CDeformer& own) = 0;
  // Call after writing a setting into DocumentDeformer().
  void SettingsChanged();
  CNumEdit* AddSetting(QGridLayout* grid, int row, int id, const QString& label, float limit, float step);
  QButtonGroup* AddAxisRadios(const QString& title, int firstId, const char* const names[3]);

 private:
  void SetApplied(bool applied);

  QByteArray m_Kind;
  QCheckBox* m_pApply;
};

class CBendPage : public CDeformerPage {
  Q_OBJECT

 public:
  explicit CBendPage(CQuorixDoc& doc);

 protected:
  CDeformer* DocumentDeformer() const override;
  void LoadSettings() override;
  void AdoptSettings(const CDeformer& own) override;

 private:
  CBendDeformer* Bend() const;
  CNumEdit* m_pAngle;
  CNumEdit* m_pDirection;
  QButtonGroup* m_pAxis;
  QCheckBox* m_pLimit;
  CNumEdit* m_pUpper;
  CNumEdit* m_pLower;
  CNumEdit* m_pCenter[3];
};

class CTaperPage : public CDeformerPage {
  Q_OBJECT

 public:
  explicit CTaperPage(CQuorixDoc& doc);

 protected:
  CDeformer* DocumentDeformer() const override;
  void LoadSettings() override;
  void AdoptSettings(const CDeformer& own) override;

 private:
  CTaperDeformer* Taper() const;
  CNumEdit* m_pAmount;
  CNumEdit* m_pCurve;
  QButtonGroup* m_pPrimary;
  QButtonGroup* m_pEffect;
  QCheckBox* m_pSymmetry;
};

class CTwistPage : public CDeformerPage {
  Q_OBJECT

 public:
  explicit CTwistPage(CQuorixDoc& doc);

 protected:
  CDeformer* DocumentDeformer() const override;
  void LoadSettings() override;
  void AdoptSettings(const CDeformer& own) override;

 private:
  CTwistDeformer* Twist() const;
  CNumEdit* m_pAngle;
  CNumEdit* m_pBias;
  QButtonGroup* m_pAxis;
};

}  // namespace brimvale
