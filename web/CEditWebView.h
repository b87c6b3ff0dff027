#ifndef CEDITWEBVIEW_H
#define CEDITWEBVIEW_H

#include <QMenu>
#include <QPointer>
#include <QWebView>

class CHighlightEdit;

// The document widget of an HTML tab: a page edited in place, with its file
// path, its own modified flag, a hidden companion code editor that shows the
// page's source when the tab is swapped to it, find and replace in the page,
// and the rich-text operations of the HTML toolbar. The page's own scripts
// never run here (what is saved is the live document).
class CEditWebView : public QWebView
{
    Q_OBJECT
public:
    explicit CEditWebView(QWidget* parent = nullptr);
    ~CEditWebView() override;

    void setModified(bool b);
    bool isModified() const { return m_bModified; }
    void setPathFileName(const QString& strPath);
    QString pathFileName() const { return m_strPathFileName; }
    CHighlightEdit* sourceEditor() const;
    QString displayTitle() const;
    void showSource(bool bShow);
    // Whether the companion is being refilled from the page (its text
    // changes then are not edits).
    bool isLoadingSource() const { return m_bLoadingSource; }
    void setEditable(bool b);
    bool isEditable() const { return m_bEditable; }
    QMenu* contextMenu() { return &m_menu; }

    // Loads a page from disk; a document that declares no encoding is read
    // in the one its bytes fit. False when the file cannot be read.
    bool loadFile(const QString& strPath);
    // How much of a file its encoding is judged on.
    static constexpr qint64 EncodingSample = 1024 * 1024;
    // Shows markup as the document at base (a file URL: the page's own
    // images and styles resolve beside it); a large page loads in portions.
    void loadHtml(const QString& strHtml, const QUrl& base);
    // Reads the page's file again, discarding changes (without asking).
    bool reloadFile();
    bool isLoading() const { return m_bLoading; }
    // The page as it is saved: the live document with its document type
    // declaration, and any encoding declaration naming UTF-8 (what is written).
    QString toHtml() const;

    bool findText(const QString& strText, bool bFromEdge);
    bool findPrevious(const QString& strText, bool bFromEdge);
    bool replaceNext(const QString& strFind, const QString& strReplacement);
    // Replaces every occurrence, whatever the search direction; returns true
    // (the number replaced goes to pnCount).
    bool replaceAll(const QString& strFind, const QString& strReplacement, int* pnCount = nullptr);

    // Rich-text editing at the selection.
    void insertHtml(const QString& strHtml);
    void insertText(const QString& strText);
    QUrl urlUnderPos(QMouseEvent* event) const;
    void setFontName(const QString& strFamily);
    // Size in points, as the size box shows it.
    void setFontSize(const QString& strPoints);
    void setForeColor(const QString& strColor);
    void setBackColor(const QString& strColor);
    QString fontName() const;
    QString fontSize() const;
    QString foreColor() const;
    QString backColor() const;
    bool isBold() const;
    bool isItalic() const;
    bool isUnderline() const;

    // Everything the HTML toolbar shows, read in one go.
    struct Format
    {
        bool bBold = false;
        bool bItalic = false;
        bool bUnderline = false;
        QString strFontName;
        QString strFontSize;
        QString strForeColor;
        QString strBackColor;
    };
    Format selectionFormat() const;

signals:
    void overUrl(const QString& strUrl);
    void modifiedChanged(bool bModified);
    void focusIn();

public slots:
    void onLoadStarted();
    void onLoadFinished(bool bOk);
    void onEditPageContentChanged();
    void onRefresh();
    void onCopy();
    void onCut();
    void onPaste();
    void onSelectAll();
    void onOpenFilePosition();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool bNext) override;

private:
    void reloadSource();
    QVariant runScript(const QString& strBody) const;
    void execCommand(const QString& strCommand, const QString& strValue, bool bCss);

    bool m_bModified = false;
    bool m_bModifiedBeforeLoad = false;
    bool m_bEditable = true;
    bool m_bLoadingSource = false;
    bool m_bLoading = false;
    QString m_strPathFileName;
    QPointer<CHighlightEdit> m_pSourceEdit;
    QMenu m_menu;
    QAction* m_pActRefresh = nullptr;
    QAction* m_pActOpenPosition = nullptr;
};

#endif
