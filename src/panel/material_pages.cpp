#include "panel/material_pages.h"

#include <QFile>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "document/material_textures.h"
#include "panel/panel_dialogs.h"
#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
const QString kBasicSetting = QStringLiteral("Basic Setting");
constexpr float kTenth = 0.1f;
}  // namespace

CMaterialSettingsPage::CMaterialSettingsPage(CQuorixDoc& doc)
    : CMaterialPage(doc, tr("諸設定"), kBasicSetting) {
  QGridLayout* grid = AddGrid();
  m_pAlpha = AddFloatEdit(grid, 0, 1004, tr("不透明度"), 0.0f, 1.0f, kTenth);
  m_pDiffuse = AddFloatEdit(grid, 1, 1015, tr("拡散光"), 0.0f, 1.0f, kTenth);
  m_pAmbient = AddFloatEdit(grid, 2, 1016, tr("自己照明"), 0.0f, 1.0f, kTenth);
  m_pSpecular = AddFloatEdit(grid, 3, 1017, tr("反射光"), 0.0f, 1.0f, kTenth);
  m_pPower = AddFloatEdit(grid, 4, 1018, tr("反射の強さ"), 0.0f, 100.0f);
  m_pEmission = AddFloatEdit(grid, 5, 1019, tr("周囲光"), 0.0f, 1.0f, kTenth);
  m_pEmission->setEnabled(false);  // shown, never edited here
  m_pColor = AddColorButton(grid, 6, 1005, tr("カラー"));

  BindValue(m_pAlpha, &CMaterial::m_fAlpha);
  BindValue(m_pDiffuse, &CMaterial::m_fDiffuse);
  BindValue(m_pAmbient, &CMaterial::m_fAmbient);
  BindValue(m_pSpecular, &CMaterial::m_fSpecular);
  BindValue(m_pPower, &CMaterial::m_fPower);
  connect(m_pColor, &CColorButton::colorChanged, this, [this] {
    CMaterial* material = Material();
    if (Loading() || !material) return;
    material->m_Color = m_pColor->Color();
    Announce();
  });
}

void CMaterialSettingsPage::BindValue(CNumEdit* edit, float CMaterial::*field) {
  connect(edit, &CNumEdit::numEditChanged, this, [this, edit, field] {
    CMaterial* material = Material();
    if (Loading() || !material) return;
    material->*field = edit->FloatValue();
    Announce();
  });
}

void CMaterialSettingsPage::LoadControls() {
  const CMaterial* material = Material();
  if (!material) return;
  m_pAlpha->SetFloatValue(material->m_fAlpha);
  m_pDiffuse->SetFloatValue(material->m_fDiffuse);
  m_pAmbient->SetFloatValue(material->m_fAmbient);
  m_pSpecular->SetFloatValue(material->m_fSpecular);
  m_pPower->SetFloatValue(material->m_fPower);
  m_pEmission->SetFloatValue(material->m_fEmission);
  m_pColor->SetColor(material->m_Color);
}

CMappingPage::CMappingPage(CQuorixDoc& doc)
    : CMaterialPage(doc, tr("マッピング"), kBasicSetting) {
  AddMapRow(0, tr("模様"), 1004, 1005, 1020, &CMaterial::m_strTexture);
  AddMapRow(1, tr("凸凹"), 1015, 1021, 1022, &CMaterial::m_strBump);
  AddMapRow(2, tr("透明"), 1016, 1023, 1024, &CMaterial::m_strAlphaMap);
  AddMapRow(3, tr("反射"), 1017, 1026, 1027, &CMaterial::m_strFourthMap);
}

void CMappingPage::AddMapRow(int row, const QString& label, int editId, int setId, int clearId,
                             std::string CMaterial::*field) {
  QGridLayout* grid = AddGrid();
  QLineEdit* edit = AddNameEdit(grid, 0, editId, label);
  QPushButton* set = AddButton(grid, 0, 2, setId, QStringLiteral("set"));
  QPushButton* clear = AddButton(grid, 0, 3, clearId, QStringLiteral("clear"));
  m_Rows[row] = {field, edit};
  m_nRows = row + 1;

  // A typed name counts once the user leaves the field, and only if it changed.
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] {
    const CMaterial* material = Material();
    if (Loading() || !material) return;
    if (edit->text() == NameToQString(Doc(), material->*field)) return;
    ChangeName(field, PathToBytes(edit->text()));
  });
  connect(set, &QPushButton::clicked, this, [this, edit, field] {
    if (!Material()) return;
    const QString path = Dialogs().OpenFile(this, QString::fromUtf8(kImageFileFilter));
    if (path.isEmpty()) return;
    edit->setText(path);
    ChangeName(field, PathToBytes(path));
  });
  connect(clear, &QPushButton::clicked, this, [this, edit, field] {
    if (!Material()) return;
    edit->clear();
    ChangeName(field, std::string());
  });
}

void CMappingPage::ChangeName(std::string CMaterial::*field, const std::string& name) {
  CMaterial* material = Material();
  if (Loading() || !material) return;
  material->*field = name;
  LoadMaterialTextures(Doc(), *material);
  MarkMissingTexture();
  Announce();
}

void CMappingPage::LoadControls() {
  const CMaterial* material = Material();
  if (!material) return;
  for (int i = 0; i < m_nRows; ++i) m_Rows[i].edit->setText(NameToQString(Doc(), material->*m_Rows[i].field));
  MarkMissingTexture();
}

void CMappingPage::MarkMissingTexture() {
  QLineEdit* edit = m_Rows[0].edit;
  edit->setStyleSheet(QString());
  edit->setToolTip(QString());
  const int index = Doc().IndexOfMaterial(Material());
  for (const CMissingTexture& missing : MissingTextures(Doc())) {
    if (missing.material != index) continue;
    // The name in a warning colour; where it was looked for in the tooltip.
    edit->setStyleSheet(QStringLiteral("QLineEdit { color: #c0392b; }"));
    QStringList paths;
    for (const std::string& path : missing.triedPaths) paths << QFile::decodeName(QByteArray::fromStdString(path));
    edit->setToolTip(tr("テクスチャが見つかりません。探した場所:") + u'\n' + paths.join(u'\n'));
  }
}

}  // namespace brimvale
