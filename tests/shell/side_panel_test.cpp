// The side panel: trees, the object, material and settings pages, and the
// deformer pages, driven as a user drives them, checked against the document.
#include "panel/side_panel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "deform/document_deformers.h"
#include "document/mesh_builder.h"
#include "export/pov_exporter.h"
#include "panel/deformer_pages.h"
#include "panel/item_tree_tab.h"
#include "panel/material_pages.h"
#include "panel/object_pages.h"
#include "panel/settings_pages.h"
#include "panel_test_support.h"
#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/rollup_panel.h"
#include "widgets/spin_button.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

const std::string kTwoMaterials =
    "Material 2 {\n"
    "\t\"zinc\" col(0.200 0.400 0.600 1.000) dif(0.700) amb(0.300) emi(0.350) spc(0.500) power(20.00)\n"
    "\t\"Brass\" col(1.000 0.800 0.200 0.500) dif(0.600) amb(0.250) emi(0.000) spc(0.100) power(5.00)\n"
    "}\n";

std::string ThreeObjects() {
  return SlabObjectText("beta", 40, 40, 40, 1) + SlabObjectText("Alpha", 40, 40, 40, 1) +
         SlabObjectText("gamma", 40, 40, 40, 1);
}

QStringList TreeTexts(QTreeWidget* tree) {
  QStringList texts;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(0);
  return texts;
}

QTreeWidgetItem* ItemNamed(QTreeWidget* tree, const QString& name) {
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    if (tree->topLevelItem(i)->text(0) == name) return tree->topLevelItem(i);
  }
  return nullptr;
}

// Types text into a numeric field and leaves it, as a user does.
void Type(CNumEdit* edit, const QString& text) {
  edit->setText(text);
  edit->CommitText();
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A 2 x 2 grey 24-bit BMP.
bool WriteGreyBmp(const std::string& path) {
  const unsigned char bmp[70] = {
      'B', 'M', 70,  0,   0,   0,   0, 0, 0,   0,   54,  0,   0,   0,  // file header
      40,  0,   0,   0,   2,   0,   0, 0, 2,   0,   0,   0,   1,   0,   24, 0,
      0,   0,   0,   0,   16,  0,   0, 0,                                        // info header
      0,   0,   0,   0,   0,   0,   0, 0, 0,   0,   0,   0,   0,   0,   0,  0,   // resolution, colours
      128, 128, 128, 200, 200, 200, 0, 0, 128, 128, 128, 200, 200, 200, 0,  0};  // two padded rows
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
  return static_cast<bool>(out);
}

}  // namespace

class SidePanelTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InstallDeformers(); }
  void init();
  void cleanup();

  void tabsAndPagesAreInOrder();
  void fileFiltersKeepTheirNames();
  void treesAreSortedByNameAndFollowTheDocument();
  void objectsNestUnderTheirParents();
  void selectingAnObjectFillsTheObjectPages();
  void withNoObjectsSelectingShowsNoPages();
  void curvedSurfaceWithEightDivisions();
  void objectChangesAreAnnouncedOnlyWhenVisible();
  void boundsClamp();
  void materialPageShowsAmbientAndDisabledEmission();
  void clearingTheReflectionMapRemovesTheMaterialMap();
  void folderGetsATrailingSeparator();
  void settingsPagesWriteTheDocument();
  void backgroundPictureIsLoadedForTheView();
  void deformerPagesApplyToTheCurrentObject();

 private:
  CSidePanel& Panel() { return *m_pPanel; }
  template <typename T>
  T* Page() {
    return m_pPanel->FindPage<T>();
  }
  void Select(CItemTreeTab* tab, const QString& name) {
    QTreeWidgetItem* item = ItemNamed(tab->Tree(), name);
    QVERIFY(item);
    tab->Tree()->setCurrentItem(item);
  }

  std::unique_ptr<CQuorixDoc> m_pDoc;
  std::unique_ptr<CSidePanel> m_pPanel;
  ScriptedDialogs m_Dialogs;
  RecordingListener m_View;
};

