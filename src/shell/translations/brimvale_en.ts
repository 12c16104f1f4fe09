<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CBackgroundDerivation</name>
    <message>
        <source>オブジェクトを生成しています...</source>
        <translation>Deriving the objects...</translation>
    </message>
</context>
<context>
    <name>CFrameDialogs</name>
    <message>
        <source>画像を保存</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>幅 (ピクセル)</source>
        <translation>Width (pixels)</translation>
    </message>
    <message>
        <source>高さ (ピクセル)</source>
        <translation>Height (pixels)</translation>
    </message>
</context>
<context>
    <name>CModelReading</name>
    <message>
        <source>ファイルが途中で終わっています: %1 個のオブジェクトを読みました</source>
        <translation>The file ends early: %1 objects read</translation>
    </message>
    <message>
        <source>見つからないテクスチャ: %1</source>
        <translation>Textures not found: %1</translation>
    </message>
</context>
<context>
    <name>CWorkProgress</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>これはメタセコイアのファイルではありません</source>
        <translation>This is not a Metasequoia file.</translation>
    </message>
    <message>
        <source>%1 フレーム/秒

%2 秒/フレーム

%3 秒</source>
        <translation>%1 frames/second

%2 seconds/frame

%3 seconds</translation>
    </message>
    <message>
        <source>フリーズ	%1 秒	%2

法線	%3 秒	%4

スムース法線 %5 秒	%6

トータル	%7 秒	%8</source>
        <translation>Freeze	%1 s	%2

Normals	%3 s	%4

Smooth normals %5 s	%6

Total	%7 s	%8</translation>
    </message>
</context>
<context>
    <name>FrameTexts</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>メタセコイアのファイルを開く</source>
        <translation>&amp;Open Metasequoia File...</translation>
    </message>
    <message>
        <source>MegaPOVファイルを出力</source>
        <translation>&amp;Export POV-Ray/MegaPOV Scene...</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Brimvale</translation>
    </message>
    <message>
        <source>ベンチマーク</source>
        <translation>Benchmark</translation>
    </message>
    <message>
        <source>時間測定</source>
        <translation>Time Measurement</translation>
    </message>
    <message>
        <source>新規にﾌｧｲﾙを作成
新規ﾌｧｲﾙ</source>
        <translation>Start a new, empty document
New</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示
終了</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示
ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>Show the program&apos;s name, version and copyright
About Brimvale</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰの表示/非表示
ﾂｰﾙ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the toolbar
Show or hide the toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示
ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the status bar
Show or hide the status bar</translation>
    </message>
    <message>
        <source>メタセコイアのファイルを入力
メタセコイアのファイルを入力</source>
        <translation>Open a Metasequoia file (.mqo, .mqoz)
Open a Metasequoia file</translation>
    </message>
    <message>
        <source>POV-Ray/MegaPOVに出力
POV-Ray/MegaPOVに出力</source>
        <translation>Export the scene for POV-Ray or MegaPOV
Export for POV-Ray/MegaPOV</translation>
    </message>
    <message>
        <source>透明度 ON/OFF
透明度 ON/OFF</source>
        <translation>Transparency on/off
Transparency on/off</translation>
    </message>
    <message>
        <source>頂点&#x3000;表示/非表示
頂点&#x3000;表示/非表示</source>
        <translation>Show or hide vertices
Show or hide vertices</translation>
    </message>
    <message>
        <source>辺&#x3000;表示/非表示
辺&#x3000;表示/非表示</source>
        <translation>Show or hide edges
Show or hide edges</translation>
    </message>
    <message>
        <source>面&#x3000;表示/非表示
面&#x3000;表示/非表示</source>
        <translation>Show or hide faces
Show or hide faces</translation>
    </message>
    <message>
        <source>面を滑らかに表示
面を滑らかに表示</source>
        <translation>Smooth shading
Smooth shading</translation>
    </message>
    <message>
        <source>軸&#x3000;表示/非表示
軸&#x3000;表示/非表示</source>
        <translation>Show or hide the axes
Show or hide the axes</translation>
    </message>
    <message>
        <source>グリッド 表示/非表示
グリッド&#x3000;表示/非表示</source>
        <translation>Show or hide the grid
Show or hide the grid</translation>
    </message>
    <message>
        <source>簡易表示 ON/OFF
簡易表示 ON/OFF</source>
        <translation>Simple display on/off
