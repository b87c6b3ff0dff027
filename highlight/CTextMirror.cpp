#include "highlight/CTextMirror.h"

#include <algorithm>

namespace {
bool isBlockSeparator(QChar ch)
{
    const ushort uc = ch.unicode();
    return uc == '\n' || uc == '\r' || uc == QChar::ParagraphSeparator || uc == 0xFDD0
           || uc == 0xFDD1;
}
} // namespace

CTextMirror::CTextMirror()
{
    reset(QString());
}

void CTextMirror::reset(const QString& strText)
{
    // Copied and swapped rather than assigned: the old text, which the GUI
    // thread may have shared, is then let go of by QString's inline
    // destructor, whose ordering the thread sanitizer sees, and not inside
    // Qt's uninstrumented operator=.
    QString strNew(strText);
    m_strText.swap(strNew);
    m_vecLines.clear();
    const int nLength = m_strText.size();
    const QChar* pData = m_strText.constData();
    int nStart = 0;
    for (int i = 0; i < nLength; ++i) {
        if (!isBlockSeparator(pData[i]))
            continue;
        Line line;
        line.nStart = nStart;
        line.nLength = i - nStart;
        m_vecLines.append(line);
        if (pData[i] == QLatin1Char('\r') && i + 1 < nLength && pData[i + 1] == QLatin1Char('\n'))
            ++i;
        nStart = i + 1;
    }
    Line last;
    last.nStart = nStart;
    last.nLength = nLength - nStart;
    m_vecLines.append(last);
    m_vecStates.fill(-1, m_vecLines.size());
    m_vecPrevUsed.fill(-1, m_vecLines.size());
    m_vecDirty = {0};
}

void CTextMirror::invalidateAll()
{
    m_vecStates.fill(-1);
    m_vecDirty = {0};
}

void CTextMirror::replace(int nFirst, int nLastOld, const QStringList& lstLines)
{
    nFirst = qBound(0, nFirst, m_vecLines.size());
    nLastOld = qBound(nFirst - 1, nLastOld, m_vecLines.size() - 1);
    const int nOld = nLastOld - nFirst + 1;
    const int nNew = lstLines.size();
    if (nNew > nOld) {
        m_vecLines.insert(nFirst, nNew - nOld, Line());
        m_vecStates.insert(nFirst, nNew - nOld, -1);
        m_vecPrevUsed.insert(nFirst, nNew - nOld, -1);
    } else if (nNew < nOld) {
        m_vecLines.remove(nFirst, nOld - nNew);
        m_vecStates.remove(nFirst, nOld - nNew);
        m_vecPrevUsed.remove(nFirst, nOld - nNew);
    }
    // Marks in the replaced lines go; later ones move with their lines.
    QVector<int> vecDirty;
    vecDirty.reserve(m_vecDirty.size() + 1);
    for (int nDirty : qAsConst(m_vecDirty)) {
        if (nDirty < nFirst)
            vecDirty.append(nDirty);
        else if (nDirty > nLastOld)
            vecDirty.append(nDirty + nNew - nOld);
    }
    m_vecDirty.swap(vecDirty);
    markDirty(nFirst);
    for (int i = 0; i < nNew; ++i) {
        Line& line = m_vecLines[nFirst + i];
        line.nStart = -1;
        line.nLength = lstLines.at(i).size();
        line.strOwn = lstLines.at(i);
        m_vecStates[nFirst + i] = -1;
    }
}

QString CTextMirror::line(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_vecLines.size())
        return QString();
    const Line& line = m_vecLines.at(nIndex);
    if (line.nStart < 0)
        return line.strOwn;
    return QString::fromRawData(m_strText.constData() + line.nStart, line.nLength);
}

void CTextMirror::setState(int nIndex, int nState)
{
    if (nIndex >= 0 && nIndex < m_vecStates.size()) {
        m_vecStates[nIndex] = static_cast<signed char>(nState);
        m_vecPrevUsed[nIndex] = static_cast<signed char>(state(nIndex - 1));
    }
}

bool CTextMirror::isUpToDate(int nIndex) const
{
    return state(nIndex) >= 0 && m_vecPrevUsed.at(nIndex) == state(nIndex - 1);
}

void CTextMirror::markDirty(int nIndex)
{
    nIndex = qBound(0, nIndex, qMax(0, m_vecLines.size() - 1));
    const auto it = std::lower_bound(m_vecDirty.begin(), m_vecDirty.end(), nIndex);
    if (it == m_vecDirty.end() || *it != nIndex)
        m_vecDirty.insert(it, nIndex);
}

int CTextMirror::takeDirty()
{
    if (m_vecDirty.isEmpty())
        return -1;
    const int nFirst = m_vecDirty.first();
    m_vecDirty.removeFirst();
    return nFirst;
}