void SidePanelTest::init() {
  m_pDoc = std::make_unique<CQuorixDoc>();
  m_pPanel = std::make_unique<CSidePanel>(*m_pDoc);
  m_pPanel->SetDialogs(&m_Dialogs);
  m_pPanel->resize(280, 700);
  m_pDoc->Hub().Register(&m_View);
}

void SidePanelTest::cleanup() {
  m_pPanel.reset();
  m_pDoc.reset();
  m_View.codes.clear();
}

void SidePanelTest::tabsAndPagesAreInOrder() {
  QTabWidget* tabs = Panel().Tabs();
  QCOMPARE(tabs->count(), 4);
  QCOMPARE(tabs->tabText(0), QStringLiteral("オブジェクト"));
  QCOMPARE(tabs->tabText(1), QStringLiteral("材質"));
  QCOMPARE(tabs->tabText(2), QStringLiteral("設定"));
  QCOMPARE(tabs->tabText(3), QStringLiteral("変形"));
  const auto titles = [](CRollupPanel* panel) {
    QStringList list;
    for (int i = 0; i < panel->PageCount(); ++i) list << panel->Page(i)->Title();
    return list;
  };
  QCOMPARE(titles(Panel().ObjectTab()->Pages()),
           QStringList({"基本設定", "曲面制御", "ミラーリング", "回転体", "スムージング"}));
  QCOMPARE(titles(Panel().MaterialTab()->Pages()), QStringList({"諸設定", "マッピング"}));
  QCOMPARE(titles(Panel().SettingsPages()),
           QStringList({"パス設定", "出力先設定", "基本設定", "カメラ設定", "背景設定"}));
  QCOMPARE(titles(Panel().DeformerPages()), QStringList({"Bend", "Taper", "Twist"}));
  QCOMPARE(Page<CPatchPage>()->EnglishTitle(), QStringLiteral("Basic Setting"));
  QCOMPARE(Page<CTwistPage>()->EnglishTitle(), QStringLiteral("Twist"));
  // Every page gets the room its controls need.
  Panel().show();
  for (CPanelPage* page : Panel().AllPages()) {
    QVERIFY2(page->PageHeight() >= page->sizeHint().height(), qPrintable(page->Title()));
  }
  // The lathe's segment count keeps its label.
  QVERIFY(Page<CLathePage>()->ControlAs<CNumEdit>(1004));
}

void SidePanelTest::fileFiltersKeepTheirNames() {
  QCOMPARE(QtFileFilter(kImageFileFilter),
           QStringLiteral("Common Graphic Files (*.bmp *.tga *.png *.ppm *.pgm *.jpg *.jpeg);;Windows Bitmap(*.bmp);;"
                          "Portable Pixelmap(*.ppm);;Targa(*.tga);;Portable Network Graphics(*.png);;"
                          "Jpeg(*.jpg,*.jpeg) (*.jpg *.jpeg)"));
  QCOMPARE(QtFileFilter(kIncludeFileFilter), QStringLiteral("include file (*.inc);;All Files (*.*)"));
  QCOMPARE(QtFileFilter(""), QString());
  QCOMPARE(QtFileFilter("odd|"), QString());  // a name without patterns is dropped
}

void SidePanelTest::treesAreSortedByNameAndFollowTheDocument() {
  QVERIFY(LoadText(*m_pDoc,
                   DocumentText(kTwoMaterials, ThreeObjects() + SlabObjectText("alpha", 10, 10, 10, 1))));
  QTreeWidget* objects = Panel().ObjectTab()->Tree();
  QCOMPARE(TreeTexts(objects), QStringList({"Alpha", "alpha", "beta", "gamma"}));
  QCOMPARE(TreeTexts(Panel().MaterialTab()->Tree()), QStringList({"Brass", "zinc"}));
  // Item data points at the record.
  CMeshObject* beta = static_cast<CMeshObject*>(Panel().ObjectTab()->ItemRecord(ItemNamed(objects, "beta")));
  QCOMPARE(beta, m_pDoc->Object(0));
  // A reset empties both trees and hides the pages.
  Select(Panel().ObjectTab(), "beta");
  QVERIFY(Panel().ObjectTab()->PagesShown());
  m_pDoc->Reset();
  QCOMPARE(objects->topLevelItemCount(), 0);
  QCOMPARE(Panel().MaterialTab()->Tree()->topLevelItemCount(), 0);
  QVERIFY(!Panel().ObjectTab()->PagesShown());
}

