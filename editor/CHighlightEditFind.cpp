// The code editor's find and replace: next and previous match with whole
// word, case, direction, wrap and expression options, Replace and Replace
// All, results reported by signals.
#include "editor/CHighlightEdit.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CTextFinder.h"
#include "editor/CTextSnapshot.h"
#include "highlight/CLineSnapshot.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"

#include <QTextBlock>
#include <algorithm>

namespace {

// Blocks near the start of a search are read directly up to this many
// characters; beyond them the search goes through the whole-text snapshot.
constexpr int NearChars = 1 << 16;

struct FindSettings
{
    CTextFinder::Options options;
    bool bUp = false;
    bool bWrap = true;
};

FindSettings findSettings()
{
    FindSettings settings;
    if (g_pSettings) {
        settings.options.bWholeWord = g_pSettings->m_bFindMatchWholeWord;
        settings.options.bMatchCase = g_pSettings->m_bFindMatchCase;
        settings.options.bRegExp = g_pSettings->m_bFindUseRegularExpression;
        settings.bUp = g_pSettings->m_bFindSearchUp;
        settings.bWrap = g_pSettings->m_bFindWrapSearch;
    }
    return settings;
}

// Joins block texts as the document's raw text has them.
QString joinBlocks(const QStringList& lstTexts)
{
    return lstTexts.join(QChar(QChar::ParagraphSeparator));
}

enum class LinesSearch { Found, NotFound, CannotServe };

// Searches down from block nFirstBlock through the highlighter's lines, which
// spares copying a large document's text.
LinesSearch findDownInLines(QTextDocument* pDoc, CThreadHighlighter* pHighlighter,
                            const CTextFinder& finder, int nFirstBlock, QTextCursor& found)
{
    CLineTable lines;
    if (!finder.searchesLines() || !pHighlighter->snapshot().lines(lines))
        return LinesSearch::CannotServe;
    int nLine = nFirstBlock;
    int nColumn = 0;
    if (!finder.findDownInLines(lines, nLine, nColumn))
        return LinesSearch::NotFound;
    const QTextBlock block = pDoc->findBlockByNumber(nLine);
    if (block.length() - 1 != lines.line(nLine).size())
        return LinesSearch::CannotServe;
    found = QTextCursor(pDoc);
    found.setPosition(block.position() + nColumn);
    found.setPosition(block.position() + nColumn + finder.length(), QTextCursor::KeepAnchor);
    return LinesSearch::Found;
}

} // namespace

bool CHighlightEdit::searchDocument(const CTextFinder& finder, int nStart, bool bUp,
                                    QTextCursor& found)
{
    if (bUp && nStart < 0)
        return false;
    const QTextBlock startBlock = m_pDocument->findBlock(qMax(0, nStart));
    if (!startBlock.isValid())
        return false;
    // Most matches lie near the start: the blocks close by are searched as
    // they are; the whole text only when they hold none.
    QStringList lstNear;
    int nNearChars = 0;
    QTextBlock edge = startBlock; // the last block read, in the direction of the search
    for (QTextBlock block = startBlock; block.isValid() && nNearChars < NearChars;
         block = bUp ? block.previous() : block.next()) {
        lstNear.append(block.text());
        nNearChars += block.length();
        edge = block;
    }
    if (bUp)
        std::reverse(lstNear.begin(), lstNear.end());
    const int nBase = bUp ? edge.position() : startBlock.position();
    const QString strNear = joinBlocks(lstNear);
    CTextFinder::Hit hit = bUp ? finder.findUp(strNear, nStart - nBase)
                               : finder.findDown(strNear, nStart - nBase);
    if (hit.isValid()) {
        hit.nStart += nBase;
    } else {
        const QTextBlock beyond = bUp ? edge.previous() : edge.next();
        if (!beyond.isValid())
            return false;
        if (!bUp) {
            const LinesSearch result =
                findDownInLines(m_pDocument, m_pHighlighter, finder, beyond.blockNumber(), found);
            if (result != LinesSearch::CannotServe)
                return result == LinesSearch::Found;
        }
        const QString strRaw = m_pSnapshot->text();
        hit = bUp ? finder.findUp(strRaw, nBase - 1) : finder.findDown(strRaw, beyond.position());
        if (!hit.isValid())
            return false;
    }
    found = QTextCursor(m_pDocument);
    found.setPosition(hit.nStart);
    found.setPosition(hit.nStart + hit.nLength, QTextCursor::KeepAnchor);
    return true;
}

