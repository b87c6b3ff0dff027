#include "largefile/LongLines.h"

#include "editor/DecodedText.h"
#include "util/BlockBreaks.h"

int LongLines::longestLine(const QString& strText, int* pLines)
{
    const QChar* p = strText.constData();
    const int nLength = strText.size();
    int nLongest = 0;
    int nStart = 0;
    int nLines = 1;
    for (int i = 0; i < nLength; ++i) {
        const ushort uc = p[i].unicode();
        if (isBlockBreak(uc)) {
            nLongest = qMax(nLongest, i - nStart);
            if (uc == '\r' && i + 1 < nLength && p[i + 1] == QLatin1Char('\n'))
                ++i;
            nStart = i + 1;
            ++nLines;
        }
    }
    if (pLines)
        *pLines = nLines;
    return qMax(nLongest, nLength - nStart);
}

QString LongLines::split(const QString& strText, int nLimit)
{
    const QChar* p = strText.constData();
    const int nLength = strText.size();
    QString strOut;
    strOut.reserve(nLength + nLength / qMax(1, nLimit) + 1);
    int nLine = 0; // characters since the last break
    int nRun = 0;  // start of the characters not yet copied
    for (int i = 0; i < nLength; ++i) {
        if (isBlockBreak(p[i].unicode())) {
            nLine = 0;
            continue;
        }
        if (nLine >= nLimit && !p[i].isLowSurrogate()) {
            strOut.append(p + nRun, i - nRun);
            strOut.append(QLatin1Char('\n'));
            nRun = i;
            nLine = 0;
        }
        ++nLine;
    }
    strOut.append(p + nRun, nLength - nRun);
    return strOut;
}

void LongLines::splitIfLong(DecodedText& decoded, int nLimit)
{
    decoded.strShown.clear();
    const int nLongest = longestLine(decoded.strText, &decoded.nLines);
    if (nLimit > 0 && nLongest > nLimit) {
        decoded.strShown = split(decoded.strText, nLimit);
        longestLine(decoded.strShown, &decoded.nLines);
    }
}
