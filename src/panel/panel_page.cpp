#include "panel/panel_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "foundation/text_decoding.h"
#include "panel/panel_dialogs.h"
#include "widgets/color_button.h"
#include "widgets/num_edit.h"
#include "widgets/spin_button.h"

namespace brimvale {

namespace {
// Room right of a numeric field for its spin button.
constexpr int kSpinRoom = CSpinButton::kWidth + 4;

std::function<void(CMeshObject&)>& RederiveHook() {
  static std::function<void(CMeshObject&)> hook;
  return hook;
}
}  // namespace

void CPanelPage::SetRederiveHook(std::function<void(CMeshObject&)> hook) { RederiveHook() = std::move(hook); }

void CPanelPage::Rederive(CMeshObject& object) {
  if (RederiveHook()) {
    RederiveHook()(object);
  } else {
    object.DiscardDerived();
  }
}

CPanelPage::CPanelPage(CQuorixDoc& doc, const QString& title, const QString& englishTitle)
    : CRollupPage(title), m_Doc(doc), m_strEnglishTitle(englishTitle), m_pDialogs(&DefaultPanelDialogs()) {
  m_pLayout = new QVBoxLayout(this);
  m_pLayout->setContentsMargins(8, 4, 8, 6);
  m_pLayout->setSpacing(4);
}

QWidget* CPanelPage::Control(int id) const {
  const auto found = m_Controls.find(id);
  return found == m_Controls.end() ? nullptr : found->second;
}

void CPanelPage::Register(int id, QWidget* control) {
  m_Controls[id] = control;
  control->setProperty("controlId", id);
}

void CPanelPage::OnDocNotify(int code, uint32_t /*wordParam*/) {
  if (code == NOTIFY_DOCUMENT_RESET || code == NOTIFY_DOCUMENT_LOADED || ReloadsOn(code)) Reload();
}

bool CPanelPage::ReloadsOn(int /*code*/) const {
  return false;
}

void CPanelPage::Reload() {
  CLoadScope scope(*this);
  LoadControls();
}

void CPanelPage::Announce() {
  m_Doc.Hub().NotifyAll(NOTIFY_REDRAW, this);
}

QCheckBox* CPanelPage::AddCheck(QVBoxLayout* layout, int id, const QString& label) {
  auto* check = new QCheckBox(label, this);
  layout->addWidget(check);
  Register(id, check);
  return check;
}

QRadioButton* CPanelPage::AddRadio(QVBoxLayout* layout, QButtonGroup* group, int id, const QString& label,
                                   int value) {
  auto* radio = new QRadioButton(label, this);
  layout->addWidget(radio);
  group->addButton(radio, value);
  Register(id, radio);
  return radio;
}

CNumEdit* CPanelPage::AddFloatEdit(QGridLayout* grid, int row, int id, const QString& label, float minimum,
                                   float maximum, float step) {
  auto* edit = new CNumEdit(this, id);
  edit->SetFloatMode(true);
  edit->SetFloatRange(minimum, maximum);
  edit->SetStep(step);
  edit->SetFloatValue(0.0f);
  auto* caption = new QLabel(label, this);
  grid->addWidget(caption, row, 0);
  auto* cell = new QHBoxLayout;
  cell->setContentsMargins(0, 0, 0, 0);
  cell->addWidget(edit, 1);
  cell->addSpacing(kSpinRoom);
  grid->addLayout(cell, row, 1);
  edit->CreateSpinButton();
  edit->SetCompanion(caption);
  Register(id, edit);
  return edit;
}

CNumEdit* CPanelPage::AddIntEdit(QGridLayout* grid, int row, int id, const QString& label, int minimum,
                                 int maximum) {
  CNumEdit* edit = AddFloatEdit(grid, row, id, label, 0.0f, 0.0f);
  edit->SetFloatMode(false);
  edit->SetIntRange(minimum, maximum);
  edit->SetIntValue(minimum);
  return edit;
}

CColorButton* CPanelPage::AddColorButton(QGridLayout* grid, int row, int id, const QString& label) {
  auto* button = new CColorButton(this, id);
  button->setFixedHeight(20);
  grid->addWidget(new QLabel(label, this), row, 0);
  grid->addWidget(button, row, 1);
  Register(id, button);
  return button;
}

QLineEdit* CPanelPage::AddNameEdit(QGridLayout* grid, int row, int id, const QString& label) {
  auto* edit = new QLineEdit(this);
  if (!label.isEmpty()) {
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(edit, row, 1);
  } else {
    grid->addWidget(edit, row, 0, 1, 2);
  }
  Register(id, edit);
  return edit;
}

QPushButton* CPanelPage::AddButton(QGridLayout* grid, int row, int column, int id, const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setAutoDefault(false);
  const int width = button->fontMetrics().horizontalAdvance(text) + 16;
  button->setFixedWidth(width < 28 ? 28 : width);
  grid->addWidget(button, row, column);
  Register(id, button);
  return button;
}

QGroupBox* CPanelPage::AddGroup(const QString& title) {
  auto* group = new QGroupBox(title, this);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(2);
  m_pLayout->addWidget(group);
  return group;
}

QGridLayout* CPanelPage::AddGrid() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);
  m_pLayout->addLayout(grid);
  return grid;
}

void CPanelPage::SetChecked(QAbstractButton* button, bool checked) {
  button->setChecked(checked);
}

void CPanelPage::CheckRadio(QButtonGroup* group, int value) {
  // With no radio for the value (a patch type of 3 from a file, say) none shows.
  QAbstractButton* button = group->button(value);
  if (button) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* each : group->buttons()) each->setChecked(false);
  group->setExclusive(true);
}

bool CObjectPage::ReloadsOn(int code) const {
  return code == NOTIFY_CURRENT_OBJECT;
}

void CObjectPage::AnnounceIfVisible(const CMeshObject& object, bool featureOn) {
  if (object.m_bVisible && featureOn) Announce();
}

void CObjectPage::GeometryChanged(CMeshObject& object, bool featureOn) {
  Rederive(object);
  AnnounceIfVisible(object, featureOn);
}

bool CMaterialPage::ReloadsOn(int code) const {
  return code == NOTIFY_CURRENT_MATERIAL;
}

QString NameToQString(const CQuorixDoc& doc, const std::string& bytes) {
  return QString::fromStdString(DecodeName(bytes, doc.m_bUtf8));
}

std::string PathToBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace brimvale
