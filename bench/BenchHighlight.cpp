// Highlighting a large C++ source: one pass of the editor's background
// highlighter, the same rules run by QSyntaxHighlighter, and how long the
// GUI thread stalls while someone types during passes.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchWatch.h"

#include "editor/CHighlightEdit.h"
#include "highlight/BlockLexer.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextDocumentLayout>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace {

QVariantMap cppDefinition(const QString& strDefDir)
{
    const QVariantMap mapDef = CHighlightMgt(strDefDir, nullptr).getHighlightByName("C++");
    if (mapDef.isEmpty()) {
        note("the C++ definition was not found in " + strDefDir);
        std::exit(2);
    }
    return mapDef;
}

// QSyntaxHighlighter running the editor's block lexer synchronously.
class RulesHighlighter : public QSyntaxHighlighter
{
public:
    RulesHighlighter(const CSyntaxRules& rules, QTextDocument* pDoc)
        : QSyntaxHighlighter(pDoc), m_rules(rules)
    {
    }

protected:
    void highlightBlock(const QString& strText) override
    {
        const LexResult result = lexBlock(m_rules, strText, previousBlockState());
        for (const QTextLayout::FormatRange& range : result.lstRanges)
            setFormat(range.start, range.length, range.format);
        setCurrentBlockState(result.nState);
    }

private:
    const CSyntaxRules& m_rules;
};

} // namespace

int childHighlightPass(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const QVariantMap mapDef = cppDefinition(strDefDir);
    const QByteArray arrBytes = readWholeFile(strPath);
    auto* pEdit = new CHighlightEdit;
    PassWatch watch(app, pEdit);
    pEdit->resize(1000, 700);
    pEdit->show();
    pEdit->setLanguage(mapDef);
    if (!runUntil([&] { return watch.idle(); }, 10000)) {
        note("the highlighter did not settle on the empty document");
        return 1;
    }

    // The load posts the request for a pass; the clock runs from here until
    // the last block's result of the new version has been applied.
    pEdit->loadContent(arrBytes, false);
    const int nBlocks = pEdit->blockCount();
    const qint64 nRssBefore = procStatusKb("VmRSS");
    watch.m_nResults = 0;
    watch.m_nStale = 0;
    QEventLoop loop;
    qint64 nPassNs = 0;
    QElapsedTimer timer;
    watch.m_fnDone = [&] {
        nPassNs = timer.nsecsElapsed();
        loop.quit();
    };
    QTimer::singleShot(300 * 1000, &loop, &QEventLoop::quit);
    app.resetTimed();
    timer.start();
    loop.exec();
    const qint64 nGuiNs = app.workNs();
    const qint64 nGuiCpuNs = app.workCpuNs();
    const qint64 nMaxTurnNs = app.maxWorkNs();
    const int nTurns = app.workEvents();
    if (nPassNs == 0) {
        note("the pass did not finish");
        return 1;
    }
    note(QString("  ours: %1 blocks, %2 results applied (%3 stale), %4 GUI turns, longest %5 ms, "
                 "RSS +%6 MB during the pass")
             .arg(nBlocks).arg(watch.m_nResults).arg(watch.m_nStale).arg(nTurns)
             .arg(nMaxTurnNs / 1e6, 0, 'f', 2)
             .arg((procStatusKb("VmHWM") - nRssBefore) / 1024.0, 0, 'f', 1));
    printFigure("hl_pass_100k_ms", nPassNs / 1e6);
    printFigure("hl_lines_per_s", nBlocks / (nPassNs / 1e9), 0);
    printFigure("hl_gui_busy_per_pass_ms", nGuiNs / 1e6);
    printFigure("hl_gui_cpu_per_pass_ms", nGuiCpuNs / 1e6);
    printFigure("hl_gui_longest_turn_ms", nMaxTurnNs / 1e6, 2);
    std::_Exit(0);
}

