#include "app/CLangMgt.h"

#include <QFile>
#include <QJsonDocument>
#include <QTimer>

CLangMgt::CLangMgt(QObject* parent)
    : QObject(parent)
{
    QTimer::singleShot(0, this, &CLangMgt::init);
}

void CLangMgt::init()
{
    QString strText;
    QFile file(":/share/lang.txt");
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        strText = QString::fromUtf8(file.readAll());
        file.close();
    }
    const QString strJson = QString("{%1}").arg(strText);
    m_mapLang = QJsonDocument::fromJson(strJson.toUtf8()).toVariant().toMap();
}

QString CLangMgt::translate(const QString& strSource) const
{
    const auto it = m_mapLang.constFind(m_strCurLang);
    if (it == m_mapLang.constEnd())
        return strSource;
    const QVariantMap map = it->toMap();
    const auto itText = map.constFind(strSource);
    if (itText == map.constEnd())
        return strSource;
    return itText->toString();
}
