#ifndef CFILESYSTEMMODEL_H
#define CFILESYSTEMMODEL_H

#include "browser/CFileInfoGatherer.h"
#include "browser/CFileNode.h"
#include "browser/CFileNodeReaper.h"

#include <QAbstractItemModel>
#include <QTimer>

// The folder browser's item model: a tree of nodes rooted at the current
// folder, filled from the batches of its gatherer thread, folders first and
// then by name without regard to case. One column is shown; the data of
// columns 1 to 3 (extension, size, date) can be asked for all the same.
//
// A large batch goes in as rows appended in slices of a few milliseconds,
// one slice per turn of the event loop, so that a folder of 100,000 entries
// fills the list without freezing the window; directoryLoaded follows the
// last slice. Icons are looked up when a row is first shown, and rows that
// go are freed in another thread.
class CFileSystemModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit CFileSystemModel(QObject* parent = nullptr);
    ~CFileSystemModel() override;

    QModelIndex index(int nRow, int nColumn, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;

    // Shows path (or, for a file's path, its folder, remembering the file
    // name); lists it when bFetch is set.
    void setRootPath(const QString& strPath, bool bFetch);
    QString rootPath() const { return m_root.m_strPath; }
    const CFileNode* rootNode() const { return &m_root; }
    QString selectFileName() const { return m_strSelectFileName; }

    void setListDrives(bool b) { m_gatherer.setListDrives(b); }
    void setDirsOnly(bool b) { m_gatherer.setDirsOnly(b); }
    void setSkipHidden(bool b) { m_gatherer.setSkipHidden(b); }
    void setRecursive(bool b) { m_gatherer.setRecursive(b); }
    bool listDrives() const { return m_gatherer.listDrives(); }
    bool dirsOnly() const { return m_gatherer.dirsOnly(); }
    bool skipHidden() const { return m_gatherer.skipHidden(); }
    bool recursive() const { return m_gatherer.recursive(); }
    void abort() { m_gatherer.abort(); }

    CFileNode* findNode(const QString& strPath) const;
    CFileNode* node(const QModelIndex& index) const;
    QModelIndex indexOfNode(const CFileNode* pNode) const;
    QFileInfo fileInfo(const QModelIndex& index) const;

signals:
    void directoryLoaded(const QString& strPath);

public slots:
    // Takes a batch in any order.
    void onNewListOfFiles(const QString& strPath, const QFileInfoList& lstFileInfos);

private slots:
    // Takes a batch from the gatherer, which sorts it in its own thread.
    void onSortedListOfFiles(const QString& strPath, const QFileInfoList& lstFileInfos);

private slots:
    void insertPending();

private:
    // Entries of a batch not yet in the tree.
    struct Pending
    {
        QString strPath;
        QFileInfoList lst;
        int nNext;
    };
    void removeChildren(CFileNode* pNode);
    void dropPending(const QString& strPath);
    QIcon iconOf(CFileNode* pNode) const;

    CFileNode m_root;
    CFileInfoGatherer m_gatherer;
    int m_nColumnCount = 1;
    QString m_strSelectFileName;
    QList<Pending> m_lstPending;
    quint64 m_nPendingEpoch = 0; // counts the times pending batches were dropped
    QTimer m_timerPending; // next slice of the pending batches
    CFileNodeReaper m_reaper;
};

#endif
