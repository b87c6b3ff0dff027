// Encoding detection on arbitrary bytes, on each locale's rules: it never
// crashes, and the codec it names reads the bytes without loss.
#include "FuzzCheck.h"
#include "util/TextCodec.h"

#include <QTextCodec>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    for (const char* szLocale : {"en_us", "zh_cn", "ja_jp"}) {
        const QString strCodec = detectTextCodec(arrBytes, QString::fromLatin1(szLocale));
        if (strCodec.isEmpty())
            continue;
        QTextCodec* pCodec = QTextCodec::codecForName(strCodec.toLatin1());
        FUZZ_CHECK(pCodec);
        FUZZ_CHECK(isTextValidInCodec(pCodec, arrBytes));
    }
    return 0;
}
