#include "highlight/CLineTable.h"

#include "util/BlockBreaks.h"
#include "util/TextSearch.h"

#include <algorithm>
#include <limits>

CLineTable::CLineTable()
{
    reset(QString());
}

void CLineTable::reset(const QString& strText)
{
    // Copied and swapped rather than assigned: the old text, which another
    // thread may share, is then let go of by QString's inline destructor,
    // whose ordering the thread sanitizer sees, and not inside Qt's
    // uninstrumented operator=.
    QString strNew(strText);
    m_strText.swap(strNew);
    m_vecLines.clear();
    m_nLineChars = 0;
    const int nLength = m_strText.size();
    const QChar* pData = m_strText.constData();
    int nStart = 0;
    for (int i = 0; i < nLength; ++i) {
        if (!isBlockBreak(pData[i].unicode()))
            continue;
        Line line;
        line.nStart = nStart;
        line.nLength = i - nStart;
        m_nLineChars += line.nLength;
        m_vecLines.append(line);
        if (pData[i] == QLatin1Char('\r') && i + 1 < nLength && pData[i + 1] == QLatin1Char('\n'))
            ++i;
        nStart = i + 1;
    }
    Line last;
    last.nStart = nStart;
    last.nLength = nLength - nStart;
    m_nLineChars += last.nLength;
    m_vecLines.append(last);
}

void CLineTable::replace(int nFirst, int nLastOld, const QStringList& lstLines)
{
    nFirst = qBound(0, nFirst, m_vecLines.size());
    nLastOld = qBound(nFirst - 1, nLastOld, m_vecLines.size() - 1);
    const int nOld = nLastOld - nFirst + 1;
    const int nNew = lstLines.size();
    for (int i = nFirst; i <= nLastOld; ++i)
        m_nLineChars -= m_vecLines.at(i).nLength;
    if (nNew > nOld)
        m_vecLines.insert(nFirst, nNew - nOld, Line());
    else if (nNew < nOld)
        m_vecLines.remove(nFirst, nOld - nNew);
    for (int i = 0; i < nNew; ++i) {
        Line& line = m_vecLines[nFirst + i];
        line.nStart = -1;
        line.nLength = lstLines.at(i).size();
        line.strOwn = lstLines.at(i);
        m_nLineChars += line.nLength;
    }
}

void CLineTable::apply(const Edit& edit)
{
    if (edit.bWhole)
        reset(edit.strText);
    else
        replace(edit.nFirst, edit.nLastOld, edit.lstLines);
}

QString CLineTable::line(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_vecLines.size())
        return QString();
    const Line& line = m_vecLines.at(nIndex);
    if (line.nStart < 0)
        return line.strOwn;
    return QString::fromRawData(m_strText.constData() + line.nStart, line.nLength);
}

qint64 CLineTable::rawLength() const
{
    return m_vecLines.size() - 1 + m_nLineChars;
}

QString CLineTable::rawText() const
{
    const qint64 nLength = rawLength();
    if (nLength > std::numeric_limits<int>::max() / 2)
        return QString();
    QString strText(int(nLength), Qt::Uninitialized);
    QChar* pOut = strText.data();
    for (int i = 0; i < m_vecLines.size(); ++i) {
        if (i > 0)
            *pOut++ = QChar::ParagraphSeparator;
        const Line& line = m_vecLines.at(i);
        const QChar* pIn = line.nStart < 0 ? line.strOwn.constData() : m_strText.constData() + line.nStart;
        std::copy(pIn, pIn + line.nLength, pOut);
        pOut += line.nLength;
    }
    return strText;
}

bool CLineTable::forEachPiece(int nPieceChars, const std::function<bool(const QString&)>& fn) const
{
    nPieceChars = qMax(2, nPieceChars);
    QString strPiece;
    strPiece.reserve(nPieceChars + 1);
    for (int i = 0; i < m_vecLines.size(); ++i) {
        const Line& line = m_vecLines.at(i);
        const QChar* p = line.nStart < 0 ? line.strOwn.constData() : m_strText.constData() + line.nStart;
        int nLeft = line.nLength;
        while (nLeft > 0) {
            int nTake = qMin(nLeft, nPieceChars - strPiece.size());
            if (nTake < nLeft && nTake > 0 && p[nTake - 1].isHighSurrogate())
                --nTake;
            if (nTake > 0) {
                strPiece.append(p, nTake);
                p += nTake;
                nLeft -= nTake;
            }
            if (strPiece.size() >= nPieceChars - 1 && nLeft > 0) {
                if (!fn(strPiece))
                    return false;
                strPiece.resize(0);
            }
        }
        if (i + 1 < m_vecLines.size())
            strPiece.append(QChar(QChar::ParagraphSeparator));
        if (strPiece.size() >= nPieceChars) {
            if (!fn(strPiece))
                return false;
            strPiece.resize(0);
        }
    }
    return strPiece.isEmpty() || fn(strPiece);
}

int CLineTable::runEnd(int nFirst) const
{
    // Lines from the text set whole keep their order, and what lies between
    // two of them is whole lines with their breaks: a gap of one or two
    // characters can only be breaks ("\n", "\r\n", or an emptied line).
    const Line* pLines = m_vecLines.constData();
    const int nCount = m_vecLines.size();
    int nLast = nFirst;
    while (nLast + 1 < nCount) {
        const Line& next = pLines[nLast + 1];
        const int nGap = next.nStart - (pLines[nLast].nStart + pLines[nLast].nLength);
        if (next.nStart < 0 || nGap < 1 || nGap > 2)
            break;
        ++nLast;
    }
    return nLast;
}

bool CLineTable::findDown(const QString& strFind, Qt::CaseSensitivity cs, const Accept& accept,
                          int& nLine, int& nColumn) const
{
    int nFrom = qMax(0, nColumn);
    for (int i = qMax(0, nLine); i < m_vecLines.size();) {
        const Line& first = m_vecLines.at(i);
        int nHitLine = i;
        int nHit = -1;
        if (first.nStart < 0) {
            if (nFrom <= first.nLength) {
                nHit = findText(first.strOwn.constData() + nFrom, first.nLength - nFrom, strFind, cs);
                nHit = nHit < 0 ? -1 : nHit + nFrom;
            }
            i += 1;
        } else {
            const int nLast = runEnd(i);
            const int nRunStart = first.nStart + qMin(nFrom, first.nLength);
            const Line& last = m_vecLines.at(nLast);
            const int nAt = findText(m_strText.constData() + nRunStart,
                                     last.nStart + last.nLength - nRunStart, strFind, cs);
            if (nAt >= 0) {
                // The line of the occurrence: the last one starting at or before it.
                const int nPos = nRunStart + nAt;
                const auto itBegin = m_vecLines.cbegin() + i;
                const auto it = std::upper_bound(itBegin, m_vecLines.cbegin() + nLast + 1, nPos,
                                                 [](int n, const Line& line) { return n < line.nStart; });
                nHitLine = int(it - m_vecLines.cbegin()) - 1;
                nHit = nPos - m_vecLines.at(nHitLine).nStart;
                i = nHitLine + 1;
            } else {
                i = nLast + 1;
            }
        }
        if (nHit >= 0 && accept(nHitLine, nHit)) {
            nLine = nHitLine;
            nColumn = nHit;
            return true;
        }
        nFrom = 0;
    }
    return false;
}
