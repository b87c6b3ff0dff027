#ifndef CLINETABLE_H
#define CLINETABLE_H

#include <QString>
#include <QStringList>
#include <QVector>

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

    struct Line
    {
        int nStart = -1; // into m_strText; -1: the text is strOwn
        int nLength = 0;
        QString strOwn;
    };

private:
    QString m_strText;
    QVector<Line> m_vecLines;
};

Q_DECLARE_TYPEINFO(CLineTable::Line, Q_MOVABLE_TYPE);

#endif
