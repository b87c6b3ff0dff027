#ifndef CDOCUMENTWATCHER_H
#define CDOCUMENTWATCHER_H

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

// Watches the files of open documents and reports, once per burst of
// changes, a file that another program changed, replaced or removed. The
// editor's own writes are announced with noteWritten() and never reported.
class CDocumentWatcher : public QObject
{
    Q_OBJECT
public:
    explicit CDocumentWatcher(QObject* parent = nullptr);

    // Starts (or moves) the watch of a document; the file as it is now is
    // the known state.
    void watch(QObject* pDocument, const QString& strPath);
    void unwatch(QObject* pDocument);
    // The file now holds what the document wrote.
    void noteWritten(QObject* pDocument);
    QString watchedPath(QObject* pDocument) const;

    // Changes closer together than this are reported once.
    static constexpr int SettleMs = 150;

signals:
    void changedOnDisk(QObject* pDocument);
    void deletedOnDisk(QObject* pDocument);

private slots:
    void onPathChanged(const QString& strPath);
    void onSettle();

private:
    struct Stamp
    {
        bool bExists = false;
        qint64 nSize = -1;
        QDateTime dtModified;
        quint64 nNode = 0;
        bool operator==(const Stamp& other) const;
    };
    struct Entry
    {
        QString strPath;
        QString strDir;
        Stamp stamp;
    };
    static Stamp stampOf(const QString& strPath);
    void addWatches(const Entry& entry);
    void dropUnusedWatches();

    QFileSystemWatcher m_watcher;
    QHash<QObject*, Entry> m_mapEntries;
    QSet<QObject*> m_setPending;
    QTimer m_timerSettle;
};

#endif
