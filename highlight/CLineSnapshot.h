#ifndef CLINESNAPSHOT_H
#define CLINESNAPSHOT_H

#include "highlight/CLineTable.h"

#include <QList>

// A document's text at one moment, taken on the GUI thread without copying
// the text: the lines as the highlighter's worker last took them plus the
// changes it has not taken yet. The text is put together later, in any
// thread. The document's block and character counts are taken with them, so
// that a snapshot that does not add up is refused rather than used.
class CLineSnapshot
{
public:
    CLineSnapshot() = default;
    // A text taken whole.
    explicit CLineSnapshot(const QString& strRawText);
    CLineSnapshot(const CLineTable& lines, const QList<CLineTable::Edit>& lstPending, int nBlocks,
                  int nChars);

    // Blocks separated by U+2029; a null string when the lines do not make
    // the document's counts.
    QString rawText() const;
    bool isWhole() const { return m_nBlocks < 0; }
    // The lines, into lines; false when they do not make the document's
    // counts or the snapshot is a whole text.
    bool lines(CLineTable& lines) const;

private:
    QString m_strWhole;
    CLineTable m_lines;
    QList<CLineTable::Edit> m_lstPending;
    int m_nBlocks = -1; // -1: the snapshot is m_strWhole
    int m_nChars = 0;
};

#endif
