#ifndef DECODEDTEXT_H
#define DECODEDTEXT_H

#include "editor/CStandIns.h"

#include <QByteArray>
#include <QString>
#include <functional>

// File bytes turned into text: the codec they were read with and the
// line-ending convention found in them. Decoding touches no widget, so it
// may run on any thread. The text is in the form a document holds it:
// characters a document cannot hold replaced by their stand-ins.
struct DecodedText
{
    QString strText;
    CStandIns standIns;
    QString strCodec;
    int nReturnFormat = 0;
    // Set when lines were too long to show as they are: the text the
    // document shows instead, those lines split (strText stays what saving
    // writes).
    QString strShown;
    // Lines of what the document shows, when known (0: not counted).
    int nLines = 0;
};

// Decodes with the named codec, or with the one detected for the bytes when
// the name is empty; bytes no codec fits are read as UTF-8.
DecodedText decodeText(const QByteArray& arrBytes, const QString& strCodec);

// Replaces what a document cannot hold in the text by stand-ins.
void applyStandIns(DecodedText& decoded);

// The line-ending convention a text uses: Windows when "\r\n" occurs, else
// Unix for "\n", else OSX for "\r", else Windows.
int detectReturnFormat(const QString& strText);

// The text as saved: every line break (as a document splits lines: "\r\n",
// "\r", "\n", paragraph separators) written as the convention's break,
// stand-ins given back, in UTF-8 without a byte-order mark.
QByteArray encodeForSave(const QString& strText, int nReturnFormat,
                         const CStandIns& standIns = CStandIns());
// The same, handed to fnWrite in pieces; false when fnWrite fails.
bool encodeForSave(const QString& strText, int nReturnFormat, const CStandIns& standIns,
                   const std::function<bool(const char*, int)>& fnWrite);

#endif
