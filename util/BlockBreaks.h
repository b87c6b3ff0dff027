#ifndef BLOCKBREAKS_H
#define BLOCKBREAKS_H

#include <QChar>

// Whether a character ends a block where QTextDocument takes a text in:
// "\n", "\r" (with a "\n" after it, the two are one break), the paragraph
// separator and the two frame marks.
inline bool isBlockBreak(ushort uc)
{
    // Most characters lie between the two ranges: two comparisons.
    if (uc > '\r' && uc < QChar::ParagraphSeparator)
        return false;
    return uc == '\n' || uc == '\r' || uc == QChar::ParagraphSeparator || uc == 0xFDD0
           || uc == 0xFDD1;
}

#endif
