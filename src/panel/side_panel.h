// The side panel that the main window docks on its right: the tabs
// "オブジェクト", "材質", "設定" and "変形" with their trees and pages. It
// listens to the document's notifications and hands them to its tabs.
#pragma once

#include <QWidget>
#include <vector>

#include "document/quorix_doc.h"

class QTabWidget;

namespace brimvale {

class CItemTreeTab;
class CPanelDialogs;
class CPanelPage;
class CRollupPanel;

class CSidePanel : public QWidget, public CDocListener {
  Q_OBJECT

 public:
  enum Tab { kObjectTab = 0, kMaterialTab = 1, kSettingsTab = 2, kDeformerTab = 3 };

  explicit CSidePanel(CQuorixDoc& doc, QWidget* parent = nullptr);
  ~CSidePanel() override;

  void OnDocNotify(int code, uint32_t wordParam) override;
  // The dialogs every page opens (the Qt ones unless tests give others).
  void SetDialogs(CPanelDialogs* dialogs);

  QTabWidget* Tabs() const { return m_pTabs; }
  CItemTreeTab* ObjectTab() const { return m_pObjectTab; }
  CItemTreeTab* MaterialTab() const { return m_pMaterialTab; }
  CRollupPanel* SettingsPages() const { return m_pSettings; }
  CRollupPanel* DeformerPages() const { return m_pDeformers; }
  // Every page, tab by tab in order.
  const std::vector<CPanelPage*>& AllPages() const { return m_Pages; }
  // The first page of that type, for the tests and the main window.
  template <typename T>
  T* FindPage() const {
    for (CPanelPage* page : m_Pages) {
      if (auto* found = qobject_cast<T*>(page)) return found;
    }
    return nullptr;
  }

 private:
  void AddPage(CRollupPanel* panel, CPanelPage* page);

  CQuorixDoc& m_Doc;
  QTabWidget* m_pTabs;
  CItemTreeTab* m_pObjectTab;
  CItemTreeTab* m_pMaterialTab;
  CRollupPanel* m_pSettings;
  CRollupPanel* m_pDeformers;
  std::vector<CPanelPage*> m_Pages;
};

}  // namespace brimvale
