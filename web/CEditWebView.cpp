#include "web/CEditWebView.h"

#include "editor/CHighlightEdit.h"
#include "util/Platform.h"
#include "web/CPageNetworkAccess.h"
#include "web/PreviewBytes.h"
#include "web/WebPagePolicy.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QWebFrame>

namespace {

// One attribute of a tag as the engine writes it: lower-case name, value in
// double quotes (a ">" may stand in a value; a quote never does).
const QString AttributePattern = QStringLiteral("\\s+[^\\s=>/]+(?:=\"[^\"]*\")?");

QString attributeValue(const QString& strTag, const QString& strName)
{
    const QRegularExpression rx("\\s" + QRegularExpression::escape(strName) + "=\"([^\"]*)\"");
    const QRegularExpressionMatch match = rx.match(strTag);
    return match.hasMatch() ? match.captured(1) : QString();
}

// An encoding declaration pointed at UTF-8; the tag unchanged if it is none.
QString declareUtf8(QString strTag)
{
    static const QRegularExpression rxCharset("(\\scharset=\")[^\"]*(\")");
    static const QRegularExpression rxContentCharset("(\\scontent=\"[^\"]*charset\\s*=\\s*)([^;\\s\"]+)",
                                                     QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rxUtf8("^\\s*utf-8\\s*$", QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch charset = rxCharset.match(strTag);
    if (charset.hasMatch()) {
        if (!rxUtf8.match(attributeValue(strTag, "charset")).hasMatch())
            strTag.replace(rxCharset, "\\1UTF-8\\2");
        return strTag;
    }
    const QRegularExpressionMatch content = rxContentCharset.match(strTag);
    if (content.hasMatch() && !rxUtf8.match(content.captured(2)).hasMatch()
        && attributeValue(strTag, "http-equiv").trimmed().compare("content-type", Qt::CaseInsensitive) == 0)
        strTag.replace(content.capturedStart(2), content.capturedLength(2), "UTF-8");
    return strTag;
}

// What comes before the root element: the document type declaration, kept
// on a line of its own, and an XML declaration, which the HTML parser turned
// into a comment, given back its form with the encoding written.
QString fixPrologue(QString strPrologue)
{
    static const QRegularExpression rxXmlDecl("^<!--\\?(xml\\s[^>]*?)\\?-->");
    const QRegularExpressionMatch xmlDecl = rxXmlDecl.match(strPrologue);
    if (xmlDecl.hasMatch()) {
        QString strDecl = xmlDecl.captured(1);
        strDecl.replace(QRegularExpression("(encoding\\s*=\\s*)([\"'])[^\"']*\\2"), "\\1\\2UTF-8\\2");
        strPrologue.replace(0, xmlDecl.capturedLength(), "<?" + strDecl + "?>\n");
    }
    static const QRegularExpression rxDoctype("(<!DOCTYPE[^>]*>)(?!\\n)",
                                              QRegularExpression::CaseInsensitiveOption);
    strPrologue.replace(rxDoctype, "\\1\n");
    return strPrologue;
}

} // namespace

CEditWebView::CEditWebView(QWidget* parent)
    : QWebView(parent)
{
    setupEditorPage(page());
    page()->setContentEditable(true);
    connect(this, &QWebView::loadStarted, this, &CEditWebView::onLoadStarted);
    connect(this, &QWebView::loadFinished, this, &CEditWebView::onLoadFinished);
    connect(page(), &QWebPage::contentsChanged, this, &CEditWebView::onEditPageContentChanged);

    connect(m_menu.addAction(tr("Copy")), &QAction::triggered, this, &CEditWebView::onCopy);
    connect(m_menu.addAction(tr("Cut")), &QAction::triggered, this, &CEditWebView::onCut);
    connect(m_menu.addAction(tr("Paste")), &QAction::triggered, this, &CEditWebView::onPaste);
    m_menu.addSeparator();
    m_pActRefresh = m_menu.addAction(tr("Refresh"));
    connect(m_pActRefresh, &QAction::triggered, this, &CEditWebView::onRefresh);
    m_menu.addSeparator();
    m_pActOpenPosition = m_menu.addAction(tr("Open file position"));
    connect(m_pActOpenPosition, &QAction::triggered, this, &CEditWebView::onOpenFilePosition);

    m_pSourceEdit = new CHighlightEdit(this);
    m_pSourceEdit->setEditWebView(this);
    m_pSourceEdit->hide();
}

CEditWebView::~CEditWebView()
{
    // The web view ends its load while it goes, when this object is no
    // longer a page editor: nothing may hear of that.
    disconnect(this, nullptr, nullptr, nullptr);
    disconnect(page(), nullptr, this, nullptr);
    // The companion may be in a tab of its own (the source view); it goes
    // with its page wherever it is.
    delete m_pSourceEdit;
}

void CEditWebView::setModified(bool b)
{
    const bool bChanged = m_bModified != b;
    m_bModified = b;
    // Set on purpose: a load in progress must not restore the old state.
    m_bModifiedBeforeLoad = b;
    if (m_pSourceEdit)
        m_pSourceEdit->setModified(b);
    if (bChanged)
        emit modifiedChanged(b);
}

void CEditWebView::setPathFileName(const QString& strPath)
{
    m_strPathFileName = strPath;
    if (m_pSourceEdit)
        m_pSourceEdit->setFilePath(strPath);
}

CHighlightEdit* CEditWebView::sourceEditor() const
{
    return m_pSourceEdit;
}

QString CEditWebView::displayTitle() const
{
    QString strTitle = title();
    if (strTitle.isEmpty())
        strTitle = QFileInfo(m_strPathFileName).fileName();
    if (strTitle.isEmpty())
        strTitle = tr("Untitled");
    if (m_bModified)
        strTitle += '*';
    return strTitle;
}

void CEditWebView::showSource(bool bShow)
{
    if (!m_pSourceEdit)
        return;
    if (bShow) {
        m_pSourceEdit->setModified(m_bModified);
        reloadSource();
    }
    m_pSourceEdit->setVisible(bShow);
}

void CEditWebView::reloadSource()
{
    m_bLoadingSource = true;
    // The bytes handed over are UTF-8 whatever the companion guessed before.
    m_pSourceEdit->setCodecName(QStringLiteral("UTF-8"));
    // The page's flag is the source's at once; a deferred restore of the
    // flag from before the load would undo an edit made right after.
    m_pSourceEdit->loadContent(toHtml().toUtf8(), false);
    m_pSourceEdit->setModified(m_bModified);
    m_bLoadingSource = false;
}

void CEditWebView::setEditable(bool b)
{
    m_bEditable = b;
    page()->setContentEditable(b);
}

bool CEditWebView::loadFile(const QString& strPath)
{
    // A pipe or a device would block the reader or never end.
    QFile file(strPath);
    if (!QFileInfo(strPath).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    setFallbackEncoding(page(), readPreviewBytes(file, EncodingSample));
    file.close();
    m_bLoading = true; // until loadFinished, also before the load has started
    load(QUrl::fromLocalFile(strPath));
    return true;
}

bool CEditWebView::reloadFile()
{
    if (m_strPathFileName.isEmpty()) {
        reload();
        return true;
    }
    setModified(false);
    return loadFile(m_strPathFileName);
}

QString CEditWebView::toHtml() const
{
    // One serialisation of the whole document, the type declaration and
    // comments before the root included; then the prologue and the
    // encoding declarations of the head are put right in that text.
    QString strDocument = page()->mainFrame()->toHtml();
    const int nRoot = strDocument.indexOf(QRegularExpression("<html[\\s>]"));
    if (nRoot < 0)
        return strDocument;
    const int nHeadEnd = strDocument.indexOf(QLatin1String("</head>"), nRoot);
    QString strHead = strDocument.mid(nRoot, nHeadEnd < 0 ? 0 : nHeadEnd - nRoot);
    static const QRegularExpression rxMeta("<meta(?:" + AttributePattern + ")*\\s*/?>");
    QString strHeadSaved;
    int nCopied = 0;
    QRegularExpressionMatchIterator it = rxMeta.globalMatch(strHead);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        strHeadSaved += strHead.midRef(nCopied, match.capturedStart() - nCopied);
        strHeadSaved += declareUtf8(match.captured());
        nCopied = match.capturedEnd();
    }
    strHeadSaved += strHead.midRef(nCopied);
    return fixPrologue(strDocument.left(nRoot)) + strHeadSaved
           + strDocument.midRef(nRoot + strHead.size());
}

void CEditWebView::loadHtml(const QString& strHtml, const QUrl& base)
{
    auto* pAccess = qobject_cast<CPageNetworkAccess*>(page()->networkAccessManager());
    if (!pAccess || !base.isLocalFile()) {
        setHtml(strHtml, base);
        return;
    }
    QNetworkRequest request(base);
    request.setRawHeader(CPageNetworkAccess::ContentHeader, pAccess->offerContent(strHtml.toUtf8()));
    m_bLoading = true; // until loadFinished, also before the load has started
    load(request);
}

void CEditWebView::onLoadStarted()
{
    m_bModifiedBeforeLoad = m_bModified;
    m_bLoading = true;
}

void CEditWebView::onLoadFinished(bool)
{
    m_bLoading = false;
    setModified(m_bModifiedBeforeLoad);
    if (m_pSourceEdit && m_pSourceEdit->isVisible())
        reloadSource();
}

void CEditWebView::onEditPageContentChanged()
{
    if (m_pSourceEdit && m_pSourceEdit->isVisible())
        reloadSource();
}

void CEditWebView::onRefresh()
{
    if (m_bModified
        && QMessageBox::warning(this, tr("File Modified"),
                                tr("Are you sure to refresh and discard the modification?"),
                                QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes)
               != QMessageBox::Yes)
        return;
    reloadFile();
}

void CEditWebView::onCopy()
{
    triggerPageAction(QWebPage::Copy);
}

void CEditWebView::onCut()
{
    triggerPageAction(QWebPage::Cut);
}

void CEditWebView::onPaste()
{
    triggerPageAction(QWebPage::Paste);
}

void CEditWebView::onSelectAll()
{
    triggerPageAction(QWebPage::SelectAll);
}

void CEditWebView::onOpenFilePosition()
{
    if (!m_strPathFileName.isEmpty())
        showInExplorer(m_strPathFileName);
}

void CEditWebView::mouseMoveEvent(QMouseEvent* event)
{
    QWebView::mouseMoveEvent(event);
    const QUrl url = urlUnderPos(event);
    if (url.isValid())
        emit overUrl(url.toString());
}

void CEditWebView::keyPressEvent(QKeyEvent* event)
{
    // While Control is held, links in the page behave as links.
    if (event->key() == Qt::Key_Control)
        page()->setContentEditable(false);
    QWebView::keyPressEvent(event);
}

void CEditWebView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control)
        page()->setContentEditable(m_bEditable);
    QWebView::keyReleaseEvent(event);
}

void CEditWebView::focusInEvent(QFocusEvent* event)
{
    QWebView::focusInEvent(event);
    emit focusIn();
}

void CEditWebView::focusOutEvent(QFocusEvent* event)
{
    // Control released elsewhere (Ctrl+Tab, Ctrl+F) never reaches this view.
    page()->setContentEditable(m_bEditable);
    QWebView::focusOutEvent(event);
}

void CEditWebView::contextMenuEvent(QContextMenuEvent* event)
{
    // A page without a file has nothing on disk to go back to or to show.
    m_pActRefresh->setEnabled(!m_strPathFileName.isEmpty());
    m_pActOpenPosition->setEnabled(!m_strPathFileName.isEmpty());
    m_menu.popup(mapToGlobal(event->pos()));
}

bool CEditWebView::focusNextPrevChild(bool bNext)
{
    // Hiding the focused view (switching tabs) moves the focus on through
    // here, and the page takes that for a Tab key typed into its text.
    if (!isVisible())
        return QWidget::focusNextPrevChild(bNext);
    return QWebView::focusNextPrevChild(bNext);
}
