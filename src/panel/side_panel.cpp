#include "panel/side_panel.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "panel/deformer_pages.h"
#include "panel/item_tree_tab.h"
#include "panel/material_pages.h"
#include "panel/object_pages.h"
#include "panel/settings_pages.h"
#include "widgets/rollup_panel.h"

namespace brimvale {

namespace {
constexpr int kPanelWidth = 260;

// Tabs as narrow as the original tab control's (the text and 6 pixels each
// side), so the four of them fit the panel's width in English too.
class CNarrowTabStyle : public QProxyStyle {
 public:
  CNarrowTabStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    return metric == PM_TabBarTabHSpace ? 12 : QProxyStyle::pixelMetric(metric, option, widget);
  }
};
}  // namespace

CSidePanel::CSidePanel(CQuorixDoc& doc, QWidget* parent) : QWidget(parent), m_Doc(doc) {
  setObjectName(QStringLiteral("sidePanel"));
  setMinimumWidth(kPanelWidth);

  m_pTabs = new QTabWidget(this);
  m_pTabs->setObjectName(QStringLiteral("tab1000"));
  auto* tabStyle = new CNarrowTabStyle;
  tabStyle->setParent(m_pTabs);
  m_pTabs->tabBar()->setStyle(tabStyle);
  m_pObjectTab = new CItemTreeTab(doc, CItemTreeTab::Kind::Objects);
  m_pMaterialTab = new CItemTreeTab(doc, CItemTreeTab::Kind::Materials);
  m_pSettings = new CRollupPanel;
  m_pDeformers = new CRollupPanel;
  m_pTabs->addTab(m_pObjectTab, tr("オブジェクト"));
  m_pTabs->addTab(m_pMaterialTab, tr("材質"));
  m_pTabs->addTab(m_pSettings, tr("設定"));
  m_pTabs->addTab(m_pDeformers, tr("変形"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_pTabs);

  AddPage(m_pObjectTab->Pages(), new CObjectBasicPage(doc));
  AddPage(m_pObjectTab->Pages(), new CPatchPage(doc));
  AddPage(m_pObjectTab->Pages(), new CMirrorPage(doc));
  AddPage(m_pObjectTab->Pages(), new CLathePage(doc));
  AddPage(m_pObjectTab->Pages(), new CSmoothingPage(doc));
  AddPage(m_pMaterialTab->Pages(), new CMaterialSettingsPage(doc));
  AddPage(m_pMaterialTab->Pages(), new CMappingPage(doc));
  AddPage(m_pSettings, new CFolderPage(doc));
  AddPage(m_pSettings, new COutputTargetPage(doc));
  AddPage(m_pSettings, new CExportBasicPage(doc));
  AddPage(m_pSettings, new CCameraPage(doc));
  AddPage(m_pSettings, new CBackgroundPage(doc));
  AddPage(m_pDeformers, new CBendPage(doc));
  AddPage(m_pDeformers, new CTaperPage(doc));
  AddPage(m_pDeformers, new CTwistPage(doc));

  for (CPanelPage* page : m_Pages) page->Reload();
  m_pObjectTab->Refill();
  m_pMaterialTab->Refill();
  m_Doc.Hub().Register(this);
}

CSidePanel::~CSidePanel() {
  m_Doc.Hub().Unregister(this);
}

void CSidePanel::AddPage(CRollupPanel* panel, CPanelPage* page) {
  // Measured with the style's fonts and margins applied, so nothing is clipped.
  page->ensurePolished();
  page->SetPageHeight(std::max(page->sizeHint().height(), page->minimumSizeHint().height()));
  panel->AddPage(page);
  m_Pages.push_back(page);
}

void CSidePanel::SetDialogs(CPanelDialogs* dialogs) {
  for (CPanelPage* page : m_Pages) page->SetDialogs(dialogs);
}

void CSidePanel::OnDocNotify(int code, uint32_t wordParam) {
  m_pObjectTab->DocNotify(code, wordParam);
  m_pMaterialTab->DocNotify(code, wordParam);
  m_pSettings->DocNotify(code, wordParam);
  m_pDeformers->DocNotify(code, wordParam);
}

}  // namespace brimvale
