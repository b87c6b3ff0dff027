#ifndef PATTERNCOST_H
#define PATTERNCOST_H

#include <QString>

// About how many states QRegExp builds for a pattern. It copies what a
// counted repetition ({n}, {n,m}) repeats, so nested counts multiply:
// ((a{1000}){1000}){1000} would take it minutes and gigabytes to compile.
// The estimate stops growing once it passes nLimit.
qint64 patternCost(const QString& strPattern, qint64 nLimit);

// About a microsecond a state: patterns up to this cost compile within ten
// milliseconds or so.
constexpr qint64 MaxPatternCost = 10000;

inline bool isPatternAffordable(const QString& strPattern)
{
    return patternCost(strPattern, MaxPatternCost) <= MaxPatternCost;
}

#endif