void SidePanelTest::objectsNestUnderTheirParents() {
  // Depths 0, 1, 2, 1, 0: each object hangs under the nearest earlier one of smaller depth.
  const auto nested = [](const std::string& name, int depth) {
    std::string text = SlabObjectText(name, 10, 10, 10, 1);
    return text.insert(text.find('{') + 1, "\n\tdepth " + std::to_string(depth));
  };
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, nested("body", 0) + nested("legs", 1) + nested("foot", 2) +
                                                            nested("arms", 1) + nested("base", 0))));
  QTreeWidget* objects = Panel().ObjectTab()->Tree();
  QCOMPARE(TreeTexts(objects), QStringList({"base", "body"}));
  QTreeWidgetItem* body = ItemNamed(objects, "body");
  QCOMPARE(body->childCount(), 2);
  QCOMPARE(body->child(0)->text(0), QStringLiteral("arms"));  // siblings sorted by name
  QCOMPARE(body->child(1)->text(0), QStringLiteral("legs"));
  QCOMPARE(body->child(1)->childCount(), 1);
  QCOMPARE(body->child(1)->child(0)->text(0), QStringLiteral("foot"));
  QVERIFY(body->isExpanded());
  // A nested item selects its own object.
  QCOMPARE(Panel().ObjectTab()->ItemRecord(body->child(1)->child(0)), static_cast<void*>(m_pDoc->Object(2)));
}

void SidePanelTest::selectingAnObjectFillsTheObjectPages() {
  std::string objects = ThreeObjects();
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, objects)));
  CMeshObject* gamma = m_pDoc->Object(2);
  gamma->m_bVisible = 0;
  gamma->m_bNoShadow = 0;
  gamma->m_Color = PackColor(10, 20, 30);
  gamma->m_nPatchType = 3;
  gamma->m_nPatchSegments = 16;
  gamma->m_nMirrorType = 2;
  gamma->m_bMirrorY = 1;
  gamma->m_fMirrorDistance = 12.5f;
  gamma->m_bLathe = 1;
  gamma->m_nLatheAxis = 2;
  gamma->m_nLatheSegments = 24;
  gamma->m_fFacetAngle = 30.0f;
  QVERIFY(!Panel().ObjectTab()->PagesShown());
  Select(Panel().ObjectTab(), "gamma");
  QCOMPARE(m_pDoc->CurrentObject(), gamma);
  QVERIFY(Panel().ObjectTab()->PagesShown());

  QVERIFY(!Page<CObjectBasicPage>()->ControlAs<QCheckBox>(1003)->isChecked());
  QVERIFY(!Page<CObjectBasicPage>()->ControlAs<QCheckBox>(1006)->isChecked());
  QCOMPARE(Page<CObjectBasicPage>()->ControlAs<CColorButton>(1005)->Color(), PackColor(10, 20, 30));
  QVERIFY(Page<CPatchPage>()->ControlAs<QRadioButton>(1010)->isChecked());  // type 3 is a curved surface
  QVERIFY(Page<CPatchPage>()->ControlAs<QRadioButton>(1014)->isChecked());
  QVERIFY(Page<CMirrorPage>()->ControlAs<QRadioButton>(1011)->isChecked());
  QVERIFY(Page<CMirrorPage>()->ControlAs<QCheckBox>(1006)->isChecked());
  QVERIFY(Page<CMirrorPage>()->ControlAs<QCheckBox>(1007)->isChecked());
  QVERIFY(!Page<CMirrorPage>()->ControlAs<QCheckBox>(1008)->isChecked());
  QCOMPARE(Page<CMirrorPage>()->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("12.5000"));
  QVERIFY(Page<CLathePage>()->ControlAs<QCheckBox>(1003)->isChecked());
  QVERIFY(Page<CLathePage>()->ControlAs<QRadioButton>(1011)->isChecked());
  QCOMPARE(Page<CLathePage>()->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("24"));
  QCOMPARE(Page<CSmoothingPage>()->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("30.0000"));
  // Filling the pages wrote nothing back.
  QCOMPARE(gamma->m_nPatchType, 3);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 0);

  // Choosing another object refills them.
  Select(Panel().ObjectTab(), "Alpha");
  QVERIFY(Page<CObjectBasicPage>()->ControlAs<QCheckBox>(1003)->isChecked());
  QVERIFY(Page<CPatchPage>()->ControlAs<QRadioButton>(1009)->isChecked());
}

