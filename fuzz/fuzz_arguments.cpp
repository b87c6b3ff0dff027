// The single-instance message: splitting it never crashes and never yields a
// blank argument, and quoting arguments then splitting gives them back.
#include "FuzzCheck.h"
#include "app/Arguments.h"
#include "app/CSingleApp.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    const QString strMessage = QString::fromUtf8(arrBytes);
    for (const QString& strArg : splitArgumentMessage(strMessage))
        FUZZ_CHECK(!strArg.trimmed().isEmpty());

    // Arguments without quotes (a path cannot hold one on Windows) survive
    // the trip through the channel.
    QStringList lstRaw = strMessage.split('\n');
    for (QString& str : lstRaw)
        str.remove('"');
    QStringList lstPlain, lstQuoted;
    buildArgumentLists(lstRaw, lstPlain, lstQuoted);
    FUZZ_CHECK(splitArgumentMessage(lstQuoted.join(' ')) == lstPlain);

    // The running instance's reader of the shared block.
    QByteArray arrBlock = arrBytes.left(CSingleApp::BlockSize);
    const QStringList lstMessages = CSingleApp::messagesInBlock(arrBlock);
    for (const QString& str : lstMessages)
        FUZZ_CHECK(!str.isEmpty() && !str.contains(QChar(0)));
    FUZZ_CHECK(lstMessages.size() <= arrBlock.count('\0') + 1);
    return 0;
}
