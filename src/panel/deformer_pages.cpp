#include "panel/deformer_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "deform/document_deformers.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
constexpr float kAngleLimit = 100000.0f;
constexpr float kCenterLimit = 1000000.0f;
constexpr float kFreeLimit = 1000000.0f;
const char* const kXYZ[3] = {"X", "Y", "Z"};
const char* const kEffects[3] = {"X", "Z", "XZ"};

template <typename Kind>
void CopySettings(Kind* shared, const CDeformer& own) {
  if (const auto* same = dynamic_cast<const Kind*>(&own)) *shared = *same;
}
}  // namespace

CDeformerPage::CDeformerPage(CQuorixDoc& doc, const QString& kind)
    : CPanelPage(doc, kind, kind), m_Kind(kind.toLatin1()) {
  m_pApply = AddCheck(PageLayout(), kApplyId, tr("適用する"));
  connect(m_pApply, &QCheckBox::toggled, this, [this](bool on) {
    if (!Loading()) SetApplied(on);
  });
}

bool CDeformerPage::ReloadsOn(int code) const {
  return code == NOTIFY_CURRENT_OBJECT;
}

CDeformer* CDeformerPage::ObjectDeformer() const {
  const CMeshObject* object = Doc().CurrentObject();
  return object ? FindDeformerOfKind(object->m_Deformers, m_Kind.constData()) : nullptr;
}

void CDeformerPage::LoadControls() {
  const CDeformer* own = ObjectDeformer();
  // The page shows the object's own settings where it has them.
  if (own && DocumentDeformer()) AdoptSettings(*own);
  m_pApply->setEnabled(Doc().CurrentObject() != nullptr && DocumentDeformer() != nullptr);
  SetChecked(m_pApply, own != nullptr);
  if (DocumentDeformer()) LoadSettings();
}

void CDeformerPage::SetApplied(bool applied) {
  CMeshObject* object = Doc().CurrentObject();
  const CDeformer* shared = DocumentDeformer();
  if (!object || !shared) return;
  auto& list = object->m_Deformers;
  const auto sameKind = [this](const std::unique_ptr<CDeformer>& d) {
    return d && std::strcmp(d->TypeName(), m_Kind.constData()) == 0;
  };
  list.erase(std::remove_if(list.begin(), list.end(), sameKind), list.end());
  if (applied) list.push_back(shared->Clone());
  Rederive(*object);
  if (object->m_bVisible) Announce();
}

void CDeformerPage::SettingsChanged() {
  CMeshObject* object = Doc().CurrentObject();
  const CDeformer* shared = DocumentDeformer();
  if (object && shared) {
    for (auto& deformer : object->m_Deformers) {
      if (deformer && std::strcmp(deformer->TypeName(), m_Kind.constData()) == 0) {
        deformer = shared->Clone();
        Rederive(*object);
      }
    }
  }
  Announce();
}

CNumEdit* CDeformerPage::AddSetting(QGridLayout* grid, int row, int id, const QString& label, float limit,
                                    float step) {
  return AddFloatEdit(grid, row, id, label, -limit, limit, step);
}

QButtonGroup* CDeformerPage::AddAxisRadios(const QString& title, int firstId, const char* const names[3]) {
  QGroupBox* box = AddGroup(title);
  auto* row = new QHBoxLayout;
  static_cast<QVBoxLayout*>(box->layout())->addLayout(row);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromLatin1(names[i]), box);
    row->addWidget(radio);
    group->addButton(radio, i);
    Register(firstId + i, radio);
  }
  return group;
}

CBendPage::CBendPage(CQuorixDoc& doc) : CDeformerPage(doc, QStringLiteral("Bend")) {
  QGridLayout* grid = AddGrid();
  m_pAngle = AddSetting(grid, 0, 1004, QStringLiteral("angle :"), kAngleLimit, 1.0f);
  m_pDirection = AddSetting(grid, 1, 1015, QStringLiteral("direction :"), kFreeLimit, 1.0f);
  m_pAxis = AddAxisRadios(QStringLiteral("Bend Axis"), 1009, kXYZ);
  m_pLimit = AddCheck(PageLayout(), 1003, QStringLiteral("Limit"));
  QGridLayout* limits = AddGrid();
  m_pUpper = AddSetting(limits, 0, 1016, QStringLiteral("Upper Limit :"), kFreeLimit, 1.0f);
  m_pLower = AddSetting(limits, 1, 1017, QStringLiteral("Lower Limit :"), kFreeLimit, 1.0f);
  QGridLayout* center = AddGrid();
  center->addWidget(new QLabel(QStringLiteral("Center"), this), 0, 0, 1, 2);
  const int centerIds[3] = {1018, 1019, 1025};
  for (int i = 0; i < 3; ++i) {
    m_pCenter[i] = AddSetting(center, i + 1, centerIds[i], QString::fromLatin1(kXYZ[i]), kCenterLimit, 1.0f);
  }
  // Direction and the limits change nothing in the bend; shown, not editable.
  for (QWidget* idle : {static_cast<QWidget*>(m_pDirection), static_cast<QWidget*>(m_pLimit),
                        static_cast<QWidget*>(m_pUpper), static_cast<QWidget*>(m_pLower)}) {
    idle->setEnabled(false);
  }

  connect(m_pAngle, &CNumEdit::numEditChanged, this, [this] {
    if (Loading() || !Bend()) return;
    Bend()->m_fAngle = m_pAngle->FloatValue();
    SettingsChanged();
  });
  connect(m_pAxis, &QButtonGroup::idToggled, this, [this](int axis, bool checked) {
    if (Loading() || !checked || !Bend()) return;
    Bend()->m_nAxis = axis;
    SettingsChanged();
  });
  for (int i = 0; i < 3; ++i) {
    connect(m_pCenter[i], &CNumEdit::numEditChanged, this, [this, i] {
      if (Loading() || !Bend()) return;
      CVector3& c = Bend()->m_vCenter;
      (i == 0 ? c.x : (i == 1 ? c.y : c.z)) = m_pCenter[i]->FloatValue();
      SettingsChanged();
    });
  }
}

