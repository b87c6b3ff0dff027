#include "highlight/CTextDocument.h"

#include <QPlainTextDocumentLayout>
#include <QSignalBlocker>

namespace {
// The hash of an empty list: what a block that never had formats shows.
constexpr quint32 EmptyHash = 1;

// Hashes are kept in 32 bits per block; 0 stays "unknown".
quint32 storedHash(quint64 nHash)
{
    const quint32 nStored = quint32(nHash ^ (nHash >> 32));
    return nHash == 0 ? 0 : (nStored == 0 ? EmptyHash + 1 : nStored);
}
} // namespace

CTextDocument::CTextDocument(QObject* parent)
    : QTextDocument(parent)
{
    setDocumentLayout(new QPlainTextDocumentLayout(this));
    m_vecSyntaxHash.fill(EmptyHash, 1);
    m_vecMarkHash.fill(EmptyHash, 1);
    connect(this, &QTextDocument::contentsChange, this, &CTextDocument::onContentsChange);
}

bool CTextDocument::isSelectionMark(const QTextLayout::FormatRange& range)
{
    return (range.format.intProperty(QTextFormat::UserProperty) & 1) != 0;
}

void CTextDocument::onContentsChange(int nPosition, int nRemoved, int nAdded)
{
    if (!m_bFilling)
        ++m_nVer;
    // When all text was replaced, every block but the first is new and has
    // no formats yet.
    const bool bWhole = nPosition == 0 && nRemoved >= m_nKnownCharCount - 1;
    m_nKnownCharCount = characterCount();
    const int nCount = blockCount();
    const int nDelta = nCount - m_nKnownBlockCount;
    m_nKnownBlockCount = nCount;
    const QTextBlock first = findBlock(nPosition);
    m_change.nFirst = first.isValid() ? first.blockNumber() : nCount - 1;
    const int nLastPos = qMin(nPosition + nAdded, characterCount() - 1);
    m_change.nLastNew = qMax(m_change.nFirst, findBlock(nLastPos).blockNumber());
    m_change.nLastOld = m_change.nLastNew - nDelta;

    // The changed blocks may show anything now; the others keep their lists.
    const int nOld = m_change.nLastOld - m_change.nFirst + 1;
    const int nNew = m_change.nLastNew - m_change.nFirst + 1;
    for (QVector<quint32>* pVec : {&m_vecSyntaxHash, &m_vecMarkHash}) {
        if (nOld > 0)
            pVec->remove(m_change.nFirst, qMin(nOld, pVec->size() - m_change.nFirst));
        pVec->insert(m_change.nFirst, nNew, 0);
        pVec->resize(nCount);
        if (bWhole) {
            pVec->fill(EmptyHash);
            (*pVec)[0] = 0;
        }
    }
    m_nCacheNumber = -1;
    m_tbCache = QTextBlock();
    if (m_bFilling)
        return;
    constexpr int KeptChanges = 4096;
    if (m_vecChanges.size() >= KeptChanges)
        m_vecChanges.remove(0, KeptChanges / 2);
    m_vecChanges.append(m_change);
}

int CTextDocument::currentBlock(uint nVer, int nBlock)
{
    const uint nBehind = m_nVer - nVer;
    if (nBehind == 0)
        return nBlock;
    if (nBehind > uint(m_vecChanges.size())) {
        m_bLostResults = true;
        return -1;
    }
    for (int i = m_vecChanges.size() - int(nBehind); i < m_vecChanges.size(); ++i) {
        const BlockChange& change = m_vecChanges.at(i);
        if (nBlock > change.nLastOld)
            nBlock += change.nLastNew - change.nLastOld;
        else if (nBlock >= change.nFirst)
            return -1;
    }
    return nBlock;
}

bool CTextDocument::takeLostResults()
{
    const bool bLost = m_bLostResults;
    m_bLostResults = false;
    return bLost;
}

void CTextDocument::clearAdditionalFormats()
{
    for (QTextBlock tb = firstBlock(); tb.isValid(); tb = tb.next()) {
        if (QTextLayout* pLayout = tb.layout())
            pLayout->clearFormats();
    }
    m_vecSyntaxHash.fill(EmptyHash);
    m_vecMarkHash.fill(EmptyHash);
}

void CTextDocument::setEagerRange(int nFirst, int nLast)
{
    m_nEagerFirst = nFirst;
    m_nEagerLast = nLast;
}

bool CTextDocument::needsFormats(int nBlock) const
{
    return m_vecSyntaxHash.value(nBlock, 1) == 0 || m_vecMarkHash.value(nBlock, 1) == 0;
}

