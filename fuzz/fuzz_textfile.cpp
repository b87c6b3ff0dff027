// File bytes through the code editor: loading never crashes, the text to
// save uses the chosen line break only, and a UTF-8 file with one kind of
// line break is saved back byte for byte.
#include "FuzzCheck.h"
#include "editor/CHighlightEdit.h"

#include <QApplication>
#include <QTextCodec>
#include <cstdint>

namespace {
// One editor for every input, never destroyed: tearing Qt down after the
// fuzzer's last input is not what is tested.
CHighlightEdit* editor()
{
    static CHighlightEdit* s_pEdit = nullptr;
    if (!s_pEdit) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int s_nArgc = 1;
        static char s_szName[] = "fuzz_textfile";
        static char* s_arrArgv[] = {s_szName, nullptr};
        new QApplication(s_nArgc, s_arrArgv);
        s_pEdit = new CHighlightEdit;
    }
    return s_pEdit;
}

// Which line breaks the bytes hold: bit 0 "\r\n", bit 1 lone "\n", bit 2 lone "\r".
int breakKinds(const QByteArray& arr)
{
    int nKinds = 0;
    for (int i = 0; i < arr.size(); ++i) {
        if (arr.at(i) == '\r' && i + 1 < arr.size() && arr.at(i + 1) == '\n') {
            nKinds |= 1;
            ++i;
        } else if (arr.at(i) == '\n') {
            nKinds |= 2;
        } else if (arr.at(i) == '\r') {
            nKinds |= 4;
        }
    }
    return nKinds;
}

QString withUnixBreaks(QString str)
{
    return str.replace("\r\n", "\n").replace('\r', '\n');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    CHighlightEdit* pEdit = editor();
    pEdit->setCodecName(QString()); // detect anew for every input
    pEdit->loadContent(arrBytes, false);
    const int nFound = pEdit->returnFormat();
    const QString strFound = pEdit->getTextForSave();

    if (pEdit->codecName() == "UTF-8" && !arrBytes.startsWith("\xef\xbb\xbf")) {
        const int nKinds = breakKinds(arrBytes);
        if (nKinds == 0 || nKinds == 1 || nKinds == 2 || nKinds == 4)
            FUZZ_CHECK(strFound.toUtf8() == arrBytes);
    }
    const char* arrBreaks[] = {"\r\n", "\n", "\r"};
    for (int nMode = 0; nMode < 3; ++nMode) {
        pEdit->setReturnFormat(nMode);
        const QString strSaved = pEdit->getTextForSave();
        // Only this mode's break, and otherwise the same text.
        QString strOthers = strSaved;
        strOthers.remove(QLatin1String(arrBreaks[nMode]));
        FUZZ_CHECK(!strOthers.contains('\n') && !strOthers.contains('\r'));
        FUZZ_CHECK(withUnixBreaks(strSaved) == withUnixBreaks(strFound));
    }
    pEdit->setReturnFormat(nFound);
    return 0;
}
