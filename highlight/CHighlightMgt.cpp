#include "highlight/CHighlightMgt.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegExp>

namespace {

bool readDocument(const QString& strPath, QDomDocument& doc)
{
    QFile file(strPath);
    if (strPath.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    return doc.setContent(file.readAll()) && !doc.documentElement().isNull();
}

QVariantMap attributesOf(const QDomNode& node, std::initializer_list<const char*> lstNames)
{
    const QDomElement element = node.toElement();
    QVariantMap map;
    for (const char* szName : lstNames)
        map.insert(szName, element.attribute(szName)); // a non-element gives empty values
    return map;
}

QVariantMap loadGeneral(const QDomNode& general)
{
    QVariantMap map;
    for (QDomNode node = general.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QString strName = node.nodeName().toLower();
        if (strName == "keywords") {
            QVariantMap mapKeywords;
            mapKeywords.insert("casesensitive", node.toElement().attribute("casesensitive"));
            map.insert("keywords", mapKeywords);
        } else if (strName == "comments") {
            QVariantList lstComments;
            for (QDomNode entry = node.firstChild(); !entry.isNull(); entry = entry.nextSibling())
                lstComments.append(attributesOf(entry, {"name", "start", "end"}));
            map.insert("comments", lstComments);
        }
    }
    return map;
}

QVariantMap loadHighlighting(const QDomNode& highlighting)
{
    QVariantMap map;
    for (QDomNode node = highlighting.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QString strName = node.nodeName().toLower();
        if (strName == "list") {
            QVariantList lstItems;
            for (QDomNode item = node.firstChild(); !item.isNull(); item = item.nextSibling())
                lstItems.append(item.toElement().text());
            map.insert(node.toElement().attribute("name"), lstItems);
        } else if (strName == "contexts") {
            QVariantList lstContexts;
            for (QDomNode context = node.firstChild(); !context.isNull();
                 context = context.nextSibling()) {
                QVariantList lstRules;
                for (QDomNode rule = context.firstChild(); !rule.isNull(); rule = rule.nextSibling()) {
                    QVariantMap mapRule = attributesOf(rule, {"char", "char1"});
                    mapRule.insert("tag", rule.toElement().tagName());
                    lstRules.append(mapRule);
                }
                QVariantMap mapContext;
                mapContext.insert("name", context.toElement().attribute("name"));
                mapContext.insert("children", lstRules);
                lstContexts.append(mapContext);
            }
            map.insert("contexts", lstContexts);
        }
    }
    return map;
}

} // namespace

CHighlightMgt::CHighlightMgt(QObject* parent)
    : CHighlightMgt(QDir(QCoreApplication::applicationDirPath()).filePath("highlighter"), parent)
{
}

CHighlightMgt::CHighlightMgt(const QString& strFolder, QObject* parent)
    : QObject(parent)
{
    buildIndex(strFolder);
}

void CHighlightMgt::buildIndex(const QString& strFolder)
{
    const QDir dir(strFolder);
    if (!dir.exists())
        return;
    const QFileInfoList lstFiles =
        dir.entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : lstFiles) {
        const QString strPath = info.absoluteFilePath();
        QDomDocument doc;
        if (strPath.isEmpty() || !readDocument(strPath, doc))
            continue;
        const QDomElement root = doc.documentElement();
        QVariantMap mapRecord;
        mapRecord.insert("path", strPath);
        mapRecord.insert("extension", root.attribute("extensions").split(';'));
        mapRecord.insert("name", root.attribute("name"));
        mapRecord.insert("file_base_name", info.baseName());
        m_mapHighlight.insert(info.baseName(), mapRecord);
    }
}

QVariantMap CHighlightMgt::getHighlightByFileName(const QString& strFileName) const
{
    for (const QVariant& varRecord : m_mapHighlight) {
        const QVariantMap mapRecord = varRecord.toMap();
        for (const QString& strPattern : mapRecord.value("extension").toStringList()) {
            const QRegExp rx(strPattern, Qt::CaseInsensitive, QRegExp::WildcardUnix);
            if (rx.exactMatch(strFileName))
                return loadHighlight(mapRecord.value("path").toString());
        }
    }
    return loadHighlight(QString());
}

QVariantMap CHighlightMgt::getHighlightByName(const QString& strName) const
{
    for (const QVariant& varRecord : m_mapHighlight) {
        const QVariantMap mapRecord = varRecord.toMap();
        if (mapRecord.value("name").toString() == strName)
            return loadHighlight(mapRecord.value("path").toString());
    }
    return loadHighlight(QString());
}

QVariantMap CHighlightMgt::loadHighlight(const QString& strPath)
{
    QDomDocument doc;
    if (!readDocument(strPath, doc))
        return QVariantMap();
    const QDomElement root = doc.documentElement();
    QVariantMap mapLanguage;
    mapLanguage.insert("name", root.attribute("name"));
    mapLanguage.insert("extensions", root.attribute("extensions"));
    QVariantMap map;
    map.insert("language", mapLanguage);
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QString strName = node.nodeName().toLower();
        if (strName == "general")
            map.insert("general", loadGeneral(node));
        else if (strName == "highlighting")
            map.insert("highlighting", loadHighlighting(node));
    }
    return map;
}
