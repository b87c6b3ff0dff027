// The HTML page editor on a large page: opening it until the page has
// loaded, with the longest time the GUI thread was busy meanwhile, and
// saving it; and opening it in the main window, where the preview renders
// it a second time.
#include "BenchChildren.h"
#include "BenchCommon.h"

#include "mainwindow/MainWindow.h"
#include "util/SaveFile.h"
#include "web/CEditWebView.h"
#include "web/CPreviewWidget.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

namespace {

// Fires every millisecond while the GUI thread is free; the longest gap
// between two firings is the longest stall.
class StallProbe
{
public:
    StallProbe()
    {
        m_probe.setTimerType(Qt::PreciseTimer);
        m_probe.setInterval(1);
        QObject::connect(&m_probe, &QTimer::timeout, [this] {
            const qint64 nNow = m_clock.nsecsElapsed();
            m_nMaxGapNs = qMax(m_nMaxGapNs, nNow - m_nLastNs);
            m_nLastNs = nNow;
        });
    }
    void start()
    {
        m_clock.start();
        m_nLastNs = 0;
        m_nMaxGapNs = 0;
        m_probe.start();
    }
    double stop()
    {
        m_probe.stop();
        m_nMaxGapNs = qMax(m_nMaxGapNs, m_clock.nsecsElapsed() - m_nLastNs);
        return qMax<qint64>(0, m_nMaxGapNs - 1000000) / 1e6;
    }

private:
    QTimer m_probe;
    QElapsedTimer m_clock;
    qint64 m_nLastNs = 0;
    qint64 m_nMaxGapNs = 0;
};

} // namespace

int childPage(int argc, char** argv, const QString& strPath)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    auto* pView = new CEditWebView;
    pView->resize(1000, 700);
    pView->show();
    runUntil([] { return false; }, 200);

    bool bLoaded = false;
    QObject::connect(pView, &QWebView::loadFinished, [&] { bLoaded = true; });
    StallProbe probe;
    QElapsedTimer timer;
    app.resetTimed();
    // The probe runs while the event loop does; the load call itself
    // counts as the first stretch.
    probe.start();
    timer.start();
    pView->loadFile(strPath);
    if (!runUntil([&] { return bLoaded; }, 120 * 1000)) {
        note("the page did not load");
        return 1;
    }
    const qint64 nOpenNs = timer.nsecsElapsed();
    // The first paint of the loaded page belongs to opening it.
    runUntil([] { return false; }, 300);
    const double dStall = probe.stop();
    note("  longest GUI events while the page loads:\n    " + app.longestEvents().join("\n    "));
    printFigure("page_open_1mb_ms", nOpenNs / 1e6);
    printFigure("page_gui_max_stall_ms", dStall, 2);

    const QString strSaved = strPath + ".saved.html";
    timer.restart();
    const bool bSaved = saveFileAtomically(strSaved, pView->toHtml().toUtf8());
    const qint64 nSaveNs = timer.nsecsElapsed();
    if (!bSaved) {
        note("the page could not be saved");
        return 1;
    }
    note(QString("  page of %1 bytes saved as %2 bytes")
             .arg(QFileInfo(strPath).size())
             .arg(QFileInfo(strSaved).size()));
    printFigure("page_save_1mb_ms", nSaveNs / 1e6);
    QFile::remove(strSaved);
    std::_Exit(0);
}

int childPageWindow(int argc, char** argv, const QString& strPath)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    MainWindow window;
    window.resize(1200, 800);
    window.show();
    runUntil([] { return false; }, 300);
    auto* pPreview = window.findChild<CPreviewWidget*>();
    StallProbe probe;
    QElapsedTimer timer;
    app.resetTimed();
    probe.start();
    timer.start();
    window.openFile(strPath);
    auto* pPage = qobject_cast<CEditWebView*>(window.findChild<CEditWebView*>());
    // Until the page and its preview have both loaded.
    const bool bDone = runUntil(
        [&] {
            auto* pShown = qobject_cast<CEditWebView*>(pPreview->currentView());
            return pPage && !pPage->isLoading() && pShown && !pShown->isLoading()
                   && pShown->title() == pPage->title();
        },
        120 * 1000);
    const qint64 nNs = timer.nsecsElapsed();
    runUntil([] { return false; }, 300);
    const double dStall = probe.stop();
    if (!bDone) {
        note("the page and its preview did not load");
        return 1;
    }
    note("  longest GUI events while the window opens the page:\n    " + app.longestEvents().join("\n    "));
    printFigure("page_window_open_1mb_ms", nNs / 1e6);
    printFigure("page_window_max_stall_ms", dStall, 2);
    std::_Exit(0);
}
