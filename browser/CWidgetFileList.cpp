#include "browser/CWidgetFileList.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "browser/CFileSystemModel.h"
#include "browser/CMenuListView.h"
#include "util/Platform.h"
#include "util/Utils.h"

#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int SelectionDelayMs = 200;

QPushButton* makeButton(QWidget* pParent, const char* szIcon, const QString& strTip)
{
    auto* pButton = new QPushButton(pParent);
    pButton->setIcon(QIcon(szIcon));
    pButton->setFlat(true);
    pButton->setToolTip(strTip);
    setButtonStyle(pButton, "blue");
    return pButton;
}
} // namespace

CWidgetFileList::CWidgetFileList(QWidget* parent)
    : QWidget(parent)
    , m_strActExplore(tr("Open position of file/folder"))
    , m_strActOpenDefault(tr("Open file/folder by default application"))
{
    m_timerSelection.setInterval(SelectionDelayMs);
    m_timerSelection.setSingleShot(true);
    connect(&m_timerSelection, &QTimer::timeout, this,
            &CWidgetFileList::onTimeOutFileSelectionChanged);

    auto* pTop = new QHBoxLayout;
    pTop->setContentsMargins(0, 0, 0, 0);
    pTop->setSpacing(3);
    QPushButton* pRefresh = makeButton(this, ":/res/refresh.png", tr("Refresh"));
    pRefresh->setObjectName("buttonRefresh");
    connect(pRefresh, &QPushButton::clicked, this, &CWidgetFileList::onRefresh);
    pTop->addWidget(pRefresh);
    m_btnUpper = makeButton(this, ":/res/upper.png", tr("Upper"));
    m_btnUpper->setObjectName("buttonUpper");
    connect(m_btnUpper, &QPushButton::clicked, this, &CWidgetFileList::onUpper);
    pTop->addWidget(m_btnUpper);

    m_comboFolder = new QComboBox(this);
    m_comboFolder->setEditable(true);
    // The history is kept by setRootPath: a typed path goes to the top once.
    m_comboFolder->setInsertPolicy(QComboBox::NoInsert);
    // Long paths must not widen the dock.
    m_comboFolder->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_comboFolder->setMinimumContentsLength(8);
    // Completion from the history is offered in a list, never written into
    // the box: Enter after typing a folder whose path starts another
    // one's must list the folder typed.
    m_comboFolder->completer()->setCompletionMode(QCompleter::PopupCompletion);
#ifndef Q_OS_WIN
    m_comboFolder->completer()->setCaseSensitivity(Qt::CaseSensitive);
#endif
    // Choosing an item lists it even when it is the current item already.
    connect(m_comboFolder, &QComboBox::textActivated, this,
            &CWidgetFileList::onComboFolderIdxChanged);
    connect(m_comboFolder->lineEdit(), &QLineEdit::returnPressed, this,
            &CWidgetFileList::onComboFolderReturn);
    pTop->addWidget(m_comboFolder, 1);

    QPushButton* pBrowse = makeButton(this, ":/res/folder_explore.png", tr("Browse..."));
    pBrowse->setObjectName("buttonBrowse");
    connect(pBrowse, &QPushButton::clicked, this, &CWidgetFileList::onFolderBrowse);
    pTop->addWidget(pBrowse);

    m_pList = new CMenuListView(this);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Rows are laid out from one size hint: a folder of 100,000 entries is
    // not measured (nor its icons looked up) row by row.
    m_pList->setUniformItemSizes(true);
    m_pList->setActions({m_strActExplore, m_strActOpenDefault});
    connect(m_pList, &QListView::doubleClicked, this, &CWidgetFileList::onDbClickListItem);
    connect(m_pList, &CMenuListView::clickAction, this, &CWidgetFileList::onClickAction);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    pLayout->addLayout(pTop);
    pLayout->addWidget(m_pList);

    m_pModel = new CFileSystemModel(m_pList);
    m_pModel->setRecursive(false);
    m_pList->setModel(m_pModel);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CWidgetFileList::onFileSelectionChanged);
    connect(m_pModel, &CFileSystemModel::directoryLoaded, this,
            &CWidgetFileList::onDirectoryLoaded);
}

CWidgetFileList::~CWidgetFileList()
{
    // The children go after this destructor. The model goes first, while
    // this object is whole: emptied, it would report selection changes to a
    // half-destroyed panel and restart a timer already gone.
    m_timerSelection.stop();
    disconnect(m_pList->selectionModel(), nullptr, this, nullptr);
    disconnect(m_pModel, nullptr, this, nullptr);
    m_pList->setModel(nullptr);
    delete m_pModel; // stops the gatherer
}

QString CWidgetFileList::rootPath() const
{
    return m_pModel->rootPath();
}

bool CWidgetFileList::hasListFocus() const
{
    return m_pList->hasFocus();
}

void CWidgetFileList::setRootPath(const QString& str)
{
    m_bSettingRoot = true;
    const QString strPath = QDir::toNativeSeparators(str);
    emit rootPathChanged(strPath);
    m_comboFolder->setEditText(strPath);
    m_pModel->setRootPath(strPath, true);
    int nIndex = m_comboFolder->findText(strPath);
    if (nIndex < 0 && !strPath.isEmpty()) {
        m_comboFolder->insertItem(0, strPath);
        nIndex = 0;
    }
    // The current item follows the text, or the combo box would activate
    // the item again when editing finishes.
    if (nIndex >= 0)
        m_comboFolder->setCurrentIndex(nIndex);
    m_bSettingRoot = false;
}

