#include "app/Startup.h"

#include "app/Arguments.h"
#include "app/CLangMgt.h"
#include "app/CSettings.h"
#include "app/CSingleApp.h"
#include "app/Globals.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QTranslator>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

static void initResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(scrb);
}

void initScrbResources()
{
    initResourcesOutsideNamespace();
}

QString singleInstanceKey(const QProcessEnvironment& env)
{
    const QString strKey = "scrb_uniqe_2016";
#ifdef Q_OS_UNIX
    // System V segments are shared by all users, and one user may have
    // several sessions: a second display must not hand its files to a window
    // on another screen. Screens of one X display share the window.
    QString strSession = env.value("WAYLAND_DISPLAY");
    if (strSession.isEmpty()) {
        strSession = env.value("DISPLAY");
        const int nColon = strSession.lastIndexOf(':');
        const int nDot = strSession.indexOf('.', nColon + 1);
        if (nColon >= 0 && nDot > nColon)
            strSession.truncate(nDot);
    }
    if (strSession.isEmpty())
        strSession = env.value("XDG_SESSION_ID");
    QString strTag;
    for (const QChar ch : strSession)
        strTag += ch.isLetterOrNumber() && ch.unicode() < 0x80 ? ch : QChar('_');
    QString strResult = strKey + '_' + QString::number(getuid());
    if (!strTag.isEmpty())
        strResult += '_' + strTag;
    return strResult;
#else
    Q_UNUSED(env)
    return strKey;
#endif
}

QString singleInstanceKey()
{
    return singleInstanceKey(QProcessEnvironment::systemEnvironment());
}

QStringList installTranslators(QTranslator* pLang, QTranslator* pQt, QTranslator* pQtBase,
                               const QString& strLocale)
{
    QStringList lstLoaded;
    const struct {
        QTranslator* pTranslator;
        const char* szPrefix;
    } arrFiles[] = {{pLang, "lang_"}, {pQt, "qt_"}, {pQtBase, "qtbase_"}};
    for (const auto& file : arrFiles) {
        const QString strName = QString::fromLatin1(file.szPrefix) + strLocale + ".qm";
        if (file.pTranslator->load(strName, ":/")) {
            QCoreApplication::installTranslator(file.pTranslator);
            lstLoaded.append(strName);
        }
    }
    return lstLoaded;
}

int scrbMain(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath());
    initScrbResources();

    QStringList lstPaths;
    QStringList lstQuoted;
    buildArgumentLists(absoluteExistingPaths(QCoreApplication::arguments().mid(1)), lstPaths,
                       lstQuoted);

    CSingleApp singleApp(nullptr, singleInstanceKey());
    if (singleApp.isRunning()) {
        singleApp.sendMessage(lstQuoted.join(' '));
        return 0;
    }

    QCoreApplication::setOrganizationName("Norvel Software");
    QCoreApplication::setOrganizationDomain("norvel-software.com");
    const QString strAppName = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
    QCoreApplication::setApplicationName(strAppName);

    const QString strLocale = QLocale::system().name().toLower();
    QTranslator trLang;
    QTranslator trQt;
    QTranslator trQtBase;
    installTranslators(&trLang, &trQt, &trQtBase, strLocale);

    CLangMgt langMgt;
    langMgt.setCurLang(strLocale);
    g_pLangMgt = &langMgt;

    CSettings settings("Norvel Software", strAppName);
    g_pSettings = &settings;
    settings.setLoc(strLocale);

    MainWindow mainWindow;
    g_pMainWindow = &mainWindow;
    QObject::connect(&singleApp, &CSingleApp::messageAvailable, &mainWindow,
                     &MainWindow::parseArgument);
    mainWindow.showMaximized();
    mainWindow.startSession();
    if (!lstPaths.isEmpty())
        mainWindow.parseArguments(lstPaths);

    return QApplication::exec();
}
