#ifndef CHIGHLIGHTEDIT_H
#define CHIGHLIGHTEDIT_H

#include <QColor>
#include <QMenu>
#include <QPair>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVariantMap>

class CEditWebView;
class CLineNumberArea;
class CTextDocument;
class CThreadHighlighter;

// The code editor of every text tab: a plain-text editor with a line-number
// gutter, a current-line bar, a font size shared by all editors (Ctrl+wheel),
// and the file state of its document (path, codec, line endings).
class CHighlightEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    enum ReturnFormat { ReturnWindows = 0, ReturnUnix = 1, ReturnOSX = 2 };

    explicit CHighlightEdit(QWidget* parent = nullptr);
    ~CHighlightEdit() override;

    int lineNumberAreaWidth() const;
    void lineNumberAreaPaintEvent(QPaintEvent* event);
    bool jumpToLine(int nLine);
    bool isModified() const;
    void setModified(bool bModified);
    void setLineWrap(bool bWrap);
    QString getSelectedText() const;
    QString getStatusText() const;
    CTextDocument* textDocument() const { return m_pDocument; }
    CThreadHighlighter* highlighter() const { return m_pHighlighter; }
    QString getLanguage() const;
    void setLanguage(const QVariantMap& mapDef);
    void clearAdditionalFormats();
    CEditWebView* editWebView() const { return m_pEditWebView; }
    void setEditWebView(CEditWebView* pView) { m_pEditWebView = pView; }

    // File state and content.
    QString filePath() const { return m_strFilePath; }
    QString fileSuffix() const { return m_strFileSuffix; }
    void setFilePath(const QString& strPath);
    QString getTitle() const;
    QString codecName() const { return m_strCodecName; }
    int returnFormat() const { return m_nReturnFormat; }
    void setReturnFormat(int nFormat) { m_nReturnFormat = nFormat; }
    void loadContent(const QByteArray& arrBytes, bool bKeepModified);
    bool setTextCodec(const QString& strName);
    QString getTextForSave() const;
    bool reloadFile();

signals:
    void focusIn();
    void findToTop();
    void findToBottom();
    void cannotFound();
    void replaceNum(int nCount);

public slots:
    void updateLineNumberAreaWidth(int nBlockCount);
    void updateLineNumberAreaWidth();
    void onTextFontSize(int nVal);
    void onSelectionChanged();
    void updateLineNumberArea(const QRect& rect, int nDy);
    void highlightCurrentLine();
    void onTimeoutKeepModified();
    void onRefresh();
    void onOpenFilePosition();
    void onFormatsChanged(int nFrom, int nTo);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QFont gutterFont(bool bBold) const;
    QPair<QTextBlock, QTextBlock> visibleBlocks() const;
    void requestVisibleFormats();
    // Replaces the whole text, handing it to the highlighter without a copy.
    void setDocumentText(const QString& strText);
    bool readFile(QByteArray& arrBytes) const;

    bool m_bKeepModified = false;
    QString m_strFilePath;
    QString m_strFileSuffix;
    QString m_strCodecName;
    CTextDocument* m_pDocument = nullptr;
    CThreadHighlighter* m_pHighlighter = nullptr;
    CEditWebView* m_pEditWebView = nullptr;
    CLineNumberArea* m_pLineNumberArea = nullptr;
    QString m_strLineNumberFontFamily;
    QMenu m_menu;
    QColor m_clrCurrentLine;
    int m_nReturnFormat = ReturnWindows;
};

#endif
