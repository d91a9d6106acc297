<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Application</name>
    <message>
        <source>表示の大きさは、次にモルビクを起動したときから %1倍 になります。</source>
        <translation>From the next time you start Morvik, the view will be %1x.</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>プレイデータの写しを消去できませんでした。次に起動したとき、その進み具合が戻ります。
%1</source>
        <translation>The copy of the play data could not be erased. The next time you start the game, its progress will come back.
%1</translation>
    </message>
    <message>
        <source>データ消去</source>
        <translation>Erase play data</translation>
    </message>
    <message>
        <source>プレイデータを保存できませんでした。
%1</source>
        <translation>The play data could not be saved.
%1</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>モルビク -Morvik-    Ver. %1

Game design, program, music and arts: the Morvik team
Copyright (C) 2026 the Morvik team</source>
        <translation>Morvik    Ver. %1

Game design, program, music and arts: the Morvik team
Copyright (C) 2026 the Morvik team</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Morvik</translation>
    </message>
    <message>
        <source>表示の大きさ %1倍 では画面に収まらないため、%2倍 で表示します。</source>
        <translation>At %1x the view does not fit on the screen, so it is shown at %2x.</translation>
    </message>
    <message>
        <source>表示の大きさ %1倍 では画面に収まりません。次にモルビクを起動したときから %2倍 になります。</source>
        <translation>At %1x the view does not fit on the screen. From the next time you start Morvik, it will be %2x.</translation>
    </message>
</context>
<context>
    <name>DesignerBench</name>
    <message>
        <source>手順を再生</source>
        <translation>Play the clear</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>詳しく調べる</source>
        <translation>Examine</translation>
    </message>
    <message>
        <source>保存するとき最短手順を解答ファイルにも保存</source>
        <translation>Save the shortest clear as answer file</translation>
    </message>
    <message>
        <source>再生中：%1 / %2 手</source>
        <translation>Playing: %1 / %2 presses</translation>
    </message>
    <message>
        <source>調べています…</source>
        <translation>Searching...</translation>
    </message>
</context>
<context>
    <name>DrawingAudit</name>
    <message>
        <source>難しさ %1 状態&#x3000;罠 %2&#x3000;おとり %3 個</source>
        <translation>Difficulty %1 states  Traps %2  Decoys %3</translation>
    </message>
</context>
<context>
    <name>EditModel</name>
    <message>
        <source>モルビクステージエディタ </source>
        <translation>Morvik Stage Editor </translation>
    </message>
    <message>
        <source> (更新あり)</source>
        <translation> (modified)</translation>
    </message>
</context>
<context>
    <name>EditStageReader</name>
    <message>
        <source>%1の位置 %2 には、ほかのキャラクタが置かれています。</source>
        <translation>%1 at %2: another piece already stands there.</translation>
    </message>
    <message>
        <source>最初にとる花の色は「0」（黄色）か「1」（赤）でなければなりません。</source>
        <translation>The first flower must be &quot;0&quot; (yellow) or &quot;1&quot; (red).</translation>
    </message>
    <message>
        <source>BGMの番号は0から6まででなければなりません。</source>
        <translation>The music number must be from 0 to 6.</translation>
    </message>
    <message>
        <source>データのロードに失敗しました。
強制終了します。</source>
        <translation>The stage could not be loaded.
The editor will close.</translation>
    </message>
    <message>
        <source>致命的なエラー</source>
        <translation>Fatal error</translation>
    </message>
    <message>
        <source>データのロードに失敗しました。
ファイル: %1
%2行目: %3</source>
        <translation>The stage could not be loaded.
