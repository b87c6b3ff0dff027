#ifndef CTEXTFINDER_H
#define CTEXTFINDER_H

#include <QRegExp>
#include <QString>
#include <QVector>

class CLineTable;

// The matching rules of the editor's find engine, applied to raw document
// text: blocks separated by U+2029, as QTextDocument::toRawText() gives it,
// or a run of whole blocks of it. No document, no widget.
//
// Rules users rely on: a match of length 0 is no match; with whole word a
// match must not touch a word character on either side, and only the first
// candidate of a block (the last one searching up) is examined: when it
// fails, the rest of that block is skipped. Word characters are ASCII letters
// and digits and the letters and digits above U+007F; the underscore is a
// separator.
class CTextFinder
{
public:
    struct Options
    {
        bool bWholeWord = false;
        bool bMatchCase = false;
        bool bRegExp = false;
    };

    struct Hit
    {
        int nStart = -1;
        int nLength = 0;
        bool isValid() const { return nStart >= 0; }
    };

    CTextFinder(const QString& strFind, const Options& options);

    // False for an empty text, an invalid expression, or a plain text that
    // could only match across a block break.
    bool isValid() const { return m_bValid; }
    static bool isWordChar(QChar ch);
    // Whether inserting the text would split its block.
    static bool breaksBlocks(const QString& str);

    // The first match that starts at or after nFrom.
    Hit findDown(const QString& strRaw, int nFrom) const;
    // Like findDown, over a document's lines from column nColumn of line
    // nLine: on success nLine and nColumn are the match's. Plain texts only
    // (see searchesLines).
    bool findDownInLines(const CLineTable& lines, int& nLine, int& nColumn) const;
    // The length of a plain text's match.
    int length() const { return m_strFind.size(); }
    bool searchesLines() const { return m_bValid && !m_options.bRegExp && !breaksBlocks(m_strFind); }
    // The last match that starts at or before nFrom (matches on the block
    // of nFrom included, even when nFrom is that block's end).
    Hit findUp(const QString& strRaw, int nFrom) const;
    // Whether the nLength characters at nStart of a block's text are a match
    // where they stand (what Replace asks of a selection).
    bool matchesAt(const QString& strBlock, int nStart, int nLength) const;

    // What Replace All does to strRaw, searching from its start (or its end
    // when bUp) with the replacement strReplace, which must not break blocks:
    // the edits in the order they are made, each at its position in the text
    // as it is at that moment. The search goes on after (before, searching
    // up) each replacement, exactly as repeated Replace would.
    QVector<Hit> replaceAllEdits(const QString& strRaw, bool bUp, const QString& strReplace) const;

private:
    // The first candidate of a line from nOffset (down) or up to nOffset
    // (up); -1 when none. Empty expression matches are passed over.
    int regExpCandidate(const QString& strLine, int nOffset, bool bUp, int* pLength,
                        QRegExp::CaretMode caret = QRegExp::CaretAtZero) const;
    bool passesWholeWord(QChar chBefore, QChar chAfter) const;
    void lineEditsDown(const QString& strLine, int nLineStart, const QString& strReplace,
                       int& nDelta, QVector<Hit>& vecEdits) const;
    void lineEditsUpPlain(const QString& strLine, int nLineStart, const QString& strReplace,
                          QVector<Hit>& vecEdits) const;
    void lineEditsUpRegExp(const QString& strLine, int nLineStart, const QString& strReplace,
                           QVector<Hit>& vecEdits) const;

    QString m_strFind;
    Options m_options;
    Qt::CaseSensitivity m_cs;
    QRegExp m_rx;
    bool m_bValid = false;
};

#endif
