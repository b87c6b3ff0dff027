<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CDlgFind</name>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find what:</source>
        <translation>検索する文字列:</translation>
    </message>
    <message>
        <source>Match whole word only</source>
        <translation>単語単位で探す</translation>
    </message>
    <message>
        <source>Search up</source>
        <translation>上へ検索</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>大文字と小文字を区別する</translation>
    </message>
    <message>
        <source>Wrap search</source>
        <translation>折り返して検索</translation>
    </message>
    <message>
        <source>Use regular expression</source>
        <translation>正規表現を使う</translation>
    </message>
    <message>
        <source>Auto close after click &quot;Find Next&quot;</source>
        <translation>「次を検索」の後に自動で閉じる</translation>
    </message>
    <message>
        <source>Thransparent</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>置換後の文字列:</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Find: the top has been reached.</source>
        <translation>検索: 先頭に達しました。</translation>
    </message>
    <message>
        <source>Find: the end has been reached.</source>
        <translation>検索: 末尾に達しました。</translation>
    </message>
    <message>
        <source>Find: the string cannot be found.</source>
        <translation>検索: 文字列が見つかりません。</translation>
    </message>
    <message>
        <source>Replace All: %1 item has been replaced.</source>
        <translation>すべて置換: %1 件を置換しました。</translation>
    </message>
    <message>
        <source>Replace All: %1 items have been replaced.</source>
        <translation>すべて置換: %1 件を置換しました。</translation>
    </message>
</context>
<context>
    <name>CDlgGo</name>
    <message>
        <source>Go to Line</source>
        <translation>行へ移動</translation>
    </message>
    <message>
        <source>Line:</source>
        <translation>行:</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>CEditWebView</name>
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
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>ファイルが変更されています</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>再読み込みして変更を破棄してもよろしいですか?</translation>
    </message>
</context>
<context>
    <name>CFileSaver</name>
    <message>
        <source>The text could not be taken from the editor.</source>
        <translation>エディターからテキストを取得できませんでした。</translation>
    </message>
</context>
<context>
    <name>CFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Ext. Name</source>
        <translation>拡張子</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>更新日時</translation>
    </message>
</context>
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
    <message>
        <source>Toggle Comment</source>
        <translation>コメントの切り替え</translation>
    </message>
    <message>
        <source>Fail to verify valid</source>
        <translation>検証に失敗しました</translation>
    </message>
    <message>
        <source>Line %1, Column %2: %3</source>
        <translation>%1 行 %2 列: %3</translation>
    </message>
    <message>
        <source>The JSON text cannot be laid out.</source>
        <translation>この JSON テキストは整形できません。</translation>
    </message>
    <message>
        <source>%1 (%2%)</source>
        <translation>%1 (%2%)</translation>
    </message>
</context>
<context>
    <name>CLoadProgress</name>
    <message>
        <source>Loading %p%</source>
        <translation>読み込み中 %p%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Stop loading and close the tab</source>
        <translation>読み込みを中止してタブを閉じる</translation>
    </message>
</context>
<context>
    <name>CLongLineBar</name>
    <message>
        <source>Format</source>
        <translation>整形</translation>
    </message>
    <message>
        <source>Open for editing anyway</source>
        <translation>それでも編集用に開く</translation>
    </message>
    <message>
        <source>This file has lines longer than %1 characters. They are shown split, read-only; saving keeps the file&apos;s own lines.</source>
        <translation>このファイルには %1 文字を超える行があります。これらの行は分割され、読み取り専用で表示されます。保存時にはファイル本来の行が保たれます。</translation>
    </message>
</context>
<context>
    <name>CLongLineView</name>
    <message>
        <source>Cannot format: the text is not valid JSON.</source>
        <translation>整形できません: このテキストは正しい JSON ではありません。</translation>
    </message>
</context>
<context>
    <name>CPreviewWidget</name>
    <message>
        <source>Open position of file</source>
        <translation>ファイルの場所を開く</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