int childQtHighlighter(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    CSyntaxRules rules;
    rules.setDefinition(cppDefinition(strDefDir));
    const QByteArray arrBytes = readWholeFile(strPath);
    QTextDocument doc;
    doc.setDocumentLayout(new QPlainTextDocumentLayout(&doc)); // as a QPlainTextEdit's
    doc.setPlainText(QString::fromUtf8(arrBytes));
    RulesHighlighter highlighter(rules, &doc);
    QElapsedTimer timer;
    timer.start();
    highlighter.rehighlight();
    const qint64 nNs = timer.nsecsElapsed();
    note(QString("  QSyntaxHighlighter: %1 blocks").arg(doc.blockCount()));
    printFigure("qsh_pass_100k_ms", nNs / 1e6);
    std::_Exit(0);
}

int childLexOnly(const QString& strPath, const QString& strDefDir)
{
    CSyntaxRules rules;
    rules.setDefinition(cppDefinition(strDefDir));
    // The lexer alone, one line after the other: what a pass cannot beat.
    const QStringList lstLines = QString::fromUtf8(readWholeFile(strPath)).split('\n');
    QVector<LexResult> vecResults(lstLines.size());
    QElapsedTimer timer;
    timer.start();
    int nState = -1;
    for (int i = 0; i < lstLines.size(); ++i) {
        vecResults[i] = lexBlock(rules, lstLines.at(i), nState);
        nState = vecResults.at(i).nState;
    }
    printFigure("lex_only_100k_ms", timer.nsecsElapsed() / 1e6);
    return 0;
}

int childTypingStall(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    constexpr int ProbeMs = 1;
    constexpr int TypeEveryMs = 50;
    const QString strTyped = "sum += values[index] * scale + offset; count += 1;";
    BenchApp app(argc, argv);
    BenchEnv env;
    auto* pEdit = new CHighlightEdit;
    PassWatch watch(app, pEdit);
    pEdit->resize(1000, 700);
    pEdit->show();
    pEdit->loadContent(readWholeFile(strPath), false);
    pEdit->setLanguage(cppDefinition(strDefDir));
    if (!runUntil([&] { return watch.idle(); }, 300 * 1000)) {
        note("the first pass did not finish");
        return 1;
    }
    cursorToMiddle(pEdit);
    runUntil([] { return false; }, 300);

    // The probe fires every millisecond unless the GUI thread is busy; the
    // longest gap between two firings is the longest stall.
    QElapsedTimer clock;
    clock.start();
    qint64 nLastNs = 0;
    qint64 nMaxGapNs = 0;
    qint64 nMaxGapAtNs = 0;
    int nOver16 = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(ProbeMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 nNow = clock.nsecsElapsed();
        const qint64 nGap = nNow - nLastNs;
        nLastNs = nNow;
        if (nGap > nMaxGapNs) {
            nMaxGapNs = nGap;
            nMaxGapAtNs = nNow;
        }
        if (nGap - ProbeMs * 1000000LL > 16000000LL)
            ++nOver16;
    });

    int nTyped = 0;
    qint64 nTypingEndNs = 0;
    QTimer typing;
    typing.setTimerType(Qt::PreciseTimer);
    typing.setInterval(TypeEveryMs);
    QVector<double> vecKeyMs;
    QObject::connect(&typing, &QTimer::timeout, [&] {
        const qint64 nKeyStart = clock.nsecsElapsed();
        sendKey(pEdit, strTyped.at(nTyped));
        vecKeyMs.append((clock.nsecsElapsed() - nKeyStart) / 1e6);
        if (++nTyped == strTyped.size()) {
            typing.stop();
            nTypingEndNs = clock.nsecsElapsed();
        }
    });
    watch.m_nResults = 0;
    watch.m_nStale = 0;
    app.resetTimed();
    nLastNs = clock.nsecsElapsed();
    probe.start();
    typing.start();
    // Until the text typed last has been highlighted through.
    const bool bSettled =
        runUntil([&] { return nTyped == strTyped.size() && watch.idle(); }, 300 * 1000);
    probe.stop();
    const qint64 nEndNs = clock.nsecsElapsed();
    if (!bSettled) {
        note("the highlighter did not settle after typing");
        return 1;
    }
    note(QString("  typing: %1 keys in %2 ms, settled %3 ms after the last; %4 results applied "
                 "(%5 stale); longest gap at %6 ms")
             .arg(nTyped).arg(nTypingEndNs / 1e6, 0, 'f', 0)
             .arg((nEndNs - nTypingEndNs) / 1e6, 0, 'f', 0)
             .arg(watch.m_nResults).arg(watch.m_nStale)
             .arg(nMaxGapAtNs / 1e6, 0, 'f', 0));
    QStringList lstKeys;
    for (double d : qAsConst(vecKeyMs))
        lstKeys << QString::number(d, 'f', 2);
    note("  key handling, ms: " + lstKeys.join(' '));
    const double dFirstKey = vecKeyMs.value(0);
    vecKeyMs.remove(0);
    std::sort(vecKeyMs.begin(), vecKeyMs.end());
    note("  longest GUI events while typing:\n    " + app.longestEvents().join("\n    "));
    printFigure("hl_gui_max_stall_ms", qMax<qint64>(0, nMaxGapNs - ProbeMs * 1000000LL) / 1e6, 2);
    printFigure("hl_gui_stalls_over_16ms", nOver16, 0);
    printFigure("hl_first_key_ms", dFirstKey, 2);
    printFigure("hl_other_keys_max_ms", vecKeyMs.isEmpty() ? 0.0 : vecKeyMs.last(), 2);
    std::_Exit(0);
}