CBendDeformer* CBendPage::Bend() const {
  return DocumentBend(Doc());
}
CDeformer* CBendPage::DocumentDeformer() const {
  return Bend();
}
void CBendPage::AdoptSettings(const CDeformer& own) {
  CopySettings(Bend(), own);
}

void CBendPage::LoadSettings() {
  const CBendDeformer& bend = *Bend();
  m_pAngle->SetFloatValue(bend.m_fAngle);
  m_pDirection->SetFloatValue(bend.m_fDirection);
  CheckRadio(m_pAxis, bend.m_nAxis);
  SetChecked(m_pLimit, bend.m_bLimit != 0);
  m_pUpper->SetFloatValue(bend.m_fUpperLimit);
  m_pLower->SetFloatValue(bend.m_fLowerLimit);
  m_pCenter[0]->SetFloatValue(bend.m_vCenter.x);
  m_pCenter[1]->SetFloatValue(bend.m_vCenter.y);
  m_pCenter[2]->SetFloatValue(bend.m_vCenter.z);
}

CTaperPage::CTaperPage(CQuorixDoc& doc) : CDeformerPage(doc, QStringLiteral("Taper")) {
  QGridLayout* grid = AddGrid();
  m_pAmount = AddSetting(grid, 0, 1004, QStringLiteral("Amount :"), kFreeLimit, 0.1f);
  m_pCurve = AddSetting(grid, 1, 1015, QStringLiteral("Curve :"), kFreeLimit, 0.1f);
  m_pPrimary = AddAxisRadios(QStringLiteral("Primary"), 1009, kXYZ);
  m_pEffect = AddAxisRadios(QStringLiteral("Effect"), 1012, kEffects);
  m_pSymmetry = AddCheck(PageLayout(), 1003, QStringLiteral("Symmetry"));

  connect(m_pAmount, &CNumEdit::numEditChanged, this, [this] {
    if (Loading() || !Taper()) return;
    Taper()->m_fAmount = m_pAmount->FloatValue();
    SettingsChanged();
  });
  connect(m_pCurve, &CNumEdit::numEditChanged, this, [this] {
    if (Loading() || !Taper()) return;
    Taper()->m_fCurve = m_pCurve->FloatValue();
    SettingsChanged();
  });
  connect(m_pPrimary, &QButtonGroup::idToggled, this, [this](int axis, bool checked) {
    if (Loading() || !checked || !Taper()) return;
    Taper()->m_nPrimaryAxis = axis;
    SettingsChanged();
  });
  connect(m_pEffect, &QButtonGroup::idToggled, this, [this](int effect, bool checked) {
    if (Loading() || !checked || !Taper()) return;
    Taper()->m_nEffect = effect;
    SettingsChanged();
  });
  connect(m_pSymmetry, &QCheckBox::toggled, this, [this](bool on) {
    if (Loading() || !Taper()) return;
    Taper()->m_bSymmetry = on ? 1 : 0;
    SettingsChanged();
  });
}

CTaperDeformer* CTaperPage::Taper() const {
  return DocumentTaper(Doc());
}
CDeformer* CTaperPage::DocumentDeformer() const {
  return Taper();
}
void CTaperPage::AdoptSettings(const CDeformer& own) {
  CopySettings(Taper(), own);
}

void CTaperPage::LoadSettings() {
  const CTaperDeformer& taper = *Taper();
  m_pAmount->SetFloatValue(taper.m_fAmount);
  m_pCurve->SetFloatValue(taper.m_fCurve);
  CheckRadio(m_pPrimary, taper.m_nPrimaryAxis);
  CheckRadio(m_pEffect, taper.m_nEffect);
  SetChecked(m_pSymmetry, taper.m_bSymmetry != 0);
}

CTwistPage::CTwistPage(CQuorixDoc& doc) : CDeformerPage(doc, QStringLiteral("Twist")) {
  QGridLayout* grid = AddGrid();
  m_pAngle = AddSetting(grid, 0, 1004, QStringLiteral("angle :"), kAngleLimit, 1.0f);
  m_pBias = AddSetting(grid, 1, 1015, QStringLiteral("Bias :"), kFreeLimit, 1.0f);
  m_pAxis = AddAxisRadios(QStringLiteral("Twist Axis"), 1009, kXYZ);
  // The twist always turns about Y and has no bias; shown, not editable.
  m_pBias->setEnabled(false);
  for (QAbstractButton* radio : m_pAxis->buttons()) radio->setEnabled(false);

  connect(m_pAngle, &CNumEdit::numEditChanged, this, [this] {
    if (Loading() || !Twist()) return;
    Twist()->m_fAngle = m_pAngle->FloatValue();
    SettingsChanged();
  });
}

CTwistDeformer* CTwistPage::Twist() const {
  return DocumentTwist(Doc());
}
CDeformer* CTwistPage::DocumentDeformer() const {
  return Twist();
}
void CTwistPage::AdoptSettings(const CDeformer& own) {
  CopySettings(Twist(), own);
}

void CTwistPage::LoadSettings() {
  m_pAngle->SetFloatValue(Twist()->m_fAngle);
  m_pBias->SetFloatValue(0.0f);
  CheckRadio(m_pAxis, 1);
}

}  // namespace brimvale
