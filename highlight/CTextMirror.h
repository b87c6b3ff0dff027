#ifndef CTEXTMIRROR_H
#define CTEXTMIRROR_H

#include <QString>
#include <QStringList>
#include <QVector>

// The highlighter thread's own copy of a document's lines and block states,
// so that it never reads the live document. Lines of a whole text loaded at
// once point into that text; lines changed later are stored on their own.
class CTextMirror
{
public:
    CTextMirror();

    // Splits a whole text into lines the way a text document splits it into
    // blocks (at \r\n, \r, \n and paragraph separators).
    void reset(const QString& strText);
    // Replaces lines nFirst..nLastOld by the given lines (fresh states).
    void replace(int nFirst, int nLastOld, const QStringList& lstLines);

    int count() const { return m_vecLines.size(); }
    // The line's text; shares the mirror's storage, valid until the next change.
    QString line(int nIndex) const;
    int state(int nIndex) const { return m_vecStates.value(nIndex, -1); }
    void setState(int nIndex, int nState);

private:
    struct Line
    {
        int nStart = -1; // into m_strText; -1: the text is strOwn
        int nLength = 0;
        QString strOwn;
    };

    QString m_strText;
    QVector<Line> m_vecLines;
    QVector<int> m_vecStates;
};

#endif
