#include "panel/object_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
const QString kBasicSetting = QStringLiteral("Basic Setting");
}  // namespace

CObjectBasicPage::CObjectBasicPage(CQuorixDoc& doc)
    : CObjectPage(doc, tr("基本設定"), kBasicSetting) {
  m_pVisible = AddCheck(PageLayout(), 1003, tr("表示する"));
  m_pNoShadow = AddCheck(PageLayout(), 1006, tr("影なし"));
  m_pColor = AddColorButton(AddGrid(), 0, 1005, tr("カラー"));

  connect(m_pVisible, &QCheckBox::toggled, this, [this](bool on) {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_bVisible = on ? 1 : 0;
    // Hiding must redraw too, so this one is announced either way.
    Announce();
  });
  connect(m_pNoShadow, &QCheckBox::toggled, this, [this](bool on) {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_bNoShadow = on ? 1 : 0;  // only the export reads it: nothing to redraw
  });
  connect(m_pColor, &CColorButton::colorChanged, this, [this] {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_Color = m_pColor->Color();
    AnnounceIfVisible(*object);
  });
}

void CObjectBasicPage::LoadControls() {
  const CMeshObject* object = Object();
  if (!object) return;
  SetChecked(m_pVisible, object->m_bVisible != 0);
  SetChecked(m_pNoShadow, object->m_bNoShadow != 0);
  m_pColor->SetColor(object->m_Color);
}

CPatchPage::CPatchPage(CQuorixDoc& doc) : CObjectPage(doc, tr("曲面制御"), kBasicSetting) {
  m_pType = new QButtonGroup(this);
  AddRadio(PageLayout(), m_pType, 1009, tr("曲面化しない"), 0);
  AddRadio(PageLayout(), m_pType, 1010, tr("曲面化する"), 1);
  QGroupBox* group = AddGroup(tr("分割数"));
  auto* row = new QVBoxLayout;
  row->setDirection(QBoxLayout::LeftToRight);
  static_cast<QVBoxLayout*>(group->layout())->addLayout(row);
  m_pSegments = new QButtonGroup(this);
  const int segments[4] = {2, 4, 8, 16};
  for (int i = 0; i < 4; ++i) {
    AddRadio(row, m_pSegments, 1011 + i, QString::number(segments[i]), segments[i]);
  }

  connect(m_pType, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
    CMeshObject* object = Object();
    if (Loading() || !object || !checked) return;
    object->m_nPatchType = type;
    GeometryChanged(*object);
  });
  connect(m_pSegments, &QButtonGroup::idToggled, this, [this](int count, bool checked) {
    CMeshObject* object = Object();
    if (Loading() || !object || !checked) return;
    object->m_nPatchSegments = count;
    GeometryChanged(*object, object->m_nPatchType != 0);
  });
}

void CPatchPage::LoadControls() {
  const CMeshObject* object = Object();
  if (!object) return;
  // Types 2 and 3 from a file are curved surfaces as well.
  CheckRadio(m_pType, object->m_nPatchType != 0 ? 1 : 0);
  CheckRadio(m_pSegments, object->m_nPatchSegments);
}

CSmoothingPage::CSmoothingPage(CQuorixDoc& doc)
    : CObjectPage(doc, tr("スムージング"), kBasicSetting) {
  m_pSmooth = AddCheck(PageLayout(), 1003, tr("スムージング"));
  m_pFacetAngle = AddFloatEdit(AddGrid(), 0, 1004, tr("角度"), 0.0f, 180.0f);

  connect(m_pSmooth, &QCheckBox::toggled, this, [this](bool on) {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_bSmoothShading = on ? 1 : 0;
    GeometryChanged(*object);
  });
  connect(m_pFacetAngle, &CNumEdit::numEditChanged, this, [this] {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_fFacetAngle = m_pFacetAngle->FloatValue();
    GeometryChanged(*object);
  });
}

void CSmoothingPage::LoadControls() {
  const CMeshObject* object = Object();
  if (!object) return;
  SetChecked(m_pSmooth, object->m_bSmoothShading != 0);
  m_pFacetAngle->SetFloatValue(object->m_fFacetAngle);
}

}  // namespace brimvale