void SidePanelTest::withNoObjectsSelectingShowsNoPages() {
  QVERIFY(LoadText(*m_pDoc, DocumentText("", ThreeObjects())));
  QTreeWidget* tree = Panel().ObjectTab()->Tree();
  QCOMPARE(tree->topLevelItemCount(), 3);
  // Something (a plug-in) empties the object list without telling the panel.
  m_pDoc->m_Objects.clear();
  tree->setCurrentItem(tree->topLevelItem(1));
  QVERIFY(!Panel().ObjectTab()->PagesShown());
  QCOMPARE(m_pDoc->CurrentObject(), nullptr);
  // The same for the material tree.
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, "")));
  m_pDoc->m_Materials.clear();
  Panel().MaterialTab()->Tree()->setCurrentItem(Panel().MaterialTab()->Tree()->topLevelItem(0));
  QVERIFY(!Panel().MaterialTab()->PagesShown());
}

void SidePanelTest::curvedSurfaceWithEightDivisions() {
  QVERIFY(LoadText(*m_pDoc, DocumentText("", SlabObjectText("box", 40, 40, 40, 1))));
  CMeshObject* box = m_pDoc->Object(0);
  Select(Panel().ObjectTab(), "box");
  CMeshBuilder(box).BuildDerivedGeometry(&m_pDoc->Display);
  QVERIFY(box->m_pDerived);

  Page<CPatchPage>()->ControlAs<QRadioButton>(1010)->click();
  Page<CPatchPage>()->ControlAs<QRadioButton>(1013)->click();
  QCOMPARE(box->m_nPatchType, 1);
  QCOMPARE(box->m_nPatchSegments, 8);
  QVERIFY(!box->m_pDerived);  // the next frame builds it again
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  // What the next frame draws: every quad of the box cut into 8 x 8.
  CMeshBuilder(box).BuildDerivedGeometry(&m_pDoc->Display);
  QVERIFY(box->m_pDerived);
  QCOMPARE(box->m_pDerived->QuadCount(), 6 * 64);

  // Divisions while the surface is off are kept but not announced.
  Page<CPatchPage>()->ControlAs<QRadioButton>(1009)->click();
  m_View.codes.clear();
  Page<CPatchPage>()->ControlAs<QRadioButton>(1011)->click();
  QCOMPARE(box->m_nPatchSegments, 2);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 0);
}

void SidePanelTest::objectChangesAreAnnouncedOnlyWhenVisible() {
  QVERIFY(LoadText(*m_pDoc, DocumentText("", SlabObjectText("box", 40, 40, 40, 1))));
  CMeshObject* box = m_pDoc->Object(0);
  Select(Panel().ObjectTab(), "box");
  auto* visible = Page<CObjectBasicPage>()->ControlAs<QCheckBox>(1003);
  visible->click();  // hiding redraws: the object must disappear
  QCOMPARE(box->m_bVisible, 0);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 1);
  Page<CSmoothingPage>()->ControlAs<QCheckBox>(1003)->click();
  QCOMPARE(box->m_bSmoothShading, 0);
  Page<CMirrorPage>()->ControlAs<QRadioButton>(1010)->click();
  QCOMPARE(box->m_nMirrorType, 1);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 1);
  visible->click();
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  // No shadow only matters to the export.
  Page<CObjectBasicPage>()->ControlAs<QCheckBox>(1006)->click();
  QCOMPARE(box->m_bNoShadow, 0);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  // The lathe switch is announced only for an object that has lines.
  Page<CLathePage>()->ControlAs<QCheckBox>(1003)->click();
  QCOMPARE(box->m_bLathe, 1);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  // The joining distance only for joined halves with an axis.
  Type(Page<CMirrorPage>()->ControlAs<CNumEdit>(1004), "55");
  QCOMPARE(box->m_fMirrorDistance, 55.0f);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  Page<CMirrorPage>()->ControlAs<QRadioButton>(1011)->click();
  Type(Page<CMirrorPage>()->ControlAs<CNumEdit>(1004), "60");
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 4);
}

