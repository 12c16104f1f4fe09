// The window's own texts: menu items (resource 128), the string table entries
// of the commands (status text, a newline, then the tooltip), the indicator
// names and the About box. UTF-8; the Japanese is kept exactly, half-width
// katakana and full-width spaces included. The Japanese texts are the source
// texts of the translations (context "FrameTexts"): read them through FrameText().
#pragma once

#include <QtGlobal>

#include "foundation/version.h"

namespace brimvale::texts {

inline constexpr const char* kAppTitle = "Brimvale";
inline constexpr const char* kUntitled = "Untitled";

// Menus.
inline constexpr const char* kMenuFile = QT_TRANSLATE_NOOP("FrameTexts", "ファイル(&F)");
inline constexpr const char* kMenuView = QT_TRANSLATE_NOOP("FrameTexts", "表示(&V)");
inline constexpr const char* kMenuHelp = QT_TRANSLATE_NOOP("FrameTexts", "ヘルプ(&H)");
inline constexpr const char* kItemNew = QT_TRANSLATE_NOOP("FrameTexts", "新規作成(&N)\tCtrl+N");
inline constexpr const char* kItemOpenMqo = QT_TRANSLATE_NOOP("FrameTexts", "メタセコイアのファイルを開く");
inline constexpr const char* kItemExportPov = QT_TRANSLATE_NOOP("FrameTexts", "MegaPOVファイルを出力");
inline constexpr const char* kItemExportGltf = QT_TRANSLATE_NOOP("FrameTexts", "glTFファイルを出力");
inline constexpr const char* kItemExit = QT_TRANSLATE_NOOP("FrameTexts", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
inline constexpr const char* kItemToolbar = QT_TRANSLATE_NOOP("FrameTexts", "ﾂｰﾙ ﾊﾞｰ(&T)");
inline constexpr const char* kItemStatusBar = QT_TRANSLATE_NOOP("FrameTexts", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)");
inline constexpr const char* kItemAbout = QT_TRANSLATE_NOOP("FrameTexts", "ﾊﾞｰｼﾞｮﾝ情報");
inline constexpr const char* kItemBenchmark = QT_TRANSLATE_NOOP("FrameTexts", "ベンチマーク");
inline constexpr const char* kItemTimeMeasurement = QT_TRANSLATE_NOOP("FrameTexts", "時間測定");
inline constexpr const char* kItemViewFit = QT_TRANSLATE_NOOP("FrameTexts", "全体を表示(&A)");

// String table: "status text\ntooltip".
inline constexpr const char* kStrNew = QT_TRANSLATE_NOOP("FrameTexts", "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ");
inline constexpr const char* kStrExit =
    QT_TRANSLATE_NOOP("FrameTexts", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了");
inline constexpr const char* kStrAbout =
    QT_TRANSLATE_NOOP("FrameTexts", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報");
inline constexpr const char* kStrToolbar =
    QT_TRANSLATE_NOOP("FrameTexts", "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示");
inline constexpr const char* kStrStatusBar =
    QT_TRANSLATE_NOOP("FrameTexts", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示");
inline constexpr const char* kStrOpenMqo =
    QT_TRANSLATE_NOOP("FrameTexts", "メタセコイアのファイルを入力\nメタセコイアのファイルを入力");
inline constexpr const char* kStrExportPov =
    QT_TRANSLATE_NOOP("FrameTexts", "POV-Ray/MegaPOVに出力\nPOV-Ray/MegaPOVに出力");
inline constexpr const char* kStrExportGltf =
    QT_TRANSLATE_NOOP("FrameTexts", "glTF 2.0 (.glb/.gltf)に出力\nglTFに出力");
inline constexpr const char* kStrTransparency =
    QT_TRANSLATE_NOOP("FrameTexts", "透明度 ON/OFF\n透明度 ON/OFF");
inline constexpr const char* kStrVertices =
    QT_TRANSLATE_NOOP("FrameTexts", "頂点　表示/非表示\n頂点　表示/非表示");
inline constexpr const char* kStrEdges = QT_TRANSLATE_NOOP("FrameTexts", "辺　表示/非表示\n辺　表示/非表示");
inline constexpr const char* kStrFaces = QT_TRANSLATE_NOOP("FrameTexts", "面　表示/非表示\n面　表示/非表示");
inline constexpr const char* kStrSmooth =
    QT_TRANSLATE_NOOP("FrameTexts", "面を滑らかに表示\n面を滑らかに表示");
inline constexpr const char* kStrAxes = QT_TRANSLATE_NOOP("FrameTexts", "軸　表示/非表示\n軸　表示/非表示");
inline constexpr const char* kStrGrid =
    QT_TRANSLATE_NOOP("FrameTexts", "グリッド 表示/非表示\nグリッド　表示/非表示");
inline constexpr const char* kStrSimple = QT_TRANSLATE_NOOP("FrameTexts", "簡易表示 ON/OFF\n簡易表示 ON/OFF");
inline constexpr const char* kStrDoubleSided = QT_TRANSLATE_NOOP("FrameTexts", "面を両面表示\n面を両面表示");
inline constexpr const char* kStrViewFit = QT_TRANSLATE_NOOP("FrameTexts", "全体を表示\n全体を表示");

// Status bar.
inline constexpr const char* kReady = "Ready";
inline constexpr const char* kIndicatorKana = QT_TRANSLATE_NOOP("FrameTexts", "ｶﾅ");
inline constexpr const char* kIndicatorCaps = "CAP";
inline constexpr const char* kIndicatorNum = "NUM";
inline constexpr const char* kIndicatorScroll = "SCRL";

// About box and message boxes.
inline constexpr const char* kAboutTitle = QT_TRANSLATE_NOOP("FrameTexts", "ﾊﾞｰｼﾞｮﾝ情報");
inline constexpr const char* kAboutText = "Brimvale Version " BRIMVALE_VERSION;
inline constexpr const char* kBenchmarkTitle = QT_TRANSLATE_NOOP("FrameTexts", "ベンチマーク");
inline constexpr const char* kErrorCaption = QT_TRANSLATE_NOOP("FrameTexts", "エラー");
// The reader's report that a file is not a Metasequoia document, as the box words it.
inline constexpr const char* kNotMetasequoiaMessage =
    QT_TRANSLATE_NOOP("CoreTexts", "これはメタセコイアのファイルではありません");

// File dialogs (Windows-style filters; ".mqoz" is accepted beside ".mqo").
inline constexpr const char* kMqoFilter = "Metasequoia(*.mqo)";
inline constexpr const char* kPovFilter = "MegaPOV(*.pov)";
inline constexpr const char* kGltfFilter = "glTF (*.glb *.gltf)";

}  // namespace brimvale::texts
