#include "session/CDocumentWatcher.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

CDocumentWatcher::CDocumentWatcher(QObject* parent)
    : QObject(parent)
{
    m_timerSettle.setSingleShot(true);
    m_timerSettle.setInterval(SettleMs);
    connect(&m_timerSettle, &QTimer::timeout, this, &CDocumentWatcher::onSettle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CDocumentWatcher::onPathChanged);
    // A file replaced by rename or created again shows in its folder.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CDocumentWatcher::onPathChanged);
}

bool CDocumentWatcher::Stamp::operator==(const Stamp& other) const
{
    return bExists == other.bExists && nSize == other.nSize && dtModified == other.dtModified
           && nNode == other.nNode;
}

CDocumentWatcher::Stamp CDocumentWatcher::stampOf(const QString& strPath)
{
    Stamp stamp;
    const QFileInfo info(strPath);
    stamp.bExists = info.exists() && info.isFile();
    if (!stamp.bExists)
        return stamp;
    stamp.nSize = info.size();
    stamp.dtModified = info.lastModified();
#ifdef Q_OS_UNIX
    // A replacement written within the clock's resolution differs in node.
    struct stat st;
    if (::stat(QFile::encodeName(strPath).constData(), &st) == 0)
        stamp.nNode = static_cast<quint64>(st.st_ino);
#endif
    return stamp;
}

void CDocumentWatcher::watch(QObject* pDocument, const QString& strPath)
{
    if (!pDocument || strPath.isEmpty())
        return;
    if (!m_mapEntries.contains(pDocument))
        connect(pDocument, &QObject::destroyed, this, &CDocumentWatcher::unwatch);
    Entry entry;
    entry.strPath = QFileInfo(strPath).absoluteFilePath();
    entry.strDir = QFileInfo(entry.strPath).absolutePath();
    entry.stamp = stampOf(entry.strPath);
    m_mapEntries.insert(pDocument, entry);
    m_setPending.remove(pDocument);
    addWatches(entry);
    dropUnusedWatches();
}

void CDocumentWatcher::unwatch(QObject* pDocument)
{
    if (m_mapEntries.remove(pDocument) == 0)
        return;
    disconnect(pDocument, &QObject::destroyed, this, &CDocumentWatcher::unwatch);
    m_setPending.remove(pDocument);
    dropUnusedWatches();
}

void CDocumentWatcher::noteWritten(QObject* pDocument)
{
    auto it = m_mapEntries.find(pDocument);
    if (it == m_mapEntries.end())
        return;
    it->stamp = stampOf(it->strPath);
    addWatches(*it); // an atomic write replaced the file that was watched
}

QString CDocumentWatcher::watchedPath(QObject* pDocument) const
{
    return m_mapEntries.value(pDocument).strPath;
}

void CDocumentWatcher::addWatches(const Entry& entry)
{
    const QStringList lstWatched = m_watcher.files() + m_watcher.directories();
    if (entry.stamp.bExists && !lstWatched.contains(entry.strPath))
        m_watcher.addPath(entry.strPath);
    if (QFileInfo(entry.strDir).isDir() && !lstWatched.contains(entry.strDir))
        m_watcher.addPath(entry.strDir);
}

void CDocumentWatcher::dropUnusedWatches()
{
    QSet<QString> setUsed;
    for (const Entry& entry : qAsConst(m_mapEntries)) {
        setUsed.insert(entry.strPath);
        setUsed.insert(entry.strDir);
    }
    QStringList lstUnused;
    for (const QString& strPath : m_watcher.files() + m_watcher.directories()) {
        if (!setUsed.contains(strPath))
            lstUnused.append(strPath);
    }
    if (!lstUnused.isEmpty())
        m_watcher.removePaths(lstUnused);
}

void CDocumentWatcher::onPathChanged(const QString& strPath)
{
    for (auto it = m_mapEntries.cbegin(); it != m_mapEntries.cend(); ++it) {
        if (it->strPath == strPath || it->strDir == strPath)
            m_setPending.insert(it.key());
    }
    if (!m_setPending.isEmpty())
        m_timerSettle.start();
}

void CDocumentWatcher::onSettle()
{
    const QSet<QObject*> setPending = m_setPending;
    m_setPending.clear();
    for (QObject* pDocument : setPending) {
        auto it = m_mapEntries.find(pDocument);
        if (it == m_mapEntries.end())
            continue;
        const Stamp stamp = stampOf(it->strPath);
        if (stamp == it->stamp)
            continue;
        it->stamp = stamp;
        addWatches(*it);
        if (stamp.bExists)
            emit changedOnDisk(pDocument);
        else
            emit deletedOnDisk(pDocument);
    }
}
