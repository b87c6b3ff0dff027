#ifndef FORMATHASH_H
#define FORMATHASH_H

#include <QtGlobal>

// Identifies a block's list of format ranges cheaply, so that a list equal to
// the one a block already shows need not be applied again. A range counts by
// its start, length and a key of its format (its colour).
namespace FormatHash {

// The hash of an empty list; never 0, which stands for "unknown".
constexpr quint64 Empty = 1;

inline quint64 add(quint64 nHash, int nStart, int nLength, quint32 nKey)
{
    const quint64 arrParts[] = {quint64(quint32(nStart)), quint64(quint32(nLength)), nKey};
    for (quint64 nPart : arrParts) {
        nHash ^= nPart + 0x9e3779b97f4a7c15ULL + (nHash << 6) + (nHash >> 2);
        nHash *= 0xff51afd7ed558ccdULL;
    }
    return nHash == 0 ? Empty + 1 : nHash;
}

} // namespace FormatHash

#endif
