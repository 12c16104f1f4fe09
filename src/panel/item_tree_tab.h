// The object tab and the material tab: a tree of the objects, each nested
// under its parent object, or of the materials, siblings sorted by name,
// above the roll-up page area that edits the selected one. The page area
// stays hidden until an item is selected.
#pragma once

#include <QWidget>
#include <cstdint>

#include "document/quorix_doc.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace brimvale {

class CRollupPanel;

class CItemTreeTab : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { Objects, Materials };

  CItemTreeTab(CQuorixDoc& doc, Kind kind, QWidget* parent = nullptr);

  QTreeWidget* Tree() const { return m_pTree; }
  CRollupPanel* Pages() const { return m_pPages; }
  bool PagesShown() const;

  // Document notifications: the tree follows resets and loads, the pages all codes.
  void DocNotify(int code, uint32_t wordParam);
  // Empties the tree and fills it again from the document; hides the pages.
  void Refill();
  // The record an item stands for, or null when it is no longer in the document.
  void* ItemRecord(const QTreeWidgetItem* item) const;

 private:
  void SelectionChanged();

  CQuorixDoc& m_Doc;
  Kind m_Kind;
  QTreeWidget* m_pTree;
  CRollupPanel* m_pPages;
  bool m_bFilling = false;
};

}  // namespace brimvale
