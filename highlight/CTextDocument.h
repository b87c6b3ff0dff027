#ifndef CTEXTDOCUMENT_H
#define CTEXTDOCUMENT_H

#include <QList>
#include <QTextDocument>
#include <QTextLayout>

// The document of a code editor. It counts its changes in a version number
// and applies highlighting results of the current version as layout formats,
// so that highlighting never touches the text, the undo stack or the
// modified flag. Syntax ranges and selection marks are kept apart.
class CTextDocument : public QTextDocument
{
    Q_OBJECT
public:
    explicit CTextDocument(QObject* parent = nullptr);

    uint version() const { return m_nVer; }
    static bool isSelectionMark(const QTextLayout::FormatRange& range);

public slots:
    void clearAdditionalFormats();
    void onContentsChange();
    // Results of the highlighter for the block with the given number; they
    // are dropped unless computed from the current version.
    void onHighlightBlock(uint nVer, int nBlock, const QList<QTextLayout::FormatRange>& lstFormats);
    void onHighlightSelected(uint nVer, int nBlock,
                             const QList<QTextLayout::FormatRange>& lstFormats);

private:
    void applyFormats(uint nVer, int nBlock, const QList<QTextLayout::FormatRange>& lstFormats,
                      bool bMarks);

    uint m_nVer = 0;
};

#endif
