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
// An HTML page of about nBytes bytes (UTF-8): a style sheet, then sections
// of headings, paragraphs with inline markup and links, lists and tables.
QByteArray makeHtmlPage(int nBytes);
// One line of valid, minified JSON: an array of small records, at most
// nBytes bytes.
QByteArray makeMinifiedJson(qint64 nBytes);
// Uniformly random bytes.
QByteArray makeRandomBytes(int nBytes);

// A folder of nEntries entries: a few hundred sub-folders among empty files
// of mixed case and extensions, in no particular order on disk.
bool makeFolder(const QString& strDir, int nEntries);

bool writeFile(const QString& strPath, const QByteArray& arrBytes);

#endif
