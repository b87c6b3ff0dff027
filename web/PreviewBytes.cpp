#include "web/PreviewBytes.h"

#include "util/TextCodec.h"

#include <QIODevice>
#include <QTextCodec>

namespace {

bool startsWith(const QByteArray& arr, const char* szPrefix, int nLen)
{
    return arr.size() >= nLen && memcmp(arr.constData(), szPrefix, nLen) == 0;
}

// Length in bytes of the UTF-8 sequence a lead byte starts (0: not a lead).
int utf8SequenceLength(uchar c)
{
    if (c >= 0xF0 && c <= 0xF4)
        return 4;
    if (c >= 0xE0 && c <= 0xEF)
        return 3;
    if (c >= 0xC2 && c <= 0xDF)
        return 2;
    return 0;
}

int utf16Boundary(const QByteArray& arr, bool bLittleEndian)
{
    int nLen = arr.size() & ~1;
    if (nLen >= 4) {
        const uchar c0 = uchar(arr.at(nLen - 2));
        const uchar c1 = uchar(arr.at(nLen - 1));
        const ushort unit = bLittleEndian ? ushort(c0 | (c1 << 8)) : ushort((c0 << 8) | c1);
        if (QChar::isHighSurrogate(unit))
            nLen -= 2;
    }
    return nLen;
}

int utf8Boundary(const QByteArray& arr)
{
    // The last lead byte within a sequence's reach; continuation bytes
    // (10xxxxxx) after it belong to it.
    const int nSize = arr.size();
    for (int i = nSize - 1; i >= 0 && i >= nSize - 4; --i) {
        const uchar c = uchar(arr.at(i));
        if ((c & 0xC0) == 0x80)
            continue;
        const int nNeeded = utf8SequenceLength(c);
        if (nNeeded > nSize - i) {
            // Cut only a text that is UTF-8 up to there; in another
            // encoding these bytes are whole characters.
            const QByteArray arrHead = arr.left(i);
            if (isTextValidInCodec(QTextCodec::codecForMib(106), arrHead))
                return i;
        }
        break;
    }
    return nSize;
}

} // namespace

int characterBoundary(const QByteArray& arrBytes)
{
    if (startsWith(arrBytes, "\xFF\xFE\x00\x00", 4) || startsWith(arrBytes, "\x00\x00\xFE\xFF", 4))
        return arrBytes.size() & ~3;
    if (startsWith(arrBytes, "\xFF\xFE", 2))
        return utf16Boundary(arrBytes, true);
    if (startsWith(arrBytes, "\xFE\xFF", 2))
        return utf16Boundary(arrBytes, false);
    return utf8Boundary(arrBytes);
}

QByteArray readPreviewBytes(QIODevice& device, qint64 nLimit)
{
    QByteArray arrBytes = device.read(nLimit);
    if (!device.atEnd())
        arrBytes.truncate(characterBoundary(arrBytes));
    return arrBytes;
}
