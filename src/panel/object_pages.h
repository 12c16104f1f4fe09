// The pages of the object tab, in their order: "基本設定", "曲面制御",
// "ミラーリング", "回転体", "スムージング". Each edits the current object.
#pragma once

#include "panel/panel_page.h"

class QButtonGroup;
class QCheckBox;

namespace brimvale {

class CColorButton;
class CNumEdit;

class CObjectBasicPage : public CObjectPage {
  Q_OBJECT

 public:
  explicit CObjectBasicPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QCheckBox* m_pVisible;
  QCheckBox* m_pNoShadow;
  CColorButton* m_pColor;
};

class CPatchPage : public CObjectPage {
  Q_OBJECT

 public:
  explicit CPatchPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QButtonGroup* m_pType;
  QButtonGroup* m_pSegments;
};

class CMirrorPage : public CObjectPage {
  Q_OBJECT

 public:
  explicit CMirrorPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  void ChangeAxis(int CMeshObject::*flag, bool on);
  QButtonGroup* m_pType;
  QCheckBox* m_pLimit;
  QCheckBox* m_pAxis[3];
  CNumEdit* m_pDistance;
};

class CLathePage : public CObjectPage {
  Q_OBJECT

 public:
  // The segment count of a body of revolution; the geometry needs at least 3,
  // and the upper bound keeps one edit from making an enormous mesh.
  static constexpr int kMinSegments = 3;
  static constexpr int kMaxSegments = 1000;

  explicit CLathePage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QCheckBox* m_pOn;
  QButtonGroup* m_pAxis;
  CNumEdit* m_pSegments;
};

class CSmoothingPage : public CObjectPage {
  Q_OBJECT

 public:
  explicit CSmoothingPage(CQuorixDoc& doc);

 protected:
  void LoadControls() override;

 private:
  QCheckBox* m_pSmooth;
  CNumEdit* m_pFacetAngle;
};

}  // namespace brimvale
