#include "editor/CTextFinder.h"

#include "highlight/CLineTable.h"
#include "util/TextSearch.h"

namespace {

const QChar BlockBreak(QChar::ParagraphSeparator);

// QString::indexOf for plain text, faster when case is ignored.
int indexIn(const QString& str, const QString& strFind, int nFrom, Qt::CaseSensitivity cs)
{
    nFrom = qMax(0, nFrom);
    if (nFrom > str.size())
        return -1;
    const int nHit = findText(str.constData() + nFrom, str.size() - nFrom, strFind, cs);
    return nHit < 0 ? -1 : nHit + nFrom;
}

QChar charAt(const QString& str, int n)
{
    return n >= 0 && n < str.size() ? str.at(n) : QChar();
}

int lineStartOf(const QString& strRaw, int nPos)
{
    return nPos <= 0 ? 0 : strRaw.lastIndexOf(BlockBreak, nPos - 1) + 1;
}

int lineEndOf(const QString& strRaw, int nLineStart)
{
    const int nEnd = strRaw.indexOf(BlockBreak, nLineStart);
    return nEnd < 0 ? strRaw.size() : nEnd;
}

// A line of the raw text without copying it.
QString lineView(const QString& strRaw, int nStart, int nEnd)
{
    return QString::fromRawData(strRaw.constData() + nStart, nEnd - nStart);
}

// Character k of a text kept reversed.
QChar reversedAt(const QString& strReversed, int k)
{
    return k < strReversed.size() ? strReversed.at(strReversed.size() - 1 - k) : QChar();
}

void appendReversed(QString& strTo, const QString& str)
{
    for (int i = str.size() - 1; i >= 0; --i)
        strTo += str.at(i);
}

} // namespace

CTextFinder::CTextFinder(const QString& strFind, const Options& options)
    : m_strFind(strFind)
    , m_options(options)
    , m_cs(options.bMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (options.bRegExp) {
        m_rx = QRegExp(strFind, m_cs, QRegExp::RegExp);
        m_bValid = !strFind.isEmpty() && m_rx.isValid();
    } else {
        m_bValid = !strFind.isEmpty() && !strFind.contains(BlockBreak);
    }
}

bool CTextFinder::isWordChar(QChar ch)
{
    const ushort u = ch.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
    return ch.isLetterOrNumber();
}

bool CTextFinder::breaksBlocks(const QString& str)
{
    for (QChar ch : str) {
        const ushort u = ch.unicode();
        if (u == '\n' || u == '\r' || u == QChar::ParagraphSeparator || u == 0xfdd0 || u == 0xfdd1)
            return true;
    }
    return false;
}

bool CTextFinder::passesWholeWord(QChar chBefore, QChar chAfter) const
{
    return !m_options.bWholeWord || (!isWordChar(chBefore) && !isWordChar(chAfter));
}

int CTextFinder::regExpCandidate(const QString& strLine, int nOffset, bool bUp, int* pLength,
                                 QRegExp::CaretMode caret) const
{
    int nPos = nOffset;
    while (bUp ? nPos >= 0 : nPos <= strLine.size()) {
        const int nHit = bUp ? m_rx.lastIndexIn(strLine, nPos, caret)
                             : m_rx.indexIn(strLine, nPos, caret);
        if (nHit < 0)
            return -1;
        if (m_rx.matchedLength() > 0) {
            *pLength = m_rx.matchedLength();
            return nHit;
        }
        nPos = bUp ? nHit - 1 : nHit + 1;
        // A caret at the offset stays there.
        caret = QRegExp::CaretAtZero;
    }
    return -1;
}

CTextFinder::Hit CTextFinder::findDown(const QString& strRaw, int nFrom) const
{
    const int nPos = qMax(0, nFrom);
    if (!m_bValid || nPos > strRaw.size())
        return {};
    if (!m_options.bRegExp) {
        const int nLength = m_strFind.size();
        for (int nAt = nPos;;) {
            const int nHit = indexIn(strRaw, m_strFind, nAt, m_cs);
            if (nHit < 0)
                return {};
            if (passesWholeWord(charAt(strRaw, nHit - 1), charAt(strRaw, nHit + nLength)))
                return {nHit, nLength};
            const int nBreak = strRaw.indexOf(BlockBreak, nHit);
            if (nBreak < 0)
                return {};
            nAt = nBreak + 1;
        }
    }
    int nLineStart = lineStartOf(strRaw, nPos);
    int nOffset = nPos - nLineStart;
    for (;;) {
        const int nLineEnd = lineEndOf(strRaw, nLineStart);
        const QString strLine = lineView(strRaw, nLineStart, nLineEnd);
        int nLength = 0;
        const int nHit = regExpCandidate(strLine, nOffset, false, &nLength);
        if (nHit >= 0
            && passesWholeWord(charAt(strLine, nHit - 1), charAt(strLine, nHit + nLength)))
            return {nLineStart + nHit, nLength};
        if (nLineEnd >= strRaw.size())
            return {};
        nLineStart = nLineEnd + 1;
        nOffset = 0;
    }
}

