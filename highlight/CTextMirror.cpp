#include "highlight/CTextMirror.h"

#include <algorithm>

CTextMirror::CTextMirror()
{
    reset(QString());
}

void CTextMirror::reset(const QString& strText)
{
    m_lines.reset(strText);
    m_vecStates.fill(-1, m_lines.count());
    m_vecPrevUsed.fill(-1, m_lines.count());
    m_vecDirty = {0};
}

void CTextMirror::apply(const CLineTable::Edit& edit)
{
    if (edit.bWhole)
        reset(edit.strText);
    else
        replace(edit.nFirst, edit.nLastOld, edit.lstLines);
}

void CTextMirror::invalidateAll()
{
    m_vecStates.fill(-1);
    m_vecDirty = {0};
}

void CTextMirror::replace(int nFirst, int nLastOld, const QStringList& lstLines)
{
    nFirst = qBound(0, nFirst, count());
    nLastOld = qBound(nFirst - 1, nLastOld, count() - 1);
    const int nOld = nLastOld - nFirst + 1;
    const int nNew = lstLines.size();
    m_lines.replace(nFirst, nLastOld, lstLines);
    if (nNew > nOld) {
        m_vecStates.insert(nFirst, nNew - nOld, -1);
        m_vecPrevUsed.insert(nFirst, nNew - nOld, -1);
    } else if (nNew < nOld) {
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
    for (int i = 0; i < nNew; ++i)
        m_vecStates[nFirst + i] = -1;
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
    nIndex = qBound(0, nIndex, qMax(0, count() - 1));
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
