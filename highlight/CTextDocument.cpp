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

void CTextDocument::onHighlightBlock(uint nVer, const QTextBlock& tb,
                                     const QList<QTextLayout::FormatRange>& lstFormats)
{
    applyFormats(nVer, tb, lstFormats, false);
}

void CTextDocument::onHighlightSelected(uint nVer, const QTextBlock& tb,
                                        const QList<QTextLayout::FormatRange>& lstFormats)
{
    applyFormats(nVer, tb, lstFormats, true);
}

void CTextDocument::applyFormats(uint nVer, const QTextBlock& tb,
                                 const QList<QTextLayout::FormatRange>& lstFormats, bool bMarks)
{
    if (nVer != m_nVer || !tb.isValid())
        return;
    QTextLayout* pLayout = tb.layout();
    if (!pLayout)
        return;
    // Syntax ranges first, selection marks after them, so that a mark's
    // background lies over the syntax colours.
    QList<QTextLayout::FormatRange> lstKept;
    for (const QTextLayout::FormatRange& range : pLayout->formats()) {
        if (isSelectionMark(range) != bMarks)
            lstKept.append(range);
    }
    QList<QTextLayout::FormatRange> lstAll;
    if (bMarks) {
        lstAll = lstKept + lstFormats;
    } else {
        lstAll = lstFormats + lstKept;
    }
    pLayout->setFormats(lstAll.toVector());
    markContentsDirty(tb.position(), tb.length());
}