Simple display on/off</translation>
    </message>
    <message>
        <source>面を両面表示
面を両面表示</source>
        <translation>Show both sides of faces
Show both sides of faces</translation>
    </message>
    <message>
        <source>ｶﾅ</source>
        <translation>KANA</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>全体を表示(&amp;A)</source>
        <translation>Show &amp;All</translation>
    </message>
    <message>
        <source>全体を表示
全体を表示</source>
        <translation>Show the whole model
Show all</translation>
    </message>
    <message>
        <source>glTFファイルを出力</source>
        <translation>Export &amp;glTF File...</translation>
    </message>
    <message>
        <source>glTF 2.0 (.glb/.gltf)に出力
glTFに出力</source>
        <translation>Export to glTF 2.0 (.glb/.gltf)
Export to glTF</translation>
    </message>
</context>
<context>
    <name>PanelTexts</name>
    <message>
        <source>メタセコイアのフォルダの選択</source>
        <translation>Choose the Metasequoia folder</translation>
    </message>
</context>
<context>
    <name>brimvale::CBackgroundPage</name>
    <message>
        <source>背景設定</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>下絵</source>
        <translation>Show a background picture</translation>
    </message>
</context>
<context>
    <name>brimvale::CCameraPage</name>
    <message>
        <source>カメラ設定</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>カメラの位置</source>
        <translation>Camera position</translation>
    </message>
    <message>
        <source>カメラの見ている位置</source>
        <translation>Looking at</translation>
    </message>
    <message>
        <source>奥行き感</source>
        <translation>Field of view</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Projection</translation>
    </message>
    <message>
        <source>遠近感なし</source>
        <translation>Orthographic</translation>
    </message>
    <message>
        <source>遠近感あり</source>
        <translation>Perspective</translation>
    </message>
</context>
<context>
    <name>brimvale::CDeformerPage</name>
    <message>
        <source>適用する</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>brimvale::CExportBasicPage</name>
    <message>
        <source>基本設定</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>インクルードファイルを使用</source>
        <translation>Use an include file</translation>
    </message>
    <message>
        <source>名前の先頭に&quot;Light_&quot;が付く
オブジェクトをライトとして扱う</source>
        <translation>Objects whose names begin
with &quot;Light_&quot; are lights</translation>
    </message>
    <message>
        <source>デフォルトのライトを使用</source>
        <translation>Use the default lights</translation>
    </message>
    <message>
        <source>非表示のオブジェクトは
出力しない</source>
        <translation>Leave hidden objects out</translation>
    </message>
</context>
<context>
    <name>brimvale::CFolderPage</name>
    <message>
        <source>パス設定</source>
        <translation>Paths</translation>
    </message>
    <message>
        <source>メタセコイアのフォルダ</source>
        <translation>Metasequoia folder</translation>
    </message>
</context>
<context>
    <name>brimvale::CLathePage</name>
    <message>
        <source>回転体</source>
        <translation>Lathe</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Segments</translation>
    </message>
