#ifndef CTEXTDOCUMENT_H
#define CTEXTDOCUMENT_H

#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVector>

// The document of a code editor. It counts its changes in a version number
// and applies highlighting results of the current version as layout formats,
// so that highlighting never touches the text, the undo stack or the
// modified flag. Syntax ranges and selection marks are kept apart.
class CTextDocument : public QTextDocument
{
    Q_OBJECT
public:
    // The blocks the last change touched: nFirst..nLastOld before it became
    // nFirst..nLastNew.
    struct BlockChange
    {
        int nFirst = 0;
        int nLastOld = 0;
        int nLastNew = 0;
    };

    explicit CTextDocument(QObject* parent = nullptr);

    uint version() const { return m_nVer; }
    // While a text is appended in slices to an empty document, the version
    // stays: the highlighter has the whole text already, and its results
    // hold for every block the slices have brought.
    void setFilling(bool bFilling) { m_bFilling = bFilling; }
    const BlockChange& lastChange() const { return m_change; }
    static bool isSelectionMark(const QTextLayout::FormatRange& range);

    // Results for blocks far from what a view shows are not applied (they
    // cost a text layout each); such blocks are left "not known" and their
    // results are asked for again once they come into view (needsFormats).
    // The eager range is kept up to date by the view.
    void setEagerRange(int nFirst, int nLast);
    void setDeferOffscreen(bool bDefer) { m_bDeferOffscreen = bDefer; }
    bool needsFormats(int nBlock) const;
    // Whether results had to be dropped because they were older than the
    // changes remembered (the highlighter then lexes everything again).
    bool takeLostResults();

    // Between these, blocks whose formats change are marked changed once,
    // together, at the end, without the full repaint that marking them
    // would ask for; views repaint what they show of them on formatsChanged.
    void beginFormatUpdate();
    void endFormatUpdate();

signals:
    // Formats of the characters from nFrom up to nTo changed (in a batch).
    void formatsChanged(int nFrom, int nTo);

public slots:
    void clearAdditionalFormats();
    void onContentsChange(int nPosition, int nRemoved, int nAdded);
    // Results of the highlighter for the block with the given number at the
    // given version. Results of an older version are applied where that
    // block is now, unless a change since replaced it: the highlighter
    // sends anything they no longer hold for again, after them. A non-zero
    // hash identifies the list: a block already showing that list is left
    // alone.
    void onHighlightBlock(uint nVer, int nBlock, const QVector<QTextLayout::FormatRange>& lstFormats,
                          quint64 nHash = 0);
    void onHighlightSelected(uint nVer, int nBlock,
                             const QVector<QTextLayout::FormatRange>& lstFormats,
                             quint64 nHash = 0);

private:
    void applyFormats(uint nVer, int nBlock, const QVector<QTextLayout::FormatRange>& lstFormats,
                      bool bMarks, quint64 nHash);
    QTextBlock blockByNumber(int nBlock);
    // Where a block of an older version is now (-1: a change since replaced it).
    int currentBlock(uint nVer, int nBlock);
    void markDirty(const QTextBlock& block, int nBlock);

    uint m_nVer = 0;
    bool m_bFilling = false;
    BlockChange m_change;
    // The latest changes, oldest first; m_vecChanges[i] made version
    // m_nVer - (size - 1 - i).
    QVector<BlockChange> m_vecChanges;
    bool m_bLostResults = false;
    int m_nKnownBlockCount = 1;
    int m_nKnownCharCount = 1;
    // What each block shows, as the hash of its list (0: not known).
    QVector<quint32> m_vecSyntaxHash;
    QVector<quint32> m_vecMarkHash;
    // Results arrive in block order: the last block found leads to the next.
    QTextBlock m_tbCache;
    int m_nCacheNumber = -1;
    bool m_bDeferOffscreen = true;
    int m_nEagerFirst = 0;
    int m_nEagerLast = 300;
    int m_nUpdateDepth = 0;
    int m_nDirtyStart = -1; // block numbers of the turn's changed blocks
    int m_nDirtyEnd = -1;
};

#endif
