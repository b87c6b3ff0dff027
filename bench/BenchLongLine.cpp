// Long lines: what one keystroke costs in a line of a given length (to
// choose the line-length limit), and opening a 5 MB one-line JSON file
// (to its first screen) and paging through its split view.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchData.h"
#include "BenchWatch.h"

#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "largefile/CLongLineView.h"
#include "largefile/LongLines.h"

#include <QFileInfo>

#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>

namespace {

// A key typed in the middle of the line and the repaint that shows it, then
// the longest GUI event while the new colours are applied.
QPair<double, double> keyInLine(BenchApp& app, CHighlightEdit* pEdit, PassWatch& watch)
{
    cursorToMiddle(pEdit);
    runUntil([] { return false; }, 200);
    QElapsedTimer timer;
    timer.start();
    sendKey(pEdit, 'x');
    pEdit->viewport()->repaint();
    const double dKeyMs = timer.nsecsElapsed() / 1e6;
    app.resetTimed();
    runUntil([&] { return watch.idle(); }, 60 * 1000);
    runUntil([] { return false; }, 100);
    return {dKeyMs, app.longestEventNs() / 1e6};
}

} // namespace

int childLongLineSweep(int argc, char** argv, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const QVariantMap mapJson = CHighlightMgt(strDefDir, nullptr).getHighlightByName("JSON");
    for (int nLength : {5000, 10000, 20000, 50000}) {
        auto* pEdit = new CHighlightEdit;
        PassWatch watch(app, pEdit);
        pEdit->resize(1000, 700);
        pEdit->show();
        pEdit->loadContent(makeMinifiedJson(nLength), false);
        pEdit->setLanguage(mapJson);
        runUntil([&] { return watch.idle(); }, 60 * 1000);
        QVector<double> vecKey;
        QVector<double> vecApply;
        for (int i = 0; i < 3; ++i) {
            const auto key = keyInLine(app, pEdit, watch);
            vecKey << key.first;
            vecApply << key.second;
        }
        std::sort(vecKey.begin(), vecKey.end());
        std::sort(vecApply.begin(), vecApply.end());
        printFigure(QString("longline_key_%1_ms").arg(nLength), vecKey.at(1), 2);
        printFigure(QString("longline_apply_%1_ms").arg(nLength), vecApply.at(1), 2);
        delete pEdit;
    }
    std::_Exit(0);
}

int childLongLineOpen(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const CHighlightMgt mgt(strDefDir, nullptr);
    QElapsedTimer timer;
    timer.start();
    // As the main window opens a text file.
    auto* pEdit = new CHighlightEdit;
    PassWatch watch(app, pEdit);
    pEdit->setLongLineLimit(LongLines::DefaultLimit);
    CLongLineView view(pEdit);
    pEdit->setFilePath(strPath);
    pEdit->loadContent(readWholeFile(strPath), false);
    pEdit->setLanguage(mgt.getHighlightByFileName(QFileInfo(strPath).fileName()));
    bool bPainted = false;
    qint64 nPaintNs = 0;
    app.onPaintDone(pEdit->viewport(), [&] {
        nPaintNs = timer.nsecsElapsed();
        bPainted = true;
    });
    pEdit->resize(1000, 700);
    pEdit->show();
    if (!runUntil([&] { return bPainted; }, 600 * 1000) || !pEdit->isSplitView()) {
        note("longline: no split view painted");
        return 1;
    }
    printFigure("longline_5mb_open_ms", nPaintNs / 1e6);
    runUntil([&] { return watch.idle(); }, 60 * 1000);
    // The view is read-only: a key scrolls it.
    pEdit->setFocus();
    QVector<double> vecKey;
    for (int i = 0; i < 10; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QElapsedTimer key;
        key.start();
        QCoreApplication::sendEvent(pEdit, &press);
        pEdit->viewport()->repaint();
        vecKey << key.nsecsElapsed() / 1e6;
        runUntil([] { return false; }, 30);
    }
    QStringList lst;
    for (double d : vecKey) lst << QString::number(d, 'f', 1);
    note("  page keys, ms: " + lst.join(' '));
    std::sort(vecKey.begin(), vecKey.end());
    printFigure("longline_5mb_key_ms", vecKey.last(), 2);
    std::_Exit(0);
}
