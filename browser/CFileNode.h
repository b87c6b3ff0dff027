#ifndef CFILENODE_H
#define CFILENODE_H

#include <QFileInfo>
#include <QIcon>
#include <QList>
#include <QString>

// One entry of the folder browser's tree. A node owns its children.
struct CFileNode
{
    CFileNode() = default;
    CFileNode(CFileNode* pParent, const QFileInfo& info);
    ~CFileNode();
    CFileNode(const CFileNode&) = delete;
    CFileNode& operator=(const CFileNode&) = delete;

    void deleteChildren();
    // Drops the icons of this node and all below it.
    void releaseIcons();

    QString m_strPath;   // absolute, native separators; the drive list's root keeps it as given
    QFileInfo m_fileInfo;
    QIcon m_icon;        // looked up when the row is first shown
    QList<CFileNode*> m_lstChildren; // in display order
    CFileNode* m_pParent = nullptr;
};

#endif
