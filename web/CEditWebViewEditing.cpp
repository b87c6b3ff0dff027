// The page editor's rich-text operations and its find and replace. The
// operations are the page's own editing commands, so each is one step the
// user can undo.
#include "web/CEditWebView.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "web/PageScript.h"

#include <QMouseEvent>
#include <QWebFrame>
#include <QWebHitTestResult>
#include <QWebSettings>

namespace {

// The element at the start of the selection (the body when there is none).
const char* const SelectionElement = R"JS(
    var sel = window.getSelection();
    var node = sel.rangeCount ? sel.getRangeAt(0).startContainer : document.body;
    if (node && node.nodeType != 1)
        node = node.parentNode;
    if (!node || node.nodeType != 1)
        node = document.body || document.documentElement;
)JS";

const char* const ReadFormat = R"JS(
    var style = node ? getComputedStyle(node) : null;
    // The colour behind the text is the first one that is not transparent.
    var back = 'rgb(255, 255, 255)';
    for (var n = node; n && n.nodeType == 1; n = n.parentNode) {
        var b = getComputedStyle(n).backgroundColor;
        if (b && b != 'transparent' && b != 'rgba(0, 0, 0, 0)') {
            back = b;
            break;
        }
    }
    return {bold: document.queryCommandState('bold'),
            italic: document.queryCommandState('italic'),
            underline: document.queryCommandState('underline'),
            fontName: document.queryCommandValue('fontName'),
            fontSize: style ? style.fontSize : '',
            foreColor: document.queryCommandValue('foreColor'),
            backColor: back};
)JS";

// Changes the size at the selection to a size in whole CSS pixels: the
// editing commands take only a relative change for an exact size.
const char* const SetFontSize = R"JS(
    var target = Math.round(%1);
    var current = parseFloat(getComputedStyle(node).fontSize);
    if (!(target > 0) || !(current > 0))
        return false;
    var delta = target - current;
    if (Math.abs(delta) < 0.01)
        return true;
    document.execCommand('styleWithCSS', false, true);
    var ok = document.execCommand('FontSizeDelta', false, delta + 'px');
    document.execCommand('styleWithCSS', false, false);
    return ok;
)JS";

constexpr double PixelsPerPoint = 96.0 / 72.0;

} // namespace

QVariant CEditWebView::runScript(const QString& strBody) const
{
    return runPageScript(page(), strBody);
}

void CEditWebView::execCommand(const QString& strCommand, const QString& strValue, bool bCss)
{
    // Colours and fonts as style attributes rather than font elements.
    const QString strCss = bCss ? "document.execCommand('styleWithCSS', false, true);" : "";
    const QString strUndo = bCss ? "document.execCommand('styleWithCSS', false, false);" : "";
    runScript(QString("%1 var ok = document.execCommand(%2, false, %3); %4 return ok;")
                  .arg(strCss, scriptString(strCommand), scriptString(strValue), strUndo));
}

void CEditWebView::insertHtml(const QString& strHtml)
{
    execCommand("insertHTML", strHtml, false);
}

void CEditWebView::insertText(const QString& strText)
{
    execCommand("insertText", strText, false);
}

QUrl CEditWebView::urlUnderPos(QMouseEvent* event) const
{
    return page()->mainFrame()->hitTestContent(event->pos()).linkUrl();
}

void CEditWebView::setFontName(const QString& strFamily)
{
    if (!strFamily.isEmpty())
        execCommand("fontName", strFamily, true);
}

void CEditWebView::setFontSize(const QString& strPoints)
{
    bool bOk = false;
    const double dPoints = strPoints.trimmed().toDouble(&bOk);
    if (!bOk || dPoints <= 0)
        return;
    runScript(QString::fromLatin1(SelectionElement)
              + QString::fromLatin1(SetFontSize).arg(dPoints * PixelsPerPoint));
}

void CEditWebView::setForeColor(const QString& strColor)
{
    execCommand("foreColor", strColor, true);
}

void CEditWebView::setBackColor(const QString& strColor)
{
    execCommand("backColor", strColor, true);
}