File: %1
Line %2: %3</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*</source>
        <translation>Morvik stage files (*.mvk)|*.mvk|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>FormAdvice</name>
    <message>
        <source>睦さん -Mussan- からのアドヴァイス</source>
        <translation>Advice from Mussan</translation>
    </message>
    <message>
        <source>了解</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FormEdit</name>
    <message>
        <source>地面の穴</source>
        <translation>Hole in the ground</translation>
    </message>
    <message>
        <source>草地の穴</source>
        <translation>Hole in the grass</translation>
    </message>
    <message>
        <source>明るい地面（掘れる）</source>
        <translation>Light ground (diggable)</translation>
    </message>
    <message>
        <source>砂地</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>草地（掘れる）</source>
        <translation>Grass (diggable)</translation>
    </message>
    <message>
        <source>渦（地面）</source>
        <translation>Whirl (ground)</translation>
    </message>
    <message>
        <source>渦（草地）</source>
        <translation>Whirl (grass)</translation>
    </message>
    <message>
        <source>ジャンプ台</source>
        <translation>Jump pad</translation>
    </message>
    <message>
        <source>トゲ</source>
        <translation>Spikes</translation>
    </message>
    <message>
        <source>岩山</source>
        <translation>Rocks</translation>
    </message>
    <message>
        <source>雪山（草地）</source>
        <translation>Snowy mountain (grass)</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>深い水</source>
        <translation>Deep water</translation>
    </message>
    <message>
        <source>林</source>
        <translation>Woods</translation>
    </message>
    <message>
        <source>木</source>
        <translation>Tree</translation>
    </message>
    <message>
        <source>サボテン</source>
        <translation>Cactus</translation>
    </message>
    <message>
        <source>閉じた門</source>
        <translation>Closed gate</translation>
    </message>
    <message>
        <source>雪の穴</source>
        <translation>Hole in the snow</translation>
    </message>
    <message>
        <source>砂の穴</source>
        <translation>Hole in the sand</translation>
    </message>
    <message>
        <source>板の床</source>
        <translation>Wooden floor</translation>
    </message>
    <message>
        <source>雪原</source>
        <translation>Snowfield</translation>
    </message>
    <message>
        <source>氷</source>
        <translation>Ice</translation>
    </message>
    <message>
        <source>渦（雪）</source>
        <translation>Whirl (snow)</translation>
    </message>
    <message>
        <source>渦（砂）</source>
        <translation>Whirl (sand)</translation>
    </message>
    <message>
        <source>ひびの入った氷</source>
        <translation>Cracked ice</translation>
    </message>
    <message>
        <source>雪山</source>
        <translation>Snowy mountain</translation>
    </message>
    <message>
        <source>雪だるま</source>
        <translation>Snowman</translation>
    </message>
    <message>
        <source>家</source>
        <translation>House</translation>
    </message>
    <message>
        <source>切り株</source>
        <translation>Stump</translation>
    </message>
    <message>
        <source>主人公の初期位置</source>
        <translation>Hero&apos;s start</translation>
    </message>
    <message>
        <source>黄色の花</source>
        <translation>Yellow flower</translation>
    </message>
    <message>
        <source>赤い花</source>
        <translation>Red flower</translation>
    </message>
    <message>
        <source>石</source>
        <translation>Stone</translation>
    </message>
    <message>
        <source>消しゴム</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>ステージデータを開く(&amp;O)...</source>
        <translation>&amp;Open stage file...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;W)...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>ステージエディタの終了(&amp;Q)</source>
        <translation>&amp;Quit the stage editor</translation>
    </message>
    <message>
        <source>記憶取出(&amp;L)</source>
        <translation>Reca&amp;ll</translation>
    </message>
    <message>
        <source>コメントの設定(&amp;C)</source>
        <translation>Set the &amp;comment</translation>
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
        <source>テスト(&amp;T)</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>テストプレイ(&amp;T)</source>
        <translation>&amp;Test play</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ステージエディタのヘルプ(&amp;H)    F1</source>
        <translation>Stage editor &amp;help    F1</translation>
    </message>
    <message>
        <source>地形</source>
        <translation>Terrain</translation>
    </message>
    <message>
        <source>キャラクタ</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>左クリック ： 地形の配置</source>
        <translation>Left click: place terrain</translation>
    </message>
    <message>
        <source>Shift + 左クリック ： 全てのマスを選択中の地形で埋める</source>
        <translation>Shift + left click: fill every cell with the terrain</translation>
    </message>
    <message>
        <source>右クリック ： キャラクタの配置</source>
        <translation>Right click: place a piece</translation>
    </message>
    <message>
        <source>最大 %1 個</source>
        <translation>At most %1</translation>
    </message>
    <message>
        <source>最初にとる花</source>
        <translation>First flower</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>＋</source>
        <translation>+</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>保存してテストプレイ (F5)</source>
        <translation>Save and test play (F5)</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Shift + 右クリックでは置けません</source>
        <translation>Shift + right click places nothing</translation>
    </message>
    <message>
        <source>%1は%2個までです</source>
        <translation>At most %2 of: %1</translation>
    </message>
    <message>
        <source>表示中のものを破棄し、新規に作成します。
