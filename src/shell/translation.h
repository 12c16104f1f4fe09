// The window's language. The specified Japanese texts are the source texts of
// Qt's translation system, so a Japanese window needs no translation of its
// own and shows them byte for byte; every other language gets the English
// translation. Qt's own dialogs follow the same choice.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace brimvale {

struct CGeometryTimes;

enum class UiLanguage { Japanese, English };

// Japanese when the first of the user's languages ("ja", "ja-JP", ...) is
// Japanese, English for anything else.
UiLanguage LanguageFromUiLanguages(const QStringList& uiLanguages);
// From QLocale::system(), which follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
UiLanguage SystemUiLanguage();
// The --lang option's choice ("ja" or "en"), or the system's when it is empty.
UiLanguage ChooseUiLanguage(const std::string& option);

// Replaces the application's translators with those of `language`: the
// window's English texts, or Qt's own Japanese ones. Returns false when a
// translation could not be loaded (the texts then stay untranslated).
bool InstallTranslations(UiLanguage language);

// A text of frame_texts.h in the window's language.
QString FrameText(const char* text);
// A Japanese message of the core (document, plug-in host, ...) as the window
// shows it; texts without a translation come back unchanged.
QString CoreText(const std::string& text);

// The benchmark's and the time measurement's reports: the core's layout and
// figures, with the words in the window's language.
QString FrameBenchmarkMessage(double seconds);
QString GeometryTimesMessage(const CGeometryTimes& times);

}  // namespace brimvale
