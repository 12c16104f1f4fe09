#include "shell/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <cstdio>
#include <vector>

#include "foundation/text_utils.h"
#include "geometry/time_measurement.h"
#include "view/frame_benchmark.h"

namespace brimvale {

namespace {

constexpr const char* kCoreContext = "CoreTexts";

std::vector<QPointer<QTranslator>>& Installed() {
  static std::vector<QPointer<QTranslator>> translators;
  return translators;
}

bool Install(const QString& file, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  Installed().emplace_back(translator);
  return true;
}

QString Figure(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.4f", value);
  return QString::fromLatin1(text);
}

}  // namespace

UiLanguage LanguageFromUiLanguages(const QStringList& uiLanguages) {
  if (uiLanguages.isEmpty()) return UiLanguage::English;
  const QString first = uiLanguages.constFirst().toLower();
  const bool japanese = first == QLatin1String("ja") || first.startsWith(QLatin1String("ja-")) ||
                        first.startsWith(QLatin1String("ja_"));
  return japanese ? UiLanguage::Japanese : UiLanguage::English;
}

UiLanguage SystemUiLanguage() {
  return LanguageFromUiLanguages(QLocale::system().uiLanguages());
}

UiLanguage ChooseUiLanguage(const std::string& option) {
  if (option.empty()) return SystemUiLanguage();
  return option == "ja" ? UiLanguage::Japanese : UiLanguage::English;
}

bool InstallTranslations(UiLanguage language) {
  for (const QPointer<QTranslator>& translator : Installed()) {
    if (translator) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }
  Installed().clear();
  if (language == UiLanguage::English) {
    return Install(QStringLiteral("brimvale_en"), QStringLiteral(":/i18n"));
  }
  // Qt's file dialogs and message-box buttons.
  return Install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString FrameText(const char* text) {
  return QCoreApplication::translate("FrameTexts", text);
}

QString CoreText(const std::string& text) {
  return QCoreApplication::translate(kCoreContext, text.c_str());
}

QString FrameBenchmarkMessage(double seconds) {
  const auto s = static_cast<float>(seconds);
  const auto frames = static_cast<float>(kBenchmarkFrames);
  return QCoreApplication::translate("CoreTexts", "%1 フレーム/秒\n\n%2 秒/フレーム\n\n%3 秒")
      .arg(QString::fromStdString(FormatFixed(frames / s, 4)),
           QString::fromStdString(FormatFixed(s / frames, 4)), QString::fromStdString(FormatFixed(s, 4)));
}

QString GeometryTimesMessage(const CGeometryTimes& times) {
  const double n = kTimeRepetitions;
  const double total = times.TotalSeconds();
  return QCoreApplication::translate(
             "CoreTexts",
             "フリーズ\t%1 秒\t%2\n\n法線\t%3 秒\t%4\n\nスムース法線 %5 秒\t%6\n\nトータル\t%7 秒\t%8")
      .arg(Figure(times.freezeSeconds), Figure(times.freezeSeconds / n), Figure(times.normalsSeconds),
           Figure(times.normalsSeconds / n), Figure(times.smoothSeconds), Figure(times.smoothSeconds / n),
           Figure(total), Figure(total / n));
}

}  // namespace brimvale