</context>
<context>
    <name>CWidgetFavorFileList</name>
    <message>
        <source>No selected folder</source>
        <translation>フォルダーが選択されていません</translation>
    </message>
    <message>
        <source>Please select a folder on Folder Browser.</source>
        <translation>フォルダーブラウザーでフォルダーを選択してください。</translation>
    </message>
</context>
<context>
    <name>CWidgetFavoriteFolder</name>
    <message>
        <source>Open position of file/folder</source>
        <translation>ファイル/フォルダーの場所を開く</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Main Folder List</source>
        <translation>お気に入りフォルダー一覧</translation>
    </message>
    <message>
        <source>No selected folder</source>
        <translation>フォルダーが選択されていません</translation>
    </message>
    <message>
        <source>Please select a favor folder on Main Folder List to remove.</source>
        <translation>削除するフォルダーをお気に入りフォルダー一覧で選択してください。</translation>
    </message>
</context>
<context>
    <name>CWidgetFileList</name>
    <message>
        <source>Open position of file/folder</source>
        <translation>ファイル/フォルダーの場所を開く</translation>
    </message>
    <message>
        <source>Open file/folder by default application</source>
        <translation>既定のアプリケーションでファイル/フォルダーを開く</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>再読み込み</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Select a folder</source>
        <translation>フォルダーを選択</translation>
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
    <message>
        <source>Restore the last session</source>
        <translation>前回のセッションを復元</translation>
    </message>
    <message>
        <source>Keep unsaved changes on exit</source>
        <translation>終了時に未保存の変更を保持</translation>
    </message>
    <message>
        <source>This file has changed on disk.</source>
        <translation>このファイルはディスク上で変更されました。</translation>
    </message>
    <message>
        <source>This file was deleted on disk.</source>
        <translation>このファイルはディスクから削除されました。</translation>
    </message>
    <message numerus="yes">
        <source>%n document(s) with unsaved changes from a run that ended unexpectedly can be recovered.</source>
        <translation>
            <numerusform>予期せず終了した前回の実行から、未保存の変更がある %n 個のドキュメントを復元できます。</numerusform>
        </translation>
    </message>
    <message>
        <source>Damaged recovery files were ignored.</source>
        <translation>破損した復元ファイルは無視されました。</translation>
    </message>
    <message>
        <source>The last session could not be read and was ignored.</source>
        <translation>前回のセッションを読み込めなかったため、無視しました。</translation>
    </message>
    <message>
        <source>Opening the last session did not finish the last time. Open its documents again?</source>
        <translation>前回、セッションを開く処理が完了しませんでした。もう一度ドキュメントを開きますか？</translation>
    </message>
    <message>
        <source>Not restored, no longer on disk: %1</source>
        <translation>ディスク上に存在しないため復元されませんでした: %1</translation>
    </message>
    <message>
        <source>Parts of the last session could not be read and were ignored.</source>
        <translation>前回のセッションの一部を読み込めなかったため、無視しました。</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>再読み込み(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Keep mine</source>
        <translation>自分の変更を保持(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>復元(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>破棄(&amp;D)</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a device, a pipe or a socket) and cannot be opened.</source>
        <translation>%1 は通常のファイルではない（デバイス、パイプまたはソケット）ため、開けません。</translation>
    </message>
    <message>
        <source>%1 is too large to open: %2 (at most %3).</source>
        <translation>%1 は大きすぎて開けません: %2（上限 %3）。</translation>
    </message>
    <message>
        <source>The format of the content is good.</source>
        <translation>内容の書式は正しいです。</translation>
    </message>
    <message>
        <source>Page modified</source>
        <translation>ページが変更されています</translation>
    </message>
    <message>
        <source>Do you save the modified page?</source>
        <translation>変更されたページを保存しますか?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Switch to html page edit</source>
        <translation>HTML ページ編集に切り替え</translation>
    </message>
    <message>
        <source>Switch to html source edit</source>
        <translation>HTML ソース編集に切り替え</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>%1 を保存しています...</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>The file is read-only.</source>
        <translation>ファイルは読み取り専用です。</translation>
    </message>
</context>
<context>
    <name>Utils</name>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation>%1 B</translation>
    </message>
</context>
</TS>
