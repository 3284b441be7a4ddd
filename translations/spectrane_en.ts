<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BitmapPopup</name>
    <message>
        <source>ビットマップ画像として保存(&amp;B)</source>
        <translation>Save as &amp;Bitmap…</translation>
    </message>
    <message>
        <source>グラデーションの長さの変更(&amp;L)</source>
        <translation>Gradation &amp;Length…</translation>
    </message>
    <message>
        <source>グラデーションの方向の変更(&amp;D)</source>
        <translation>Gradation &amp;Direction…</translation>
    </message>
    <message>
        <source>最前面ウインドウにする(&amp;W)</source>
        <translation>Topmost &amp;Window</translation>
    </message>
    <message>
        <source>キャンセル(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>DialogRunner</name>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
上書きしますか？</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>RGBラインデータ・ファイル(*.spd);;すべてのファイル(*.*)</source>
        <translation>RGB line data files (*.spd);;All files (*.*)</translation>
    </message>
    <message>
        <source>RGBラインデータ・ファイルを開く</source>
        <translation>Open RGB Line Data File</translation>
    </message>
    <message>
        <source>RGBラインデータ・ファイルの保存</source>
        <translation>Save RGB Line Data File</translation>
    </message>
    <message>
        <source>ビットマップ・ファイルの保存</source>
        <translation>Save Bitmap File</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>グラデーション</source>
        <translation>Gradients</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>ポイントの挿入(&amp;I)</source>
        <translation>&amp;Insert Point</translation>
    </message>
    <message>
        <source>ポイントの削除(&amp;D)</source>
        <translation>&amp;Delete Point</translation>
    </message>
    <message>
        <source>位置のセット(&amp;P)</source>
        <translation>Set &amp;Position…</translation>
    </message>
    <message>
        <source>キャンセル(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>これ以上ポイントを増やすことは出来ません。(最大数=256)</source>
        <translation>No more points can be added. (Maximum = 256)</translation>
    </message>
    <message>
        <source>端点を削除することは出来ません。</source>
        <translation>An end point cannot be deleted.</translation>
    </message>
    <message>
        <source>残り一点を削除することは出来ません。</source>
        <translation>The last remaining point cannot be deleted.</translation>
    </message>
    <message>
        <source>ポイント位置のセットに失敗しました。</source>
        <translation>The point could not be set to that position.</translation>
    </message>
    <message>
        <source>CSSグラデーション(*.css)</source>
        <translation>CSS gradient (*.css)</translation>
    </message>
    <message>
        <source>SVG画像(*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>GIMPグラデーション(*.ggr)</source>
        <translation>GIMP gradient (*.ggr)</translation>
    </message>
    <message>
        <source>GMTカラーパレット(*.cpt)</source>
        <translation>GMT colour palette (*.cpt)</translation>
    </message>
    <message>
        <source>ParaViewカラーマップ(*.json)</source>
        <translation>ParaView colour map (*.json)</translation>
    </message>
    <message>
        <source>CSVファイル(*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>PNG画像(*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>ビットマップ・ファイル(*.bmp)</source>
        <translation>Bitmap file (*.bmp)</translation>
    </message>
    <message>
        <source>ファイルオープンに失敗</source>
        <translation>Could not open the file.</translation>
    </message>
    <message>
        <source>読み込もうとしているファイルはversion2.**で作成されたデータです。

ver3でもver2のデータを読み込むことは可能ですが、
ver3で作成したデータはver2で読み込ませることは出来ません。
このファイルをver3で上書き保存する際はそのことに注意してください。</source>
        <translation>The file you are opening was made with version 2.**.

Version 3 reads version 2 data, but version 2 cannot read
data made with version 3.
Keep this in mind before saving over this file with version 3.</translation>
    </message>
    <message>
        <source>読み込もうとしているファイルはversion1.**で作成されたデータです。

ver3でもver1のデータを読み込むことは可能ですが、
ver3で作成したデータはver1で読み込ませることは出来ません。
このファイルをver3で上書き保存する際はそのことに注意してください。</source>
        <translation>The file you are opening was made with version 1.**.

Version 3 reads version 1 data, but version 1 cannot read
data made with version 3.
Keep this in mind before saving over this file with version 3.</translation>
    </message>
    <message>
        <source>RGBラインデータを保存しました。</source>
        <translation>The RGB line data has been saved.</translation>
    </message>
    <message>
        <source>グラデーションの長さの変更に失敗しました。</source>
        <translation>The length of the gradation could not be changed.</translation>
    </message>
    <message>
        <source>グラデーションのループの変更に失敗しました。</source>
        <translation>The loop of the gradation could not be changed.</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>L</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>W</translation>
    </message>
    <message>
        <source>「%1」の保存は途中で中断されました。
保存前の内容に戻しますか？</source>
        <translation>Saving “%1” was cut short.
Put back its content from before the save?</translation>
    </message>
    <message>
        <source>ファイル「%1」：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>spectrane::AnalysisWindow</name>
    <message>
        <source>L*  最小 %1  最大 %2  反転 %3</source>
        <translation>L*  min %1  max %2  reversals %3</translation>
    </message>
    <message>
        <source>ΔE00  平均 %1  最大 %2 @%3  ジャンプ %4  バンド %5  均一度 %6</source>
        <translation>dE00  mean %1  max %2 @%3  jumps %4  bands %5  uniformity %6</translation>
    </message>
    <message>
        <source>継ぎ目 (最後のドット → ドット 0)  ΔE00 %1</source>
        <translation>seam (last dot -&gt; dot 0)  dE00 %1</translation>
    </message>
    <message>
        <source>  ジャンプ</source>
        <translation>  jump</translation>
    </message>
    <message>
        <source>  色域外 %1 ドット</source>
        <translation>  gamut-mapped %1 dots</translation>
    </message>
</context>
<context>
    <name>spectrane::CmyWindow</name>
    <message>
        <source>CMY (減法混合方式) 設定</source>
        <translation>CMY (Subtractive Mixing) Setting</translation>
    </message>
    <message>
        <source>RGB (赤、緑、青の光の三原色による加法混合) 方式ではなく、</source>
        <translation>Instead of the RGB method (additive mixing of the</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;シアン(Cyan)、マゼンタ(Magenta)、イエロー(Yellow)の</source>
        <translation>    three primaries of light: red, green, blue),</translation>
    </message>
    <message>
        <source>「色の三原色」を用いたCMY減法混合方式に切り替えることが</source>
        <translation>you can switch to CMY subtractive mixing with the</translation>
    </message>
    <message>
        <source>出来ます。</source>
        <translation>primaries of ink: cyan, magenta and yellow.</translation>
    </message>
    <message>
        <source>CMY (減法混合) 方式を使用する。</source>
        <translation>Use CMY (subtractive) mixing.</translation>
    </message>
    <message>
        <source>&#x3000;CMY方式では色の成分が全て無くなると「白」になります。</source>
        <translation>  In CMY, a colour with no components is &quot;white&quot;.</translation>
    </message>
    <message>
        <source>この白をベースに、紙の上に色を重ねるようにグラデーションを</source>
        <translation>Starting from this white, you shape the gradation</translation>
    </message>
    <message>
        <source>操作出来ます。</source>
        <translation>like inks laid on paper.</translation>
    </message>
    <message>
        <source>&#x3000;ただし、色の操作には少し癖があります。</source>
        <translation>  Mixing colours takes some getting used to:</translation>
    </message>
    <message>
        <source>赤を出すには ⇒ マゼンタ(M) + イエロー(Y)</source>
        <translation>for red ⇒ magenta (M) + yellow (Y)</translation>
    </message>
    <message>
        <source>緑を出すには ⇒ シアン(C) + イエロー(Y)</source>
        <translation>for green ⇒ cyan (C) + yellow (Y)</translation>
    </message>
    <message>
        <source>青を出すには ⇒ シアン(C) + マゼンタ(M)</source>
        <translation>for blue ⇒ cyan (C) + magenta (M)</translation>
    </message>
    <message>
        <source>などといった具合です。</source>
        <translation>and so on.</translation>
    </message>
    <message>
        <source>&#x3000;CMYの各要素を調整しながら色を作っていって下さい。</source>
        <translation>  Adjust each of C, M and Y to build your colours.</translation>
    </message>
</context>
<context>
    <name>spectrane::DirectionWindow</name>
    <message>
        <source>グラデーションの方向設定</source>
        <translation>Gradation Direction</translation>
    </message>
</context>
<context>
    <name>spectrane::LengthWindow</name>
    <message>
        <source>１．グラデーションの長さ(ドット数)</source>
        <translation>1. Length (dots)</translation>
    </message>
    <message>
        <source>⇒</source>
        <translation>⇒</translation>
    </message>
    <message>
        <source>現在の長さ</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>変更後</source>
        <translation>New</translation>
    </message>
    <message>
        <source>※グラデーションの「幅」はビットマップの保存時に設定するのでここではセットしません。</source>
        <translation>* The width of the gradation is set when a bitmap is saved, not here.</translation>
    </message>
    <message>
        <source>２．延長/短縮の方法</source>
        <translation>2. How to Lengthen or Shorten</translation>
    </message>
    <message>
        <source>全体をストレッチ/縮小</source>
        <translation>Stretch or shrink all</translation>
    </message>
    <message>
        <source>両端を延長/カット</source>
        <translation>Extend/cut both ends</translation>
    </message>
    <message>
        <source>左端を延長/カット</source>
        <translation>Extend/cut left end</translation>
    </message>
    <message>
        <source>右端を延長/カット</source>
        <translation>Extend/cut right end</translation>
    </message>
    <message>
        <source>※長さの変更に伴うポイントの位置変化が付近のグラデーション曲線に影響を与えるのでハサミで切ったように短縮(または延長)が行われるわけではありません。変更後には微調整をして下さい。</source>
        <translation>* The points move with the length and bend the curve near them, so the gradation is not simply cut or extended as with scissors. Touch it up afterwards.</translation>
    </message>
</context>
<context>
    <name>spectrane::LoopWindow</name>
    <message>
        <source>&#x3000;現在編集中のグラデーションにはループは設定されて</source>
        <translation>  The gradation being edited is not set to</translation>
    </message>
    <message>
        <source>&#x3000;現在編集中のグラデーションにはループが設定されて</source>
        <translation>  The gradation being edited is set to</translation>
    </message>
    <message>
        <source>いません。</source>
        <translation>loop.</translation>
    </message>
    <message>
        <source>います。&#x3000;チェックを外すとループは解除されます。</source>
        <translation>loop. Untick the box to end the loop.</translation>
    </message>
    <message>
        <source>&#x3000;ループ無しで編集中のグラデーションに後からループを</source>
        <translation>  When a loop is added to a gradation made</translation>
    </message>
    <message>
        <source>&#x3000;ループの解除にあたってプログラムは自動的に各曲線に</source>
        <translation>  To end the loop, the program makes two</translation>
    </message>
    <message>
        <source>設定する場合、端と端で結果的に近接した状態なってしま</source>
        <translation>without one, its two end points end up close</translation>
    </message>
    <message>
        <source>両端点を作成してセットします。</source>
        <translation>end points on every curve.</translation>
    </message>
    <message>
        <source>う両端点の存在が曲線のガタつきの原因になります。</source>
        <translation>together and make the curve jolt.</translation>
    </message>
    <message>
        <source>&#x3000;これら端点の作成により、曲線の形が影響されて変化</source>
        <translation>  Making these end points may change the</translation>
    </message>
    <message>
        <source>&#x3000;ループ設定後には、端点を削除するなどして調整を</source>
        <translation>  After setting the loop, delete end points</translation>
    </message>
    <message>
        <source>してしまう可能性があります。</source>
        <translation>shape of the curves.</translation>
    </message>
    <message>
        <source>行って下さい。</source>
        <translation>or otherwise touch the curves up.</translation>
    </message>
    <message>
        <source>&#x3000;ループ解除後には調整を行って下さい。</source>
        <translation>  Touch the curves up after ending the loop.</translation>
    </message>
    <message>
        <source>ループの設定</source>
        <translation>Loop Setting</translation>
    </message>
    <message>
        <source>&#x3000;背景素材で繰り返しパターンを作りたい場合などに、</source>
        <translation>  For background material with a repeating</translation>
    </message>
    <message>
        <source>この設定をすれば両端がループしたグラデーションが</source>
        <translation>pattern, this setting makes a gradation whose</translation>
    </message>
    <message>
        <source>作成できます。</source>
        <translation>ends loop.</translation>
    </message>
</context>
<context>
    <name>spectrane::MainWindow</name>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>長さの変更</source>
        <translation>Change Length</translation>
    </message>
    <message>
        <source>方向の変更</source>
        <translation>Change Direction</translation>
    </message>
    <message>
        <source>ループの変更</source>
        <translation>Change Loop</translation>
    </message>
    <message>
        <source>CMYモードの変更</source>
        <translation>Change CMY Mode</translation>
    </message>
    <message>
        <source>シンクロの変更</source>
        <translation>Change Synchro</translation>
    </message>
    <message>
        <source>ポイントの移動</source>
        <translation>Move Point</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New…</translation>
    </message>
    <message>
        <source>ラインデータ・ファイルを開く(&amp;O)</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>ラインデータの保存(&amp;S)</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>ビットマップ画像として保存(&amp;B)</source>
        <translation>Save as &amp;Bitmap…</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)...</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>インポート(&amp;I)...</source>
        <translation>&amp;Import…</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
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
        <source>グラデーションの長さの変更(&amp;L)</source>
        <translation>Gradation &amp;Length…</translation>
    </message>
    <message>
        <source>グラデーションの方向の変更(&amp;D)</source>
        <translation>Gradation &amp;Direction…</translation>
    </message>
    <message>
        <source>タイトルウインドウの表示(&amp;T)</source>
        <translation>Show &amp;Title Window</translation>
    </message>
    <message>
        <source>ビットマップ・ウインドウの表示(&amp;B)</source>
        <translation>Show &amp;Bitmap Window</translation>
    </message>
    <message>
        <source>ビットマップ・ウインドウを常に最前面にする(&amp;W)</source>
        <translation>Bitmap &amp;Window Always on Top</translation>
    </message>
    <message>
        <source>解析ウインドウの表示(&amp;A)</source>
        <translation>Show &amp;Analysis Window</translation>
    </message>
    <message>
        <source>ポイント位置の表示(&amp;P)</source>
        <translation>Show &amp;Point Positions</translation>
    </message>
    <message>
        <source>グラデーションのループ(&amp;L)</source>
        <translation>Gradation &amp;Loop…</translation>
    </message>
    <message>
        <source>CMY (減法混合) モード(&amp;C)</source>
        <translation>&amp;CMY (Subtractive) Mode…</translation>
    </message>
    <message>
        <source>シンクロ・モード(&amp;S)</source>
        <translation>&amp;Synchro Mode…</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About…</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ポイントの挿入</source>
        <translation>Insert Point</translation>
    </message>
    <message>
        <source>ポイントの削除</source>
        <translation>Delete Point</translation>
    </message>
    <message>
        <source>位置のセット</source>
        <translation>Set Position</translation>
    </message>
    <message>
        <source>インポートしました: %1 ドット</source>
        <translation>Imported: %1 dots</translation>
    </message>
    <message>
        <source>
%1: %2 ポイント、最大誤差 %3</source>
        <translation>
%1: %2 points, largest error %3</translation>
    </message>
    <message>
        <source> (許容誤差に届きません)</source>
        <translation> (tolerance not reached)</translation>
    </message>
    <message>
        <source>元に戻す: %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>やり直し: %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>ビットマップを保存しました。</source>
        <translation>The bitmap has been saved.</translation>
    </message>
    <message>
        <source>インポートできませんでした。
</source>
        <translation>The file could not be imported.
</translation>
    </message>
    <message>
        <source>終了確認</source>
        <translation>Confirm Exit</translation>
    </message>
    <message>
        <source>終了してよろしいですか？</source>
        <translation>Do you want to exit?</translation>
    </message>
    <message>
        <source>エクスポートしました: %1</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>
半透明のピクセル %1 個を白の背景に重ねました</source>
        <translation>
Opacity flattened over white: %1 pixels were partly transparent</translation>
    </message>
    <message>
        <source>
半透明の色指定点 %1 個を白の背景に重ねました</source>
        <translation>
Opacity flattened over white: %1 stops were partly transparent</translation>
    </message>
    <message>
        <source>このファイルはRGBラインデータ・ファイルです。インポートではなく「開く」で読み込んでください。</source>
        <translation>This is an RGB line data file. Read it with Open, not Import.</translation>
    </message>
    <message>
        <source>ポイント表の表示(&amp;P)</source>
        <translation>Show &amp;Point Table</translation>
    </message>
    <message>
        <source>キーボード操作(&amp;K)...</source>
        <translation>&amp;Keyboard...</translation>
    </message>
    <message>
        <source>キーボード操作</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>プロットをクリックするか Tab キーでフォーカスを移してから:

Tab / Shift+Tab	次 / 前のポイントを選択
← →	1 ドット移動
↑ ↓	1 レベル移動
Shift+矢印	10 ずつ移動
Ctrl+矢印	次の 16 の倍数まで移動
Insert	ポイントの挿入
Delete	ポイントの削除
Enter	位置のセット
R / G / B	チャンネルの選択 (CMY モードでは C / M / Y)
Space	次のチャンネル

一つのポイントを続けて動かすキー操作は、まとめて一回で元に戻せます。</source>
        <translation>Click the plot or Tab to it, then:

Tab / Shift+Tab	choose the next / previous point
← →	move by one dot
↑ ↓	move by one level
Shift+arrow	move by ten
Ctrl+arrow	move on to the next multiple of 16
Insert	insert a point
Delete	delete the point
Enter	set its position
R / G / B	choose the channel (C / M / Y in CMY mode)
Space	the next channel

Moves of one point in a row are undone in one step.</translation>
    </message>
    <message>
        <source>均一度: %1 → %2</source>
        <translation>Uniformity: %1 → %2</translation>
    </message>
    <message>
        <source>これ以上均等にできませんでした。グラデーションは変更していません。
</source>
        <translation>The steps could not be made more even. The gradation is unchanged.
</translation>
    </message>
    <message>
        <source>知覚的に均等化しました。
</source>
        <translation>Perceptual steps evened out.
</translation>
    </message>
    <message>
        <source>色モードを変換しました。曲線の最大誤差は %1 レベルです。</source>
        <translation>Colour mode converted. The curves are off by up to %1 levels.</translation>
    </message>
    <message>
        <source>OKLChモードの変更</source>
        <translation>OKLCh Mode Change</translation>
    </message>
    <message>
        <source>知覚的に均等化</source>
        <translation>Even Out Perceptual Steps</translation>
    </message>
    <message>
        <source>知覚的に均等化(&amp;V)</source>
        <translation>E&amp;ven Out Perceptual Steps</translation>
    </message>
    <message>
        <source>OKLChモード(&amp;K)</source>
        <translation>&amp;OKLCh Mode</translation>
    </message>
</context>
<context>
    <name>spectrane::NewGradationWindow</name>
    <message>
        <source>１．グラデーションの長さ(ドット数)</source>
        <translation>1. Length of the Gradation (dots)</translation>
    </message>
    <message>
        <source>( 初期値 = 512 )</source>
        <translation>( Default = 512 )</translation>
    </message>
    <message>
        <source>※「幅」はビットマップ保存時にセットするので、ここでは設定の必要はありません。</source>
        <translation>* The width is set when a bitmap is saved, so it is not needed here.</translation>
    </message>
    <message>
        <source>２．グラデーションの方向</source>
        <translation>2. Direction</translation>
    </message>
    <message>
        <source>※これらの設定は一度ここで決めた後でも、「編集」メニューからいつでも変更が出来ます。</source>
        <translation>* These settings can be changed at any time from the &quot;Edit&quot; menu.</translation>
    </message>
    <message>
        <source>３．グラデーションのループ</source>
        <translation>3. Loop of the Gradation</translation>
    </message>
    <message>
        <source>※背景素材で繰り返しパターンを作りたい場合など、ここにチェックを入れれば両端がループしたグラデーションが作成できます。</source>
        <translation>* Tick this to make a gradation whose ends loop, for example for a repeating background pattern.</translation>
    </message>
</context>
<context>
    <name>spectrane::PointTableWindow</name>
    <message>
        <source>番号</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>Dot</translation>
    </message>
    <message>
        <source>レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>ポイント表 - %1</source>
        <translation>Point Table - %1</translation>
    </message>
</context>
<context>
    <name>spectrane::PositionWindow</name>
    <message>
        <source>※端点の場合はx座標はセットできません。</source>
        <translation>* The x of an end point cannot be set.</translation>
    </message>
    <message>
        <source>x = %1 →</source>
        <translation>x = %1 →</translation>
    </message>
    <message>
        <source>y = %1 →</source>
        <translation>y = %1 →</translation>
    </message>
</context>
<context>
    <name>spectrane::SaveBitmapWindow</name>
    <message>
        <source>ビットマップの幅のセット</source>
        <translation>Bitmap Width</translation>
    </message>
    <message>
        <source>保存するビットマップの幅をセットして下さい。</source>
        <translation>Set the width of the bitmap to save.</translation>
    </message>
    <message>
        <source>(範囲: 1 ～ 1200 / 初期値= 32)</source>
        <translation>(1 to 1200, default 32)</translation>
    </message>
    <message>
        <source>現在のビットマップ・ウインドウでの幅の大きさを適用する。</source>
        <translation>Use the width of the bitmap window now.</translation>
    </message>
    <message>
        <source>幅の設定が不正です。</source>
        <translation>The width is invalid.</translation>
    </message>
    <message>
        <source>グラデーションの幅は1～1200の間でセットして下さい。</source>
        <translation>Set a width between 1 and 1200.</translation>
    </message>
</context>
<context>
    <name>spectrane::SynchroWindow</name>
    <message>
        <source>R ( 赤 )</source>
        <translation>R ( red )</translation>
    </message>
    <message>
        <source>G ( 緑 )</source>
        <translation>G ( green )</translation>
    </message>
    <message>
        <source>B ( 青 )</source>
        <translation>B ( blue )</translation>
    </message>
    <message>
        <source>C ( シアン )</source>
        <translation>C ( cyan )</translation>
    </message>
    <message>
        <source>M ( マゼンタ )</source>
        <translation>M ( magenta )</translation>
    </message>
    <message>
        <source>Y ( イエロー )</source>
        <translation>Y ( yellow )</translation>
    </message>
    <message>
        <source> ←[ 現在使用中の色 ]</source>
        <translation> ←[ colour in use ]</translation>
    </message>
    <message>
        <source> ←[現在使用中の色]</source>
        <translation> ←[colour in use]</translation>
    </message>
    <message>
        <source>シンクロする色のチェック</source>
        <translation>Colours to Synchronize</translation>
    </message>
    <message>
        <source>シンクロ・モードを使用する</source>
        <translation>Use synchro mode</translation>
    </message>
    <message>
        <source>&#x3000;二つ以上の色にチェックを入れることにより、それらの色を</source>
        <translation>  Tick two or more colours to move them</translation>
    </message>
    <message>
        <source>シンクロ(同調)させて動かすことが出来ます。</source>
        <translation>together (in synchro).</translation>
    </message>
    <message>
        <source>&#x3000;現在使用中の色が関係している時は、使用中の色が優先</source>
        <translation>  When the colour in use is ticked, it takes</translation>
    </message>
    <message>
        <source>されて、他の色にコピーされます。</source>
        <translation>precedence and is copied to the others.</translation>
    </message>
    <message>
        <source>&#x3000;現在使用中の色が関係していないチェックの場合は、</source>
        <translation>  When the colour in use is not ticked, the</translation>
    </message>
    <message>
        <source>上の三原色表記中の上段にあるものが優先されます。</source>
        <translation>one listed highest above takes precedence.</translation>
    </message>
    <message>
        <source>&#x3000;また、「シンクロ・モードを使用する」にチェックを入れていると</source>
        <translation>  While &quot;Use synchro mode&quot; is ticked, the same</translation>
    </message>
    <message>
        <source>以降メインのウインドウの「R」,「G」,「B」&#x3000;(または「C」,「M」,「Y」) </source>
        <translation>check boxes appear left of the &quot;R&quot;, &quot;G&quot;, &quot;B&quot; (or &quot;C&quot;,</translation>
    </message>
    <message>
        <source>表示の左側に上と同様のチェックボックスが表示されるので</source>
        <translation>&quot;M&quot;, &quot;Y&quot;) labels of the main window, so you can set</translation>
    </message>
    <message>
        <source>再びこのウインドウを開かなくても、そこでシンクロの設定が</source>
        <translation>the synchro there directly, without opening this</translation>
    </message>
    <message>
        <source>直接行えます。</source>
        <translation>window again.</translation>
    </message>
    <message>
        <source>L ( 明度 )</source>
        <translation>L ( lightness )</translation>
    </message>
    <message>
        <source>C ( 彩度 )</source>
        <translation>C ( chroma )</translation>
    </message>
    <message>
        <source>h ( 色相 )</source>
        <translation>h ( hue )</translation>
    </message>
</context>
<context>
    <name>spectrane::ToolWindow</name>
    <message>
        <source>グラデーションの方向の変更</source>
        <translation>Gradation Direction</translation>
    </message>
    <message>
        <source>グラデーションの長さの変更</source>
        <translation>Gradation Length</translation>
    </message>
    <message>
        <source>ビットマップ画像として保存</source>
        <translation>Save as Bitmap</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>ポイント位置のセット</source>
        <translation>Set Point Position</translation>
    </message>
    <message>
        <source>CMYモード</source>
        <translation>CMY Mode</translation>
    </message>
    <message>
        <source>シンクロ・モード</source>
        <translation>Synchro Mode</translation>
    </message>
    <message>
        <source>グラデーションのループ</source>
        <translation>Gradation Loop</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>リセット(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リセットしますか？</source>
        <translation>Reset?</translation>
    </message>
    <message>
        <source>90°回転</source>
        <translation>Rotate 90°</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>dots</translation>
    </message>
    <message>
        <source>( 範囲 : 2 ～ 1600 )</source>
        <translation>( Range: 2 to 1600 )</translation>
    </message>
    <message>
        <source>全ての項目をリセットしますか？</source>
        <translation>Reset all settings?</translation>
    </message>
    <message>
        <source>グラデーションの長さ設定が不正です。</source>
        <translation>The length of the gradation is invalid.</translation>
    </message>
    <message>
        <source>グラデーションの長さは2～1600の間でセットして下さい。</source>
        <translation>Set a length between 2 and 1600.</translation>
    </message>
    <message>
        <source>グラデーションをループさせる</source>
        <translation>Loop the gradation</translation>
    </message>
</context>
</TS>
