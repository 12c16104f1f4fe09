// The pages of the material tab: "諸設定" (colour and lighting values) and
// "マッピング" (the four map file names). Each edits the current material.
#pragma once

#include <string>

#include "panel/panel_page.h"

class QLineEdit;

namespace brimvale {

class CColorButton;
class CNumEdit;

class CMaterialSettingsPage : public CMaterialPage {
  Q_OBJECT

 public:
  explicit CMaterialSettingsPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  void BindValue(CNumEdit* edit, float CMaterial::*field);

  CNumEdit* m_pAlpha;
  CNumEdit* m_pDiffuse;
  CNumEdit* m_pAmbient;
  CNumEdit* m_pSpecular;
  CNumEdit* m_pPower;
  CNumEdit* m_pEmission;
  CColorButton* m_pColor;
};

class CMappingPage : public CMaterialPage {
  Q_OBJECT

 public:
  explicit CMappingPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  struct MapRow {
    std::string CMaterial::*field;
    QLineEdit* edit;
  };
  void AddMapRow(int row, const QString& label, int editId, int setId, int clearId,
                 std::string CMaterial::*field);
  // Stores a new name, reloads the material's textures and announces.
  void ChangeName(std::string CMaterial::*field, const std::string& name);
  // A colour texture that could not be loaded shows in a warning colour.
  void MarkMissingTexture();

  MapRow m_Rows[4] = {};
  int m_nRows = 0;
};

}  // namespace brimvale