int childTypeColour(int argc, char** argv, const QString& strPath, const QString& strDefDir)
{
    constexpr int TypeEveryMs = 100;
    constexpr int KeyCount = 50;
    const QString strTyped = "int ";
    BenchApp app(argc, argv);
    BenchEnv env;
    auto* pEdit = new CHighlightEdit;
    PassWatch watch(app, pEdit);
    pEdit->resize(1000, 700);
    pEdit->show();
    pEdit->loadContent(readWholeFile(strPath), false);
    pEdit->setLanguage(cppDefinition(strDefDir));
    if (!runUntil([&] { return watch.idle(); }, 600 * 1000)) {
        note("the first pass did not finish");
        return 1;
    }
    const int nLine = pEdit->blockCount() * 9 / 10;
    QTextCursor cursor(pEdit->document()->findBlockByNumber(nLine));
    pEdit->setTextCursor(cursor);
    pEdit->centerCursor();
    pEdit->setFocus();
    runUntil([] { return false; }, 500);

    // From each key until its line's colours for the new text have been
    // applied and painted.
    QElapsedTimer clock;
    clock.start();
    QVector<double> vecMs;
    qint64 nKeyNs = 0;
    bool bWaiting = false;
    QObject::connect(pEdit->highlighter(), &CThreadHighlighter::blockFormatChanged, pEdit,
                     [&](uint nVer, int nBlock) {
                         if (!bWaiting || nVer != pEdit->textDocument()->version()
                             || nBlock != pEdit->textCursor().blockNumber())
                             return;
                         bWaiting = false;
                         app.onPaintDone(pEdit->viewport(), [&] {
                             vecMs.append((clock.nsecsElapsed() - nKeyNs) / 1e6);
                         });
                     });
    int nTyped = 0;
    QTimer typing;
    typing.setTimerType(Qt::PreciseTimer);
    typing.setInterval(TypeEveryMs);
    QObject::connect(&typing, &QTimer::timeout, [&] {
        if (bWaiting)
            vecMs.append(TypeEveryMs); // not coloured before the next key
        nKeyNs = clock.nsecsElapsed();
        bWaiting = true;
        sendKey(pEdit, strTyped.at(nTyped % strTyped.size()));
        if (++nTyped == KeyCount)
            typing.stop();
    });
    typing.start();
    runUntil([&] { return nTyped == KeyCount && vecMs.size() >= KeyCount; }, 60 * 1000);
    if (vecMs.size() < KeyCount / 2) {
        note("type-colour: colours did not follow the keys");
        return 1;
    }
    std::sort(vecMs.begin(), vecMs.end());
    note(QString("  type-colour: %1 keys at line %2 of %3").arg(vecMs.size()).arg(nLine + 1)
             .arg(pEdit->blockCount()));
    printFigure("hl_type_colour_ms", vecMs.at(vecMs.size() / 2), 2);
    printFigure("hl_type_colour_max_ms", vecMs.last(), 2);
    std::_Exit(0);
}
