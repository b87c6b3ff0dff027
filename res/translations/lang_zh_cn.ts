<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</context>
</TS>
