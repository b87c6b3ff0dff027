#include "mainwindow/CFileDropFilter.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

CFileDropFilter::CFileDropFilter(QWidget* pWindow)
    : QObject(pWindow), m_pWindow(pWindow)
{
    qApp->installEventFilter(this);
}

QStringList CFileDropFilter::localFilesOf(const QMimeData* pMime)
{
    QStringList lstFiles;
    if (!pMime)
        return lstFiles;
    for (const QUrl& url : pMime->urls()) {
        if (!url.isLocalFile())
            break;
        lstFiles.append(url.toLocalFile());
    }
    return lstFiles;
}

bool CFileDropFilter::isInWindow(QObject* pObject) const
{
    // Floating docks are windows of their own, still children of the window.
    for (auto* pWidget = qobject_cast<QWidget*>(pObject); pWidget; pWidget = pWidget->parentWidget()) {
        if (pWidget == m_pWindow)
            return true;
    }
    return false;
}

bool CFileDropFilter::eventFilter(QObject* pWatched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* pDrop = static_cast<QDropEvent*>(event);
    const QStringList lstFiles = localFilesOf(pDrop->mimeData());
    if (lstFiles.isEmpty() || !isInWindow(pWatched))
        return false;
    pDrop->acceptProposedAction();
    if (type == QEvent::Drop)
        emit filesDropped(lstFiles);
    return true;
}
