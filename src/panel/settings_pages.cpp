// The folder, output-target and export pages of the settings tab.
#include "panel/settings_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/material_textures.h"
#include "panel/panel_dialogs.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"  // completes the field's QPointer to its spin button

namespace brimvale {

namespace {
const QString kBasicSetting = QStringLiteral("Basic Setting");
const QString kBrowse = QStringLiteral(". . .");

bool EndsWithSeparator(const QString& path) {
  return path.endsWith(u'/') || path.endsWith(u'\\');
}
}  // namespace

CFolderPage::CFolderPage(CQuorixDoc& doc) : CPanelPage(doc, tr("パス設定"), kBasicSetting) {
  QGridLayout* grid = AddGrid();
  // The label takes its own row: the path needs the width.
  grid->addWidget(new QLabel(tr("メタセコイアのフォルダ"), this), 0, 0, 1, 3);
  m_pFolder = AddNameEdit(grid, 1, 1004, QString());
  QPushButton* browse = AddButton(grid, 1, 2, 1005, kBrowse);

  connect(browse, &QPushButton::clicked, this, [this] {
    const QString folder = Dialogs().ChooseFolder(this, QCoreApplication::translate("PanelTexts", kMetaseqFolderTitle));
    if (!folder.isEmpty()) SetFolder(folder);
  });
  connect(m_pFolder, &QLineEdit::editingFinished, this, [this] {
    if (Loading() || m_pFolder->text() == QFile::decodeName(QByteArray::fromStdString(Doc().MetaseqFolder)))
      return;
    SetFolder(m_pFolder->text());
  });
}

void CFolderPage::SetFolder(const QString& folder) {
  QString path = folder;
  if (!path.isEmpty() && !EndsWithSeparator(path)) path += u'/';
  Doc().MetaseqFolder = PathToBytes(path);
  Reload();
  for (const auto& material : Doc().m_Materials) LoadMaterialTextures(Doc(), *material);
  Announce();
}

void CFolderPage::LoadControls() {
  m_pFolder->setText(QFile::decodeName(QByteArray::fromStdString(Doc().MetaseqFolder)));
}

COutputTargetPage::COutputTargetPage(CQuorixDoc& doc)
    : CPanelPage(doc, tr("出力先設定"), kBasicSetting) {
  m_pTarget = new QButtonGroup(this);
  AddRadio(PageLayout(), m_pTarget, 1009, QStringLiteral("POV-Ray"), 0);
  QGridLayout* pov = AddGrid();
  pov->setContentsMargins(20, 0, 0, 0);
  m_pPovVersion = AddFloatEdit(pov, 0, 1004, tr("バージョン"), 0.0f, 100.0f, 0.1f);
  AddRadio(PageLayout(), m_pTarget, 1010, QStringLiteral("Mega-POV"), 1);
  QGridLayout* mega = AddGrid();
  mega->setContentsMargins(20, 0, 0, 0);
  m_pMegaPovVersion = AddFloatEdit(mega, 0, 1015, tr("バージョン"), 0.0f, 100.0f, 0.1f);

  connect(m_pTarget, &QButtonGroup::idToggled, this, [this](int target, bool checked) {
    if (Loading() || !checked) return;
    Doc().m_bMegaPov = target;
    Announce();
  });
  connect(m_pPovVersion, &CNumEdit::numEditChanged, this, [this] {
    if (Loading()) return;
    Doc().m_fPovVersion = m_pPovVersion->FloatValue();
    Announce();
  });
  connect(m_pMegaPovVersion, &CNumEdit::numEditChanged, this, [this] {
    if (Loading()) return;
    Doc().m_fMegaPovVersion = m_pMegaPovVersion->FloatValue();
    Announce();
  });
}

void COutputTargetPage::LoadControls() {
  CheckRadio(m_pTarget, Doc().m_bMegaPov ? 1 : 0);
  m_pPovVersion->SetFloatValue(Doc().m_fPovVersion);
  m_pMegaPovVersion->SetFloatValue(Doc().m_fMegaPovVersion);
}

CExportBasicPage::CExportBasicPage(CQuorixDoc& doc)
    : CPanelPage(doc, tr("基本設定"), kBasicSetting) {
  m_pUseInclude = BindCheck(1003, tr("インクルードファイルを使用"), &CQuorixDoc::m_bUseInclude);
  QGridLayout* grid = AddGrid();
  m_pIncludeFile = AddNameEdit(grid, 0, 1004, QString());
  QPushButton* browse = AddButton(grid, 0, 2, 1005, kBrowse);
  m_pLightObjects =
      BindCheck(1006, tr("名前の先頭に\"Light_\"が付く\nオブジェクトをライトとして扱う"),
                &CQuorixDoc::m_bLightObjects);
  m_pDefaultLights =
      BindCheck(1007, tr("デフォルトのライトを使用"), &CQuorixDoc::m_bDefaultLights);
  m_pSkipHidden =
      BindCheck(1008, tr("非表示のオブジェクトは\n出力しない"), &CQuorixDoc::m_bSkipHidden);

  connect(browse, &QPushButton::clicked, this, [this] {
    const QString file = Dialogs().OpenFile(this, QString::fromUtf8(kIncludeFileFilter));
    if (file.isEmpty()) return;
    m_pIncludeFile->setText(file);
    Doc().m_strIncludeFile = PathToBytes(file);
    Announce();
  });
  connect(m_pIncludeFile, &QLineEdit::editingFinished, this, [this] {
    if (Loading()) return;
    const std::string file = PathToBytes(m_pIncludeFile->text());
    if (file == Doc().m_strIncludeFile) return;
    Doc().m_strIncludeFile = file;
    Announce();
  });
}

QCheckBox* CExportBasicPage::BindCheck(int id, const QString& label, int CQuorixDoc::*field) {
  QCheckBox* check = AddCheck(PageLayout(), id, label);
  connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
    if (Loading()) return;
    Doc().*field = on ? 1 : 0;
    Announce();
  });
  return check;
}

void CExportBasicPage::LoadControls() {
  SetChecked(m_pUseInclude, Doc().m_bUseInclude != 0);
  m_pIncludeFile->setText(QFile::decodeName(QByteArray::fromStdString(Doc().m_strIncludeFile)));
  SetChecked(m_pLightObjects, Doc().m_bLightObjects != 0);
  SetChecked(m_pDefaultLights, Doc().m_bDefaultLights != 0);
  SetChecked(m_pSkipHidden, Doc().m_bSkipHidden != 0);
}

}  // namespace brimvale
