#include "browser/CWidgetFavoriteFolder.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "browser/CMenuListWidget.h"
#include "util/Platform.h"
#include "util/Utils.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QPushButton* makeButton(QWidget* pParent, const char* szIcon, const QString& strTip)
{
    auto* pButton = new QPushButton(pParent);
    pButton->setIcon(QIcon(szIcon));
    pButton->setToolTip(strTip);
    pButton->setFlat(true);
    setButtonStyle(pButton, "blue");
    return pButton;
}
} // namespace

CWidgetFavoriteFolder::CWidgetFavoriteFolder(QWidget* parent)
    : QWidget(parent)
    , m_strActExplore(tr("Open position of file/folder"))
{
    m_btnAdd = makeButton(this, ":/res/folder_add.png", tr("Add"));
    m_btnAdd->setObjectName("buttonAdd");
    connect(m_btnAdd, &QPushButton::clicked, this, &CWidgetFavoriteFolder::clickAdd);
    m_btnRemove = makeButton(this, ":/res/folder_delete.png", tr("Remove"));
    m_btnRemove->setObjectName("buttonRemove");
    connect(m_btnRemove, &QPushButton::clicked, this, &CWidgetFavoriteFolder::onRemoveSelected);

    m_pTitle = new QLabel(tr("Main Folder List") + " ", this);
    m_pTitle->setStyleSheet("QLabel{background-color:#ccc;}");

    m_pList = new CMenuListWidget(this);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setActions({m_strActExplore});
    connect(m_pList, &QListWidget::doubleClicked, this, &CWidgetFavoriteFolder::onDbClickItem);
    connect(m_pList, &CMenuListWidget::clickAction, this, &CWidgetFavoriteFolder::onClickAction);
    connect(m_pList, &QListWidget::itemSelectionChanged, this,
            &CWidgetFavoriteFolder::onListSelectionChanged);

    auto* pButtons = new QHBoxLayout;
    pButtons->setContentsMargins(0, 0, 0, 0);
    pButtons->addWidget(m_btnAdd);
    pButtons->addWidget(m_btnRemove);
    pButtons->addStretch(1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    pLayout->addWidget(m_pTitle);
    pLayout->addLayout(pButtons);
    pLayout->addWidget(m_pList);

    for (const QString& strFolder : qAsConst(g_pSettings->m_lstFavorFolders)) {
        auto* pItem = new QListWidgetItem(strFolder, m_pList);
        pItem->setToolTip(strFolder);
    }
    onListSelectionChanged();
}

CWidgetFavoriteFolder::~CWidgetFavoriteFolder()
{
    if (g_pSettings)
        g_pSettings->m_lstFavorFolders = folders();
    // The list is destroyed after this; emptying it must not reach the
    // buttons, which may be gone by then.
    disconnect(m_pList, nullptr, this, nullptr);
}

QStringList CWidgetFavoriteFolder::folders() const
{
    QStringList lst;
    for (int i = 0; i < m_pList->count(); ++i)
        lst << m_pList->item(i)->text();
    return lst;
}

bool CWidgetFavoriteFolder::hasListFocus() const
{
    return m_pList->hasFocus();
}

void CWidgetFavoriteFolder::addFolder(const QString& strPath)
{
    const QString strNative = QDir::toNativeSeparators(strPath);
    int nRow = -1;
    for (int i = 0; i < m_pList->count() && nRow < 0; ++i) {
        if (m_pList->item(i)->text() == strNative)
            nRow = i;
    }
    if (nRow != 0) {
        if (nRow > 0)
            delete m_pList->takeItem(nRow);
        auto* pItem = new QListWidgetItem(strNative);
        pItem->setToolTip(strNative);
        m_pList->insertItem(0, pItem);
        storeFolders();
    }
    m_pList->clearSelection();
    m_pList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CWidgetFavoriteFolder::onDbClickItem(const QModelIndex& idx)
{
    QListWidgetItem* pItem = m_pList->item(idx.row());
    if (!pItem)
        return;
    const QString strPath = pItem->text();
    emit dbClickFolder(strPath);
    // The row may have moved while the folder was shown; look it up again.
    for (int i = 0; i < m_pList->count(); ++i) {
        if (m_pList->item(i)->text() == strPath) {
            delete m_pList->takeItem(i);
            break;
        }
    }
    addFolder(strPath);
}

void CWidgetFavoriteFolder::openSelected()
{
    const QList<QListWidgetItem*> lst = m_pList->selectedItems();
    if (!lst.isEmpty())
        onDbClickItem(m_pList->model()->index(m_pList->row(lst.first()), 0));
}

void CWidgetFavoriteFolder::onRemoveSelected()
{
    const QModelIndexList lstSelected = m_pList->selectionModel()->selectedRows();
    if (lstSelected.isEmpty()) {
        QMessageBox::warning(this, tr("No selected folder"),
                             tr("Please select a favor folder on Main Folder List to remove."),
                             QMessageBox::Ok);
        return;
    }
    QList<int> lstRows;
    for (const QModelIndex& idx : lstSelected)
        lstRows << idx.row();
    // From the bottom up, so that the rows still to remove keep their numbers.
    std::sort(lstRows.begin(), lstRows.end(), std::greater<int>());
    for (int nRow : qAsConst(lstRows))
        delete m_pList->takeItem(nRow);
    storeFolders();
}

void CWidgetFavoriteFolder::onListSelectionChanged()
{
    m_btnRemove->setEnabled(!m_pList->selectedItems().isEmpty());
}

void CWidgetFavoriteFolder::onClickAction(const QString& str)
{
    if (str != m_strActExplore)
        return;
    const QList<QListWidgetItem*> lst = m_pList->selectedItems();
    if (!lst.isEmpty())
        showInExplorer(lst.first()->text());
}

void CWidgetFavoriteFolder::storeFolders()
{
    const QStringList lst = folders();
    if (lst != g_pSettings->m_lstFavorFolders)
        g_pSettings->m_lstFavorFolders = lst;
    g_pSettings->save();
}