</context>
<context>
    <name>brimvale::CMainFrame</name>
    <message>
        <source>OpenGL is not available on this display: the model cannot be shown.</source>
        <translation>OpenGL is not available on this display: the model cannot be shown.</translation>
    </message>
    <message>
        <source>モデルを開いています...</source>
        <translation>Opening the model...</translation>
    </message>
    <message>
        <source>オブジェクトを生成しています: %1 / %2</source>
        <translation>Deriving the objects: %1 of %2</translation>
    </message>
    <message>
        <source>オブジェクトを出力しています: %1 / %2</source>
        <translation>Exporting the objects: %1 of %2</translation>
    </message>
    <message>
        <source>出力を中止しました。ファイルは書き込まれていません。</source>
        <translation>The export was cancelled: no file was written.</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>再読み込みできませんでした。前のモデルを表示しています: %1</source>
        <translation>Could not reload; the previous model is still shown: %1</translation>
    </message>
    <message>
        <source>再読み込みしました: %1</source>
        <translation>Reloaded %1</translation>
    </message>
    <message>
        <source>%1 に出力しました</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>再読み込み(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>画像を保存(&amp;P)...</source>
        <translation>Save &amp;Picture...</translation>
    </message>
    <message>
        <source>キーボードショートカット(&amp;K)</source>
        <translation>&amp;Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>見つからないファイルを一覧から外しました: %1</source>
        <translation>Removed files that no longer exist from the list: %1</translation>
    </message>
    <message>
        <source>(なし)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>画像を書き込めませんでした: %1</source>
        <translation>The picture could not be written: %1</translation>
    </message>
    <message>
        <source>キーボードショートカット</source>
        <translation>Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open a model</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload the model from its file</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>画像を保存</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>矢印キー</source>
        <translation>Arrow keys</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Orbit</translation>
    </message>
    <message>
        <source>Shift+矢印キー</source>
        <translation>Shift+Arrow keys</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>+ / -, Page Up / Page Down</source>
        <translation>+ / -, Page Up / Page Down</translation>
    </message>
    <message>
        <source>拡大 / 縮小</source>
        <translation>Dolly in / out</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>全体を表示</source>
        <translation>Fit the whole model</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New document</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z, Ctrl+Y</source>
        <translation>Ctrl+Shift+Z, Ctrl+Y</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>brimvale::CMappingPage</name>
    <message>
        <source>マッピング</source>
        <translation>Mapping</translation>
    </message>
    <message>
        <source>模様</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source>凸凹</source>
        <translation>Bump</translation>
    </message>
    <message>
        <source>透明</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>反射</source>
        <translation>Reflect</translation>
    </message>
    <message>
        <source>テクスチャが見つかりません。探した場所:</source>
        <translation>Texture not found. Looked for:</translation>
    </message>
</context>
<context>
    <name>brimvale::CMaterialSettingsPage</name>
    <message>
        <source>諸設定</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>拡散光</source>
        <translation>Diffuse</translation>
    </message>
    <message>
        <source>自己照明</source>
        <translation>Ambient (glow in POV-Ray)</translation>
    </message>
    <message>
        <source>反射光</source>
        <translation>Specular</translation>
    </message>
    <message>
        <source>反射の強さ</source>
        <translation>Shininess</translation>
    </message>
    <message>
        <source>周囲光</source>
        <translation>Emission</translation>
    </message>
    <message>
        <source>カラー</source>
        <translation>Color</translation>
    </message>
</context>
<context>
    <name>brimvale::CMirrorPage</name>
    <message>
        <source>ミラーリング</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>鏡面を作成しない</source>
        <translation>No mirror</translation>
    </message>
    <message>
        <source>左右を分離した鏡面</source>
        <translation>Mirror, halves apart</translation>
    </message>
    <message>
        <source>左右を接続した鏡面</source>
        <translation>Mirror, halves joined</translation>
    </message>
    <message>
        <source>接続距離を制限する</source>
        <translation>Limit the joining distance</translation>
    </message>
    <message>
        <source>適用軸</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>接続距離</source>
        <translation>Distance</translation>
    </message>
</context>
<context>
    <name>brimvale::CObjectBasicPage</name>
    <message>
        <source>基本設定</source>
        <translation>Basic Settings</translation>
    </message>
    <message>
        <source>表示する</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>影なし</source>
        <translation>No shadow</translation>
    </message>
    <message>
        <source>カラー</source>
        <translation>Color</translation>
    </message>
</context>
<context>
    <name>brimvale::COutputTargetPage</name>
    <message>
        <source>出力先設定</source>
        <translation>Export Target</translation>
    </message>
    <message>
        <source>バージョン</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>brimvale::CPatchPage</name>
    <message>
        <source>曲面制御</source>
        <translation>Curved Surface</translation>
    </message>
    <message>
        <source>曲面化しない</source>
        <translation>Flat</translation>
    </message>
    <message>
        <source>曲面化する</source>
        <translation>Curved (patch subdivision)</translation>
    </message>
    <message>
        <source>分割数</source>
        <translation>Subdivisions</translation>
    </message>
</context>
<context>
    <name>brimvale::CQuorixView</name>
    <message>
        <source>OpenGL is not available: the view cannot draw.</source>
        <translation>OpenGL is not available: the view cannot draw.</translation>
    </message>
    <message>
        <source>	合計	1 回あたり (秒)</source>
        <translation>	All runs	One run (s)</translation>
    </message>
</context>
<context>
    <name>brimvale::CSidePanel</name>
    <message>
        <source>オブジェクト</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>材質</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>変形</source>
        <translation>Deform</translation>
    </message>
</context>
<context>
    <name>brimvale::CSmoothingPage</name>
    <message>
        <source>スムージング</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
</context>
</TS>
