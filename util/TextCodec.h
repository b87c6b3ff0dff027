#ifndef TEXTCODEC_H
#define TEXTCODEC_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextCodec;

// Whether the bytes decode in the codec without loss: no undecodable byte
// (also none silently replaced by a substitution character), no cut-off
// sequence at the end, no noncharacter and no high symbol character.
bool isTextValidInCodec(QTextCodec* pCodec, const QByteArray& arrBytes);

// The name of the first codec that fits the bytes: the system locale's own
// codec, then strict UTF-8, then the platform's codecs in their order (empty
// when none fits).
QString detectTextCodec(const QByteArray& arrBytes);
// The same for an explicitly given lower-cased locale name ("zh_cn").
QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale);

// Codec names offered in the Text Codec menu, filtered and sorted.
QStringList getCodecMenuNames();
QStringList filterCodecMenuNames(const QList<QByteArray>& lstNames);

#endif
