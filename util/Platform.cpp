#include "util/Platform.h"

#include "util/CPlatformStarter.h"

#include <QFileInfo>
#include <QUrl>

#ifndef Q_OS_WIN
#include <QDBusMessage>
#endif

#ifdef Q_OS_WIN
bool showInExplorer(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
    return platformStarter()->startDetached(QString("explorer.exe /select, \"%1\"").arg(strPath));
}
#else
namespace {
bool openContainingFolder(const QString& strPath)
{
    return platformStarter()->openUrl(QUrl::fromLocalFile(QFileInfo(strPath).absolutePath()));
}
} // namespace

bool showInExplorer(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
    // The freedesktop file-manager interface selects the file; desktops
    // without it get the folder opened by their default application.
    QDBusMessage msg = QDBusMessage::createMethodCall(
        "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
        "org.freedesktop.FileManager1", "ShowItems");
    const QUrl url = QUrl::fromLocalFile(QFileInfo(strPath).absoluteFilePath());
    const QString strUri = url.toString(QUrl::FullyEncoded);
    msg << QStringList{strUri} << QString();
    const bool bSent = platformStarter()->callSessionBus(msg, [strPath](bool bShown) {
        if (!bShown)
            openContainingFolder(strPath);
    });
    return bSent || openContainingFolder(strPath);
}
#endif
