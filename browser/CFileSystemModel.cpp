#include "browser/CFileSystemModel.h"

#include "util/Utils.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>

namespace {
constexpr int SliceMs = 12;     // GUI-thread time spent inserting per turn
constexpr int SliceRows = 1024; // rows inserted between two looks at the clock
} // namespace

CFileSystemModel::CFileSystemModel(QObject* parent)
    : QAbstractItemModel(parent)
{
    qRegisterMetaType<QFileInfoList>("QFileInfoList");
    qRegisterMetaType<QList<QFileInfo>>("QList<QFileInfo>");
    m_nColumnCount = 1;
    m_gatherer.setListDrives(true);
    m_gatherer.setSkipHidden(true);
    m_gatherer.setDirsOnly(false);
    connect(&m_gatherer, &CFileInfoGatherer::newListOfFiles2, this,
            &CFileSystemModel::onSortedListOfFiles);
    m_timerPending.setSingleShot(true);
    m_timerPending.setInterval(0);
    connect(&m_timerPending, &QTimer::timeout, this, &CFileSystemModel::insertPending);
}

CFileSystemModel::~CFileSystemModel()
{
    // No batch may arrive while the tree goes.
    m_gatherer.stop();
    removeChildren(&m_root);
}

QModelIndex CFileSystemModel::index(int nRow, int nColumn, const QModelIndex& parent) const
{
    const CFileNode* pParent = parent.isValid() ? node(parent) : &m_root;
    if (!pParent || nRow < 0 || nRow >= pParent->m_lstChildren.size() || nColumn < 0)
        return QModelIndex();
    return createIndex(nRow, nColumn, pParent->m_lstChildren.at(nRow));
}

QModelIndex CFileSystemModel::parent(const QModelIndex& index) const
{
    const CFileNode* pNode = node(index);
    return pNode ? indexOfNode(pNode->m_pParent) : QModelIndex();
}

int CFileSystemModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_root.m_lstChildren.size();
    const CFileNode* pNode = node(parent);
    return pNode && parent.column() == 0 ? pNode->m_lstChildren.size() : 0;
}

int CFileSystemModel::columnCount(const QModelIndex&) const
{
    return m_nColumnCount;
}

QVariant CFileSystemModel::data(const QModelIndex& index, int nRole) const
{
    CFileNode* pNode = node(index);
    if (!pNode)
        return QVariant();
    const QFileInfo& info = pNode->m_fileInfo;
    switch (nRole) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            if (info.isRoot())
                return pNode->m_strPath;
            return info.bundleName().isEmpty() ? info.fileName() : info.bundleName();
        case 1:
            return info.isFile() ? info.suffix() : QVariant();
        case 2:
            return info.isFile() ? formatFileSize(info.size()) : QVariant();
        case 3:
            return formatDateTime(info.lastModified());
        default:
            return QVariant();
        }
    case Qt::DecorationRole:
        return index.column() == 0 ? iconOf(pNode) : QVariant();
    case Qt::ToolTipRole:
        return pNode->m_strPath;
    default:
        return QVariant();
    }
}

QVariant CFileSystemModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (nSection < 0)
        return QVariant();
    if (nRole == Qt::DecorationRole || nRole == Qt::TextAlignmentRole)
        return 1;
    if (nRole == Qt::DisplayRole && orientation == Qt::Horizontal) {
        switch (nSection) {
        case 0:
            return tr("Name");
        case 1:
            return tr("Ext. Name");
        case 2:
            return tr("Size");
        default:
            return tr("Date Modified");
        }
    }
    return QAbstractItemModel::headerData(nSection, orientation, nRole);
}

void CFileSystemModel::setRootPath(const QString& strPath, bool bFetch)
{
    m_lstPending.clear();
    ++m_nPendingEpoch;
    m_timerPending.stop();
    removeChildren(&m_root);
    const QFileInfo info(strPath);
    QString strRoot = strPath;
    if (!strPath.isEmpty() && info.isFile()) {
        strRoot = info.absolutePath();
        m_strSelectFileName = info.fileName();
    } else {
        m_strSelectFileName.clear();
    }
    m_root.m_strPath = QDir::toNativeSeparators(strRoot);
    m_root.m_fileInfo = strRoot.isEmpty() ? QFileInfo() : QFileInfo(strRoot);
    if (bFetch)
        m_gatherer.fetch(m_root.m_strPath);
}

