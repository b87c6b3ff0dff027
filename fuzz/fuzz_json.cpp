// The JSON re-indenter on arbitrary text: whatever it lays out is the same
// JSON value Qt reads from the input, and differs from it in white space only.
#include "FuzzCheck.h"
#include "util/JsonFormat.h"

#include <QJsonDocument>
#include <cstdint>

namespace {
// The text without white space outside strings.
QString withoutLayout(const QString& strText)
{
    QString strOut;
    bool bInString = false;
    for (int i = 0; i < strText.size(); ++i) {
        const QChar ch = strText.at(i);
        if (bInString) {
            strOut += ch;
            if (ch == '\\' && i + 1 < strText.size())
                strOut += strText.at(++i);
            else if (ch == '"')
                bInString = false;
        } else if (ch == '"') {
            bInString = true;
            strOut += ch;
        } else if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r' && ch != QChar(0xFEFF)) {
            strOut += ch;
        }
    }
    return strOut;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    const QString strIn = QString::fromUtf8(arrBytes);
    QString strOut;
    if (!formatJson(strIn, strOut))
        return 0;
    FUZZ_CHECK(withoutLayout(strOut) == withoutLayout(strIn));
    QJsonParseError errIn;
    QJsonParseError errOut;
    const QJsonDocument docIn = QJsonDocument::fromJson(strIn.toUtf8(), &errIn);
    const QJsonDocument docOut = QJsonDocument::fromJson(strOut.toUtf8(), &errOut);
    FUZZ_CHECK(errOut.error == errIn.error);
    FUZZ_CHECK(docOut == docIn);
    // Laying out twice changes nothing more.
    QString strAgain;
    FUZZ_CHECK(formatJson(strOut, strAgain) && strAgain == strOut);
    return 0;
}
