#ifndef CPLATFORMSTARTER_H
#define CPLATFORMSTARTER_H

#include <QtGlobal>
#include <functional>

class QDBusMessage;
class QString;
class QUrl;

// What the platform layer uses to reach the desktop: starting a program,
// calling a desktop service, opening a URL with its default application.
// showInExplorer() goes through the starter set with setPlatformStarter(),
// so that tests can see what would be started without starting it.
class CPlatformStarter
{
public:
    virtual ~CPlatformStarter();
#ifdef Q_OS_WIN
    // Starts a command line without waiting for it.
    virtual bool startDetached(const QString& strCommandLine);
#else
    // Sends a call on the session bus without waiting for it; fnReplied is
    // called later with whether the call succeeded. False when there is no
    // session bus to send it on.
    virtual bool callSessionBus(const QDBusMessage& msg, std::function<void(bool)> fnReplied);
#endif
    virtual bool openUrl(const QUrl& url);
};

// The starter showInExplorer() uses (not owned); nullptr restores the real one.
void setPlatformStarter(CPlatformStarter* pStarter);
CPlatformStarter* platformStarter();

#endif