よろしいですか？</source>
        <translation>The stage shown will be discarded and a new one started.
Is that all right?</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>更新があります。保存しますか？</source>
        <translation>The stage has changed. Save it?</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ステージデータを保存できませんでした。
ファイル: %1
%2</source>
        <translation>The stage file could not be saved.
File: %1
%2</translation>
    </message>
    <message>
        <source>最短手順がまだ見つかっていないので、解答ファイルは保存していません</source>
        <translation>No shortest clear found yet, so no answer file was saved</translation>
    </message>
    <message>
        <source>アンサーファイルが書きこめませんでした。
ファイル: %1
%2</source>
        <translation>The answer file could not be written.
File: %1
%2</translation>
    </message>
    <message>
        <source>主人公の初期位置は必ず指定してください。</source>
        <translation>Please place the hero&apos;s start.</translation>
    </message>
    <message>
        <source>更新があります。保存して終了しますか？</source>
        <translation>The stage has changed. Save it before quitting?</translation>
    </message>
    <message>
        <source>面エディタ終了</source>
        <translation>Quit the stage editor</translation>
    </message>
</context>
<context>
    <name>FormEnding</name>
    <message>
        <source>モルビク -Morvik-</source>
        <translation>Morvik</translation>
    </message>
    <message>
        <source>[ESC]:終了</source>
        <translation>[ESC]: Quit</translation>
    </message>
    <message>
        <source>終了しますか？</source>
        <translation>Quit the game?</translation>
    </message>
</context>
<context>
    <name>FormMain</name>
    <message>
        <source>合言葉は、
「BLUEKITES」だ。

じゃあな！また会おうや。</source>
        <translation>The password is
&quot;BLUEKITES&quot;.

See ya! Let&apos;s meet again sometime.</translation>
    </message>
    <message>
        <source>頑さんからのメッセージ</source>
        <translation>A message from Gan</translation>
    </message>
    <message>
        <source>モルビク -Morvik-</source>
        <translation>Morvik</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>ギブアップ</source>
        <translation>Give up</translation>
    </message>
    <message>
        <source>一手戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>アンサーガイド</source>
        <translation>Answer guide</translation>
    </message>
    <message>
        <source>タイトル画面へ(&amp;T)</source>
        <translation>To the &amp;title screen</translation>
    </message>
    <message>
        <source>ゲーム終了(&amp;X)</source>
        <translation>E&amp;xit the game</translation>
    </message>
    <message>
        <source>設定(&amp;C)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>BGMあり</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>サウンドあり</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>モルビク操作方法のヘルプ(&amp;H)    F1</source>
        <translation>&amp;How to play    F1</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Morvik</translation>
    </message>
    <message>
        <source>作者ホームページへ</source>
        <translation>Visit the authors&apos; home page</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>アンサー</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>次の一手を教えます（H）</source>
        <translation>Shows the next move (H)</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>タイトル画面に戻る(&amp;B)</source>
        <translation>&amp;Back to the title screen</translation>
    </message>
    <message>
        <source>エディット画面に戻る(&amp;B)</source>
        <translation>&amp;Back to the stage editor</translation>
    </message>
    <message>
        <source>アンサーファイルを生成しますか？</source>
        <translation>Make an answer file?</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>もう一度しますか？</source>
        <translation>Play again?</translation>
    </message>
    <message>
        <source>メイン</source>
        <translation>main</translation>
    </message>
    <message>
        <source>ユーザ</source>
        <translation>user</translation>
    </message>
    <message>
        <source>スーパー</source>
        <translation>super</translation>
    </message>
    <message>
        <source>%1ストーリーの最後のステージをクリアしました。
おめでとうございます！</source>
        <translation>You have cleared the last stage of the %1 story.
