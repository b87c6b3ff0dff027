#include "browser/CFileInfoGatherer.h"

#include "util/Utils.h"

#include <QDir>
#include <QDirIterator>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto Throttle = std::chrono::milliseconds(100); // pause between two directories
constexpr auto StopWait = std::chrono::milliseconds(5000);
} // namespace

CFileInfoGatherer::CFileInfoGatherer(QObject* parent)
    : QThread(parent)
{
    // Batches travel to the GUI thread through queued connections.
    qRegisterMetaType<QFileInfoList>("QFileInfoList");
    qRegisterMetaType<QList<QFileInfo>>("QList<QFileInfo>");
}

CFileInfoGatherer::~CFileInfoGatherer()
{
    stop();
    // The worker may still be on its way out of run() (or, after the
    // timeout, stuck in a slow file system); the thread must have ended
    // before the object goes.
    wait();
}

void CFileInfoGatherer::setListDrives(bool b)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bListDrives = b;
}

void CFileInfoGatherer::setDirsOnly(bool b)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bDirsOnly = b;
}

void CFileInfoGatherer::setSkipHidden(bool b)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSkipHidden = b;
}

bool CFileInfoGatherer::listDrives() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bListDrives;
}

bool CFileInfoGatherer::dirsOnly() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bDirsOnly;
}

bool CFileInfoGatherer::skipHidden() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bSkipHidden;
}

void CFileInfoGatherer::fetch(const QString& strPath)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_strPath = QDir::toNativeSeparators(strPath);
    m_bPending = true;
    if (m_bActive) {
        // The worker picks the request up once the walk in progress has ended.
        m_bAbort = true;
        m_condition.notify_all();
        return;
    }
    m_bActive = true;
    lock.unlock();
    // A worker that has just finished may not have left run() yet.
    wait();
    start();
}

void CFileInfoGatherer::abort()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bPending = false;
    m_bAbort = true;
    m_condition.notify_all();
}

void CFileInfoGatherer::stop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_bPending = false;
    if (!m_bActive)
        return;
    m_bAbort = true;
    m_condition.notify_all();
    m_condition.wait_until(lock, Clock::now() + StopWait, [this] { return !m_bActive; });
}

QString CFileInfoGatherer::driveName(const QFileInfo& info)
{
    return QDir::toNativeSeparators(info.absoluteFilePath());
}

void CFileInfoGatherer::run()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_bPending) {
                m_bActive = false;
                m_bAbort = true;
                m_condition.notify_all();
                return;
            }
            m_bPending = false;
            m_lstPaths = QStringList {m_strPath};
            m_bAbort = false;
        }
        QString strDir;
        while (takeNextPath(strDir))
            listDirectory(strDir);
    }
}

// The abort flag is cleared only when a request starts, never here: an
// abort asked for between two directories ends the walk.
bool CFileInfoGatherer::takeNextPath(QString& strDir)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bAbort || m_lstPaths.isEmpty())
        return false;
    strDir = m_lstPaths.takeFirst();
    return true;
}

void CFileInfoGatherer::listDirectory(const QString& strDir)
{
    if (strDir.isEmpty()) {
        listDrives();
        return;
    }
    Options opt {};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        opt = {m_bListDrives, m_bDirsOnly, m_bSkipHidden};
    }
    const QFileInfoList lst = readEntries(strDir, opt);
    emit newListOfFiles2(strDir, lst);
    emit directoryLoaded(strDir);

    // Throttles a deep walk so that it does not flood the GUI thread; an
    // abort or a new request cuts the pause short.
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_lstPaths.isEmpty())
        m_condition.wait_until(lock, Clock::now() + Throttle, [this] { return bool(m_bAbort); });
}

void CFileInfoGatherer::listDrives()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bListDrives)
            return;
    }
    QFileInfoList lstDrives = QDir::drives();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int i = lstDrives.size() - 1; i >= 0; --i)
            m_lstPaths.append(driveName(lstDrives.at(i)));
    }
    if (m_bAbort)
        return;
    sortFileInfoList(lstDrives);
    if (!lstDrives.isEmpty())
        emit newListOfFiles2(QString(), lstDrives);
    emit directoryLoaded(QString());
}

QFileInfoList CFileInfoGatherer::readEntries(const QString& strDir, const Options& opt)
{
    QFileInfoList lst;
    QDirIterator it(strDir, QDir::Dirs | QDir::Files | QDir::Drives | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
    while (!m_bAbort && it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName().isEmpty())
            continue;
        if ((opt.bDirsOnly && !info.isDir()) || (opt.bSkipHidden && info.isHidden()))
            continue;
        // Computed here, and cached in the entry for the GUI thread.
        info.absoluteFilePath();
        lst.append(info);
    }
    sortFileInfoList(lst);
    if (m_bRecursive) {
        // Only real folders are walked, in display order: not broken links,
        // pipes or devices, and not links to folders, which can lead back
        // up the tree.
        QStringList lstSubDirs;
        for (const QFileInfo& info : qAsConst(lst)) {
            if (info.isDir() && !info.isSymLink())
                lstSubDirs.append(QDir::toNativeSeparators(info.absoluteFilePath()));
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lstPaths.append(lstSubDirs);
    }
    return lst;
}
