#include "browser/CWidgetFavorFileList.h"

#include "browser/CWidgetFavoriteFolder.h"
#include "browser/CWidgetFileList.h"

#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>

CWidgetFavorFileList::CWidgetFavorFileList(QWidget* parent)
    : QWidget(parent)
{
    auto* pSplitter = new QSplitter(Qt::Vertical, this);
    m_pFileList = new CWidgetFileList(pSplitter);
    m_pFavorite = new CWidgetFavoriteFolder(pSplitter);
    pSplitter->addWidget(m_pFileList);
    pSplitter->addWidget(m_pFavorite);
    // The file list takes the height the favourites do not need.
    pSplitter->setStretchFactor(0, 3);
    pSplitter->setStretchFactor(1, 1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(pSplitter);

    connect(m_pFavorite, &CWidgetFavoriteFolder::clickAdd, this,
            &CWidgetFavorFileList::onAddFavorFolder);
    connect(m_pFavorite, &CWidgetFavoriteFolder::dbClickFolder, m_pFileList,
            &CWidgetFileList::setRootPath);
    connect(m_pFileList, &CWidgetFileList::dbClickFile, this, &CWidgetFavorFileList::dbClickFile);
    connect(m_pFileList, &CWidgetFileList::rootPathChanged, this,
            &CWidgetFavorFileList::rootPathChanged);
    connect(m_pFileList, &CWidgetFileList::fileSelectionChanged, this,
            &CWidgetFavorFileList::fileSelectionChanged);
}

void CWidgetFavorFileList::setRootPath(const QString& strPath)
{
    m_pFileList->setRootPath(strPath);
}

QString CWidgetFavorFileList::rootPath() const
{
    return m_pFileList->rootPath();
}

bool CWidgetFavorFileList::hasListFocus() const
{
    return m_pFileList->hasListFocus() || m_pFavorite->hasListFocus();
}

bool CWidgetFavorFileList::openSelection()
{
    if (m_pFileList->hasListFocus())
        m_pFileList->openSelected();
    else if (m_pFavorite->hasListFocus())
        m_pFavorite->openSelected();
    else
        return false;
    return true;
}

void CWidgetFavorFileList::onAddFavorFolder()
{
    const QString strRoot = m_pFileList->rootPath();
    if (strRoot.isEmpty()) {
        QMessageBox::warning(this, tr("No selected folder"),
                             tr("Please select a folder on Folder Browser."), QMessageBox::Ok);
        return;
    }
    m_pFavorite->addFolder(strRoot);
}
