#include "highlight/CLineSnapshot.h"

CLineSnapshot::CLineSnapshot(const QString& strRawText)
    : m_strWhole(strRawText)
{
}

CLineSnapshot::CLineSnapshot(const CLineTable& lines, const QList<CLineTable::Edit>& lstPending,
                             int nBlocks, int nChars)
    : m_lines(lines)
    , m_lstPending(lstPending)
    , m_nBlocks(nBlocks)
    , m_nChars(nChars)
{
}

QString CLineSnapshot::rawText() const
{
    if (m_nBlocks < 0)
        return m_strWhole.isNull() ? QString(0, Qt::Uninitialized) : m_strWhole;
    CLineTable table;
    if (!lines(table))
        return QString();
    const QString strText = table.rawText();
    if (strText.size() != m_nChars)
        return QString();
    // An empty document's text is empty, not null.
    return strText.isNull() ? QString(0, Qt::Uninitialized) : strText;
}

bool CLineSnapshot::lines(CLineTable& lines) const
{
    if (m_nBlocks < 0)
        return false;
    lines = m_lines;
    for (const CLineTable::Edit& edit : m_lstPending)
        lines.apply(edit);
    return lines.count() == m_nBlocks && lines.rawLength() == m_nChars;
}
