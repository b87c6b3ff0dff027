#ifndef BLOCKLEXER_H
#define BLOCKLEXER_H

#include <QList>
#include <QTextLayout>
#include <functional>

class CSyntaxRules;

// Bits of a block's state: what is open at the end of the block.
enum BlockStateBits {
    StateSingleComment = 0x01,
    StateMultiComment = 0x02,
    StateString = 0x04,
    StateApos = 0x08,
    StateElement = 0x10,
    StateContinued = 0x20, // a single-line comment ended with a continuation
};

struct LexResult
{
    QVector<QTextLayout::FormatRange> lstRanges;
    quint64 nHash = 1; // identifies lstRanges (see FormatHash)
    int nState = 0;
    bool bAborted = false;
};

// Lines longer than this are coloured up to this length only, and their
// state is the one at that point: a text layout with thousands of format
// ranges makes every keystroke in its line slow.
constexpr int LexLengthLimit = 10000;

// Colours one block (line) of text: built-in rules, definition rules inside
// element regions, then comments and strings, whose state carries over from
// the previous block's state (-1 for a block never processed). A pure
// function; fnAbort is polled between rules and matches.
LexResult lexBlock(const CSyntaxRules& rules, const QString& strText, int nPrevState,
                   const std::function<bool()>& fnAbort = {});

#endif
