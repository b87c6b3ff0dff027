#include "session/CSessionStore.h"

#include "session/Utf16Text.h"
#include "util/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr int FormatVersion = 1;
// A session is a small file; anything larger is not ours.
constexpr qint64 MaxSessionBytes = 4 * 1024 * 1024;
} // namespace

CSessionStore::CSessionStore(const QString& strFolder)
    : m_strFolder(strFolder)
{
}

QString CSessionStore::sessionFile() const
{
    return QDir(m_strFolder).filePath("session.json");
}

QString CSessionStore::textFile(int nIndex) const
{
    return QDir(m_strFolder).filePath(QString("session-text-%1.utf16").arg(nIndex));
}

QString CSessionStore::markerFile() const
{
    return QDir(m_strFolder).filePath("session-restoring");
}

bool CSessionStore::save(const QList<CSessionDocument>& lstDocuments, int nCurrent) const
{
    if (!QDir().mkpath(m_strFolder))
        return false;
    QJsonArray arrDocs;
    QStringList lstTextFiles;
    for (int i = 0; i < lstDocuments.size(); ++i) {
        const CSessionDocument& doc = lstDocuments.at(i);
        QJsonObject obj{{"path", doc.strPath},         {"cursor", doc.nCursor},
                        {"scroll", doc.nScroll},       {"language", doc.strLanguage},
                        {"codec", doc.strCodec},       {"returnFormat", doc.nReturnFormat}};
        if (doc.bHasText) {
            if (!saveFileAtomically(textFile(i), utf16Bytes(doc.strText)))
                return false;
            obj.insert("text", QFileInfo(textFile(i)).fileName());
            lstTextFiles.append(QFileInfo(textFile(i)).fileName());
        }
        arrDocs.append(obj);
    }
    const QJsonObject root{{"version", FormatVersion}, {"current", nCurrent}, {"documents", arrDocs}};
    if (!saveFileAtomically(sessionFile(), QJsonDocument(root).toJson()))
        return false;
    // Texts of earlier sessions go once the new session no longer names them.
    const QStringList lstOld = QDir(m_strFolder).entryList({"session-text-*.utf16"}, QDir::Files);
    for (const QString& strOld : lstOld) {
        if (!lstTextFiles.contains(strOld))
            QFile::remove(QDir(m_strFolder).filePath(strOld));
    }
    return true;
}

bool CSessionStore::load(QList<CSessionDocument>& lstDocuments, int& nCurrent) const
{
    lstDocuments.clear();
    nCurrent = -1;
    QFile file(sessionFile());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSessionBytes)
        return false;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll());
    const QJsonObject root = json.object();
    if (!json.isObject() || root.value("version").toInt() != FormatVersion
        || !root.value("documents").isArray())
        return false;
    bool bIntact = true;
    for (const QJsonValue& value : root.value("documents").toArray()) {
        const QJsonObject obj = value.toObject();
        CSessionDocument doc;
        doc.strPath = obj.value("path").toString();
        doc.nCursor = qMax(0, obj.value("cursor").toInt());
        doc.nScroll = qMax(0, obj.value("scroll").toInt());
        doc.strLanguage = obj.value("language").toString();
        doc.strCodec = obj.value("codec").toString();
        doc.nReturnFormat = obj.value("returnFormat").toInt(-1);
        const QString strText = obj.value("text").toString();
        if (!strText.isEmpty()) {
            // Only a plain name inside the session folder.
            QFile text(QDir(m_strFolder).filePath(QFileInfo(strText).fileName()));
            doc.bHasText = text.open(QIODevice::ReadOnly) && utf16Text(text.readAll(), doc.strText);
        }
        if (!value.isObject() || (doc.strPath.isEmpty() && !doc.bHasText)
            || (!strText.isEmpty() && !doc.bHasText)) {
            bIntact = false;
            continue;
        }
        lstDocuments.append(doc);
    }
    nCurrent = root.value("current").toInt(-1);
    if (nCurrent >= lstDocuments.size())
        nCurrent = lstDocuments.size() - 1;
    return bIntact;
}

void CSessionStore::beginRestore() const
{
    QDir().mkpath(m_strFolder);
    saveFileAtomically(markerFile(), QByteArray());
}

void CSessionStore::endRestore() const
{
    QFile::remove(markerFile());
}

bool CSessionStore::restoreWasInterrupted() const
{
    return QFile::exists(markerFile());
}