void CWidgetFileList::onComboFolderIdxChanged(const QString& str)
{
    // A completion chosen with Enter arrives here after the Enter itself.
    if (!m_bSettingRoot && QDir::toNativeSeparators(str) != rootPath())
        setRootPath(str);
}

void CWidgetFileList::onComboFolderReturn()
{
    setRootPath(m_comboFolder->currentText());
}

void CWidgetFileList::onRefresh()
{
    setRootPath(m_comboFolder->currentText());
}

void CWidgetFileList::onUpper()
{
    const QString strRoot = rootPath();
    QDir dir(strRoot);
    // The drive list has no parent; QDir("") would be the working folder.
    if (strRoot.isEmpty() || !dir.cdUp())
        return;
    const QString strUpper = QDir::toNativeSeparators(dir.absolutePath());
    if (strUpper != strRoot)
        showFolder(strUpper);
}

void CWidgetFileList::onFolderBrowse()
{
    const QString strStart = rootPath().isEmpty() ? g_pSettings->m_strLastPathFileName : rootPath();
    const QString strFolder = QFileDialog::getExistingDirectory(this, tr("Select a folder"),
                                                                strStart, QFileDialog::ShowDirsOnly);
    if (strFolder.isEmpty())
        return;
    g_pSettings->m_strLastPathFileName = strFolder;
    g_pSettings->save();
    setRootPath(QDir::toNativeSeparators(strFolder));
}

void CWidgetFileList::onDbClickListItem(const QModelIndex& idx)
{
    m_timerSelection.stop();
    const CFileNode* pNode = m_pModel->node(idx);
    if (!pNode)
        return;
    const QFileInfo& info = pNode->m_fileInfo;
    if (info.isDir())
        showFolder(pNode->m_strPath);
    // Pipes and devices are not opened: reading one would never end. A
    // broken link is passed on, so that opening it reports the failure.
    else if (info.isFile() || !info.exists())
        emit dbClickFile(pNode->m_strPath);
}

void CWidgetFileList::openSelected()
{
    QString strFolder;
    for (const QModelIndex& idx : m_pList->selectionModel()->selectedIndexes()) {
        const CFileNode* pNode = m_pModel->node(idx);
        if (!pNode)
            continue;
        if (pNode->m_fileInfo.isDir()) {
            if (strFolder.isEmpty())
                strFolder = pNode->m_strPath;
        } else if (pNode->m_fileInfo.isFile() || !pNode->m_fileInfo.exists()) {
            emit dbClickFile(pNode->m_strPath);
        }
    }
    if (!strFolder.isEmpty())
        showFolder(strFolder);
}

void CWidgetFileList::onFileSelectionChanged()
{
    m_timerSelection.start();
}

void CWidgetFileList::onTimeOutFileSelectionChanged()
{
    m_timerSelection.stop();
    const QString strPath = firstSelectedPath();
    if (!strPath.isEmpty())
        emit fileSelectionChanged(strPath);
}

void CWidgetFileList::onClickAction(const QString& str)
{
    if (str == m_strActExplore)
        exploreFile();
    else if (str == m_strActOpenDefault)
        openFileByDefault();
}

void CWidgetFileList::exploreFile()
{
    const QString strPath = firstSelectedPath();
    if (!strPath.isEmpty())
        showInExplorer(strPath);
}

void CWidgetFileList::openFileByDefault()
{
    const QString strPath = firstSelectedPath();
    if (!strPath.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(strPath));
}

void CWidgetFileList::onDirectoryLoaded(const QString& strPath)
{
    const QString strName = m_pModel->selectFileName();
    if (strName.isEmpty() || strPath != rootPath())
        return;
    const CFileNode* pRoot = m_pModel->rootNode();
    for (const CFileNode* pChild : pRoot->m_lstChildren) {
        if (pChild->m_fileInfo.fileName() == strName) {
            const QModelIndex idx = m_pModel->indexOfNode(pChild);
            m_pList->setCurrentIndex(idx);
            m_pList->scrollTo(idx);
            break;
        }
    }
}

void CWidgetFileList::showFolder(const QString& strPath)
{
    const QString strNative = QDir::toNativeSeparators(strPath);
    showComboText(strNative);
    m_pModel->setRootPath(strNative, true);
}

void CWidgetFileList::showComboText(const QString& strPath)
{
    m_bSettingRoot = true;
    m_comboFolder->setEditText(strPath);
    // As in setRootPath: a current item whose text differs from the edit
    // text would be activated when editing finishes.
    const int nIndex = m_comboFolder->findText(strPath);
    if (nIndex >= 0)
        m_comboFolder->setCurrentIndex(nIndex);
    m_bSettingRoot = false;
}

QString CWidgetFileList::firstSelectedPath() const
{
    const QModelIndexList lst = m_pList->selectionModel()->selectedIndexes();
    const CFileNode* pNode = lst.isEmpty() ? nullptr : m_pModel->node(lst.first());
    return pNode ? pNode->m_strPath : QString();
}
