<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgFind</name>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Find what:</source>
        <translation>查找内容：</translation>
    </message>
    <message>
        <source>Match whole word only</source>
        <translation>全字匹配</translation>
    </message>
    <message>
        <source>Search up</source>
        <translation>向上搜索</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>区分大小写</translation>
    </message>
    <message>
        <source>Wrap search</source>
        <translation>循环搜索</translation>
    </message>
    <message>
        <source>Use regular expression</source>
        <translation>使用正则表达式</translation>
    </message>
    <message>
        <source>Auto close after click &quot;Find Next&quot;</source>
        <translation>点击“查找下一个”后自动关闭</translation>
    </message>
    <message>
        <source>Thransparent</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>替换为：</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>查找下一个</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>全部替换</translation>
    </message>
    <message>
        <source>Find: the top has been reached.</source>
        <translation>查找：已到达顶部。</translation>
    </message>
    <message>
        <source>Find: the end has been reached.</source>
        <translation>查找：已到达末尾。</translation>
    </message>
    <message>
        <source>Find: the string cannot be found.</source>
        <translation>查找：找不到该字符串。</translation>
    </message>
    <message>
        <source>Replace All: %1 item has been replaced.</source>
        <translation>全部替换：已替换 %1 项。</translation>
    </message>
    <message>
        <source>Replace All: %1 items have been replaced.</source>
        <translation>全部替换：已替换 %1 项。</translation>
    </message>
</context>
<context>
    <name>CDlgGo</name>
    <message>
        <source>Go to Line</source>
        <translation>转到行</translation>
    </message>
    <message>
        <source>Line:</source>
        <translation>行：</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>转到</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CEditWebView</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Open file position</source>
        <translation>打开文件所在位置</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>文件已修改</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>确定要刷新并放弃所做的修改吗？</translation>
    </message>
</context>
<context>
    <name>CFileSaver</name>
    <message>
        <source>The text could not be taken from the editor.</source>
        <translation>无法从编辑器获取文本。</translation>
    </message>
</context>
<context>
    <name>CFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Ext. Name</source>
        <translation>扩展名</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>修改日期</translation>
    </message>
</context>
<context>
    <name>CHighlightEdit</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Open file position</source>
        <translation>打开文件所在位置</translation>
    </message>
    <message>
        <source>row: %1, col: %2, sel: %3</source>
        <translation>行: %1, 列: %2, 选中: %3</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>Fail to open file</source>
        <translation>打开文件失败</translation>
    </message>
    <message>
        <source>Fail to open file(%1).</source>
        <translation>打开文件失败(%1)。</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>文件已修改</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>确定要刷新并放弃所做的修改吗？</translation>
    </message>
    <message>
        <source>Cannot open file(%1).</source>
        <translation>无法打开文件(%1)。</translation>
    </message>
    <message>
        <source>Toggle Comment</source>
        <translation>切换注释</translation>
    </message>
    <message>
        <source>Fail to verify valid</source>
        <translation>验证失败</translation>
    </message>
    <message>
        <source>Line %1, Column %2: %3</source>
        <translation>第 %1 行，第 %2 列：%3</translation>
    </message>
    <message>
        <source>The JSON text cannot be laid out.</source>
        <translation>无法排版该 JSON 文本。</translation>
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
        <translation>正在载入 %p%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Stop loading and close the tab</source>
        <translation>停止载入并关闭此标签页</translation>
    </message>
</context>
<context>
    <name>CLongLineBar</name>
    <message>
        <source>Format</source>
        <translation>格式化</translation>
    </message>
    <message>
        <source>Open for editing anyway</source>
        <translation>仍然打开以编辑</translation>
    </message>
    <message>
        <source>This file has lines longer than %1 characters. They are shown split, read-only; saving keeps the file&apos;s own lines.</source>
        <translation>此文件含有超过 %1 个字符的行。这些行被拆分显示且为只读；保存时保留文件原有的行。</translation>
    </message>
</context>
<context>
    <name>CLongLineView</name>
    <message>
        <source>Cannot format: the text is not valid JSON.</source>
        <translation>无法格式化：此文本不是有效的 JSON。</translation>
    </message>
</context>
<context>
    <name>CPreviewWidget</name>
    <message>
        <source>Open position of file</source>
        <translation>打开文件所在位置</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