CFileNode* CFileSystemModel::findNode(const QString& strPath) const
{
    auto* pRoot = const_cast<CFileNode*>(&m_root);
    if (strPath.isEmpty())
        return m_root.m_strPath.isEmpty() ? pRoot : nullptr;
    const QString strNative = QDir::toNativeSeparators(strPath);
    QList<CFileNode*> lstStack {pRoot};
    while (!lstStack.isEmpty()) {
        CFileNode* pNode = lstStack.takeLast();
        if (pNode->m_strPath == strNative)
            return pNode;
        // Children pushed in reverse so that the first child is searched first.
        for (int i = pNode->m_lstChildren.size() - 1; i >= 0; --i) {
            CFileNode* pChild = pNode->m_lstChildren.at(i);
            if (pChild->m_strPath == strNative)
                return pChild;
            if (!pChild->m_lstChildren.isEmpty())
                lstStack.append(pChild);
        }
    }
    return nullptr;
}

CFileNode* CFileSystemModel::node(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<CFileNode*>(index.internalPointer());
}

QModelIndex CFileSystemModel::indexOfNode(const CFileNode* pNode) const
{
    if (!pNode || pNode == &m_root || !pNode->m_pParent)
        return QModelIndex();
    const int nRow = pNode->m_pParent->m_lstChildren.indexOf(const_cast<CFileNode*>(pNode));
    return nRow < 0 ? QModelIndex() : createIndex(nRow, 0, const_cast<CFileNode*>(pNode));
}

QFileInfo CFileSystemModel::fileInfo(const QModelIndex& index) const
{
    const CFileNode* pNode = node(index);
    return pNode ? pNode->m_fileInfo : QFileInfo();
}

void CFileSystemModel::onNewListOfFiles(const QString& strPath, const QFileInfoList& lstFileInfos)
{
    QFileInfoList lstSorted = lstFileInfos;
    sortFileInfoList(lstSorted);
    onSortedListOfFiles(strPath, lstSorted);
}

void CFileSystemModel::onSortedListOfFiles(const QString& strPath,
                                           const QFileInfoList& lstFileInfos)
{
    CFileNode* pNode = findNode(strPath);
    if (!pNode)
        return; // a folder no longer shown
    // The newest batch for a folder replaces what it shows: a folder left
    // and entered again before its first listing ended gets two batches.
    dropPending(strPath);
    removeChildren(pNode);
    if (lstFileInfos.isEmpty())
        return;
    m_lstPending.append({strPath, lstFileInfos, 0});
    // A small batch goes in at once.
    insertPending();
}

void CFileSystemModel::insertPending()
{
    QElapsedTimer timer;
    timer.start();
    while (!m_lstPending.isEmpty() && timer.elapsed() < SliceMs) {
        Pending pending = m_lstPending.takeFirst();
        CFileNode* pNode = findNode(pending.strPath);
        if (!pNode)
            continue;
        const int nEnd = qMin(pending.nNext + SliceRows, pending.lst.size());
        QList<CFileNode*> lstNew;
        lstNew.reserve(nEnd - pending.nNext);
        for (int i = pending.nNext; i < nEnd; ++i)
            lstNew.append(new CFileNode(pNode, pending.lst.at(i)));
        pending.nNext = nEnd;
        const int nFirst = pNode->m_lstChildren.size();
        const quint64 nEpoch = m_nPendingEpoch;
        beginInsertRows(indexOfNode(pNode), nFirst, nFirst + lstNew.size() - 1);
        pNode->m_lstChildren.append(lstNew);
        endInsertRows();
        if (nEnd == pending.lst.size())
            emit directoryLoaded(pending.strPath);
        // Unless a view's reaction to the new rows has set another root.
        else if (nEpoch == m_nPendingEpoch)
            m_lstPending.prepend(pending);
    }
    if (!m_lstPending.isEmpty())
        m_timerPending.start();
}

void CFileSystemModel::dropPending(const QString& strPath)
{
    ++m_nPendingEpoch;
    for (int i = m_lstPending.size() - 1; i >= 0; --i) {
        if (m_lstPending.at(i).strPath == strPath)
            m_lstPending.removeAt(i);
    }
}

void CFileSystemModel::removeChildren(CFileNode* pNode)
{
    if (pNode->m_lstChildren.isEmpty())
        return;
    beginRemoveRows(indexOfNode(pNode), 0, pNode->m_lstChildren.size() - 1);
    QList<CFileNode*> lstGone;
    lstGone.swap(pNode->m_lstChildren);
    endRemoveRows();
    for (CFileNode* pChild : qAsConst(lstGone))
        pChild->releaseIcons();
    m_reaper.dispose(lstGone);
}

QIcon CFileSystemModel::iconOf(CFileNode* pNode) const
{
    if (pNode->m_icon.isNull()) {
        pNode->m_icon = pNode->m_fileInfo.exists() ? m_gatherer.iconProvider().icon(pNode->m_fileInfo)
                                                   : QIcon(":/res/link_un.png");
    }
    return pNode->m_icon;
}
