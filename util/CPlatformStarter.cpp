#include "util/CPlatformStarter.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef Q_OS_WIN
#include <QProcess>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#endif

namespace {
CPlatformStarter* g_pStarter = nullptr;
} // namespace

CPlatformStarter::~CPlatformStarter() = default;

#ifdef Q_OS_WIN
bool CPlatformStarter::startDetached(const QString& strCommandLine)
{
    return QProcess::startDetached(strCommandLine);
}
#else
bool CPlatformStarter::callSessionBus(const QDBusMessage& msg, std::function<void(bool)> fnReplied)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Asynchronous: a file manager that is slow to start must not freeze the editor.
    auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(msg, 5000));
    QObject::connect(pWatcher, &QDBusPendingCallWatcher::finished, pWatcher,
                     [fnReplied](QDBusPendingCallWatcher* pCall) {
                         fnReplied(!pCall->isError());
                         pCall->deleteLater();
                     });
    return true;
}
#endif

bool CPlatformStarter::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void setPlatformStarter(CPlatformStarter* pStarter)
{
    g_pStarter = pStarter;
}

CPlatformStarter* platformStarter()
{
    static CPlatformStarter real;
    return g_pStarter ? g_pStarter : &real;
}
