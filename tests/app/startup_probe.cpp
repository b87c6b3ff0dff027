// Starts the interface the way the editor does for the process's locale and
// prints what it shows, for the locale tests to compare.
#include "app/Startup.h"
#include "common/TestEnv.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QLocale>
#include <QMenuBar>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TestEnv env;
    QTranslator trLang, trQt, trQtBase;
    const QStringList lstLoaded =
        installTranslators(&trLang, &trQt, &trQtBase, QLocale::system().name().toLower());
    MainWindow window;
    QStringList lstMenus;
    for (QAction* pAction : window.menuBar()->actions())
        lstMenus << pAction->text();
    const QStringList lstLines = {
        "LOADED:" + lstLoaded.join(','),
        "MENUS:" + lstMenus.join('|'),
        "OPEN:" + window.findChild<QAction*>("actionOpen")->text(),
        "QT:" + QCoreApplication::translate("QPlatformTheme", "Cancel"),
    };
    std::fputs((lstLines.join('\n') + '\n').toUtf8().constData(), stdout);
    return 0;
}
