#ifndef BENCHDATA_H
#define BENCHDATA_H

#include <QByteArray>
#include <QString>

// Inputs are generated from fixed seeds, so every run measures the same bytes.

// nLines lines of ASCII words and CJK runs, UTF-8, "\n" endings, exactly
// nBytes bytes in all.
QByteArray makeMixedText(qint64 nBytes, int nLines);
// nLines lines of C++ source: includes, macros, classes, functions,
// // and multi-line /* */ comments, strings with escapes, numbers.
QByteArray makeCppSource(int nLines);
// Uniformly random bytes.
QByteArray makeRandomBytes(int nBytes);

bool writeFile(const QString& strPath, const QByteArray& arrBytes);

#endif