void SidePanelTest::boundsClamp() {
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, SlabObjectText("box", 40, 40, 40, 1))));
  CMeshObject* box = m_pDoc->Object(0);
  Select(Panel().ObjectTab(), "box");
  CNumEdit* facet = Page<CSmoothingPage>()->ControlAs<CNumEdit>(1004);
  Type(facet, "200");
  QCOMPARE(facet->text(), QStringLiteral("180.0000"));
  QCOMPARE(box->m_fFacetAngle, 180.0f);
  Type(facet, "-5");
  QCOMPARE(box->m_fFacetAngle, 0.0f);
  CNumEdit* segments = Page<CLathePage>()->ControlAs<CNumEdit>(1004);
  Type(segments, "1");
  QCOMPARE(box->m_nLatheSegments, CLathePage::kMinSegments);
  Type(segments, "99999");
  QCOMPARE(box->m_nLatheSegments, CLathePage::kMaxSegments);

  Select(Panel().MaterialTab(), "zinc");
  CMaterial* zinc = m_pDoc->Material(0);
  CNumEdit* opacity = Page<CMaterialSettingsPage>()->ControlAs<CNumEdit>(1004);
  Type(opacity, "1.5");
  QCOMPARE(zinc->m_fAlpha, 1.0f);
  Type(opacity, "-1");
  QCOMPARE(zinc->m_fAlpha, 0.0f);
  // A click on the upper half of the spin button steps by 0.1.
  CSpinButton* spin = opacity->SpinButton();
  QVERIFY(spin);
  QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, QPoint(spin->width() / 2, 2));
  QVERIFY(qAbs(zinc->m_fAlpha - 0.1f) < 1e-6f);
  CNumEdit* power = Page<CMaterialSettingsPage>()->ControlAs<CNumEdit>(1018);
  Type(power, "250");
  QCOMPARE(zinc->m_fPower, 100.0f);
}

void SidePanelTest::materialPageShowsAmbientAndDisabledEmission() {
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, "")));
  Select(Panel().MaterialTab(), "zinc");
  CMaterial* zinc = m_pDoc->Material(0);
  QCOMPARE(m_pDoc->CurrentMaterial(), zinc);
  auto* page = Page<CMaterialSettingsPage>();
  CNumEdit* emission = page->ControlAs<CNumEdit>(1019);
  QVERIFY(!emission->isEnabled());
  QCOMPARE(emission->text(), QStringLiteral("0.3500"));
  CNumEdit* ambient = page->ControlAs<CNumEdit>(1016);
  QCOMPARE(ambient->text(), QStringLiteral("0.3000"));
  Type(ambient, "0.8");
  QCOMPARE(zinc->m_fAmbient, 0.8f);
  QCOMPARE(zinc->m_fEmission, 0.35f);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 1);
  QCOMPARE(page->ControlAs<CNumEdit>(1015)->text(), QStringLiteral("0.7000"));
  QCOMPARE(page->ControlAs<CNumEdit>(1017)->text(), QStringLiteral("0.5000"));
  auto* colour = page->ControlAs<CColorButton>(1005);
  QCOMPARE(colour->Color(), PackColor(51, 102, 153));
  colour->SetColor(PackColor(1, 2, 3));
  emit colour->colorChanged(1005);
  QCOMPARE(zinc->m_Color, PackColor(1, 2, 3));
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
}

