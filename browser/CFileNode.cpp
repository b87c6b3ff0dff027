#include "browser/CFileNode.h"

#include <QDir>

CFileNode::CFileNode(CFileNode* pParent, const QFileInfo& info)
    : m_strPath(QDir::toNativeSeparators(info.absoluteFilePath()))
    , m_fileInfo(info)
    , m_pParent(pParent)
{
}

CFileNode::~CFileNode()
{
    deleteChildren();
}

void CFileNode::deleteChildren()
{
    qDeleteAll(m_lstChildren);
    m_lstChildren.clear();
}

void CFileNode::releaseIcons()
{
    m_icon = QIcon();
    for (CFileNode* pChild : qAsConst(m_lstChildren))
        pChild->releaseIcons();
}
