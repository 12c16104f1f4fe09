#include "panel/panel_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

namespace brimvale {

const char* const kImageFileFilter =
    "Common Graphic Files|*.bmp; *.tga; *.png; *.ppm; *.pgm; *.jpg; *.jpeg|Windows Bitmap(*.bmp)|*.bmp|"
    "Portable Pixelmap(*.ppm)|*.ppm|Targa(*.tga)|*.tga|Portable Network Graphics(*.png)|*.png|"
    "Jpeg(*.jpg,*.jpeg)|*.jpg;*.jpeg||";
const char* const kIncludeFileFilter = "include file (*.inc)|*.inc|All Files (*.*)|*.*||";
const char* const kMetaseqFolderTitle = QT_TRANSLATE_NOOP("PanelTexts", "メタセコイアのフォルダの選択");

QString QtFileFilter(const char* windowsFilter) {
  const QStringList parts = QString::fromUtf8(windowsFilter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& name = parts[i];
    if (name.isEmpty()) break;  // the "||" that ends the list
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(u';')) {
      if (!pattern.trimmed().isEmpty()) patterns << pattern.trimmed();
    }
    if (patterns.isEmpty()) continue;  // nothing to match: not offered
    const QString list = patterns.join(u' ');
    // A name that already ends with its own pattern list ("Targa(*.tga)") is
    // one Qt reads as it stands; any other gets the list appended.
    if (name.endsWith(QStringLiteral("(%1)").arg(list))) {
      filters << name;
    } else {
      filters << QStringLiteral("%1 (%2)").arg(name, list);
    }
  }
  return filters.join(QStringLiteral(";;"));
}

QString CPanelDialogs::OpenFile(QWidget* parent, const QString& windowsFilter) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                      QtFileFilter(windowsFilter.toUtf8().constData()));
}

QString CPanelDialogs::ChooseFolder(QWidget* parent, const QString& title) {
  return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

CPanelDialogs& DefaultPanelDialogs() {
  static CPanelDialogs dialogs;
  return dialogs;
}

}  // namespace brimvale