void CTextDocument::beginFormatUpdate()
{
    ++m_nUpdateDepth;
}

void CTextDocument::endFormatUpdate()
{
    if (--m_nUpdateDepth > 0 || m_nDirtyStart < 0)
        return;
    const QTextBlock first = findBlockByNumber(m_nDirtyStart);
    const QTextBlock last = findBlockByNumber(m_nDirtyEnd);
    m_nDirtyStart = m_nDirtyEnd = -1;
    if (!first.isValid() || !last.isValid())
        return;
    const int nStart = first.position();
    const int nEnd = last.position() + last.length();
    {
        // Setting formats leaves the blocks marked as a pending change of the
        // document; it is settled here, or the next edit would report all of
        // it as changed. The layout's request to repaint everything is not
        // passed on: most of these blocks are off screen.
        const QSignalBlocker blocker(documentLayout());
        markContentsDirty(nStart, nEnd - nStart);
    }
    emit formatsChanged(nStart, nEnd);
}

void CTextDocument::onHighlightBlock(uint nVer, int nBlock,
                                     const QVector<QTextLayout::FormatRange>& lstFormats,
                                     quint64 nHash)
{
    applyFormats(nVer, nBlock, lstFormats, false, nHash);
}

void CTextDocument::onHighlightSelected(uint nVer, int nBlock,
                                        const QVector<QTextLayout::FormatRange>& lstFormats,
                                        quint64 nHash)
{
    applyFormats(nVer, nBlock, lstFormats, true, nHash);
}

QTextBlock CTextDocument::blockByNumber(int nBlock)
{
    if (nBlock != m_nCacheNumber) {
        m_tbCache = (nBlock == m_nCacheNumber + 1 && m_tbCache.isValid()) ? m_tbCache.next()
                                                                         : findBlockByNumber(nBlock);
        m_nCacheNumber = m_tbCache.isValid() ? nBlock : -1;
    }
    return m_tbCache;
}

void CTextDocument::applyFormats(uint nVer, int nBlock,
                                 const QVector<QTextLayout::FormatRange>& lstFormats, bool bMarks,
                                 quint64 nHash)
{
    nBlock = currentBlock(nVer, nBlock);
    if (nBlock < 0 || nBlock >= blockCount())
        return;
    QVector<quint32>& vecHash = bMarks ? m_vecMarkHash : m_vecSyntaxHash;
    const quint32 nStored = storedHash(nHash);
    if (nStored != 0 && vecHash.value(nBlock) == nStored)
        return; // the block shows this list already
    if (m_bDeferOffscreen && nStored != 0 && (nBlock < m_nEagerFirst || nBlock > m_nEagerLast)) {
        vecHash[nBlock] = 0; // asked for again when it comes into view
        return;
    }
    const QTextBlock tb = blockByNumber(nBlock);
    QTextLayout* pLayout = tb.isValid() ? tb.layout() : nullptr;
    if (!pLayout)
        return;
    vecHash[nBlock] = nStored;
    const QVector<QTextLayout::FormatRange> vecOld = pLayout->formats();
    if (vecOld.isEmpty()) {
        // A block showing nothing yet (most of them on a first pass).
        if (lstFormats.isEmpty())
            return;
        pLayout->setFormats(lstFormats);
        markDirty(tb, nBlock);
        return;
    }
    // Syntax ranges first, selection marks after them, so that a mark's
    // background lies over the syntax colours.
    QVector<QTextLayout::FormatRange> vecFormats;
    vecFormats.reserve(vecOld.size() + lstFormats.size());
    if (bMarks) {
        for (const QTextLayout::FormatRange& range : vecOld) {
            if (!isSelectionMark(range))
                vecFormats.append(range);
        }
        vecFormats += lstFormats;
    } else {
        vecFormats += lstFormats;
        for (const QTextLayout::FormatRange& range : vecOld) {
            if (isSelectionMark(range))
                vecFormats.append(range);
        }
    }
    if (vecFormats == vecOld)
        return;
    pLayout->setFormats(vecFormats);
    markDirty(tb, nBlock);
}

void CTextDocument::markDirty(const QTextBlock& block, int nBlock)
{
    if (m_nUpdateDepth == 0) {
        markContentsDirty(block.position(), block.length());
        return;
    }
    // Positions are looked up once, for the first and last block of the turn.
    m_nDirtyStart = m_nDirtyStart < 0 ? nBlock : qMin(m_nDirtyStart, nBlock);
    m_nDirtyEnd = qMax(m_nDirtyEnd, nBlock);
}
