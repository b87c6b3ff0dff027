// Keeping work safe must not cost the window: the recovery copy of a large
// modified document, and a start that restores a session of twenty files
// against an empty start.
#include "BenchChildren.h"
#include "BenchCommon.h"

#include "editor/CHighlightEdit.h"
#include "mainwindow/MainWindow.h"
#include "session/CRecovery.h"
#include "session/CSessionStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The longest gap between turns of the event loop while it runs: a 1 ms
// timer that can only fire when the GUI thread is free.
class StallProbe
{
public:
    StallProbe()
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 nNow = m_clock.nsecsElapsed();
            m_nMaxNs = qMax(m_nMaxNs, nNow - m_nLastNs);
            m_nLastNs = nNow;
        });
        m_clock.start();
        m_timer.start();
    }
    double maxMs() const { return m_nMaxNs / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_nLastNs = 0;
    qint64 m_nMaxNs = 0;
};

} // namespace

int childRecoveryStall(int argc, char** argv, const QString& strPath)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    QTemporaryDir dir;
    CHighlightEdit edit;
    edit.loadContent(readWholeFile(strPath), false);
    edit.resize(1000, 700);
    edit.show();
    runUntil([] { return false; }, 500);
    CRecovery recovery(dir.filePath("recovery"));
    recovery.track(&edit);
    const QString strRun = QDir(dir.filePath("recovery")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0);
    const QString strEntry = QDir(dir.filePath("recovery/" + strRun)).filePath("1.json");

    QElapsedTimer timer;
    timer.start();
    StallProbe probe;
    edit.insertPlainText("x"); // a modified document: written once editing pauses
    if (!runUntil([&] { return QFile::exists(strEntry); }, 120 * 1000)) {
        note("no recovery file was written");
        return 1;
    }
    printFigure("recovery_write_50mb_ms", timer.elapsed());
    printFigure("recovery_write_50mb_gui_stall_ms", probe.maxMs(), 1);
    return 0;
}

int childStartup(int argc, char** argv, const QString& strSessionFolder)
{
    QElapsedTimer timer;
    timer.start();
    BenchApp app(argc, argv);
    BenchEnv env;
    MainWindow window;
    auto* pTabs = window.findChild<QTabWidget*>();
    bool bPainted = false;
    window.resize(1200, 800);
    window.show();
    if (!strSessionFolder.isEmpty())
        window.startSession(strSessionFolder);
    const int nTabs = pTabs->count();
    QWidget* pShown = pTabs->count() > 0 ? pTabs->currentWidget() : pTabs;
    if (auto* pEdit = qobject_cast<QAbstractScrollArea*>(pShown))
        pShown = pEdit->viewport();
    app.onPaintDone(pShown, [&] { bPainted = true; });
    if (!runUntil([&] { return bPainted; }, 60 * 1000)) {
        note("the window was never painted");
        return 1;
    }
    if (strSessionFolder.isEmpty()) {
        printFigure("startup_empty_ms", timer.nsecsElapsed() / 1e6);
    } else {
        printFigure("session_restore_20_ms", timer.nsecsElapsed() / 1e6);
        printFigure("session_restore_tabs", QString::number(nTabs));
    }
    return 0;
}

bool writeSession(const QString& strFolder, const QStringList& lstFiles)
{
    QList<CSessionDocument> lstDocuments;
    for (const QString& strFile : lstFiles) {
        CSessionDocument doc;
        doc.strPath = strFile;
        lstDocuments.append(doc);
    }
    return CSessionStore(strFolder).save(lstDocuments, 0);
}
