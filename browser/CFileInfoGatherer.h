#ifndef CFILEINFOGATHERER_H
#define CFILEINFOGATHERER_H

#include <QFileIconProvider>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

// Lists directories in a worker thread for the folder browser's model. From
// the root of a request it walks breadth first, one directory at a time, and
// hands each directory's entries over as one batch, sorted in display order
// and with their file system details already read, so that the GUI thread
// only has to insert them. The thread runs while there is work and ends
// when the walk is done or aborted.
class CFileInfoGatherer : public QThread
{
    Q_OBJECT
public:
    explicit CFileInfoGatherer(QObject* parent = nullptr);
    ~CFileInfoGatherer() override;

    void setListDrives(bool b);
    void setDirsOnly(bool b);
    void setSkipHidden(bool b);
    void setRecursive(bool b) { m_bRecursive = b; }
    bool listDrives() const;
    bool dirsOnly() const;
    bool skipHidden() const;
    bool recursive() const { return m_bRecursive; }

    // Lists path and, when recursive, the tree below it. A walk in progress
    // is aborted first; its partial batch is still reported.
    void fetch(const QString& strPath);
    // Stops the walk in progress and drops a request not yet started.
    void abort();
    // Aborts and waits (at most 5000 ms) until the worker has stopped.
    void stop();

    QFileIconProvider& iconProvider() { return m_iconProvider; }
    const QFileIconProvider& iconProvider() const { return m_iconProvider; }
    static QString driveName(const QFileInfo& info);

signals:
    void newListOfFiles2(const QString& strDirectory, const QFileInfoList& lstFileInfo);
    void directoryLoaded(const QString& strPath);

protected:
    void run() override;

private:
    struct Options
    {
        bool bListDrives;
        bool bDirsOnly;
        bool bSkipHidden;
    };
    void listDirectory(const QString& strDir);
    void listDrives();
    QFileInfoList readEntries(const QString& strDir, const Options& opt);
    bool takeNextPath(QString& strDir);

    // The standard mutex and condition rather than Qt's: ThreadSanitizer sees
    // through them, so the thread tests check this class for races.
    QString m_strPath;       // root of the current request, native separators
    QStringList m_lstPaths;  // directories still to list, first in first out
    mutable std::mutex m_mutex; // guards everything above and below but the atomics
    std::condition_variable m_condition; // signalled when the worker stops or is woken
    QFileIconProvider m_iconProvider;
    std::atomic<bool> m_bAbort {true};
    std::atomic<bool> m_bRecursive {true};
    bool m_bListDrives = false;
    bool m_bDirsOnly = false;
    bool m_bSkipHidden = false;
    bool m_bPending = false; // a request waits for the worker
    bool m_bActive = false;  // the worker is inside run() and will look at m_bPending
};

#endif