Congratulations!</translation>
    </message>
    <message>
        <source>%1〜%2</source>
        <translation>%1-%2</translation>
    </message>
    <message>
        <source>取る花もPXもありません</source>
        <translation>No flower and no PX piece to take</translation>
    </message>
    <message>
        <source>花を交互に取れません</source>
        <translation>The flowers cannot be taken in turn</translation>
    </message>
    <message>
        <source>たどり着けない花があります</source>
        <translation>A flower cannot be reached</translation>
    </message>
    <message>
        <source>穴まで運べないPXがあります</source>
        <translation>A PX piece cannot be brought to a hole</translation>
    </message>
    <message>
        <source>取れない花かPXがあります</source>
        <translation>A flower or PX piece cannot be taken</translation>
    </message>
    <message>
        <source>どの手順でもクリアできません</source>
        <translation>No sequence of moves clears it</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>計算中</source>
        <translation>working</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>手数 %1&#x3000;ベスト %2&#x3000;最短 %3</source>
        <translation>Presses %1  Best %2  Fewest %3</translation>
    </message>
    <message>
        <source>&#x3000;★</source>
        <translation> ★</translation>
    </message>
    <message>
        <source>このステージはクリアできません（%1）。</source>
        <translation>This stage cannot be cleared (%1).</translation>
    </message>
    <message>
        <source>ベスト記録を保存できませんでした（%1）。</source>
        <translation>The best record could not be saved (%1).</translation>
    </message>
    <message>
        <source>ヒントを考えています…</source>
        <translation>Thinking of a hint...</translation>
    </message>
    <message>
        <source>ヒントを取り消しました。</source>
        <translation>Hint cancelled.</translation>
    </message>
    <message>
        <source>この状態からはクリアできません。一手戻すか、Deleteでやり直しましょう。</source>
        <translation>The stage cannot be cleared from here. Undo a move, or press Delete to start again.</translation>
    </message>
    <message>
        <source>考える手が多すぎて、答えが見つかりませんでした。</source>
        <translation>Too many moves to think through: no answer was found.</translation>
    </message>
    <message>
        <source>%1秒では答えが見つかりませんでした。</source>
        <translation>No answer was found in %1 seconds.</translation>
    </message>
    <message>
        <source>%1手戻せば、ヒントがすぐに出ます。</source>
        <translation>Undo %1 moves, and a hint comes at once.</translation>
    </message>
    <message>
        <source>ヒント：%1 を押しましょう（あと最短 %2 手）。</source>
        <translation>Hint: press %1 (%2 presses to go at fewest).</translation>
    </message>
    <message>
        <source>ヒント：X で %1 マス跳びましょう。メーターが %2 目盛り目で X（あと最短 %3 手）。</source>
        <translation>Hint: jump %1 cells with X; press X at meter mark %2 (%3 presses to go at fewest).</translation>
    </message>
    <message>
        <source>アンサーファイルを読み込めません。
%1
%2</source>
        <translation>The answer file cannot be read.
%1
%2</translation>
    </message>
    <message>
        <source>アンサーファイル読み込みエラー</source>
        <translation>Answer file error</translation>
    </message>
    <message>
        <source>次のアンサーファイルが見つかりません。
%1</source>
        <translation>This answer file cannot be found:
%1</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>[ %1 ]
は、アンサーファイルではありません。</source>
        <translation>[ %1 ]
is not an answer file.</translation>
    </message>
    <message>
        <source>アンサーファイルを保存しました。
%1</source>
        <translation>The answer file was saved.
%1</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>アンサーファイルが書きこめませんでした。
ファイル: %1
%2</source>
        <translation>The answer file could not be written.
File: %1
%2</translation>
    </message>
</context>
<context>
    <name>FormTitle</name>
    <message>
        <source>モルビク -Morvik-</source>
        <translation>Morvik</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>最初からスタート(&amp;S)</source>
        <translation>&amp;Start from the beginning</translation>
    </message>
    <message>
        <source>続きの面からスタート(&amp;C)</source>
        <translation>&amp;Continue</translation>
    </message>
    <message>
        <source>ステージエディタ(&amp;E)</source>
        <translation>Stage &amp;editor</translation>
    </message>
    <message>
        <source>ステージデータを開く(&amp;O)...</source>
        <translation>&amp;Open stage file...</translation>
    </message>
    <message>
        <source>プレイデータ消去</source>
        <translation>Erase play data</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>設定(&amp;C)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>BGMあり</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>サウンドあり</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>モルビクのヘルプ(&amp;H)</source>
        <translation>Morvik &amp;help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Morvik</translation>
    </message>
    <message>
        <source>作者ホームぺージへ</source>
        <translation>Visit the authors&apos; home page</translation>
    </message>
    <message>
        <source>メイン 30</source>
        <translation>Main 30</translation>
    </message>
    <message>
        <source>ユーザ 13</source>
        <translation>User 13</translation>
    </message>
    <message>
        <source>スーパー 21</source>
        <translation>Super 21</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>モルビクのヘルプ</source>
        <translation>Morvik Help</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>キーワードを入力</source>
        <translation>Type a keyword</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>ヘルプファイル（%1）が見つかりません。
