#ifndef CLINETABLE_H
#define CLINETABLE_H

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// A text as lines, split the way a text document splits it into blocks.
// Lines of a whole text set at once point into that text; lines changed
// later are stored on their own. Copies share their storage until one of
// them changes, so a copy is cheap to take and to hand to another thread.
class CLineTable
{
public:
    // A change as the GUI thread reports it: a whole new text, or lines
    // nFirst..nLastOld replaced by lstLines.
    struct Edit
    {
        uint nVer = 0;
        bool bWhole = false;
        QString strText;
        int nFirst = 0;
        int nLastOld = -1;
        QStringList lstLines;
    };

    CLineTable();

    // Splits at \r\n, \r, \n and paragraph separators.
    void reset(const QString& strText);
    void replace(int nFirst, int nLastOld, const QStringList& lstLines);
    void apply(const Edit& edit);

    int count() const { return m_vecLines.size(); }
    // Shares the table's storage; valid until the next change.
    QString line(int nIndex) const;
    // The lines joined by U+2029, as QTextDocument::toRawText() gives them.
    // A null string when the text would be too long for one string.
    QString rawText() const;
    // The length of rawText().
    qint64 rawLength() const;
    // rawText() in pieces of about nPieceChars, handed to fn in order; a
    // piece never ends between the two halves of a surrogate pair. Stops
    // and returns false when fn does.
    bool forEachPiece(int nPieceChars, const std::function<bool(const QString&)>& fn) const;

    // Searches for strFind, which holds no line break, from column nColumn of
    // line nLine on; accept says whether an occurrence counts (when it does
    // not, the search goes on from the next line). On success nLine and
    // nColumn are the occurrence's. Lines that lie next to each other in the
    // text set whole are searched as one run, without copying them.
    using Accept = std::function<bool(int nLine, int nColumn)>;
    bool findDown(const QString& strFind, Qt::CaseSensitivity cs, const Accept& accept, int& nLine,
                  int& nColumn) const;

    struct Line
    {
        int nStart = -1; // into m_strText; -1: the text is strOwn
        int nLength = 0;
        QString strOwn;
    };

private:
    // The last line of the run from nFirst whose lines follow each other in
    // m_strText with only line breaks between them.
    int runEnd(int nFirst) const;

    QString m_strText;
    QVector<Line> m_vecLines;
    // The lines' lengths added up, kept as they change: a snapshot is
    // checked against the document's length before every use.
    qint64 m_nLineChars = 0;
};

Q_DECLARE_TYPEINFO(CLineTable::Line, Q_MOVABLE_TYPE);

#endif
