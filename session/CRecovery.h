#ifndef CRECOVERY_H
#define CRECOVERY_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class CDocumentSnapshot;
class CHighlightEdit;
class CRecoveryWriter;
class QLockFile;
class QTimer;

// Text of a modified document found in the recovery files of an earlier run.
struct CRecoveredDocument
{
    QString strPath; // empty for an untitled document
    QString strText;
    QString strCodec;
    int nReturnFormat = -1;
};

// Keeps the text of every modified document in a recovery file, written a
// short while after editing stops and removed once the document is saved,
// reverted or closed. Each run writes into a folder of its own, locked while
// it runs, so a later start can tell the files of a run that crashed.
class CRecovery : public QObject
{
    Q_OBJECT
public:
    explicit CRecovery(const QString& strFolder, QObject* parent = nullptr);
    // A run that ends normally leaves nothing behind.
    ~CRecovery() override;

    bool isActive() const;
    void track(CHighlightEdit* pEditor);
    // Waits until every snapshot taken so far is written (tests, benchmarks).
    void flush();

    // What runs that ended without cleaning up left behind; damaged files
    // are skipped and counted.
    const QList<CRecoveredDocument>& orphans() const { return m_lstOrphans; }
    int damagedOrphans() const { return m_nDamaged; }
    // Their files are no longer needed (recovered or discarded).
    void releaseOrphans();

    static constexpr int DelayMs = 2000;
    static constexpr const char* LockName = "instance.lock";

private:
    struct Tracked
    {
        QTimer* pTimer = nullptr;
        CDocumentSnapshot* pSnapshot = nullptr;
        QString strBase;
    };
    void findOrphans();
    void onEdited(CHighlightEdit* pEditor);
    void onDue(CHighlightEdit* pEditor);
    void onModificationChanged(CHighlightEdit* pEditor, bool bModified);
    void onSnapshot(CHighlightEdit* pEditor, const QString& strText);
    void forget(QObject* pEditor);

    QString m_strFolder;
    QString m_strOwnFolder;
    std::unique_ptr<QLockFile> m_pLock;
    std::vector<std::unique_ptr<QLockFile>> m_vecOrphanLocks;
    QStringList m_lstOrphanFolders;
    QList<CRecoveredDocument> m_lstOrphans;
    int m_nDamaged = 0;
    CRecoveryWriter* m_pWriter = nullptr;
    QHash<QObject*, Tracked> m_mapTracked;
    int m_nNextId = 1;
};

#endif
