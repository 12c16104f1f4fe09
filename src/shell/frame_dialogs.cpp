#include "shell/frame_dialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QSpacerItem>
#include <QSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "shell/frame_texts.h"

namespace brimvale {

QString CFrameDialogs::OpenMqoFile(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QCoreApplication::translate("FrameTexts", "開く"));
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  // Qt's own dialog, so the filter text can stay exactly "Metasequoia(*.mqo)"
  // while the zipped .mqoz files of newer modellers are listed as well.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setNameFilter(QString::fromUtf8(texts::kMqoFilter));
  dialog.setDefaultSuffix(QStringLiteral("mqo"));
  auto widenFilter = [&dialog] {
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
      model->setNameFilters({QStringLiteral("*.mqo"), QStringLiteral("*.mqoz")});
    }
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, widenFilter);
  widenFilter();
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

namespace {

// A save dialog that starts at suggested (folder and name) and confirms overwriting.
QString SaveFileDialog(QWidget* parent, const QString& suggested, const char* filter, const QString& suffix) {
  QFileDialog dialog(parent, QCoreApplication::translate("FrameTexts", "名前を付けて保存"));
  if (!suggested.isEmpty()) {
    dialog.setDirectory(QFileInfo(suggested).absolutePath());
    dialog.selectFile(QFileInfo(suggested).fileName());
  }
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.setNameFilter(QString::fromUtf8(filter));
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString CFrameDialogs::SavePovFile(QWidget* parent, const QString& suggested) {
  return SaveFileDialog(parent, suggested, texts::kPovFilter, QStringLiteral("pov"));
}

QString CFrameDialogs::SaveGltfFile(QWidget* parent, const QString& suggested) {
  return SaveFileDialog(parent, suggested, texts::kGltfFilter, QStringLiteral("glb"));
}

QString CFrameDialogs::SavePictureFile(QWidget* parent, const QString& suggested, QSize& size) {
  // The size first (the view's by default), then where to write.
  QDialog ask(parent);
  ask.setWindowTitle(QCoreApplication::translate("CFrameDialogs", "画像を保存"));
  auto* form = new QFormLayout(&ask);
  auto* width = new QSpinBox(&ask);
  auto* height = new QSpinBox(&ask);
  for (QSpinBox* box : {width, height}) box->setRange(1, 16384);
  width->setValue(size.width());
  height->setValue(size.height());
  form->addRow(QCoreApplication::translate("CFrameDialogs", "幅 (ピクセル)"), width);
  form->addRow(QCoreApplication::translate("CFrameDialogs", "高さ (ピクセル)"), height);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
  form->addRow(buttons);
  if (ask.exec() != QDialog::Accepted) return QString();
  size = QSize(width->value(), height->value());
  return SaveFileDialog(parent, suggested, "PNG (*.png)", QStringLiteral("png"));
}

void CFrameDialogs::Message(QWidget* parent, const QString& text, const QString& title, bool error) {
  QMessageBox box(error ? QMessageBox::Critical : QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                  parent);
  // Plain buttons, as the rest of the program's dialogs have.
  for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
  // A short message must not cut the title bar's text: the box is at least as
  // wide as its title plus the window buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int wide = box.fontMetrics().horizontalAdvance(title) + 160;
    grid->addItem(new QSpacerItem(wide, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  box.exec();
}

CFrameDialogs& DefaultFrameDialogs() {
  static CFrameDialogs dialogs;
  return dialogs;
}

}  // namespace brimvale
