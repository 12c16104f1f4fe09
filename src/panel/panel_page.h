// Base of every side-panel page: a roll-up page bound to the document, with
// helpers that build the page's controls under their control identifiers and
// a guard that keeps reloading the controls from writing back into the
// document. A page reloads on NOTIFY_DOCUMENT_RESET and NOTIFY_DOCUMENT_LOADED
// and announces each of its changes with NOTIFY_REDRAW.
#pragma once

#include <functional>

#include <QString>
#include <map>

#include "document/quorix_doc.h"
#include "widgets/rollup_page.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace brimvale {

class CColorButton;
class CNumEdit;
class CPanelDialogs;

class CPanelPage : public CRollupPage {
  Q_OBJECT

 public:
  // How an edited object derives again; the main window sets one that derives
  // off its thread. Without one the derived geometry is dropped (rebuilt when drawn).
  static void SetRederiveHook(std::function<void(CMeshObject&)> hook);

  // englishTitle is the page's second, never shown title ("Basic Setting"
  // except on the deformer pages).
  CPanelPage(CQuorixDoc& doc, const QString& title, const QString& englishTitle);

  const QString& EnglishTitle() const { return m_strEnglishTitle; }
  // The control made with identifier id (null when the page has none).
  QWidget* Control(int id) const;
  template <typename T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }

  void SetDialogs(CPanelDialogs* dialogs) { m_pDialogs = dialogs; }
  void OnDocNotify(int code, uint32_t wordParam) override;
  // Fills every control from the item the page edits.
  void Reload();

 protected:
  virtual void LoadControls() = 0;
  // Codes besides reset and load that refresh the page (current object, ...).
  virtual bool ReloadsOn(int code) const;

  CQuorixDoc& Doc() const { return m_Doc; }
  CPanelDialogs& Dialogs() const { return *m_pDialogs; }
  bool Loading() const { return m_nLoading > 0; }
  // NOTIFY_REDRAW to every listener but this page.
  void Announce();
  // The object's settings changed: its derived geometry is rebuilt.
  static void Rederive(CMeshObject& object);

  // Builders: each control is registered under its identifier. Labels are
  // companions of their fields, so they dim with them.
  QVBoxLayout* PageLayout() const { return m_pLayout; }
  QCheckBox* AddCheck(QVBoxLayout* layout, int id, const QString& label);
  QRadioButton* AddRadio(QVBoxLayout* layout, QButtonGroup* group, int id, const QString& label, int value);
  CNumEdit* AddFloatEdit(QGridLayout* grid, int row, int id, const QString& label, float minimum,
                         float maximum, float step = 1.0f);
  CNumEdit* AddIntEdit(QGridLayout* grid, int row, int id, const QString& label, int minimum, int maximum);
  CColorButton* AddColorButton(QGridLayout* grid, int row, int id, const QString& label);
  QLineEdit* AddNameEdit(QGridLayout* grid, int row, int id, const QString& label);
  QPushButton* AddButton(QGridLayout* grid, int row, int column, int id, const QString& text);
  QGroupBox* AddGroup(const QString& title);
  QGridLayout* AddGrid();
  void Register(int id, QWidget* control);

  // Sets a check or radio from code without it counting as a user change.
  static void SetChecked(QAbstractButton* button, bool checked);
  void CheckRadio(QButtonGroup* group, int value);

  // Holds the loading guard while the controls are filled.
  class CLoadScope {
   public:
    explicit CLoadScope(CPanelPage& page) : m_Page(page) { ++m_Page.m_nLoading; }
    ~CLoadScope() { --m_Page.m_nLoading; }
    CLoadScope(const CLoadScope&) = delete;
    CLoadScope& operator=(const CLoadScope&) = delete;

   private:
    CPanelPage& m_Page;
  };

 private:
  CQuorixDoc& m_Doc;
  QString m_strEnglishTitle;
  CPanelDialogs* m_pDialogs;
  QVBoxLayout* m_pLayout;
  std::map<int, QWidget*> m_Controls;
  int m_nLoading = 0;
};

// A page that edits the current object: a change is announced only while the
// object is visible.
class CObjectPage : public CPanelPage {
  Q_OBJECT

 public:
  using CPanelPage::CPanelPage;

 protected:
  bool ReloadsOn(int code) const override;
  // The current object, or null (changes are then ignored).
  CMeshObject* Object() const { return Doc().CurrentObject(); }
  // Drops the object's derived geometry and announces when it is visible and
  // the changed feature matters (featureOn).
  void GeometryChanged(CMeshObject& object, bool featureOn = true);
  void AnnounceIfVisible(const CMeshObject& object, bool featureOn = true);
};

// A page that edits the current material.
class CMaterialPage : public CPanelPage {
  Q_OBJECT

 public:
  using CPanelPage::CPanelPage;

 protected:
  bool ReloadsOn(int code) const override;
  CMaterial* Material() const { return Doc().CurrentMaterial(); }
};

// Names and paths are bytes in the document; these convert for the controls.
QString NameToQString(const CQuorixDoc& doc, const std::string& bytes);
std::string PathToBytes(const QString& path);

}  // namespace brimvale
