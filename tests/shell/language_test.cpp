// The window's language: the choice from the system and --lang, every menu,
// tab and page header in English with no Japanese left, the specified Japanese
// with Qt's own dialogs in Japanese too, the core's messages, and a finished
// translation file.
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QXmlStreamReader>

#include "geometry/time_measurement.h"
#include "shell/command_line.h"
#include "shell/frame_texts.h"
#include "shell/main_frame.h"
#include "shell/quorix_app.h"
#include "shell/translation.h"
#include "widgets/rollup_page.h"

using namespace brimvale;

namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
      return true;
  }
  return false;
}

// Headers: menu titles and items, side-panel tabs, page titles. Others: every
// tip, label, button and group title.
struct WindowTexts {
  QStringList headers;
  QStringList others;
};

WindowTexts Collect(CMainFrame& frame) {
  WindowTexts texts;
  // The plug-in menus are filled with the plug-ins' own names when opened.
  for (QAction* menu : frame.menuBar()->actions()) {
    texts.headers << menu->text();
    for (QAction* item : menu->menu()->actions()) {
      if (!item->isSeparator()) texts.headers << item->text();
      texts.others << item->statusTip() << item->toolTip();
    }
  }
  for (QToolBar* bar : frame.findChildren<QToolBar*>()) {
    for (QAction* action : bar->actions()) texts.others << action->toolTip() << action->statusTip();
  }
  for (QTabWidget* tabs : frame.findChildren<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) texts.headers << tabs->tabText(i);
  }
  for (CRollupPage* page : frame.findChildren<CRollupPage*>()) texts.headers << page->Title();
  for (QLabel* label : frame.findChildren<QLabel*>()) texts.others << label->text();
  for (QAbstractButton* button : frame.findChildren<QAbstractButton*>()) texts.others << button->text();
  for (QGroupBox* group : frame.findChildren<QGroupBox*>()) texts.others << group->title();
  return texts;
}

QString CancelText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    CQuorixApp::Instance()->ExitInstance();
    InstallTranslations(UiLanguage::Japanese);
  }
  void languageChoice();
  void englishWindowHasNoJapanese();
  void japaneseWindowIsAsSpecified();
  void coreMessagesFollowTheLanguage();
  void translationFileIsFinished();

 private:
  CMainFrame& Start() {
    CQuorixApp* app = CQuorixApp::Instance();
    app->InitInstance(m_Dir.filePath("brimvale.ini").toStdString(), std::string());
    return *app->MainFrame();
  }
  QTemporaryDir m_Dir;
};

void LanguageTest::languageChoice() {
  QCOMPARE(LanguageFromUiLanguages({"ja-JP", "en-US"}), UiLanguage::Japanese);
  QCOMPARE(LanguageFromUiLanguages({"en-US", "ja-JP"}), UiLanguage::English);
  QCOMPARE(LanguageFromUiLanguages({}), UiLanguage::English);
  QCOMPARE(ChooseUiLanguage("en"), UiLanguage::English);

  QCOMPARE(ParseShellArguments({"--lang", "en", "a.mqo"}).lang, std::string("en"));
  QCOMPARE(ParseShellArguments({"--lang=ja"}).lang, std::string("ja"));
  QVERIFY(!ParseShellArguments({"--lang", "fr"}).error.empty());
  QVERIFY(!ParseShellArguments({"--lang"}).error.empty());
}

void LanguageTest::englishWindowHasNoJapanese() {
  QVERIFY(InstallTranslations(UiLanguage::English));
  CMainFrame& frame = Start();
  const WindowTexts texts = Collect(frame);
  QVERIFY(texts.headers.size() > 30);
  for (const QString& header : texts.headers) {
    QVERIFY2(!header.isEmpty() && !HasJapanese(header), qPrintable(header));
  }
  for (const QString& text : texts.others) QVERIFY2(!HasJapanese(text), qPrintable(text));
  QVERIFY(texts.headers.contains("&File") && texts.headers.contains("Object"));
  QCOMPARE(CancelText().remove(u'&'), QString("Cancel"));
  // The four tabs fit the panel's fixed width without scroll buttons.
  auto* tabs = frame.findChild<QTabWidget*>("tab1000");
  QVERIFY(tabs && tabs->tabBar()->sizeHint().width() <= 260);
}

void LanguageTest::japaneseWindowIsAsSpecified() {
  QVERIFY(InstallTranslations(UiLanguage::Japanese));
  CMainFrame& frame = Start();
  const WindowTexts texts = Collect(frame);
  QCOMPARE(texts.headers.first(), QString("ファイル(&F)"));
  QVERIFY(texts.headers.contains("表示(&V)") && texts.headers.contains("ヘルプ(&H)"));
  auto* tabs = frame.findChild<QTabWidget*>("tab1000");
  QVERIFY(tabs);
  QStringList tabTexts;
  for (int i = 0; i < tabs->count(); ++i) tabTexts << tabs->tabText(i);
  QCOMPARE(tabTexts, (QStringList{"オブジェクト", "材質", "設定", "変形"}));
  QVERIFY(texts.headers.contains("カメラ設定") && texts.headers.contains("ミラーリング"));
  // Qt's own buttons and dialogs speak Japanese as well.
  QVERIFY2(HasJapanese(CancelText()), qPrintable(CancelText()));
}

void LanguageTest::coreMessagesFollowTheLanguage() {
  CGeometryTimes times;
  times.freezeSeconds = 1.5;
  times.normalsSeconds = 0.25;
  times.smoothSeconds = 3.0;
  // Japanese: exactly the specified texts, figures with four decimals.
  QCOMPARE(FrameBenchmarkMessage(2.0), QString("7.5000 フレーム/秒\n\n0.1333 秒/フレーム\n\n2.0000 秒"));
  QCOMPARE(GeometryTimesMessage(times), QString("フリーズ\t1.5000 秒\t0.1000\n\n法線\t0.2500 秒\t0.0167\n\n"
                                                "スムース法線 3.0000 秒\t0.2000\n\nトータル\t4.5000 秒\t0.3000"));
  QCOMPARE(CoreText(texts::kNotMetasequoiaMessage), QString("これはメタセコイアのファイルではありません"));

  QVERIFY(InstallTranslations(UiLanguage::English));
  QCOMPARE(FrameText(texts::kErrorCaption), QString("Error"));
  const QString notMqo = CoreText(texts::kNotMetasequoiaMessage);
  QVERIFY2(!notMqo.isEmpty() && !HasJapanese(notMqo), qPrintable(notMqo));
  const QString bench = FrameBenchmarkMessage(2.0);
  QVERIFY2(!HasJapanese(bench) && bench.startsWith("7.5000 "), qPrintable(bench));
  const QString report = GeometryTimesMessage(times);
  QVERIFY2(!HasJapanese(report) && report.contains("4.5000") && report.contains("0.1000"),
           qPrintable(report));
}

void LanguageTest::translationFileIsFinished() {
  QFile file(BRIMVALE_SOURCE_DIR "/src/shell/translations/brimvale_en.ts");
  QVERIFY(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  int messages = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement() || xml.name() != QLatin1String("translation")) continue;
    ++messages;
    // Unfinished, vanished and obsolete entries carry a type.
    const QString type = xml.attributes().value("type").toString();
    const QString text = xml.readElementText();
    QVERIFY2(type.isEmpty() && !text.isEmpty() && !HasJapanese(text), qPrintable(text + " " + type));
  }
  QVERIFY(!xml.hasError());
  QVERIFY(messages > 50);
}

int main(int argc, char** argv) {
  CQuorixApp app(argc, argv);
  LanguageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
