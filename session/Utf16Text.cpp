#include "session/Utf16Text.h"

#include <QtEndian>

QByteArray utf16Bytes(const QString& strText)
{
    QByteArray arr(strText.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(strText.utf16(), strText.size(), arr.data());
    return arr;
}

bool utf16Text(const QByteArray& arrBytes, QString& strText)
{
    if (arrBytes.size() % 2 != 0)
        return false;
    strText.resize(arrBytes.size() / 2);
    qFromLittleEndian<quint16>(arrBytes.constData(), strText.size(), strText.data());
    return true;
}
