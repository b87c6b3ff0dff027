#include "highlight/CTextDocument.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>

CTextDocument::CTextDocument(QObject* parent)
    : QTextDocument(parent)
{
    setDocumentLayout(new QPlainTextDocumentLayout(this));
    connect(this, &QTextDocument::contentsChange, this, &CTextDocument::onContentsChange);
}

bool CTextDocument::isSelectionMark(const QTextLayout::FormatRange& range)
{
    return (range.format.intProperty(QTextFormat::UserProperty) & 1) != 0;
}

void CTextDocument::onContentsChange()
{
    ++m_nVer;
}

void CTextDocument::clearAdditionalFormats()
{
    for (QTextBlock tb = firstBlock(); tb.isValid(); tb = tb.next()) {
        if (QTextLayout* pLayout = tb.layout())
            pLayout->clearFormats();
    }
}

void CTextDocument::onHighlightBlock(uint nVer, int nBlock,
                                     const QList<QTextLayout::FormatRange>& lstFormats)
{
    applyFormats(nVer, nBlock, lstFormats, false);
}

void CTextDocument::onHighlightSelected(uint nVer, int nBlock,
                                        const QList<QTextLayout::FormatRange>& lstFormats)
{
    applyFormats(nVer, nBlock, lstFormats, true);
}

void CTextDocument::applyFormats(uint nVer, int nBlock,
                                 const QList<QTextLayout::FormatRange>& lstFormats, bool bMarks)
{
    if (nVer != m_nVer)
        return;
    const QTextBlock tb = findBlockByNumber(nBlock);
    QTextLayout* pLayout = tb.isValid() ? tb.layout() : nullptr;
    if (!pLayout)
        return;
    // Syntax ranges first, selection marks after them, so that a mark's
    // background lies over the syntax colours.
    const QVector<QTextLayout::FormatRange> vecOld = pLayout->formats();
    QVector<QTextLayout::FormatRange> vecSyntax;
    QVector<QTextLayout::FormatRange> vecMarks;
    for (const QTextLayout::FormatRange& range : vecOld)
        (isSelectionMark(range) ? vecMarks : vecSyntax).append(range);
    QVector<QTextLayout::FormatRange>& vecReplaced = bMarks ? vecMarks : vecSyntax;
    if (vecReplaced == lstFormats.toVector())
        return; // most blocks come back as they were
    vecReplaced = lstFormats.toVector();
    pLayout->setFormats(vecSyntax + vecMarks);
    // Only a block that has been laid out is on screen or was; the others
    // take their formats when they are first laid out.
    if (pLayout->lineCount() > 0)
        markContentsDirty(tb.position(), tb.length());
}
