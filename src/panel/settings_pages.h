// The pages of the settings tab, in their order: "パス設定" (Metasequoia
// folder), "出力先設定" (POV-Ray or MegaPOV), "基本設定" (export options),
// "カメラ設定" and "背景設定". Each edits the document itself.
#pragma once

#include "panel/panel_page.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace brimvale {

class CColorButton;
class CNumEdit;

class CFolderPage : public CPanelPage {
  Q_OBJECT

 public:
  explicit CFolderPage(CQuorixDoc& doc);
  // Makes folder the Metasequoia folder (with a trailing separator added when
  // it has none), reloads the page and every material's textures, announces.
  void SetFolder(const QString& folder);

 protected:
  void LoadControls() override;

 private:
  QLineEdit* m_pFolder;
};

class COutputTargetPage : public CPanelPage {
  Q_OBJECT

 public:
  explicit COutputTargetPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QButtonGroup* m_pTarget;
  CNumEdit* m_pPovVersion;
  CNumEdit* m_pMegaPovVersion;
};

class CExportBasicPage : public CPanelPage {
  Q_OBJECT

 public:
  explicit CExportBasicPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QCheckBox* BindCheck(int id, const QString& label, int CQuorixDoc::*field);

  QCheckBox* m_pUseInclude;
  QLineEdit* m_pIncludeFile;
  QCheckBox* m_pLightObjects;
  QCheckBox* m_pDefaultLights;
  QCheckBox* m_pSkipHidden;
};

class CCameraPage : public CPanelPage {
  Q_OBJECT

 public:
  explicit CCameraPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;
  // Mouse navigation moves the camera; the page follows it.
  bool ReloadsOn(int code) const override;

 private:
  CNumEdit* m_pPosition[3];
  CNumEdit* m_pLookAt[3];
  CNumEdit* m_pAngle;
  QButtonGroup* m_pType;
};

class CBackgroundPage : public CPanelPage {
  Q_OBJECT

 public:
  explicit CBackgroundPage(CQuorixDoc& doc);
  // Takes file as the picture, loads it and announces when it is shown.
  void SetPictureFile(const QString& file);

 protected:
  void LoadControls() override;

 private:
  CColorButton* m_pColor;
  QCheckBox* m_pShow;
  QLineEdit* m_pFile;
};

}  // namespace brimvale
