// The window's own texts: menu items (resource 128), the string table entries
// of the commands (status text, a newline, then the tooltip), the indicator
// names and the About box. UTF-8; the Japanese is kept exactly, half-width
// katakana and full-width spaces included.
#pragma once

namespace brimvale::texts {

inline constexpr const char* kAppTitle = "Brimvale";
inline constexpr const char* kUntitled = "Untitled";

// Menus.
inline constexpr const char* kMenuFile = "ファイル(&F)";
inline constexpr const char* kMenuView = "表示(&V)";
inline constexpr const char* kMenuHelp = "ヘルプ(&H)";
inline constexpr const char* kItemNew = "新規作成(&N)\tCtrl+N";
inline constexpr const char* kItemOpenMqo = "メタセコイアのファイルを開く";
inline constexpr const char* kItemExportPov = "MegaPOVファイルを出力";
inline constexpr const char* kItemExportGltf = "glTFファイルを出力";
inline constexpr const char* kItemExit = "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)";
inline constexpr const char* kItemToolbar = "ﾂｰﾙ ﾊﾞｰ(&T)";
inline constexpr const char* kItemStatusBar = "ｽﾃｰﾀｽ ﾊﾞｰ(&S)";
inline constexpr const char* kItemAbout = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kItemBenchmark = "ベンチマーク";
inline constexpr const char* kItemTimeMeasurement = "時間測定";

// String table: "status text\ntooltip".
inline constexpr const char* kStrNew = "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ";
inline constexpr const char* kStrExit = "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了";
inline constexpr const char* kStrAbout = "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kStrToolbar = "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示";
inline constexpr const char* kStrStatusBar = "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示";
inline constexpr const char* kStrOpenMqo = "メタセコイアのファイルを入力\nメタセコイアのファイルを入力";
inline constexpr const char* kStrExportPov = "POV-Ray/MegaPOVに出力\nPOV-Ray/MegaPOVに出力";
inline constexpr const char* kStrExportGltf = "glTF 2.0 (.glb/.gltf)に出力\nglTFに出力";
inline constexpr const char* kStrTransparency = "透明度 ON/OFF\n透明度 ON/OFF";
inline constexpr const char* kStrVertices = "頂点　表示/非表示\n頂点　表示/非表示";
inline constexpr const char* kStrEdges = "辺　表示/非表示\n辺　表示/非表示";
inline constexpr const char* kStrFaces = "面　表示/非表示\n面　表示/非表示";
inline constexpr const char* kStrSmooth = "面を滑らかに表示\n面を滑らかに表示";
inline constexpr const char* kStrAxes = "軸　表示/非表示\n軸　表示/非表示";
inline constexpr const char* kStrGrid = "グリッド 表示/非表示\nグリッド　表示/非表示";
inline constexpr const char* kStrSimple = "簡易表示 ON/OFF\n簡易表示 ON/OFF";
inline constexpr const char* kStrDoubleSided = "面を両面表示\n面を両面表示";

// Status bar.
inline constexpr const char* kReady = "Ready";
inline constexpr const char* kIndicatorKana = "ｶﾅ";
inline constexpr const char* kIndicatorCaps = "CAP";
inline constexpr const char* kIndicatorNum = "NUM";
inline constexpr const char* kIndicatorScroll = "SCRL";

// About box and message boxes.
inline constexpr const char* kAboutTitle = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kAboutText = "Brimvale Version 2.1";
inline constexpr const char* kBenchmarkTitle = "ベンチマーク";
inline constexpr const char* kErrorCaption = "エラー";

// File dialogs (Windows-style filters; ".mqoz" is accepted beside ".mqo").
inline constexpr const char* kMqoFilter = "Metasequoia(*.mqo)";
inline constexpr const char* kPovFilter = "MegaPOV(*.pov)";
inline constexpr const char* kGltfFilter = "glTF (*.glb *.gltf)";

}  // namespace brimvale::texts