bool CTextFinder::findDownInLines(const CLineTable& lines, int& nLine, int& nColumn) const
{
    if (!searchesLines())
        return false;
    // Only the first candidate of a line is judged as a whole word.
    const auto accept = [&](int nAt, int nCol) {
        const QString strLine = lines.line(nAt);
        return passesWholeWord(charAt(strLine, nCol - 1), charAt(strLine, nCol + m_strFind.size()));
    };
    return lines.findDown(m_strFind, m_cs, accept, nLine, nColumn);
}

CTextFinder::Hit CTextFinder::findUp(const QString& strRaw, int nFrom) const
{
    if (!m_bValid || nFrom < 0)
        return {};
    if (!m_options.bRegExp) {
        const int nLength = m_strFind.size();
        // lastIndexOf() finds nothing when it starts at the very end.
        for (int nAt = qMin(nFrom, strRaw.size() - 1); nAt >= 0;) {
            const int nHit = strRaw.lastIndexOf(m_strFind, nAt, m_cs);
            if (nHit < 0)
                return {};
            if (passesWholeWord(charAt(strRaw, nHit - 1), charAt(strRaw, nHit + nLength)))
                return {nHit, nLength};
            const int nBreak = nHit > 0 ? strRaw.lastIndexOf(BlockBreak, nHit - 1) : -1;
            if (nBreak < 0)
                return {};
            nAt = nBreak - 1;
        }
        return {};
    }
    const int nPos = qMin(nFrom, strRaw.size());
    int nLineStart = lineStartOf(strRaw, nPos);
    int nOffset = nPos - nLineStart;
    for (;;) {
        const QString strLine = lineView(strRaw, nLineStart, lineEndOf(strRaw, nLineStart));
        int nLength = 0;
        const int nHit = regExpCandidate(strLine, qMin(nOffset, strLine.size()), true, &nLength);
        if (nHit >= 0
            && passesWholeWord(charAt(strLine, nHit - 1), charAt(strLine, nHit + nLength)))
            return {nLineStart + nHit, nLength};
        if (nLineStart == 0)
            return {};
        nLineStart = lineStartOf(strRaw, nLineStart - 1);
        nOffset = strRaw.size();
    }
}

bool CTextFinder::matchesAt(const QString& strBlock, int nStart, int nLength) const
{
    if (!m_bValid || nLength <= 0 || nStart < 0 || nStart + nLength > strBlock.size())
        return false;
    if (m_options.bRegExp) {
        // In its line, so that anchors and look-ahead judge it as Find did.
        if (m_rx.indexIn(strBlock, nStart) != nStart || m_rx.matchedLength() != nLength)
            return false;
    } else if (nLength != m_strFind.size()
               || QStringRef(&strBlock, nStart, nLength).compare(m_strFind, m_cs) != 0) {
        return false;
    }
    return passesWholeWord(charAt(strBlock, nStart - 1), charAt(strBlock, nStart + nLength));
}

QVector<CTextFinder::Hit> CTextFinder::replaceAllEdits(const QString& strRaw, bool bUp,
                                                       const QString& strReplace) const
{
    QVector<Hit> vecEdits;
    if (!m_bValid || breaksBlocks(strReplace))
        return vecEdits;
    // Plain text jumps straight to the next line holding a candidate.
    if (!bUp) {
        int nDelta = 0;
        for (int nLineStart = 0;;) {
            if (!m_options.bRegExp) {
                const int nHit = indexIn(strRaw, m_strFind, nLineStart, m_cs);
                if (nHit < 0)
                    break;
                nLineStart = lineStartOf(strRaw, nHit);
            }
            const int nLineEnd = lineEndOf(strRaw, nLineStart);
            lineEditsDown(lineView(strRaw, nLineStart, nLineEnd), nLineStart, strReplace, nDelta,
                          vecEdits);
            if (nLineEnd >= strRaw.size())
                break;
            nLineStart = nLineEnd + 1;
        }
        return vecEdits;
    }
    for (int nLineEnd = strRaw.size();;) {
        if (!m_options.bRegExp) {
            const int nHit = nLineEnd > 0 ? strRaw.lastIndexOf(m_strFind, nLineEnd - 1, m_cs) : -1;
            if (nHit < 0)
                break;
            nLineEnd = lineEndOf(strRaw, nHit);
        }
        const int nLineStart = lineStartOf(strRaw, nLineEnd);
        const QString strLine = lineView(strRaw, nLineStart, nLineEnd);
        if (m_options.bRegExp)
            lineEditsUpRegExp(strLine, nLineStart, strReplace, vecEdits);
        else
            lineEditsUpPlain(strLine, nLineStart, strReplace, vecEdits);
        if (nLineStart == 0)
            break;
        nLineEnd = nLineStart - 1;
    }
    return vecEdits;
}

