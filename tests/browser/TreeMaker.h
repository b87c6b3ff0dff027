#ifndef TREEMAKER_H
#define TREEMAKER_H

#include <QDir>
#include <QFile>
#include <QStringList>

// Makes entries below strRoot: a name ending in "/" is a folder, any other a
// file (its folders are made as needed). Returns whether all were made.
inline bool makeTree(const QString& strRoot, const QStringList& lstEntries)
{
    QDir root(strRoot);
    for (const QString& strEntry : lstEntries) {
        if (!root.mkpath(strEntry.endsWith('/') ? strEntry : QFileInfo(strEntry).path()))
            return false;
        QFile file(root.filePath(strEntry));
        if (!strEntry.endsWith('/') && !file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

#endif