bool CHighlightEdit::findText(const QString& strText, bool bRestart, QTextCursor* pTarget)
{
    if (strText.isEmpty())
        return false;
    const FindSettings settings = findSettings();
    const CTextFinder finder(strText, settings.options);
    if (!finder.isValid()) {
        emit cannotFound();
        return false;
    }
    const QTextCursor cursor = pTarget ? *pTarget : textCursor();
    const int nLast = m_pDocument->characterCount() - 1;
    int nStart = 0;
    if (bRestart)
        nStart = settings.bUp ? nLast : 0;
    else
        nStart = settings.bUp ? cursor.selectionStart() - 1 : cursor.selectionEnd();

    QTextCursor found;
    if (searchDocument(finder, nStart, settings.bUp, found)) {
        if (pTarget)
            *pTarget = found;
        else
            setTextCursor(found);
        return true;
    }
    if (settings.bWrap && !bRestart) {
        const bool bFromEnd = settings.bUp ? nStart == nLast : nStart <= 0;
        const bool bFound = !bFromEnd && findText(strText, true, pTarget);
        if (settings.bUp)
            emit findToTop();
        else
            emit findToBottom();
        if (bFound)
            return true;
    }
    emit cannotFound();
    return false;
}

bool CHighlightEdit::findPrevious(const QString& strText, bool bRestart)
{
    if (!g_pSettings)
        return findText(strText, bRestart);
    bool& bUp = g_pSettings->m_bFindSearchUp;
    bUp = !bUp;
    const bool bFound = findText(strText, bRestart);
    bUp = !bUp;
    return bFound;
}

bool CHighlightEdit::selectionMatches(const CTextFinder& finder, const QTextCursor& cursor) const
{
    const QTextBlock block = m_pDocument->findBlock(cursor.selectionStart());
    const int nStart = cursor.selectionStart() - block.position();
    const int nLength = cursor.selectionEnd() - cursor.selectionStart();
    return block.isValid() && finder.matchesAt(block.text(), nStart, nLength);
}

bool CHighlightEdit::replaceText(const QString& strFind, const QString& strReplace,
                                 QTextCursor* pTarget)
{
    if (strFind.isEmpty())
        return false;
    QTextCursor cursor = pTarget ? *pTarget : textCursor();
    if (!cursor.hasSelection())
        return findText(strFind, false, pTarget);
    const FindSettings settings = findSettings();
    if (!isReadOnly() && selectionMatches(CTextFinder(strFind, settings.options), cursor)) {
        const int nStart = cursor.selectionStart();
        cursor.insertText(strReplace);
        // Inside an edit block the document announces the change only later.
        m_pSnapshot->release();
        if (settings.bUp)
            cursor.setPosition(nStart);
        if (pTarget)
            *pTarget = cursor;
        else
            setTextCursor(cursor);
    }
    return findText(strFind, false, pTarget);
}

bool CHighlightEdit::replaceAllText(const QString& strFind, const QString& strReplace)
{
    if (strFind.isEmpty() || isReadOnly()) {
        emit replaceNum(0);
        return false;
    }
    // A replacement that splits lines changes where the search goes on; it
    // takes the step-by-step way.
    if (CTextFinder::breaksBlocks(strReplace))
        return replaceAllStepwise(strFind, strReplace);

    const FindSettings settings = findSettings();
    const CTextFinder finder(strFind, settings.options);
    const QVector<CTextFinder::Hit> vecEdits =
        finder.replaceAllEdits(m_pSnapshot->text(), settings.bUp, strReplace);
    if (!vecEdits.isEmpty()) {
        // One edit block: one undo step, and one change for the highlighter.
        QTextCursor cursor(m_pDocument);
        cursor.beginEditBlock();
        for (const CTextFinder::Hit& edit : vecEdits) {
            cursor.setPosition(edit.nStart);
            cursor.setPosition(edit.nStart + edit.nLength, QTextCursor::KeepAnchor);
            cursor.insertText(strReplace);
        }
        cursor.endEditBlock();
    }
    // The search after the last replacement found nothing more.
    emit cannotFound();
    emit replaceNum(vecEdits.size());
    return !vecEdits.isEmpty();
}

bool CHighlightEdit::replaceAllStepwise(const QString& strFind, const QString& strReplace)
{
    bool bWrapOff = false;
    bool* pWrap = g_pSettings ? &g_pSettings->m_bFindWrapSearch : &bWrapOff;
    const bool bWrap = *pWrap;
    *pWrap = false;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const bool bFound = findText(strFind, true, &cursor);
    int nCount = 0;
    for (bool bNext = bFound; bNext; ++nCount)
        bNext = replaceText(strFind, strReplace, &cursor);
    cursor.endEditBlock();
    *pWrap = bWrap;
    emit replaceNum(nCount);
    return bFound;
}