void SidePanelTest::clearingTheReflectionMapRemovesTheMaterialMap() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const std::string base = folder.path().toStdString();
  const std::string reflection = base + "/shine.bmp";
  QVERIFY(WriteGreyBmp(reflection));
  QVERIFY(LoadText(*m_pDoc, DocumentText(kTwoMaterials, SlabObjectText("box", 40, 40, 40, 1))));
  Select(Panel().MaterialTab(), "zinc");
  auto* mapping = Page<CMappingPage>();
  m_Dialogs.fileAnswer = QString::fromStdString(reflection);
  mapping->ControlAs<QPushButton>(1026)->click();
  QCOMPARE(m_Dialogs.lastFilter, QString::fromUtf8(kImageFileFilter));
  QCOMPARE(m_pDoc->Material(0)->m_strFourthMap, reflection);
  QCOMPARE(mapping->ControlAs<QLineEdit>(1017)->text(), QString::fromStdString(reflection));

  CPovExporter first(*m_pDoc);
  QVERIFY2(first.Export(base + "/scene.pov"), first.Error().c_str());
  QVERIFY(ReadWhole(base + "/scene_mat.inc").find("material_map") != std::string::npos);

  mapping->ControlAs<QPushButton>(1027)->click();
  QVERIFY(m_pDoc->Material(0)->m_strFourthMap.empty());
  QVERIFY(mapping->ControlAs<QLineEdit>(1017)->text().isEmpty());
  CPovExporter second(*m_pDoc);
  QVERIFY2(second.Export(base + "/scene.pov"), second.Error().c_str());
  const std::string materials = ReadWhole(base + "/scene_mat.inc");
  QVERIFY(!materials.empty());
  QVERIFY(materials.find("material_map") == std::string::npos);

  // A cancelled dialog changes nothing; a typed name counts when the field is left.
  m_Dialogs.fileAnswer.clear();
  mapping->ControlAs<QPushButton>(1005)->click();
  QVERIFY(m_pDoc->Material(0)->m_strTexture.empty());
  auto* texture = mapping->ControlAs<QLineEdit>(1004);
  texture->setText(QStringLiteral("wood.png"));
  emit texture->editingFinished();
  QCOMPARE(m_pDoc->Material(0)->m_strTexture, std::string("wood.png"));
}

void SidePanelTest::folderGetsATrailingSeparator() {
  auto* page = Page<CFolderPage>();
  m_Dialogs.folderAnswer = QStringLiteral("/opt/Metaseq");
  page->ControlAs<QPushButton>(1005)->click();
  QCOMPARE(m_Dialogs.lastTitle, QStringLiteral("メタセコイアのフォルダの選択"));
  QCOMPARE(m_pDoc->MetaseqFolder, std::string("/opt/Metaseq/"));
  QCOMPARE(page->ControlAs<QLineEdit>(1004)->text(), QStringLiteral("/opt/Metaseq/"));
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 1);
  m_Dialogs.folderAnswer = QStringLiteral("/srv/mq/");
  page->ControlAs<QPushButton>(1005)->click();
  QCOMPARE(m_pDoc->MetaseqFolder, std::string("/srv/mq/"));
  // Cancelling keeps the folder.
  m_Dialogs.folderAnswer.clear();
  page->ControlAs<QPushButton>(1005)->click();
  QCOMPARE(m_pDoc->MetaseqFolder, std::string("/srv/mq/"));
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
}

