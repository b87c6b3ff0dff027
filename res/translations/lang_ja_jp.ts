<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CHighlightEdit</name>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>再読み込み</translation>
    </message>
    <message>
        <source>Open file position</source>
        <translation>ファイルの場所を開く</translation>
    </message>
    <message>
        <source>row: %1, col: %2, sel: %3</source>
        <translation>行: %1, 列: %2, 選択: %3</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Fail to open file</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>Fail to open file(%1).</source>
        <translation>ファイルを開けませんでした(%1)。</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>ファイルが変更されています</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>再読み込みして変更を破棄してもよろしいですか?</translation>
    </message>
    <message>
        <source>Cannot open file(%1).</source>
        <translation>ファイルを開けません(%1)。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Scribo</source>
        <translation>Scribo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>書式</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Text Codec</source>
        <translation>文字コード</translation>
    </message>
    <message>
        <source>Return Format</source>
        <translation>改行形式</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Main ToolBar</source>
        <translation>メインツールバー</translation>
    </message>
    <message>
        <source>HTML ToolBar</source>
        <translation>HTML ツールバー</translation>
    </message>
    <message>
        <source>New Text</source>
        <translation>新規テキスト</translation>
    </message>
    <message>
        <source>New HTML</source>
        <translation>新規 HTML</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>開く...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>名前を付けて保存...</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>すべて保存</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Recent File 1</source>
        <translation>最近使ったファイル 1</translation>
    </message>
    <message>
        <source>Recent File 2</source>
        <translation>最近使ったファイル 2</translation>
    </message>
    <message>
        <source>Recent File 3</source>
        <translation>最近使ったファイル 3</translation>
    </message>
    <message>
        <source>Recent File 4</source>
        <translation>最近使ったファイル 4</translation>
    </message>
    <message>
        <source>Recent File 5</source>
        <translation>最近使ったファイル 5</translation>
    </message>
    <message>
        <source>Recent File 6</source>
        <translation>最近使ったファイル 6</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>検索...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Replace...</source>
        <translation>置換...</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Ctrl+H</source>
        <translation>Ctrl+H</translation>
    </message>
    <message>
        <source>Go to Line...</source>
        <translation>行へ移動...</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>Toggle Comment</source>
        <translation>コメントの切り替え</translation>
    </message>
    <message>
        <source>Ctrl+/</source>
        <translation>Ctrl+/</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>再読み込み</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下線</translation>
    </message>
    <message>
        <source>Left to Right</source>
        <translation>左から右へ</translation>
    </message>
    <message>
        <source>Right to Left</source>
        <translation>右から左へ</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>SwapHtml</source>
        <translation>HTML 切り替え</translation>
    </message>
    <message>
        <source>Switch html and source</source>
        <translation>HTML ページとソースを切り替え</translation>
    </message>
    <message>
        <source>Verify Valid</source>
        <translation>書式の検証</translation>
    </message>
    <message>
        <source>Verify Valid of content</source>
        <translation>内容の書式が正しいか検証</translation>
    </message>
    <message>
        <source>Formatting</source>
        <translation>整形</translation>
    </message>
    <message>
        <source>Color Dialog</source>
        <translation>色の選択ダイアログ</translation>
    </message>
    <message>
        <source>Line Wrap</source>
        <translation>右端で折り返す</translation>
    </message>
    <message>
        <source>Unknown Format</source>
        <translation>不明な形式</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Unix</source>
        <translation>Unix</translation>
    </message>
    <message>
        <source>OSX</source>
        <translation>OSX</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Col, Row and Selected</source>
        <translation>行、列、選択文字数</translation>
    </message>
    <message>
        <source>Program Language</source>
        <translation>プログラム言語</translation>
    </message>
    <message>
        <source>Open position of file</source>
        <translation>ファイルの場所を開く</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>Folder Browser</source>
        <translation>フォルダーブラウザー</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>文字色</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>&lt;h2&gt;%1 %2&lt;/h2&gt;&lt;p&gt;An editor for text and web files: code with syntax highlighting in many languages, HTML pages edited as pages or as source, and images.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; Norvel Software.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1 %2&lt;/h2&gt;&lt;p&gt;テキストと Web ファイルのためのエディター：多くの言語の構文ハイライト付きコード編集、HTML ページのページ編集とソース編集、画像の表示。&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; Norvel Software.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Unknown Language</source>
        <translation>不明な言語</translation>
    </message>
    <message>
        <source>New file</source>
        <translation>新しいファイル</translation>
    </message>
    <message>
        <source>Fail to open file</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>Fail to open file(%1).</source>
        <translation>ファイルを開けませんでした(%1)。</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Web file (*.html *.htm *.css *.js)</source>
        <translation>Web ファイル (*.html *.htm *.css *.js)</translation>
    </message>
    <message>
        <source>Fail to save file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>Cannot open file(%1).</source>
        <translation>ファイルを開けません(%1)。</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>ファイルを保存</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>ファイルが変更されています</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>再読み込みして変更を破棄してもよろしいですか?</translation>
    </message>
    <message>
        <source>File modified</source>
        <translation>ファイルが変更されています</translation>
    </message>
    <message>
        <source>Do you save the modified file?</source>
        <translation>変更されたファイルを保存しますか?</translation>
    </message>
</context>
</TS>
