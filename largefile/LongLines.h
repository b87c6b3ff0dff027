#ifndef LONGLINES_H
#define LONGLINES_H

#include <QString>

struct DecodedText;

// Lines too long to edit without every keystroke laying out the whole line
// again are shown split at a limit, in a read-only view.
namespace LongLines {

// The line-length limit when the settings hold none: a keystroke in a line
// of this length costs well under 50 ms (bench: longline_key_*).
constexpr int DefaultLimit = 10000;

// Length of the longest line (lines end as a text document splits them),
// and the number of lines when pLines is given.
int longestLine(const QString& strText, int* pLines = nullptr);
// The text with every line longer than nLimit broken into lines of nLimit
// characters (a surrogate pair is never cut).
QString split(const QString& strText, int nLimit);
// Fills the decoded text's shown form when a line is longer than nLimit
// (nLimit <= 0: never), and counts the lines shown.
void splitIfLong(DecodedText& decoded, int nLimit);

} // namespace LongLines

#endif
