#include "util/Platform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif

#ifdef Q_OS_WIN
bool showInExplorer(const QString& strPath)
{
    return QProcess::startDetached(QString("explorer.exe /select, \"%1\"").arg(strPath));
}
#else
static bool openContainingFolder(const QString& strPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(strPath).absolutePath()));
}

bool showInExplorer(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage msg = QDBusMessage::createMethodCall(
            "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
            "org.freedesktop.FileManager1", "ShowItems");
        const QString strUri = QUrl::fromLocalFile(QFileInfo(strPath).absoluteFilePath()).toString();
        msg << QStringList{strUri} << QString();
        // Asynchronous: starting a file manager must not freeze the editor.
        auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(msg, 5000));
        QObject::connect(pWatcher, &QDBusPendingCallWatcher::finished, pWatcher,
                         [strPath](QDBusPendingCallWatcher* pCall) {
                             if (pCall->isError())
                                 openContainingFolder(strPath);
                             pCall->deleteLater();
                         });
        return true;
    }
#endif
    return openContainingFolder(strPath);
}
#endif