// Searching down, the line after the offset is still as it was; before it,
// only its last character can sway a match (whole word, \b), and a caret
// can match at the offset when nothing is left before it.
void CTextFinder::lineEditsDown(const QString& strLine, int nLineStart, const QString& strReplace,
                                int& nDelta, QVector<Hit>& vecEdits) const
{
    // For expressions: a copy whose character before the offset is patched
    // to what stands there now.
    QString strBuf;
    if (m_options.bRegExp)
        strBuf = QString(strLine.constData(), strLine.size());
    int nOffset = 0;
    bool bPrefix = false; // whether the line now has text before the offset
    QChar chLast;         // and its last character
    for (;;) {
        int nHit = -1;
        int nLength = m_strFind.size();
        if (m_options.bRegExp) {
            if (nOffset > 0)
                strBuf.data()[nOffset - 1] = bPrefix ? chLast : QChar(' ');
            nHit = regExpCandidate(QString::fromRawData(strBuf.constData(), strBuf.size()), nOffset,
                                   false, &nLength,
                                   bPrefix ? QRegExp::CaretAtZero : QRegExp::CaretAtOffset);
            if (nOffset > 0)
                strBuf.data()[nOffset - 1] = strLine.at(nOffset - 1);
        } else {
            nHit = indexIn(strLine, m_strFind, nOffset, m_cs);
        }
        if (nHit < 0)
            return;
        const QChar chBefore = nHit > nOffset ? strLine.at(nHit - 1) : (bPrefix ? chLast : QChar());
        if (!passesWholeWord(chBefore, charAt(strLine, nHit + nLength)))
            return;
        vecEdits.append({nLineStart + nDelta + nHit, nLength});
        nDelta += strReplace.size() - nLength;
        if (!strReplace.isEmpty()) {
            chLast = strReplace.back();
            bPrefix = true;
        } else if (nHit > nOffset) {
            chLast = strLine.at(nHit - 1);
            bPrefix = true;
        }
        nOffset = nHit + nLength;
    }
}

// Searching up, the line before the cursor is still as it was and a plain
// match can run at most its length minus one into the changed text after
// the cursor. That text is kept reversed, so that it grows at its end.
void CTextFinder::lineEditsUpPlain(const QString& strLine, int nLineStart,
                                   const QString& strReplace, QVector<Hit>& vecEdits) const
{
    const int nFindLength = m_strFind.size();
    QString strRevTail;
    for (int nCursor = strLine.size(); nCursor > 0;) {
        int nHit = -1;
        const int nWinStart = qMax(0, nCursor - nFindLength + 1);
        if (!strRevTail.isEmpty() && nWinStart < nCursor) {
            QString strWin = strLine.mid(nWinStart, nCursor - nWinStart);
            for (int k = 0; k < nFindLength - 1 && k < strRevTail.size(); ++k)
                strWin += reversedAt(strRevTail, k);
            const int nWinHit = strWin.lastIndexOf(m_strFind, nCursor - 1 - nWinStart, m_cs);
            if (nWinHit >= 0)
                nHit = nWinStart + nWinHit;
        }
        if (nHit < 0 && nCursor - nFindLength >= 0)
            nHit = strLine.lastIndexOf(m_strFind, nCursor - nFindLength, m_cs);
        if (nHit < 0)
            return;
        const int nEnd = nHit + nFindLength;
        const QChar chAfter =
            nEnd < nCursor ? strLine.at(nEnd) : reversedAt(strRevTail, nEnd - nCursor);
        if (!passesWholeWord(charAt(strLine, nHit - 1), chAfter))
            return;
        vecEdits.append({nLineStart + nHit, nFindLength});
        if (nEnd <= nCursor)
            appendReversed(strRevTail, strLine.mid(nEnd, nCursor - nEnd));
        else
            strRevTail.chop(nEnd - nCursor);
        appendReversed(strRevTail, strReplace);
        nCursor = nHit;
    }
}

// An expression searching up may reach anywhere into the changed text after
// the cursor, so it searches the line as it now is.
void CTextFinder::lineEditsUpRegExp(const QString& strLine, int nLineStart,
                                    const QString& strReplace, QVector<Hit>& vecEdits) const
{
    QString strNow(strLine.constData(), strLine.size());
    for (int nFrom = strNow.size(); nFrom >= 0;) {
        int nLength = 0;
        const int nHit = regExpCandidate(QString::fromRawData(strNow.constData(), strNow.size()),
                                         nFrom, true, &nLength);
        if (nHit < 0
            || !passesWholeWord(charAt(strNow, nHit - 1), charAt(strNow, nHit + nLength)))
            return;
        vecEdits.append({nLineStart + nHit, nLength});
        strNow.replace(nHit, nLength, strReplace);
        nFrom = nHit - 1;
    }
}
