#ifndef PREVIEWBYTES_H
#define PREVIEWBYTES_H

#include <QByteArray>

class QIODevice;

// Reads at most nLimit bytes for a preview. When the file goes on beyond
// the limit, the cut is moved back to the start of the character it would
// split (UTF-8, or UTF-16 / UTF-32 marked by a byte-order mark), so that
// the bytes still read in their encoding.
QByteArray readPreviewBytes(QIODevice& device, qint64 nLimit);

// How many leading bytes of arrBytes, a prefix cut from a longer text, end
// on a character boundary.
int characterBoundary(const QByteArray& arrBytes);

#endif
