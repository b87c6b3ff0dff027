#ifndef UTF16TEXT_H
#define UTF16TEXT_H

#include <QByteArray>
#include <QString>

// Texts kept for the user (session, recovery) are stored as their UTF-16 code
// units, little-endian, so that every character, even an unpaired surrogate
// of a file read in an odd codec, comes back as it was.
QByteArray utf16Bytes(const QString& strText);
// False for a byte count that cannot be UTF-16.
bool utf16Text(const QByteArray& arrBytes, QString& strText);

#endif
