// Bend and Twist applied from the side panel show in the view: a slab is drawn
// offscreen plain, twisted and bent, and the silhouettes are compared. The
// pictures are left in the build folder for a person to look at.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>

#include "deform/document_deformers.h"
#include "panel/deformer_pages.h"
#include "panel/item_tree_tab.h"
#include "panel/side_panel.h"
#include "panel_test_support.h"
#include "view/offscreen_render.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"

using namespace brimvale;
using namespace brimvale::test;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

bool IsBackground(const CRgbPicture& picture, int x, int y) {
  const uint8_t* p = &picture.pixels[static_cast<size_t>((y * picture.width + x) * 3)];
  return std::abs(p[0] - 150) < 8 && std::abs(p[1] - 150) < 8 && std::abs(p[2] - 150) < 8;
}

// Where the drawn object lies: its rows, and its columns in a given row.
struct Silhouette {
  int top = -1, bottom = -1, left = kWidth, right = -1;
};

Silhouette Measure(const CRgbPicture& picture) {
  Silhouette s;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (IsBackground(picture, x, y)) continue;
      if (s.top < 0) s.top = y;
      s.bottom = y;
      s.left = std::min(s.left, x);
      s.right = std::max(s.right, x);
    }
  }
  return s;
}

int RowWidth(const CRgbPicture& picture, int y) {
  int left = -1, right = -1;
  for (int x = 0; x < picture.width; ++x) {
    if (IsBackground(picture, x, y)) continue;
    if (left < 0) left = x;
    right = x;
  }
  return left < 0 ? 0 : right - left + 1;
}

}  // namespace

class DeformerRenderTest : public QObject {
  Q_OBJECT

 private slots:
  void twistedAndBentSlabs();
};

void DeformerRenderTest::twistedAndBentSlabs() {
  InstallDeformers();
  COffscreenView view;
  if (!view.Open(kWidth, kHeight)) QSKIP(("no offscreen OpenGL: " + view.Error()).c_str());
  CQuorixDoc doc;
  CSidePanel panel(doc);
  QVERIFY(LoadText(doc, DocumentText("", SlabObjectText("slab", 120, 20, 200, 20))));
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  doc.Display.CullBackFaces = false;
  doc.m_Scene.m_vPosition = CVector3(0, 100, -700);
  doc.m_Scene.m_vLookAt = CVector3(0, 100, 0);
  const QString folder = QStringLiteral(BRIMVALE_BINARY_DIR "/tests/shell/deformer-render");
  QDir().mkpath(folder);

  const CRgbPicture plain = view.Render(doc);
  SavePicturePng((folder + "/plain.png").toStdString(), plain);
  const Silhouette flat = Measure(plain);
  QVERIFY(flat.top >= 0);
  const int low = flat.bottom - (flat.bottom - flat.top) / 10;
  const int high = flat.top + (flat.bottom - flat.top) / 10;
  // Seen from the front the plain slab is as wide at the top as at the bottom.
  QVERIFY(std::abs(RowWidth(plain, low) - RowWidth(plain, high)) <= RowWidth(plain, low) / 5);

  QTreeWidget* tree = panel.ObjectTab()->Tree();
  tree->setCurrentItem(tree->topLevelItem(0));
  auto* twist = panel.FindPage<CTwistPage>();
  auto* angle = twist->ControlAs<CNumEdit>(1004);
  angle->setText(QStringLiteral("90"));
  angle->CommitText();
  twist->ControlAs<QCheckBox>(CDeformerPage::kApplyId)->click();
  const CRgbPicture twisted = view.Render(doc);
  SavePicturePng((folder + "/twisted.png").toStdString(), twisted);
  // The foot still shows the broad side, the top a quarter turn later the edge.
  QVERIFY(std::abs(RowWidth(twisted, low) - RowWidth(plain, low)) <= 4);
  QVERIFY2(RowWidth(twisted, high) * 2 < RowWidth(plain, high),
           qPrintable(
               QStringLiteral("top width %1 of %2").arg(RowWidth(twisted, high)).arg(RowWidth(plain, high))));

  twist->ControlAs<QCheckBox>(CDeformerPage::kApplyId)->click();
  auto* bend = panel.FindPage<CBendPage>();
  auto* bendAngle = bend->ControlAs<CNumEdit>(1004);
  bendAngle->setText(QStringLiteral("90"));
  bendAngle->CommitText();
  bend->ControlAs<QCheckBox>(CDeformerPage::kApplyId)->click();
  const CRgbPicture bent = view.Render(doc);
  SavePicturePng((folder + "/bent.png").toStdString(), bent);
  const Silhouette curve = Measure(bent);
  // A quarter circle of radius 200 / (pi/2): it reaches far out to one side
  // and keeps the slab's other edge.
  const bool outLeft = curve.left < flat.left - 50 && std::abs(curve.right - flat.right) <= 3;
  const bool outRight = curve.right > flat.right + 50 && std::abs(curve.left - flat.left) <= 3;
  QVERIFY(outLeft || outRight);
  QVERIFY2(curve.right - curve.left > (flat.right - flat.left) * 3 / 2,
           qPrintable(QStringLiteral("bent %1..%2, plain %3..%4")
                          .arg(curve.left)
                          .arg(curve.right)
                          .arg(flat.left)
                          .arg(flat.right)));
  // The bend starts at the foot, which stays where it was.
  QVERIFY(std::abs(curve.bottom - flat.bottom) <= 2);
}

QTEST_MAIN(DeformerRenderTest)
#include "deformer_render_test.moc"
