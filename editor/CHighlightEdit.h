#ifndef CHIGHLIGHTEDIT_H
#define CHIGHLIGHTEDIT_H

#include "editor/CStandIns.h"

#include <QColor>
#include <QMenu>
#include <QPair>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVariantMap>

struct DecodedText;
class CDocumentContent;
class CEditWebView;
class CLineSnapshot;
class CLineNumberArea;
class CTextDocument;
class CTextFinder;
class CTextShaping;
class CTextSnapshot;
class CThreadHighlighter;
class QAction;

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
    // After a save the file holds what was written, not what was read.
    void setCodecName(const QString& strName) { m_strCodecName = strName; }
    int returnFormat() const { return m_nReturnFormat; }
    void setReturnFormat(int nFormat) { m_nReturnFormat = nFormat; }
    void loadContent(const QByteArray& arrBytes, bool bKeepModified);
    bool setTextCodec(const QString& strName);
    QString getTextForSave() const;
    // The characters the document shows in place of ones it cannot hold.
    const CStandIns& standIns() const { return m_standIns; }
    // Replaces the whole text with these characters (lines split at "\n").
    void setContentText(const QString& strText);
    bool reloadFile();

    // Lines longer than the limit (0: no limit) are shown split, read-only;
    // the document then stands for the source text, which saving writes.
    void setLongLineLimit(int nLimit) { m_nLongLineLimit = nLimit; }
    int longLineLimit() const { return m_nLongLineLimit; }
    bool isSplitView() const { return !m_strSourceText.isNull(); }
    // The text saving writes, before its line breaks are converted: the
    // document's raw text (blocks end in paragraph separators) or, in the
    // split view, the source text. Cheap: one copy at most.
    QString textSnapshot() const;
    // The same text, taken in a moment whatever the document's size and put
    // together later in any thread (for saving in the background).
    CLineSnapshot saveSnapshot() const;
    // Takes the codec, line endings and split state of decoded text and
    // shows it (its shown form when it has one).
    void showDecoded(const DecodedText& decoded);
    // The same without touching the document, whose text someone else fills.
    void adoptDecoded(const DecodedText& decoded);
    // Leaves the split view: the source text, or a replacement of it (that
    // then counts as a modification), becomes the editable document.
    void leaveSplitView(const QString& strReplacement = QString());
    // Read-only while anyone holds it; what the editor was before returns
    // when the last hold ends.
    void holdReadOnly(bool bHold);
    // Loading in the background (see largefile/CEditorLoader): the editor
    // is read-only from beginLoad to endLoad; between beginFill and endLoad
    // the text arrives whole (installFill) or in slices appended to the
    // empty document.
    void beginLoad();
    void beginFill(const DecodedText& decoded);
    // The text filled so far is the start of this one: the fill goes on.
    void continueFill(const DecodedText& decoded);
    static QString fillText(const DecodedText& decoded);
    void appendFill(const QString& strSlice);
    // The whole text at once, built beforehand (the cursor and the view stay
    // where they are); false when the content cannot be taken.
    bool installFill(CDocumentContent& content, bool bNeedsShaping);
    CTextShaping* textShaping() const { return m_pShaping; }
    void endLoad();
    bool isLoading() const { return m_nLoadProgress >= 0; }
    int loadProgress() const { return m_nLoadProgress; }
    void setLoadProgress(int nPercent) { m_nLoadProgress = nPercent; }
    // A widget shown across the top of the editor, above the text (null:
    // none).
    void setTopWidget(QWidget* pWidget);
    // Find and replace. The options are the settings store's find fields,
    // read at every call. Without a target the editor's cursor shows the
    // match; with one, only the target moves.
    bool findText(const QString& strText, bool bRestart, QTextCursor* pTarget = nullptr);
    bool findPrevious(const QString& strText, bool bRestart);
    bool replaceText(const QString& strFind, const QString& strReplace,
                     QTextCursor* pTarget = nullptr);
    bool replaceAllText(const QString& strFind, const QString& strReplace);

    // Comments, validation and formatting by the current language.
    bool canToggleComment() const;
    bool canVerify() const;
    bool canFormat() const;
    bool verifyValid();
    bool formatting();

signals:
    void focusIn();
    void findToTop();
    void findToBottom();
    void cannotFound();
    void replaceNum(int nCount);
    void splitViewChanged(bool bSplit);

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
    bool toggleComment();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
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
    // Texts this long are built into the document in one piece.
    static constexpr int BuiltTextChars = 64 * 1024;
    bool setBuiltText(const QString& strText);
    bool readFile(QByteArray& arrBytes) const;

    void layoutSideWidgets();
    // Find and replace.
    bool searchDocument(const CTextFinder& finder, int nStart, bool bUp, QTextCursor& found);
    bool selectionMatches(const CTextFinder& finder, const QTextCursor& cursor) const;
    bool replaceAllStepwise(const QString& strFind, const QString& strReplace);
    // Key handling.
    bool indentBlocks(bool bOutdent);
    void indentNewLine();
    void closePair(const QString& strTyped);
    // Comments.
    void selectLines(const QTextBlock& first, const QTextBlock& last, bool bCursorAtStart);
    // Validation and formatting: the text with "\n" line breaks, and an
    // undoable replacement of it.
    QString textForCheck() const;
    // Where Qt's JSON parser stops (a null error: nowhere).
    struct JsonCheck
    {
        int nLine = 0;
        int nColumn = 0;
        QString strError;
    };
    static JsonCheck checkJson(const QString& strText);
    bool reportJson(const JsonCheck& check);
    bool formatJsonText();
    void showFormatted(const QString& strFormatted, CDocumentContent&& content);
    // Content built from strText beforehand, or null.
    void replaceWholeText(const QString& strText, CDocumentContent&& content);

    bool m_bKeepModified = false;
    int m_nLongLineLimit = 0;
    QString m_strSourceText; // not null: the split view's source
    int m_nReadOnlyHolds = 0;
    int m_nLoadProgress = -1; // percent while loading
    // While a fill runs, the gutter has room for the final line numbers: a
    // change of the view's width lays out every block again.
    int m_nGutterBlocks = 0;
    CTextShaping* m_pShaping = nullptr;
    bool m_bFilling = false;
    bool m_bReadOnlyBefore = false;
    QWidget* m_pTopWidget = nullptr;
    QString m_strFilePath;
    QString m_strFileSuffix;
    QString m_strCodecName;
    CTextDocument* m_pDocument = nullptr;
    CThreadHighlighter* m_pHighlighter = nullptr;
    CEditWebView* m_pEditWebView = nullptr;
    CLineNumberArea* m_pLineNumberArea = nullptr;
    QString m_strLineNumberFontFamily;
    QMenu m_menu;
    QAction* m_pActToggleComment = nullptr;
    QColor m_clrCurrentLine;
    int m_nReturnFormat = ReturnWindows;
    CStandIns m_standIns; // characters of the file a document cannot hold
    CTextSnapshot* m_pSnapshot = nullptr;
};

#endif
