// The dialogs the side panel opens (files, folders), behind an interface so
// the tests can answer them without a user. Filters are written as the
// Windows-style "name|patterns|...||" strings the program's texts use and
// turned into Qt's syntax here.
#pragma once

#include <QString>

class QWidget;

namespace brimvale {

// The filters of the panel's "set" and ". . ." buttons.
extern const char* const kImageFileFilter;
extern const char* const kIncludeFileFilter;
// Title of the Metasequoia folder browser; translated in context "PanelTexts".
extern const char* const kMetaseqFolderTitle;

// "Name|*.a;*.b|Other|*.c||" -> "Name (*.a *.b);;Other (*.c)". The name is kept
// exactly as written; the patterns follow it in the parentheses Qt reads.
QString QtFileFilter(const char* windowsFilter);

class CPanelDialogs {
 public:
  virtual ~CPanelDialogs() = default;
  // An existing file chosen by the user, or an empty string when cancelled.
  virtual QString OpenFile(QWidget* parent, const QString& windowsFilter);
  // A file-system folder chosen by the user, or an empty string when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& title);
};

// The Qt dialogs, used unless a panel is given other ones.
CPanelDialogs& DefaultPanelDialogs();

}  // namespace brimvale
