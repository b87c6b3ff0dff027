// Listing a folder of 100,000 entries: the folder browser's panel against
// Qt's QFileSystemModel in a list view, and the longest GUI-thread stall
// meanwhile.
#include "BenchChildren.h"
#include "BenchCommon.h"

#include "browser/CFileSystemModel.h"
#include "browser/CMenuListView.h"
#include "browser/CWidgetFileList.h"

#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QListView>
#include <QTimer>
#include <cstdlib>

namespace {
constexpr int ProbeMs = 1;
constexpr int SettleMs = 300; // the view lays out and paints after the last rows

// Fires every millisecond unless the GUI thread is busy; the longest gap
// between two firings, less the interval, is the longest stall.
class StallProbe
{
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(ProbeMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 nNow = m_clock.nsecsElapsed();
            m_nMaxGapNs = qMax(m_nMaxGapNs, nNow - m_nLastNs);
            m_nLastNs = nNow;
        });
    }
    void start()
    {
        m_clock.start();
        m_nLastNs = 0;
        m_timer.start();
    }
    double maxStallMs() const { return qMax<qint64>(0, m_nMaxGapNs - ProbeMs * 1000000LL) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_nLastNs = 0;
    qint64 m_nMaxGapNs = 0;
};

void showView(QWidget* pWidget)
{
    pWidget->resize(400, 800);
    pWidget->show();
    runUntil([] { return false; }, 200);
}

bool report(BenchApp& app, const char* szName, bool bDone, const QElapsedTimer& timer,
            const StallProbe& probe)
{
    if (!bDone) {
        note(QString("%1: not all rows arrived").arg(szName));
        return false;
    }
    const double dMs = timer.nsecsElapsed() / 1e6;
    runUntil([] { return false; }, SettleMs);
    note(QString("  %1, longest GUI events:\n    %2")
             .arg(szName, app.longestEvents().join("\n    ")));
    printFigure(QString("%1_100k_ms").arg(szName), dMs);
    printFigure(QString("%1_gui_max_stall_ms").arg(szName), probe.maxStallMs(), 2);
    return true;
}
} // namespace

int childFolderOurs(int argc, char** argv, const QString& strDir, int nEntries)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    CWidgetFileList panel;
    showView(&panel);
    const CFileSystemModel* pModel = panel.model();
    StallProbe probe;
    app.resetTimed();
    probe.start();
    QElapsedTimer timer;
    timer.start();
    panel.setRootPath(strDir);
    const bool bDone = runUntil([&] { return pModel->rowCount() == nEntries; }, 300 * 1000);
    if (!report(app, "folder", bDone, timer, probe))
        return 1;
    // Leaving the folder: its rows go in one step.
    timer.restart();
    panel.setRootPath(QString());
    printFigure("folder_leave_100k_ms", timer.nsecsElapsed() / 1e6);
    std::_Exit(0); // tearing down the window is not measured
}

int childFolderQfsm(int argc, char** argv, const QString& strDir, int nEntries)
{
    BenchApp app(argc, argv);
    QFileSystemModel model;
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    showView(&view);
    StallProbe probe;
    app.resetTimed();
    probe.start();
    QElapsedTimer timer;
    timer.start();
    const QModelIndex idxRoot = model.setRootPath(strDir);
    view.setRootIndex(idxRoot);
    const bool bDone = runUntil([&] { return model.rowCount(idxRoot) == nEntries; }, 300 * 1000);
    if (!report(app, "qfsm", bDone, timer, probe))
        return 1;
    std::_Exit(0);
}
