#include "editor/DecodedText.h"

#include "editor/CHighlightEdit.h"
#include "util/BlockBreaks.h"
#include "util/TextCodec.h"

#include <QLocale>
#include <QTextCodec>
#include <cstring>

namespace {

QTextCodec* codecByName(const QString& strName)
{
    return strName.isEmpty() ? nullptr : QTextCodec::codecForName(strName.toUtf8());
}


// Appends the UTF-8 form of p[0..n) (no line breaks in it) to pOut.
char* putUtf8(char* pOut, const QChar* p, int n)
{
    for (int i = 0; i < n; ++i) {
        uint uc = p[i].unicode();
        if (uc < 0x80) {
            *pOut++ = char(uc);
            continue;
        }
        if (uc < 0x800) {
            *pOut++ = char(0xC0 | (uc >> 6));
            *pOut++ = char(0x80 | (uc & 0x3F));
            continue;
        }
        if (QChar::isHighSurrogate(uc) && i + 1 < n && p[i + 1].isLowSurrogate()) {
            uc = QChar::surrogateToUcs4(ushort(uc), p[++i].unicode());
            *pOut++ = char(0xF0 | (uc >> 18));
            *pOut++ = char(0x80 | ((uc >> 12) & 0x3F));
            *pOut++ = char(0x80 | ((uc >> 6) & 0x3F));
            *pOut++ = char(0x80 | (uc & 0x3F));
            continue;
        }
        if (QChar::isSurrogate(uc)) {
            *pOut++ = '?'; // a lone half has no UTF-8 form; QString::toUtf8 does the same
            continue;
        }
        *pOut++ = char(0xE0 | (uc >> 12));
        *pOut++ = char(0x80 | ((uc >> 6) & 0x3F));
        *pOut++ = char(0x80 | (uc & 0x3F));
    }
    return pOut;
}

} // namespace

DecodedText decodeText(const QByteArray& arrBytes, const QString& strCodec)
{
    DecodedText decoded;
    // Detection may decode the text on the way; it is not decoded twice.
    QString strDetected;
    decoded.strCodec = strCodec.isEmpty()
                           ? detectTextCodec(arrBytes, QLocale::system().name().toLower(), &strDetected)
                           : strCodec;
    // Every byte is decoded: a NUL byte must not end the text.
    QTextCodec* pCodec = codecByName(decoded.strCodec);
    if (!strDetected.isNull())
        decoded.strText.swap(strDetected);
    else
        decoded.strText = pCodec ? pCodec->toUnicode(arrBytes)
                                 : QString::fromUtf8(arrBytes.constData(), arrBytes.size());
    applyStandIns(decoded);
    // Decoders reserve a character per byte; the text is kept a long time.
    decoded.strText.squeeze();
    decoded.nReturnFormat = detectReturnFormat(decoded.strText);
    return decoded;
}

void applyStandIns(DecodedText& decoded)
{
    decoded.standIns = CStandIns::forText(decoded.strText);
    if (!decoded.standIns.isEmpty())
        decoded.strText = decoded.standIns.toDocument(decoded.strText);
}

int detectReturnFormat(const QString& strText)
{
    // Most texts have no carriage return: one quick search for it first.
    if (!strText.contains(QLatin1Char('\r')))
        return strText.contains(QLatin1Char('\n')) ? CHighlightEdit::ReturnUnix
                                                   : CHighlightEdit::ReturnWindows;
    if (strText.contains(QLatin1String("\r\n")))
        return CHighlightEdit::ReturnWindows;
    if (strText.contains(QLatin1Char('\n')))
        return CHighlightEdit::ReturnUnix;
    if (strText.contains(QLatin1Char('\r')))
        return CHighlightEdit::ReturnOSX;
    return CHighlightEdit::ReturnWindows;
}

bool encodeForSave(const QString& strText, int nReturnFormat, const CStandIns& standIns,
                   const std::function<bool(const char*, int)>& fnWrite)
{
    // Runs between breaks, stand-ins given back where there are any.
    const auto putRun = [&standIns](char* pOut, const QChar* p, int n) {
        if (standIns.isEmpty() || n == 0)
            return putUtf8(pOut, p, n);
        const QString strRun = standIns.fromDocument(QString(p, n));
        return putUtf8(pOut, strRun.constData(), strRun.size());
    };
    const char* szBreak = nReturnFormat == CHighlightEdit::ReturnUnix  ? "\n"
                          : nReturnFormat == CHighlightEdit::ReturnOSX ? "\r"
                                                                       : "\r\n";
    const int nBreak = nReturnFormat == CHighlightEdit::ReturnWindows ? 2 : 1;
    const QChar* p = strText.constData();
    const int nLength = strText.size();
    // Written in pieces: a large text never needs a second copy in memory.
    constexpr int PieceChars = 64 * 1024;
    QByteArray arrPiece(PieceChars * 3, Qt::Uninitialized);
    for (int nFrom = 0; nFrom < nLength;) {
        int nTo = qMin(nLength, nFrom + PieceChars);
        // A pair and a "\r\n" stay in one piece.
        while (nTo < nLength && (p[nTo - 1].isHighSurrogate() || p[nTo - 1] == QLatin1Char('\r')))
            ++nTo;
        // Three bytes at most per unit (a pair's four bytes stand for two).
        if (arrPiece.size() < (nTo - nFrom) * 3)
            arrPiece.resize((nTo - nFrom) * 3);
        char* pOut = arrPiece.data();
        int nRun = nFrom;
        for (int i = nFrom; i < nTo; ++i) {
            const ushort uc = p[i].unicode();
            if (!isBlockBreak(uc))
                continue;
            pOut = putRun(pOut, p + nRun, i - nRun);
            if (uc == '\r' && i + 1 < nLength && p[i + 1] == QLatin1Char('\n'))
                ++i;
            memcpy(pOut, szBreak, size_t(nBreak));
            pOut += nBreak;
            nRun = i + 1;
        }
        if (nRun < nTo)
            pOut = putRun(pOut, p + nRun, nTo - nRun);
        if (!fnWrite(arrPiece.constData(), int(pOut - arrPiece.constData())))
            return false;
        nFrom = qMax(nTo, nRun);
    }
    return true;
}

QByteArray encodeForSave(const QString& strText, int nReturnFormat, const CStandIns& standIns)
{
    QByteArray arrOut;
    encodeForSave(strText, nReturnFormat, standIns, [&arrOut](const char* p, int n) {
        arrOut.append(p, n);
        return true;
    });
    return arrOut;
}