void SidePanelTest::settingsPagesWriteTheDocument() {
  auto* target = Page<COutputTargetPage>();
  QVERIFY(target->ControlAs<QRadioButton>(1010)->isChecked());  // MegaPOV by default
  QCOMPARE(target->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("3.5000"));
  QCOMPARE(target->ControlAs<CNumEdit>(1015)->text(), QStringLiteral("0.7000"));
  target->ControlAs<QRadioButton>(1009)->click();
  QCOMPARE(m_pDoc->m_bMegaPov, 0);
  Type(target->ControlAs<CNumEdit>(1015), "1.2");
  QCOMPARE(m_pDoc->m_fMegaPovVersion, 1.2f);

  auto* exportPage = Page<CExportBasicPage>();
  exportPage->ControlAs<QCheckBox>(1003)->click();
  QCOMPARE(m_pDoc->m_bUseInclude, 1);
  m_Dialogs.fileAnswer = QStringLiteral("/tmp/extra.inc");
  exportPage->ControlAs<QPushButton>(1005)->click();
  QCOMPARE(m_Dialogs.lastFilter, QString::fromUtf8(kIncludeFileFilter));
  QCOMPARE(m_pDoc->m_strIncludeFile, std::string("/tmp/extra.inc"));
  exportPage->ControlAs<QCheckBox>(1006)->click();
  exportPage->ControlAs<QCheckBox>(1007)->click();
  exportPage->ControlAs<QCheckBox>(1008)->click();
  QCOMPARE(m_pDoc->m_bLightObjects, 1);
  QCOMPARE(m_pDoc->m_bDefaultLights, 0);
  QCOMPARE(m_pDoc->m_bSkipHidden, 0);
  QVERIFY(exportPage->ControlAs<QCheckBox>(1006)->text().contains(u'\n'));

  auto* camera = Page<CCameraPage>();
  QCOMPARE(camera->ControlAs<CNumEdit>(1015)->text(), QStringLiteral("100.0000"));
  Type(camera->ControlAs<CNumEdit>(1016), "-450");
  Type(camera->ControlAs<CNumEdit>(1018), "25");
  Type(camera->ControlAs<CNumEdit>(1025), "500");
  camera->ControlAs<QRadioButton>(1009)->click();
  QCOMPARE(m_pDoc->m_Scene.m_vPosition, CVector3(0, 100, -450));
  QCOMPARE(m_pDoc->m_Scene.m_vLookAt, CVector3(0, 25, 0));
  QCOMPARE(m_pDoc->m_Scene.m_fAngle, 150.0f);
  QCOMPARE(m_pDoc->m_Scene.m_bPerspective, 0);
  // The page follows a camera moved in the view.
  m_pDoc->m_Scene.m_vPosition.x = 7.0f;
  m_pDoc->Hub().NotifyAll(NOTIFY_CAMERA_MOVED);
  QCOMPARE(camera->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("7.0000"));
  // Every settings change was announced (2 + 5 + 4), following the camera was not.
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 11);
}

void SidePanelTest::backgroundPictureIsLoadedForTheView() {
  QTemporaryDir folder;
  const std::string picture = folder.path().toStdString() + "/under.bmp";
  QVERIFY(WriteGreyBmp(picture));
  auto* page = Page<CBackgroundPage>();
  m_Dialogs.fileAnswer = QString::fromStdString(picture);
  page->ControlAs<QPushButton>(1020)->click();
  QCOMPARE(m_pDoc->m_BackImage.m_strFile, picture);
  QVERIFY(m_pDoc->m_BackImage.m_bLoaded);
  QCOMPARE(m_pDoc->m_BackImage.m_nWidth, 2);
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 0);  // not shown yet: nothing to redraw
  page->ControlAs<QCheckBox>(1003)->click();
  QCOMPARE(m_pDoc->m_BackImage.m_bShow, 1);
  page->ControlAs<QPushButton>(1020)->click();
  QCOMPARE(m_View.Count(NOTIFY_REDRAW), 2);
  auto* colour = page->ControlAs<CColorButton>(1005);
  QCOMPARE(colour->Color(), PackColor(150, 150, 150));
  colour->SetColor(PackColor(0, 0, 255));
  emit colour->colorChanged(1005);
  QCOMPARE(m_pDoc->m_crBackground, PackColor(0, 0, 255));
  // A file that is not a picture leaves none loaded, and no crash.
  m_Dialogs.fileAnswer = folder.path() + QStringLiteral("/missing.png");
  page->ControlAs<QPushButton>(1020)->click();
  QVERIFY(!m_pDoc->m_BackImage.m_bLoaded);
}