</context>
<context>
    <name>CWidgetFavorFileList</name>
    <message>
        <source>No selected folder</source>
        <translation>未选择文件夹</translation>
    </message>
    <message>
        <source>Please select a folder on Folder Browser.</source>
        <translation>请在文件夹浏览器中选择一个文件夹。</translation>
    </message>
</context>
<context>
    <name>CWidgetFavoriteFolder</name>
    <message>
        <source>Open position of file/folder</source>
        <translation>打开文件/文件夹所在位置</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Main Folder List</source>
        <translation>常用文件夹列表</translation>
    </message>
    <message>
        <source>No selected folder</source>
        <translation>未选择文件夹</translation>
    </message>
    <message>
        <source>Please select a favor folder on Main Folder List to remove.</source>
        <translation>请在常用文件夹列表中选择要移除的文件夹。</translation>
    </message>
</context>
<context>
    <name>CWidgetFileList</name>
    <message>
        <source>Open position of file/folder</source>
        <translation>打开文件/文件夹所在位置</translation>
    </message>
    <message>
        <source>Open file/folder by default application</source>
        <translation>用默认程序打开文件/文件夹</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上一级</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Select a folder</source>
        <translation>选择文件夹</translation>
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
        <translation>文件</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Text Codec</source>
        <translation>文本编码</translation>
    </message>
    <message>
        <source>Return Format</source>
        <translation>换行格式</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Main ToolBar</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>HTML ToolBar</source>
        <translation>HTML 工具栏</translation>
    </message>
    <message>
        <source>New Text</source>
        <translation>新建文本</translation>
    </message>
    <message>
        <source>New HTML</source>
        <translation>新建 HTML</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>打开...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>全部保存</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Recent File 1</source>
        <translation>最近的文件 1</translation>
    </message>
    <message>
        <source>Recent File 2</source>
        <translation>最近的文件 2</translation>
    </message>
    <message>
        <source>Recent File 3</source>
        <translation>最近的文件 3</translation>
    </message>
    <message>
        <source>Recent File 4</source>
        <translation>最近的文件 4</translation>
    </message>
    <message>
        <source>Recent File 5</source>
        <translation>最近的文件 5</translation>
    </message>
    <message>
        <source>Recent File 6</source>
        <translation>最近的文件 6</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>查找...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>查找下一个</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>查找上一个</translation>
    </message>
    <message>
        <source>Replace...</source>
        <translation>替换...</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Ctrl+H</source>
        <translation>Ctrl+H</translation>
    </message>
    <message>
        <source>Go to Line...</source>
        <translation>转到行...</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>Toggle Comment</source>
        <translation>切换注释</translation>
    </message>
    <message>
        <source>Ctrl+/</source>
        <translation>Ctrl+/</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Left to Right</source>
        <translation>从左到右</translation>
    </message>
    <message>
        <source>Right to Left</source>
        <translation>从右到左</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>SwapHtml</source>
        <translation>切换 HTML</translation>
    </message>
    <message>
        <source>Switch html and source</source>
        <translation>在 HTML 页面和源代码之间切换</translation>
    </message>
    <message>
        <source>Verify Valid</source>
        <translation>验证格式</translation>
    </message>
    <message>
        <source>Verify Valid of content</source>
        <translation>验证内容格式是否正确</translation>
    </message>
    <message>
        <source>Formatting</source>
        <translation>格式化</translation>
    </message>
    <message>
        <source>Color Dialog</source>
        <translation>颜色对话框</translation>
    </message>
    <message>
        <source>Line Wrap</source>
        <translation>自动换行</translation>
    </message>
    <message>
        <source>Unknown Format</source>
        <translation>未知格式</translation>
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
        <translation>关于</translation>
    </message>
    <message>
        <source>Col, Row and Selected</source>
        <translation>行、列和选中字符数</translation>
    </message>
    <message>
        <source>Program Language</source>
        <translation>程序语言</translation>
    </message>
    <message>
        <source>Open position of file</source>
        <translation>打开文件所在位置</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Folder Browser</source>
        <translation>文件夹浏览器</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>文字颜色</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(空)</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>关于 %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;%1 %2&lt;/h2&gt;&lt;p&gt;An editor for text and web files: code with syntax highlighting in many languages, HTML pages edited as pages or as source, and images.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; Norvel Software.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1 %2&lt;/h2&gt;&lt;p&gt;一款文本和网页文件编辑器：支持多种语言语法高亮的代码编辑，以页面或源代码方式编辑 HTML 页面，以及查看图片。&lt;/p&gt;&lt;p&gt;版权所有 &amp;copy; Norvel Software。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Unknown Language</source>
        <translation>未知语言</translation>
    </message>
    <message>
        <source>New file</source>
        <translation>新文件</translation>
    </message>
    <message>
        <source>Fail to open file</source>
        <translation>打开文件失败</translation>
    </message>
    <message>
        <source>Fail to open file(%1).</source>
        <translation>打开文件失败(%1)。</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Web file (*.html *.htm *.css *.js)</source>
        <translation>网页文件 (*.html *.htm *.css *.js)</translation>
    </message>
    <message>
        <source>Fail to save file</source>
        <translation>保存文件失败</translation>
    </message>
    <message>
        <source>Cannot open file(%1).</source>
        <translation>无法打开文件(%1)。</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>无法打开文件</translation>
    </message>
    <message>
        <source>File Modified</source>
        <translation>文件已修改</translation>
    </message>
    <message>
        <source>Are you sure to refresh and discard the modification?</source>
        <translation>确定要刷新并放弃所做的修改吗？</translation>
    </message>
    <message>
        <source>File modified</source>
        <translation>文件已修改</translation>
    </message>
    <message>
        <source>Do you save the modified file?</source>
        <translation>是否保存已修改的文件？</translation>
    </message>
    <message>
        <source>Restore the last session</source>
        <translation>恢复上次的会话</translation>
    </message>
    <message>
        <source>Keep unsaved changes on exit</source>
        <translation>退出时保留未保存的修改</translation>
    </message>
    <message>
        <source>This file has changed on disk.</source>
        <translation>此文件已在磁盘上被修改。</translation>
    </message>
    <message>
        <source>This file was deleted on disk.</source>
        <translation>此文件已从磁盘上删除。</translation>
    </message>
    <message numerus="yes">
        <source>%n document(s) with unsaved changes from a run that ended unexpectedly can be recovered.</source>
        <translation>
            <numerusform>上次意外结束的运行中有 %n 个文档的未保存修改可以恢复。</numerusform>
        </translation>
    </message>
    <message>
        <source>Damaged recovery files were ignored.</source>
        <translation>已忽略损坏的恢复文件。</translation>
    </message>
    <message>
        <source>The last session could not be read and was ignored.</source>
        <translation>无法读取上次的会话，已忽略。</translation>
    </message>
    <message>
        <source>Opening the last session did not finish the last time. Open its documents again?</source>
        <translation>上次打开会话时未能完成。要再次打开其中的文档吗？</translation>
    </message>
    <message>
        <source>Not restored, no longer on disk: %1</source>
        <translation>未恢复，磁盘上已不存在：%1</translation>
    </message>
    <message>
        <source>Parts of the last session could not be read and were ignored.</source>
        <translation>上次会话的部分内容无法读取，已忽略。</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>重新加载(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Keep mine</source>
        <translation>保留我的版本(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>恢复(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>丢弃(&amp;D)</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a device, a pipe or a socket) and cannot be opened.</source>
        <translation>%1 不是普通文件（而是设备、管道或套接字），无法打开。</translation>
    </message>
    <message>
        <source>%1 is too large to open: %2 (at most %3).</source>
        <translation>%1 太大，无法打开：%2（最大 %3）。</translation>
    </message>
    <message>
        <source>The format of the content is good.</source>
        <translation>内容格式正确。</translation>
    </message>
    <message>
        <source>Page modified</source>
        <translation>页面已修改</translation>
    </message>
    <message>
        <source>Do you save the modified page?</source>
        <translation>是否保存已修改的页面？</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>Switch to html page edit</source>
        <translation>切换到 HTML 页面编辑</translation>
    </message>
    <message>
        <source>Switch to html source edit</source>
        <translation>切换到 HTML 源代码编辑</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>正在保存 %1...</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>The file is read-only.</source>
        <translation>该文件是只读的。</translation>
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
