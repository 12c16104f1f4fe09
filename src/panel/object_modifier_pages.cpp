// The mirror and lathe pages of the object tab.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "panel/object_pages.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
const QString kBasicSetting = QStringLiteral("Basic Setting");

bool HasMirrorAxis(const CMeshObject& object) {
  return object.m_bMirrorX || object.m_bMirrorY || object.m_bMirrorZ;
}
}  // namespace

CMirrorPage::CMirrorPage(CQuorixDoc& doc) : CObjectPage(doc, tr("ミラーリング"), kBasicSetting) {
  m_pType = new QButtonGroup(this);
  AddRadio(PageLayout(), m_pType, 1009, tr("鏡面を作成しない"), 0);
  AddRadio(PageLayout(), m_pType, 1010, tr("左右を分離した鏡面"), 1);
  AddRadio(PageLayout(), m_pType, 1011, tr("左右を接続した鏡面"), 2);
  m_pLimit = AddCheck(PageLayout(), 1003, tr("接続距離を制限する"));
  QGroupBox* axes = AddGroup(tr("適用軸"));
  auto* axisRow = new QHBoxLayout;
  static_cast<QVBoxLayout*>(axes->layout())->addLayout(axisRow);
  const char* names[3] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    m_pAxis[i] = new QCheckBox(QString::fromLatin1(names[i]), axes);
    axisRow->addWidget(m_pAxis[i]);
    Register(1006 + i, m_pAxis[i]);
  }
  m_pDistance = AddFloatEdit(AddGrid(), 0, 1004, tr("接続距離"), 0.0f, 1000000.0f);

  connect(m_pType, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
    CMeshObject* object = Object();
    if (Loading() || !object || !checked) return;
    object->m_nMirrorType = type;
    GeometryChanged(*object);
  });
  connect(m_pLimit, &QCheckBox::toggled, this, [this](bool on) {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_bMirrorDistanceLimit = on ? 1 : 0;
    GeometryChanged(*object, object->m_nMirrorType == 2);  // only joined halves use the limit
  });
  connect(m_pAxis[0], &QCheckBox::toggled, this,
          [this](bool on) { ChangeAxis(&CMeshObject::m_bMirrorX, on); });
  connect(m_pAxis[1], &QCheckBox::toggled, this,
          [this](bool on) { ChangeAxis(&CMeshObject::m_bMirrorY, on); });
  connect(m_pAxis[2], &QCheckBox::toggled, this,
          [this](bool on) { ChangeAxis(&CMeshObject::m_bMirrorZ, on); });
  connect(m_pDistance, &CNumEdit::numEditChanged, this, [this] {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_fMirrorDistance = m_pDistance->FloatValue();
    GeometryChanged(*object, object->m_nMirrorType == 2 && HasMirrorAxis(*object));
  });
}

void CMirrorPage::ChangeAxis(int CMeshObject::*flag, bool on) {
  CMeshObject* object = Object();
  if (Loading() || !object) return;
  object->*flag = on ? 1 : 0;
  GeometryChanged(*object);
}

void CMirrorPage::LoadControls() {
  const CMeshObject* object = Object();
  if (!object) return;
  CheckRadio(m_pType, object->m_nMirrorType);
  SetChecked(m_pLimit, object->m_bMirrorDistanceLimit != 0);
  SetChecked(m_pAxis[0], object->m_bMirrorX != 0);
  SetChecked(m_pAxis[1], object->m_bMirrorY != 0);
  SetChecked(m_pAxis[2], object->m_bMirrorZ != 0);
  m_pDistance->SetFloatValue(object->m_fMirrorDistance);
}

CLathePage::CLathePage(CQuorixDoc& doc) : CObjectPage(doc, tr("回転体"), kBasicSetting) {
  m_pOn = AddCheck(PageLayout(), 1003, tr("回転体"));
  auto* axisRow = new QHBoxLayout;
  PageLayout()->addLayout(axisRow);
  m_pAxis = new QButtonGroup(this);
  const char* names[3] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromLatin1(names[i]), this);
    axisRow->addWidget(radio);
    m_pAxis->addButton(radio, i);
    Register(1009 + i, radio);
  }
  // Labelled "角度" (angle) as the program always has; it sets the segment count.
  m_pSegments = AddIntEdit(AddGrid(), 0, 1004, tr("角度"), kMinSegments, kMaxSegments);

  connect(m_pOn, &QCheckBox::toggled, this, [this](bool on) {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_bLathe = on ? 1 : 0;
    GeometryChanged(*object, object->LineCount() > 0);  // a profile is made of lines
  });
  connect(m_pAxis, &QButtonGroup::idToggled, this, [this](int axis, bool checked) {
    CMeshObject* object = Object();
    if (Loading() || !object || !checked) return;
    object->m_nLatheAxis = axis;
    GeometryChanged(*object);
  });
  connect(m_pSegments, &CNumEdit::numEditChanged, this, [this] {
    CMeshObject* object = Object();
    if (Loading() || !object) return;
    object->m_nLatheSegments = m_pSegments->IntValue();
    GeometryChanged(*object);
  });
}

void CLathePage::LoadControls() {
  const CMeshObject* object = Object();
  if (!object) return;
  SetChecked(m_pOn, object->m_bLathe != 0);
  CheckRadio(m_pAxis, object->m_nLatheAxis);
  m_pSegments->SetIntValue(object->m_nLatheSegments);
}

}  // namespace brimvale
