// A stand-in for the editor on either side of the single-instance channel,
// so that the channel can be tested between real processes:
//   singleapp_peer receive <seconds>   prints READY (or SENDER) and MSG:<text> lines
//   singleapp_peer send <message>      prints SENT, DROPPED (or OWNER)
//   singleapp_peer send-bytes <count>  sends a message of <count> 'x' characters
#include "app/CSingleApp.h"
#include "app/Startup.h"

#include <QCoreApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>

// SIGTERM ends the receiver cleanly, so that its segment is released.
static volatile std::sig_atomic_t s_bTerminate = 0;

static void say(const QString& str)
{
    std::fputs((str + '\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList lstArgs = QCoreApplication::arguments();
    if (lstArgs.size() < 3)
        return 2;
    CSingleApp single(nullptr, singleInstanceKey());
    const QString strMode = lstArgs.at(1);
    if (strMode == "receive") {
        if (single.isRunning()) {
            say("SENDER");
            return 3;
        }
        say("READY");
        QObject::connect(&single, &CSingleApp::messageAvailable,
                         [](const QString& strMsg) { say("MSG:" + strMsg); });
        QTimer::singleShot(lstArgs.at(2).toInt() * 1000, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, [](int) { s_bTerminate = 1; });
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [] {
            if (s_bTerminate)
                QCoreApplication::quit();
        });
        watch.start(20);
        return QCoreApplication::exec();
    }
    if (!single.isRunning()) {
        say("OWNER");
        return 4;
    }
    const QString strMsg = strMode == "send-bytes" ? QString(lstArgs.at(2).toInt(), 'x')
                                                   : lstArgs.at(2);
    say(single.sendMessage(strMsg) ? "SENT" : "DROPPED");
    return 0;
}
