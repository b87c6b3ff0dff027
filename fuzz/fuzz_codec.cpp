// Encoding detection on arbitrary bytes, on each locale's rules: it never
// crashes, the codec it names reads the bytes without loss, and the text it
// decodes on the way is the text decoding the whole gives.
#include "FuzzCheck.h"
#include "util/TextCodec.h"

#include <QTextCodec>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    for (const char* szLocale : {"en_us", "zh_cn", "ja_jp"}) {
        QString strDecoded;
        const QString strCodec =
            detectTextCodec(arrBytes, QString::fromLatin1(szLocale), &strDecoded);
        if (strCodec.isEmpty())
            continue;
        QTextCodec* pCodec = QTextCodec::codecForName(strCodec.toLatin1());
        FUZZ_CHECK(pCodec);
        FUZZ_CHECK(isTextValidInCodec(pCodec, arrBytes));
        FUZZ_CHECK(strDecoded.isNull() || strDecoded == pCodec->toUnicode(arrBytes));
    }
    return 0;
}