CEditWebView::Format CEditWebView::selectionFormat() const
{
    const QVariantMap map =
        runScript(QString::fromLatin1(SelectionElement) + QString::fromLatin1(ReadFormat)).toMap();
    Format format;
    format.bBold = map.value("bold").toBool();
    format.bItalic = map.value("italic").toBool();
    format.bUnderline = map.value("underline").toBool();
    format.strForeColor = map.value("foreColor").toString();
    format.strBackColor = map.value("backColor").toString();

    // The first family of the list, without quotes; the engine's generic
    // names stand for the families the page settings give them.
    QString strFamily = map.value("fontName").toString().section(',', 0, 0).trimmed();
    if (strFamily.size() >= 2 && (strFamily.startsWith('\'') || strFamily.startsWith('"')))
        strFamily = strFamily.mid(1, strFamily.size() - 2);
    const QWebSettings* pSettings = page()->settings();
    if (strFamily == "-webkit-standard")
        strFamily = pSettings->fontFamily(QWebSettings::StandardFont);
    else if (strFamily == "serif")
        strFamily = pSettings->fontFamily(QWebSettings::SerifFont);
    else if (strFamily == "sans-serif")
        strFamily = pSettings->fontFamily(QWebSettings::SansSerifFont);
    else if (strFamily == "monospace" || strFamily == "-webkit-monospace")
        strFamily = pSettings->fontFamily(QWebSettings::FixedFont);
    format.strFontName = strFamily;

    // Pixels to whole points, as the size box lists them.
    const QString strPixels = map.value("fontSize").toString();
    bool bOk = false;
    const double dPixels = QString(strPixels).remove("px").toDouble(&bOk);
    if (bOk && dPixels > 0)
        format.strFontSize = QString::number(qRound(dPixels / PixelsPerPoint));
    return format;
}

QString CEditWebView::fontName() const
{
    return selectionFormat().strFontName;
}

QString CEditWebView::fontSize() const
{
    return selectionFormat().strFontSize;
}

QString CEditWebView::foreColor() const
{
    return selectionFormat().strForeColor;
}

QString CEditWebView::backColor() const
{
    return selectionFormat().strBackColor;
}

bool CEditWebView::isBold() const
{
    return runScript("return document.queryCommandState('bold');").toBool();
}

bool CEditWebView::isItalic() const
{
    return runScript("return document.queryCommandState('italic');").toBool();
}

bool CEditWebView::isUnderline() const
{
    return runScript("return document.queryCommandState('underline');").toBool();
}

bool CEditWebView::findText(const QString& strText, bool bFromEdge)
{
    if (strText.isEmpty())
        return false;
    const bool bUp = g_pSettings->m_bFindSearchUp;
    if (bFromEdge)
        triggerPageAction(bUp ? QWebPage::MoveToEndOfDocument : QWebPage::MoveToStartOfDocument);
    QWebPage::FindFlags flags;
    if (bUp)
        flags |= QWebPage::FindBackward;
    if (g_pSettings->m_bFindMatchCase)
        flags |= QWebPage::FindCaseSensitively;
    if (g_pSettings->m_bFindWrapSearch)
        flags |= QWebPage::FindWrapsAroundDocument;
    if (g_pSettings->m_bFindMatchWholeWord)
        flags |= QWebPage::FindAtWordBeginningsOnly;
    return page()->findText(strText, flags);
}

bool CEditWebView::findPrevious(const QString& strText, bool bFromEdge)
{
    g_pSettings->m_bFindSearchUp = !g_pSettings->m_bFindSearchUp;
    const bool bFound = findText(strText, bFromEdge);
    g_pSettings->m_bFindSearchUp = !g_pSettings->m_bFindSearchUp;
    return bFound;
}

bool CEditWebView::replaceNext(const QString& strFind, const QString& strReplacement)
{
    if (strFind.isEmpty() || !page()->isContentEditable())
        return false;
    // A match just found and shown selected is the one replaced; otherwise
    // the next one after the caret.
    const bool bCase = g_pSettings->m_bFindMatchCase;
    if (selectedText().compare(strFind, bCase ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0) {
        QWebPage::FindFlags flags;
        if (bCase)
            flags |= QWebPage::FindCaseSensitively;
        if (g_pSettings->m_bFindMatchWholeWord)
            flags |= QWebPage::FindAtWordBeginningsOnly;
        if (!page()->findText(strFind, flags))
            return false;
    }
    // The replacement is text, as typed: "<" stays a character.
    insertText(strReplacement);
    return true;
}

bool CEditWebView::replaceAll(const QString& strFind, const QString& strReplacement, int* pnCount)
{
    int nCount = 0;
    if (!strFind.isEmpty() && page()->isContentEditable()) {
        // Forward from the start whatever the search direction: each match
        // is met once and the text put in is never searched again.
        triggerPageAction(QWebPage::MoveToStartOfDocument);
        // Every match takes at least one character of the original text.
        const int nLimit = page()->mainFrame()->toPlainText().size();
        while (nCount <= nLimit && replaceNext(strFind, strReplacement))
            ++nCount;
    }
    if (pnCount)
        *pnCount = nCount;
    return true;
}