void SidePanelTest::deformerPagesApplyToTheCurrentObject() {
  QVERIFY(LoadText(
      *m_pDoc, DocumentText("", SlabObjectText("a", 40, 40, 40, 1) + SlabObjectText("b", 40, 40, 40, 1))));
  auto* bend = Page<CBendPage>();
  CBendDeformer* shared = DocumentBend(*m_pDoc);
  auto* apply = bend->ControlAs<QCheckBox>(CDeformerPage::kApplyId);
  QVERIFY(!apply->isEnabled());  // no current object
  QVERIFY(!bend->ControlAs<CNumEdit>(1015)->isEnabled());
  QVERIFY(!bend->ControlAs<QCheckBox>(1003)->isEnabled());
  QVERIFY(!Page<CTwistPage>()->ControlAs<CNumEdit>(1015)->isEnabled());
  QVERIFY(!Page<CTwistPage>()->ControlAs<QRadioButton>(1010)->isEnabled());
  QVERIFY(Page<CTwistPage>()->ControlAs<QRadioButton>(1010)->isChecked());

  Select(Panel().ObjectTab(), "a");
  CMeshObject* a = m_pDoc->Object(0);
  QVERIFY(apply->isEnabled());
  QVERIFY(!apply->isChecked());
  Type(bend->ControlAs<CNumEdit>(1004), "45");
  QCOMPARE(DocumentBend(*m_pDoc)->m_fAngle, 45.0f);
  QVERIFY(a->m_Deformers.empty());
  apply->click();
  QCOMPARE(a->m_Deformers.size(), size_t(1));
  QCOMPARE(static_cast<CBendDeformer*>(a->m_Deformers[0].get())->m_fAngle, 45.0f);

  // A change now reaches the object's copy and drops its derived mesh.
  CMeshBuilder(a).BuildDerivedGeometry(&m_pDoc->Display);
  Type(bend->ControlAs<CNumEdit>(1004), "-300000");
  QCOMPARE(static_cast<CBendDeformer*>(a->m_Deformers[0].get())->m_fAngle, -100000.0f);
  QVERIFY(!a->m_pDerived);
  bend->ControlAs<QRadioButton>(1009)->click();
  QCOMPARE(static_cast<CBendDeformer*>(a->m_Deformers[0].get())->m_nAxis, 0);

  // Another object has none; its page shows the shared settings unapplied.
  Select(Panel().ObjectTab(), "b");
  QVERIFY(!apply->isChecked());
  Type(bend->ControlAs<CNumEdit>(1004), "10");
  QCOMPARE(static_cast<CBendDeformer*>(a->m_Deformers[0].get())->m_fAngle, -100000.0f);
  // Back on the first object, the page shows its own settings again.
  Select(Panel().ObjectTab(), "a");
  QVERIFY(apply->isChecked());
  QCOMPARE(bend->ControlAs<CNumEdit>(1004)->text(), QStringLiteral("-100000.0000"));
  QCOMPARE(DocumentBend(*m_pDoc), shared);  // settings copied, the document keeps its deformer
  QCOMPARE(shared->m_fAngle, -100000.0f);

  auto* taper = Page<CTaperPage>();
  taper->ControlAs<QCheckBox>(CDeformerPage::kApplyId)->click();
  Type(taper->ControlAs<CNumEdit>(1004), "1");
  taper->ControlAs<QRadioButton>(1012)->click();
  taper->ControlAs<QCheckBox>(1003)->click();
  QCOMPARE(a->m_Deformers.size(), size_t(2));
  auto* copy = static_cast<CTaperDeformer*>(FindDeformerOfKind(a->m_Deformers, "Taper"));
  QVERIFY(copy);
  QCOMPARE(copy->m_fAmount, 1.0f);
  QCOMPARE(copy->m_nEffect, 0);
  QCOMPARE(copy->m_bSymmetry, 1);
  // Unchecking takes the bend off and leaves the taper.
  apply->click();
  QCOMPARE(a->m_Deformers.size(), size_t(1));
  QCOMPARE(std::string(a->m_Deformers[0]->TypeName()), std::string("Taper"));
}

QTEST_MAIN(SidePanelTest)
#include "side_panel_test.moc"
