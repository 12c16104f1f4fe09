#include "panel/item_tree_tab.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "document/object_hierarchy.h"
#include "panel/panel_page.h"
#include "widgets/rollup_panel.h"

namespace brimvale {

namespace {

constexpr int kTreeHeight = 150;

struct Entry {
  QString name;
  void* record;
  int parent = -1;  // list index of the parent object, -1 at the top
  int index = 0;    // list index of this record
};

// Alphabetical without regard to case, then by case, then in list order.
bool NameBefore(const Entry& a, const Entry& b) {
  const int folded = QString::compare(a.name, b.name, Qt::CaseInsensitive);
  if (folded != 0) return folded < 0;
  return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
}

}  // namespace

CItemTreeTab::CItemTreeTab(CQuorixDoc& doc, Kind kind, QWidget* parent)
    : QWidget(parent), m_Doc(doc), m_Kind(kind) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  m_pTree = new QTreeWidget(this);
  m_pTree->setObjectName(QStringLiteral("tree1001"));
  m_pTree->setHeaderHidden(true);
  m_pTree->setRootIsDecorated(false);
  m_pTree->setFixedHeight(kTreeHeight);
  layout->addWidget(m_pTree);
  m_pPages = new CRollupPanel(this);
  layout->addWidget(m_pPages, 1);
  layout->addStretch(0);  // keeps the tree at the top while the pages are hidden
  m_pPages->hide();
  connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CItemTreeTab::SelectionChanged);
}

bool CItemTreeTab::PagesShown() const {
  return !m_pPages->isHidden();
}

void CItemTreeTab::DocNotify(int code, uint32_t wordParam) {
  if (code == NOTIFY_DOCUMENT_RESET || code == NOTIFY_DOCUMENT_LOADED) Refill();
  m_pPages->DocNotify(code, wordParam);
}

void CItemTreeTab::Refill() {
  m_bFilling = true;
  m_pPages->hide();
  m_pTree->clear();
  std::vector<Entry> entries;
  bool nested = false;
  if (m_Kind == Kind::Objects) {
    // Objects nest under their parents as the modeller shows them.
    const std::vector<int> parents = ObjectParents(m_Doc.m_Objects);
    for (size_t i = 0; i < m_Doc.m_Objects.size(); ++i) {
      entries.push_back({NameToQString(m_Doc, m_Doc.m_Objects[i]->m_strName), m_Doc.m_Objects[i].get(), parents[i],
                         static_cast<int>(i)});
      nested = nested || parents[i] >= 0;
    }
  } else {
    for (size_t i = 0; i < m_Doc.m_Materials.size(); ++i) {
      entries.push_back(
          {NameToQString(m_Doc, m_Doc.m_Materials[i]->m_strName), m_Doc.m_Materials[i].get(), -1, static_cast<int>(i)});
    }
  }
  std::stable_sort(entries.begin(), entries.end(), NameBefore);
  // Items are made first and placed in name order, so siblings stay sorted
  // wherever they hang.
  std::vector<QTreeWidgetItem*> items(entries.size(), nullptr);
  for (const Entry& entry : entries) {
    auto* item = new QTreeWidgetItem(QStringList(entry.name));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.record)));
    items[static_cast<size_t>(entry.index)] = item;
  }
  for (const Entry& entry : entries) {
    QTreeWidgetItem* item = items[static_cast<size_t>(entry.index)];
    if (entry.parent < 0) {
      m_pTree->addTopLevelItem(item);
    } else {
      items[static_cast<size_t>(entry.parent)]->addChild(item);
    }
  }
  m_pTree->setRootIsDecorated(nested);
  m_pTree->expandAll();
  m_bFilling = false;
}

void* CItemTreeTab::ItemRecord(const QTreeWidgetItem* item) const {
  if (!item) return nullptr;
  void* record = reinterpret_cast<void*>(item->data(0, Qt::UserRole).value<quintptr>());
  // A plug-in may have removed the record since the tree was filled.
  if (m_Kind == Kind::Objects) {
    return m_Doc.IndexOfObject(static_cast<const CMeshObject*>(record)) >= 0 ? record : nullptr;
  }
  return m_Doc.IndexOfMaterial(static_cast<const CMaterial*>(record)) >= 0 ? record : nullptr;
}

void CItemTreeTab::SelectionChanged() {
  if (m_bFilling) return;
  const int count = m_Kind == Kind::Objects ? m_Doc.ObjectCount() : m_Doc.MaterialCount();
  if (count < 1) return;
  const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
  void* record = selected.isEmpty() ? nullptr : ItemRecord(selected.front());
  if (!record) return;
  if (m_Kind == Kind::Objects) {
    m_Doc.SetCurrentObject(static_cast<CMeshObject*>(record));
  } else {
    m_Doc.SetCurrentMaterial(static_cast<CMaterial*>(record));
  }
  m_pPages->show();
}

}  // namespace brimvale
