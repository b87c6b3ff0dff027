#include "editor/CStandIns.h"

#include <QSet>

CStandIns CStandIns::forText(const QString& strText)
{
    static const QChar arrSpecial[] = {QChar(QChar::ParagraphSeparator), QChar(0xFDD0), QChar(0xFDD1)};
    CStandIns standIns;
    QSet<ushort> setUsed;
    bool bAny = false;
    for (const QChar ch : arrSpecial)
        bAny = bAny || strText.contains(ch);
    if (!bAny)
        return standIns;
    for (const QChar ch : strText) {
        if (ch.unicode() >= 0xE000 && ch.unicode() <= 0xF8FF)
            setUsed.insert(ch.unicode());
    }
    ushort nNext = 0xF8FF; // from the top of the private-use area down
    for (const QChar ch : arrSpecial) {
        if (!strText.contains(ch))
            continue;
        while (setUsed.contains(nNext))
            --nNext;
        if (nNext < 0xE000)
            break; // a text using the whole area: nothing left to stand in
        standIns.m_vecPairs.append(Pair{ch, QChar(nNext)});
        setUsed.insert(nNext);
    }
    return standIns;
}

QString CStandIns::toDocument(QString strText) const
{
    for (const Pair& pair : m_vecPairs)
        strText.replace(pair.chOriginal, pair.chStandIn);
    return strText;
}

QString CStandIns::fromDocument(QString strText) const
{
    for (const Pair& pair : m_vecPairs)
        strText.replace(pair.chStandIn, pair.chOriginal);
    return strText;
}
