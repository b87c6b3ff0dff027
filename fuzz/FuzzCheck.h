#ifndef FUZZCHECK_H
#define FUZZCHECK_H

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

// A broken promise ends the run with the input that broke it.
#define FUZZ_CHECK(cond)                                                                          \
    do {                                                                                          \
        if (!(cond)) {                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);       \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// Whether the counted repetitions ({n}) of a definition's patterns stay
// small: QRegExp builds a state per repetition, so nested counts such as
// ((a{1000}){1000}){1000} take it minutes and gigabytes to compile. Such
// inputs are skipped by the targets that compile patterns.
inline bool fuzzRepetitionsBounded(const QByteArray& arrText)
{
    double dProduct = 1;
    for (int i = arrText.indexOf('{'); i >= 0; i = arrText.indexOf('{', i + 1)) {
        double dCount = 0;
        for (int j = i + 1; j < arrText.size() && arrText.at(j) >= '0' && arrText.at(j) <= '9'; ++j)
            dCount = dCount * 10 + (arrText.at(j) - '0');
        if (dCount > 1)
            dProduct *= dCount;
        if (dProduct > 20000)
            return false;
    }
    return true;
}

#endif
