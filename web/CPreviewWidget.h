#ifndef CPREVIEWWIDGET_H
#define CPREVIEWWIDGET_H

#include <QMenu>
#include <QWidget>

class CEditWebView;
class CHighlightEdit;
class CHighlightMgt;
class CImageWidget;
class QHBoxLayout;
class QWebView;

// The content of the Preview dock: one thing at a time, an HTML file
// rendered from disk, an image or SVG text, HTML text in a read-only page,
// or any other file as read-only highlighted text. A dock around it names
// the file shown in its title.
class CPreviewWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CPreviewWidget(QWidget* parent = nullptr);
    ~CPreviewWidget() override;

    // Where text previews find their syntax definitions (not owned).
    void setHighlightMgt(const CHighlightMgt* pMgt) { m_pHighlightMgt = pMgt; }

    void previewFile(const QString& strPath);
    // An empty path stands for text that has no file yet.
    void setPreviewFile(const QString& strPath, bool bLoad);
    void previewSvgText(const QString& strText);
    void previewHtmlText(const QString& strHtml, const QUrl& base);
    // Text of a document, as read-only text highlighted for the file's name.
    void previewText(const QString& strText);
    void clear();
    void updateTitle();

    QString pathFileName() const { return m_strPathFileName; }
    QAction* exploreAction() const { return m_pActExplore; }
    // The viewer showing now (nullptr when none is).
    QWidget* currentView() const;

    // Text previews stop after this many bytes (characters for document text).
    static constexpr int TextLimit = 500000;
    static constexpr qint64 MaxPageBytes = 64 * 1024 * 1024;

public slots:
    void onClickAction();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CHighlightEdit* newTextView();
    void ensureWebView();
    void ensureImageView();

    QString m_strPathFileName;
    CImageWidget* m_pImage = nullptr;
    CHighlightEdit* m_pText = nullptr;
    // What a text preview was given, and for which file.
    QString m_strText;
    QString m_strTextPath;
    bool m_bShowsText = false;
    QWebView* m_pWeb = nullptr;
    QHBoxLayout* m_pLayout = nullptr;
    CEditWebView* m_pHtml = nullptr;
    QMenu m_menu;
    QAction* m_pActExplore = nullptr;
    const CHighlightMgt* m_pHighlightMgt = nullptr;
};

#endif
