#ifndef CTEXTMIRROR_H
#define CTEXTMIRROR_H

#include "highlight/CLineTable.h"

// The highlighter thread's own copy of a document's lines and block states,
// so that it never reads the live document.
//
// Each line remembers the state it ended in and the state of the line
// before it when it was lexed: a line is up to date while that previous
// state is still the one the line before ends in. Lines where lexing must
// start again (changed lines, where a pass stopped) are kept as dirty
// marks, so that a pass starts there and stops once lines are up to date.
class CTextMirror
{
public:
    CTextMirror();

    // Splits a whole text into lines the way a text document splits it into
    // blocks (at \r\n, \r, \n and paragraph separators).
    void reset(const QString& strText);
    void apply(const CLineTable::Edit& edit);
    // Replaces lines nFirst..nLastOld by the given lines (not lexed yet).
    void replace(int nFirst, int nLastOld, const QStringList& lstLines);
    // Every line needs lexing again (the rules changed).
    void invalidateAll();

    int count() const { return m_lines.count(); }
    // The line's text; shares the mirror's storage, valid until the next change.
    QString line(int nIndex) const { return m_lines.line(nIndex); }
    // The lines alone, cheap to copy.
    const CLineTable& lines() const { return m_lines; }
    int state(int nIndex) const { return nIndex >= 0 && nIndex < m_vecStates.size() ? m_vecStates.at(nIndex) : -1; }
    void setState(int nIndex, int nState);
    bool isUpToDate(int nIndex) const;

    void markDirty(int nIndex);
    // The first dirty line, taken off the marks (-1: none).
    int takeDirty();
    bool hasDirty() const { return !m_vecDirty.isEmpty(); }

private:
    CLineTable m_lines;
    // End state and the previous line's state used, per line (-1: not lexed).
    QVector<signed char> m_vecStates;
    QVector<signed char> m_vecPrevUsed;
    QVector<int> m_vecDirty; // ascending
};

#endif