%2</source>
        <translation>The help file (%1) was not found.
%2</translation>
    </message>
    <message>
        <source>ヘルプファイル（%1）を読み込めません。
%2</source>
        <translation>The help file (%1) cannot be read.
%2</translation>
    </message>
    <message>
        <source> － </source>
        <translation> - </translation>
    </message>
</context>
<context>
    <name>PictureStore</name>
    <message>
        <source>ほか%1個</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>次の画像ファイルが見つからないか、読み込めません。代わりの印で表示します。
フォルダ: %1
%2</source>
        <translation>These picture files are missing or cannot be read. Marks are shown in their place.
Folder: %1
%2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>画像ファイル</source>
        <translation>Picture files</translation>
    </message>
</context>
<context>
    <name>PlayInfoFile</name>
    <message>
        <source>セーブデータが読めません。</source>
        <translation>The saved data cannot be read.</translation>
    </message>
    <message>
        <source>これまでセーブされたものは、すべて無効となります。</source>
        <translation>Everything saved so far is lost.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>フォルダです。ファイルを選んでください。</source>
        <translation>This is a folder. Please choose a file.</translation>
    </message>
    <message>
        <source>ふつうのファイルではありません（名前付きパイプや装置のファイルなど）。</source>
        <translation>This is not an ordinary file (it is a named pipe, a device or the like).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1バイト。%2バイトまでです）。</source>
        <translation>The file is too large (%1 bytes; at most %2 bytes).</translation>
    </message>
    <message>
        <source>ファイルを読めません（%1）。</source>
        <translation>The file cannot be read (%1).</translation>
    </message>
    <message>
        <source>読み込みエラー</source>
        <translation>read error</translation>
    </message>
</context>
<context>
    <name>ResetProgress</name>
    <message>
        <source>プレイデータを消去し、どのステージもクリアしていない状態にします。</source>
        <translation>This erases your play data: no stage will count as cleared.</translation>
    </message>
    <message>
        <source>データ消去</source>
        <translation>Erase data</translation>
    </message>
</context>
<context>
    <name>StageLoader</name>
    <message>
        <source>ステージデータのファイルを開けません。
ファイル: %1
%2</source>
        <translation>The stage file cannot be opened.
File: %1
%2</translation>
    </message>
