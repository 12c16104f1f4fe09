// The camera and background pages of the settings tab.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "panel/panel_dialogs.h"
#include "panel/settings_pages.h"
#include "view/back_image.h"
#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
const QString kBasicSetting = QStringLiteral("Basic Setting");
constexpr float kCoordinateLimit = 1000000.0f;

float& Component(CVector3& v, int i) {
  return i == 0 ? v.x : (i == 1 ? v.y : v.z);
}
}  // namespace

CCameraPage::CCameraPage(CQuorixDoc& doc) : CPanelPage(doc, tr("カメラ設定"), kBasicSetting) {
  const int positionIds[3] = {1004, 1015, 1016};
  const int lookAtIds[3] = {1017, 1018, 1019};
  const char* axes[3] = {"X", "Y", "Z"};
  QGridLayout* position = AddGrid();
  QGridLayout* lookAt = nullptr;
  position->addWidget(new QLabel(tr("カメラの位置"), this), 0, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    m_pPosition[i] = AddFloatEdit(position, i + 1, positionIds[i], QString::fromLatin1(axes[i]),
                                  -kCoordinateLimit, kCoordinateLimit);
  }
  lookAt = AddGrid();
  lookAt->addWidget(new QLabel(tr("カメラの見ている位置"), this), 0, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    m_pLookAt[i] = AddFloatEdit(lookAt, i + 1, lookAtIds[i], QString::fromLatin1(axes[i]), -kCoordinateLimit,
                                kCoordinateLimit);
  }
  m_pAngle = AddFloatEdit(AddGrid(), 0, 1025, tr("奥行き感"), 1.0f, 150.0f);
  QGroupBox* type = AddGroup(tr("タイプ"));
  m_pType = new QButtonGroup(this);
  AddRadio(static_cast<QVBoxLayout*>(type->layout()), m_pType, 1009, tr("遠近感なし"), 0);
  AddRadio(static_cast<QVBoxLayout*>(type->layout()), m_pType, 1010, tr("遠近感あり"), 1);

  for (int i = 0; i < 3; ++i) {
    connect(m_pPosition[i], &CNumEdit::numEditChanged, this, [this, i] {
      if (Loading()) return;
      Component(Doc().m_Scene.m_vPosition, i) = m_pPosition[i]->FloatValue();
      Announce();
    });
    connect(m_pLookAt[i], &CNumEdit::numEditChanged, this, [this, i] {
      if (Loading()) return;
      Component(Doc().m_Scene.m_vLookAt, i) = m_pLookAt[i]->FloatValue();
      Announce();
    });
  }
  connect(m_pAngle, &CNumEdit::numEditChanged, this, [this] {
    if (Loading()) return;
    Doc().m_Scene.m_fAngle = m_pAngle->FloatValue();
    Announce();
  });
  connect(m_pType, &QButtonGroup::idToggled, this, [this](int perspective, bool checked) {
    if (Loading() || !checked) return;
    Doc().m_Scene.m_bPerspective = perspective;
    Announce();
  });
}

bool CCameraPage::ReloadsOn(int code) const {
  return code == NOTIFY_CAMERA_MOVED;
}

void CCameraPage::LoadControls() {
  CScene& scene = Doc().m_Scene;
  for (int i = 0; i < 3; ++i) {
    m_pPosition[i]->SetFloatValue(Component(scene.m_vPosition, i));
    m_pLookAt[i]->SetFloatValue(Component(scene.m_vLookAt, i));
  }
  m_pAngle->SetFloatValue(scene.m_fAngle);
  CheckRadio(m_pType, scene.m_bPerspective ? 1 : 0);
}

CBackgroundPage::CBackgroundPage(CQuorixDoc& doc)
    : CPanelPage(doc, tr("背景設定"), kBasicSetting) {
  QGridLayout* colour = AddGrid();
  m_pColor = AddColorButton(colour, 0, 1005, tr("背景色"));
  m_pShow = AddCheck(PageLayout(), 1003, tr("下絵"));
  QGridLayout* file = AddGrid();
  m_pFile = AddNameEdit(file, 0, 1004, QString());
  QPushButton* browse = AddButton(file, 0, 2, 1020, QStringLiteral(". . ."));

  connect(m_pColor, &CColorButton::colorChanged, this, [this] {
    if (Loading()) return;
    Doc().m_crBackground = m_pColor->Color();
    Announce();
  });
  connect(m_pShow, &QCheckBox::toggled, this, [this](bool on) {
    if (Loading()) return;
    Doc().m_BackImage.m_bShow = on ? 1 : 0;
    Announce();
  });
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = Dialogs().OpenFile(this, QString::fromUtf8(kImageFileFilter));
    if (!chosen.isEmpty()) SetPictureFile(chosen);
  });
  connect(m_pFile, &QLineEdit::editingFinished, this, [this] {
    if (Loading() || PathToBytes(m_pFile->text()) == Doc().m_BackImage.m_strFile) return;
    SetPictureFile(m_pFile->text());
  });
}

void CBackgroundPage::SetPictureFile(const QString& file) {
  Doc().m_BackImage.m_strFile = PathToBytes(file);
  m_pFile->setText(file);
  LoadBackImage(Doc().m_BackImage);  // what the view draws; a failed load leaves none
  if (Doc().m_BackImage.m_bShow) Announce();
}

void CBackgroundPage::LoadControls() {
  m_pColor->SetColor(Doc().m_crBackground);
  SetChecked(m_pShow, Doc().m_BackImage.m_bShow != 0);
  m_pFile->setText(QFile::decodeName(QByteArray::fromStdString(Doc().m_BackImage.m_strFile)));
}

}  // namespace brimvale
