<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
