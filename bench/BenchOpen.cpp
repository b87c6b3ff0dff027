// Opening a large file: the editor's own path against a bare QPlainTextEdit
// and against reading and decoding alone; opening in the background as the
// main window does; saving in the background; and codec detection on
// binary data.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchData.h"
#include "BenchWatch.h"

#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CTextDocument.h"
#include "largefile/CEditorLoader.h"
#include "largefile/CFileSaver.h"
#include "largefile/CLongLineView.h"
#include "largefile/LongLines.h"
#include "util/TextCodec.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCodec>
#include <QTimer>

namespace {

struct FirstPaint
{
    bool bPainted = false;
    qint64 nNs = 0;     // from the start of the open
    qint64 nPeakKb = 0; // VmHWM then
};

// Shows the widget and runs the event loop until its viewport has handled
// its first paint; the clock and the peak are read right then.
FirstPaint showUntilPainted(BenchApp& app, QAbstractScrollArea* pEdit, const QElapsedTimer& timer)
{
    FirstPaint paint;
    app.onPaintDone(pEdit->viewport(), [&] {
        paint.nNs = timer.nsecsElapsed();
        paint.nPeakKb = procStatusKb("VmHWM");
        paint.bPainted = true;
    });
    pEdit->resize(1000, 700);
    pEdit->show();
    runUntil([&] { return paint.bPainted; }, 600 * 1000);
    return paint;
}

bool printOpen(const QString& strWhat, const FirstPaint& paint, qint64 nRssBeforeKb)
{
    if (!paint.bPainted) {
        note(strWhat + ": no paint arrived");
        return false;
    }
    printFigure(strWhat + "_ms", paint.nNs / 1e6);
    printFigure(strWhat + "_rss_mb", (paint.nPeakKb - nRssBeforeKb) / 1024.0);
    return true;
}

// The time to handle one key typed in the middle of the text once all is
// shown and settled.
double firstKeyMs(QPlainTextEdit* pEdit)
{
    cursorToMiddle(pEdit);
    runUntil([] { return false; }, 300);
    QElapsedTimer timer;
    timer.start();
    sendKey(pEdit, 'x');
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int childOpenOurs(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const CHighlightMgt mgt(strDefDir, nullptr); // the program builds its catalogue at start
    const qint64 nRssBefore = procStatusKb("VmRSS");
    resetPeakRss();
    QElapsedTimer timer;
    timer.start();
    // As the main window opens a text file.
    auto* pEdit = new CHighlightEdit;
    PassWatch watch(app, pEdit);
    pEdit->setFilePath(strPath);
    pEdit->loadContent(readWholeFile(strPath), false);
    pEdit->setLanguage(mgt.getHighlightByFileName(QFileInfo(strPath).fileName()));
    note(QString("  ours: peak +%1 MB once the text is set, before showing")
             .arg((procStatusKb("VmHWM") - nRssBefore) / 1024));
    const FirstPaint paint = showUntilPainted(app, pEdit, timer);
    note(QString("  ours: codec %1, language '%2', %3 blocks")
             .arg(pEdit->codecName(), pEdit->getLanguage())
             .arg(pEdit->blockCount()));
    if (!printOpen("open_ours", paint, nRssBefore))
        return 1;
    // After the first paint the highlighter still goes through every line.
    if (runUntil([&] { return watch.idle(); }, 600 * 1000)) {
        printFigure("open_ours_hl_done_ms", timer.nsecsElapsed() / 1e6);
        printFigure("open_ours_hl_done_rss_mb", (procStatusKb("VmHWM") - nRssBefore) / 1024.0);
    } else {
        note("  ours: the highlighter did not finish");
    }
    printFigure("open_ours_first_key_ms", firstKeyMs(pEdit));
    std::_Exit(0);
}

int childOpenBare(int argc, char** argv, const QString& strPath)
{
    BenchApp app(argc, argv);
    const qint64 nRssBefore = procStatusKb("VmRSS");
    resetPeakRss();
    QElapsedTimer timer;
    timer.start();
    auto* pEdit = new QPlainTextEdit;
    {
        const QByteArray arrBytes = readWholeFile(strPath);
        pEdit->setPlainText(QString::fromUtf8(arrBytes.constData(), arrBytes.size()));
    }
    note(QString("  bare: peak +%1 MB once the text is set, before showing")
             .arg((procStatusKb("VmHWM") - nRssBefore) / 1024));
    if (!printOpen("open_qpte", showUntilPainted(app, pEdit, timer), nRssBefore))
        return 1;
    printFigure("open_qpte_first_key_ms", firstKeyMs(pEdit));
    std::_Exit(0);
}

int childOpenRaw(const QString& strPath)
{
    const qint64 nRssBefore = procStatusKb("VmRSS");
    resetPeakRss();
    QElapsedTimer timer;
    timer.start();
    const QByteArray arrBytes = readWholeFile(strPath);
    const QString strText = QString::fromUtf8(arrBytes.constData(), arrBytes.size());
    const qint64 nNs = timer.nsecsElapsed();
    if (strText.isEmpty())
        return 1;
    printFigure("open_raw_ms", nNs / 1e6);
    printFigure("open_raw_rss_mb", (procStatusKb("VmHWM") - nRssBefore) / 1024.0);
    return 0;
}

int childDetect(int nBytes)
{
    const QByteArray arrBytes = makeRandomBytes(nBytes);
    QElapsedTimer timer;
    timer.start();
    const QString strCodec = detectTextCodec(arrBytes, "en_us");
    const qint64 nDetectNs = timer.nsecsElapsed();
    QTextCodec* pUtf8 = QTextCodec::codecForMib(106);
    timer.restart();
    const QString strText = pUtf8->toUnicode(arrBytes);
    const qint64 nDecodeNs = timer.nsecsElapsed();
    if (strText.isEmpty())
        return 1;
    printFigure("detect_50mb_binary_ms", nDetectNs / 1e6);
    printFigure("detect_utf8_decode_ms", nDecodeNs / 1e6);
    printFigure("detect_50mb_binary_codec", strCodec.isEmpty() ? QString("(none)") : strCodec);
    return 0;
}

int childOpenBackground(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    constexpr int ProbeMs = 1;
    BenchApp app(argc, argv);
    BenchEnv env;
    const CHighlightMgt mgt(strDefDir, nullptr);
    const qint64 nRssBefore = procStatusKb("VmRSS");
    resetPeakRss();
    // The probe fires every millisecond unless the GUI thread is busy.
    QElapsedTimer timer;
    timer.start();
    qint64 nLastNs = 0;
    qint64 nMaxGapNs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(ProbeMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 nNow = timer.nsecsElapsed();
        nMaxGapNs = qMax(nMaxGapNs, nNow - nLastNs);
        nLastNs = nNow;
    });
    probe.start();
    // As the main window opens a large text file.
    auto* pEdit = new CHighlightEdit;
    pEdit->setLongLineLimit(LongLines::DefaultLimit);
    new CLongLineView(pEdit);
    pEdit->setFilePath(strPath);
    auto* pLoader = new CEditorLoader(pEdit);
    bool bDone = false;
    QObject::connect(pLoader, &CEditorLoader::finished, [&] { bDone = true; });
    pLoader->start(strPath);
    pEdit->setLanguage(mgt.getHighlightByFileName(QFileInfo(strPath).fileName()));
    app.resetTimed();
    const FirstPaint paint = showUntilPainted(app, pEdit, timer);
    // The first paint of an empty document is no first screen: the one after
    // the first slice is.
    runUntil([&] { return pEdit->blockCount() > 1 || bDone; }, 600 * 1000);
    qint64 nScreenNs = 0;
    {
        bool bPainted = false;
        app.onPaintDone(pEdit->viewport(), [&] {
            nScreenNs = timer.nsecsElapsed();
            bPainted = true;
        });
        pEdit->viewport()->update();
        runUntil([&] { return bPainted; }, 600 * 1000);
    }
    if (!paint.bPainted || !runUntil([&] { return bDone; }, 600 * 1000)) {
        note("open-background: the load did not finish");
        return 1;
    }
    const qint64 nDoneNs = timer.nsecsElapsed();
    probe.stop();
    note(QString("  background: %1 blocks; longest GUI events:\n    %2")
             .arg(pEdit->blockCount())
             .arg(app.longestEvents().join("\n    ")));
    printFigure("open_50mb_first_screen_ms", nScreenNs / 1e6);
    printFigure("open_50mb_max_stall_ms", qMax<qint64>(0, nMaxGapNs - ProbeMs * 1000000LL) / 1e6);
    printFigure("open_50mb_editable_ms", nDoneNs / 1e6);
    printFigure("open_50mb_rss_mb", (procStatusKb("VmRSS") - nRssBefore) / 1024.0);
    printFigure("open_50mb_peak_rss_mb", (procStatusKb("VmHWM") - nRssBefore) / 1024.0);
    std::_Exit(0);
}

int childSave(int argc, char** argv, const QString& strPath)
{
    constexpr int ProbeMs = 1;
    BenchApp app(argc, argv);
    BenchEnv env;
    auto* pEdit = new CHighlightEdit;
    pEdit->loadContent(readWholeFile(strPath), false);
    pEdit->resize(1000, 700);
    pEdit->show();
    runUntil([] { return false; }, 300);
    QTextCursor(pEdit->document()).insertText("x");
    const QString strOut = strPath + ".saved";
    QElapsedTimer timer;
    timer.start();
    qint64 nLastNs = 0;
    qint64 nMaxGapNs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(ProbeMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 nNow = timer.nsecsElapsed();
        nMaxGapNs = qMax(nMaxGapNs, nNow - nLastNs);
        nLastNs = nNow;
    });
    probe.start();
    // As the main window saves a large document: the text is taken on the
    // GUI thread, encoded and written in the saver's thread.
    bool bDone = false;
    qint64 nSnapshotCpuNs = 0;
    QTimer::singleShot(0, [&] {
        nLastNs = timer.nsecsElapsed();
        const qint64 nCpuStart = threadCpuNs();
        const CLineSnapshot snapshot = pEdit->saveSnapshot();
        nSnapshotCpuNs = threadCpuNs() - nCpuStart;
        auto* pSaver = new CFileSaver(strOut, snapshot, pEdit->returnFormat(), pEdit->standIns(),
                                      pEdit->textDocument()->version(), pEdit);
        QObject::connect(pSaver, &QThread::finished, [&] { bDone = true; });
        pSaver->start();
    });
    if (!runUntil([&] { return bDone; }, 120 * 1000)) {
        note("save: the saver did not finish");
        return 1;
    }
    const qint64 nNs = timer.nsecsElapsed();
    probe.stop();
    const qint64 nSize = QFileInfo(strOut).size();
    QFile::remove(strOut);
    if (nSize < QFileInfo(strPath).size()) {
        note("save: the file was not written whole");
        return 1;
    }
    printFigure("save_50mb_ms", nNs / 1e6);
    printFigure("save_50mb_max_stall_ms", qMax<qint64>(0, nMaxGapNs - ProbeMs * 1000000LL) / 1e6);
    // The stall is the text taken on the GUI thread; on a busy machine the
    // wall time above exceeds the CPU time it needs.
    printFigure("save_50mb_snapshot_cpu_ms", nSnapshotCpuNs / 1e6);
    std::_Exit(0);
}