</context>
<context>
    <name>StageReader</name>
    <message>
        <source>主人公の位置は2桁の数字1つか「*」でなければなりません。</source>
        <translation>The hero&apos;s place must be one two-digit number or &quot;*&quot;.</translation>
    </message>
    <message>
        <source>（主人公の行が「*」なので主人公は左上の00のマスにいます）</source>
        <translation> (the hero&apos;s line is &quot;*&quot;, so the hero stands on cell 00 at the top left)</translation>
    </message>
    <message>
        <source>石</source>
        <translation>Stone</translation>
    </message>
    <message>
        <source>黄色の花</source>
        <translation>Yellow flower</translation>
    </message>
    <message>
        <source>赤い花</source>
        <translation>Red flower</translation>
    </message>
    <message>
        <source>PX</source>
        <translation>PX piece</translation>
    </message>
    <message>
        <source>穴</source>
        <translation>Hole</translation>
    </message>
    <message>
        <source>%1が多すぎます（%2個。最大%3個まで）。</source>
        <translation>%1: too many (%2; at most %3).</translation>
    </message>
    <message>
        <source>主人公</source>
        <translation>Hero</translation>
    </message>
    <message>
        <source>%1が主人公と同じマス（%2）に置かれています%3。</source>
        <translation>%1 on the hero&apos;s cell (%2)%3.</translation>
    </message>
    <message>
        <source>%1の位置 %2 が2度書かれています。</source>
        <translation>%1 at %2 is written twice.</translation>
    </message>
    <message>
        <source>%1の位置 %2 には、%3行目の%4が置かれています。</source>
        <translation>%1 at %2: that cell already holds a piece from line %3 (%4).</translation>
    </message>
    <message>
        <source>最初に取る花の色は「0」（黄色）か「1」（赤）でなければなりません。</source>
        <translation>The first flower must be &quot;0&quot; (yellow) or &quot;1&quot; (red).</translation>
    </message>
    <message>
        <source>音楽の番号が数字ではありません。</source>
        <translation>The music number is not a number.</translation>
    </message>
    <message>
        <source>地形の%1行目が20文字ではありません（%2文字）。</source>
        <translation>Terrain row %1 is not 20 characters long (it has %2).</translation>
    </message>
    <message>
        <source>地形の%1行目の%2列目に知らないマスのコード「%3」があります。</source>
        <translation>Terrain row %1, column %2 holds an unknown cell code &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>%1の位置の並びが2桁ずつになっていません。</source>
        <translation>%1: the places are not in pairs of digits.</translation>
    </message>
    <message>
        <source>%1の位置に数字でない文字があります。</source>
        <translation>%1: a place holds a character that is not a digit.</translation>
    </message>
    <message>
        <source>ステージの途中でファイルが終わっています（%1行しかありません。%2行必要です）。</source>
        <translation>The file ends in the middle of the stage (only %1 lines; %2 are needed).</translation>
    </message>
    <message>
        <source>%1が穴のマス（%2）に置かれています。穴の上にキャラクタは置けません。</source>
        <translation>%1 on a hole (%2): nothing can stand on a hole.</translation>
    </message>
    <message>
        <source>ステージデータを読み込めません。
ファイル: %1</source>
        <translation>The stage file cannot be read.
File: %1</translation>
    </message>
    <message>
        <source>%1行目: </source>
        <translation>Line %1: </translation>
    </message>
    <message>
        <source>データが見つかりません。</source>
        <translation>The stage was not found.</translation>
    </message>
    <message>
        <source>UTF-16などで書かれたファイルか、テキストファイルではありません。ステージデータはASCII文字だけのテキストです。</source>
        <translation>The file is written in UTF-16 or the like, or is not a text file. A stage file is text in ASCII characters only.</translation>
    </message>
    <message>
        <source>改行がCRだけになっています。行はCR LFで区切ってください。</source>
        <translation>The lines end in CR alone. End each line with CR LF.</translation>
    </message>
</context>
<context>
    <name>StageVerdict</name>
    <message>
        <source>花もPXもありません</source>
        <translation>no flower and no PX piece</translation>
    </message>
    <message>
        <source>黄色と赤の花を交互にとれない数です</source>
        <translation>the yellow and red flowers cannot be taken in turn</translation>
    </message>
    <message>
        <source>主人公が届かない花があります</source>
        <translation>the hero cannot reach a flower</translation>
    </message>
    <message>
        <source>穴まで運べないPXがあります</source>
        <translation>a PX piece cannot reach a hole</translation>
    </message>
    <message>
        <source>とれない花かPXがあります</source>
        <translation>a flower or PX piece cannot be taken</translation>
    </message>
    <message>
        <source>どう動いてもクリアできません</source>
        <translation>no way of moving clears it</translation>
    </message>
    <message>
        <source>主人公の初期位置がありません</source>
        <translation>The hero has no start</translation>
    </message>
    <message>
        <source>クリアできます：最短 %1 手</source>
        <translation>Can be cleared: fewest %1 presses</translation>
    </message>
    <message>
        <source>わかりません（上限）</source>
        <translation>Unknown (limit reached)</translation>
    </message>
    <message>
        <source>クリアできません（理由：%1）</source>
        <translation>Cannot be cleared (%1)</translation>
    </message>
    <message>
        <source>調べています… %1 状態</source>
        <translation>Searching... %1 states</translation>
    </message>
</context>
<context>
    <name>ViewScale</name>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>%1倍(&amp;%1)</source>
        <translation>%1x (&amp;%1)</translation>
    </message>
</context>
</TS>
