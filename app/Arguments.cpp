#include "app/Arguments.h"

#include <QFileInfo>

void buildArgumentLists(const QStringList& lstRaw, QStringList& lstPlain, QStringList& lstQuoted)
{
    for (const QString& strRaw : lstRaw) {
        const QString strArg = strRaw.trimmed();
        if (strArg.isEmpty())
            continue;
        lstPlain.append(strArg);
        lstQuoted.append(strArg.startsWith('"') ? strArg : '"' + strArg + '"');
    }
}

QStringList splitArgumentMessage(const QString& strMessage)
{
    QStringList lstArgs;
    QString strCurrent;
    bool bInQuotes = false;
    const auto flush = [&]() {
        const QString strArg = strCurrent.trimmed();
        if (!strArg.isEmpty())
            lstArgs.append(strArg);
        strCurrent.clear();
    };
    for (const QChar ch : strMessage) {
        if (ch == '"')
            bInQuotes = !bInQuotes;
        else if (ch == ' ' && !bInQuotes)
            flush();
        else
            strCurrent.append(ch);
    }
    flush();
    return lstArgs;
}

QStringList absoluteExistingPaths(const QStringList& lstArgs)
{
    QStringList lstResult;
    for (const QString& strArg : lstArgs) {
        const QFileInfo info(strArg.trimmed());
        lstResult.append(!strArg.trimmed().isEmpty() && info.isRelative() && info.exists()
                             ? info.absoluteFilePath()
                             : strArg);
    }
    return lstResult;
}
