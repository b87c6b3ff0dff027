#ifndef TEXTCODEC_H
#define TEXTCODEC_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextCodec;

// Whether the bytes decode in the codec without loss: no undecodable byte
// (also none silently replaced by a substitution character), no cut-off
// sequence at the end, no noncharacter and no high symbol character.
// With pDecoded and UTF-8, the decoded text is given there when the bytes
// are valid, as pCodec->toUnicode(arrBytes) gives it.
bool isTextValidInCodec(QTextCodec* pCodec, const QByteArray& arrBytes,
                        QString* pDecoded = nullptr);

// The name of the codec the bytes are read in (empty when none fits): the
// codec a byte-order mark names; UTF-8 for strict UTF-8 with non-ASCII
// characters; the system locale's own codec; UTF-8 for plain ASCII; UTF-16
// or UTF-32 without a mark when the bytes look like it; windows-1252 when
// that reading looks Western; then the first of the platform's codecs that
// fits.
QString detectTextCodec(const QByteArray& arrBytes);
// The same for an explicitly given lower-cased locale name ("zh_cn").
QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale);
// The same, also giving the decoded text in pDecoded when the check that
// chose the codec decoded it already (null otherwise).
QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale, QString* pDecoded);

// Length of the Unicode byte-order mark the bytes start with (UTF-32,
// UTF-8 or UTF-16), 0 without one.
int byteOrderMarkLength(const QByteArray& arrBytes);

// Codec names offered in the Text Codec menu, filtered and sorted.
QStringList getCodecMenuNames();
QStringList filterCodecMenuNames(const QList<QByteArray>& lstNames);

#endif
