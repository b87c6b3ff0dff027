// The editing aids on large documents: Replace All, Find Next to the far end,
// and Formatting a large JSON file, each against the plain Qt operation on
// the same text in the same process.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchData.h"
#include "BenchWatch.h"

#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "util/JsonFormat.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTextDocument>
#include <cstdlib>

namespace {

constexpr int ReplaceLines = 200000; // every other one holds the word once
constexpr qint64 FindBytes = 50LL * 1024 * 1024;
constexpr int FindLines = 1000000;
constexpr int JsonBytes = 10 * 1024 * 1024;

const char* const FindNeedle = "needle-at-the-very-end";

// About 10 MB: 100,000 lines with "target" once, 100,000 lines without.
QByteArray makeReplaceText()
{
    QByteArray arr;
    arr.reserve(ReplaceLines * 54);
    for (int i = 0; i < ReplaceLines; ++i) {
        arr += i % 2 ? "a line that holds the target word once, number "
                     : "a line without the word we look for, number ";
        arr += QByteArray::number(i);
        arr += '\n';
    }
    return arr;
}

// One line of JSON: an array of records with strings, numbers, booleans,
// nested objects and arrays, about nBytes long.
QByteArray makeJson(int nBytes)
{
    QByteArray arr = "[";
    arr.reserve(nBytes + 256);
    for (int i = 0; arr.size() < nBytes; ++i) {
        if (i)
            arr += ',';
        arr += "{\"id\":" + QByteArray::number(i) + ",\"name\":\"item " + QByteArray::number(i)
               + "\",\"tags\":[\"a\",\"b\"],\"price\":" + QByteArray::number(i % 1000) + ".50"
               + ",\"active\":" + (i % 3 ? "true" : "false")
               + ",\"pos\":{\"x\":" + QByteArray::number(i % 640) + ",\"y\":-1.5e3}}";
    }
    arr += ']';
    return arr;
}

// A shown editor holding the text as an opened file does, once its first
// highlighting pass is over (it would compete for the cores).
CHighlightEdit* openEditor(BenchApp& app, const QByteArray& arrBytes)
{
    auto* pEdit = new CHighlightEdit;
    // Kept: its connection lives as long as the document.
    const PassWatch& watch = *new PassWatch(app, pEdit);
    pEdit->loadContent(arrBytes, false);
    pEdit->resize(1000, 700);
    pEdit->show();
    if (!runUntil([&] { return watch.idle(); }, 600 * 1000))
        note("  the first highlighting pass did not end");
    return pEdit;
}

} // namespace

int childReplaceAll(int argc, char** argv)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const QByteArray arrBytes = makeReplaceText();
    CHighlightEdit* pEdit = openEditor(app, arrBytes);
    const int nLength = pEdit->document()->characterCount();
    int nReplaced = -1;
    QObject::connect(pEdit, &CHighlightEdit::replaceNum, [&nReplaced](int n) { nReplaced = n; });
    QElapsedTimer timer;
    timer.start();
    pEdit->replaceAllText("target", "goal");
    const qint64 nOursNs = timer.nsecsElapsed();

    QString strText = QString::fromUtf8(arrBytes);
    timer.restart();
    strText.replace(QLatin1String("target"), QLatin1String("goal"));
    const qint64 nQtNs = timer.nsecsElapsed();

    pEdit->undo();
    if (nReplaced != ReplaceLines / 2 || pEdit->document()->isUndoAvailable()
        || pEdit->document()->characterCount() != nLength) {
        note(QString("replace all: %1 replaced, or not undone in one step").arg(nReplaced));
        return 1;
    }
    note(QString("  replace all: %1 MB, %2 replaced").arg(arrBytes.size() / 1e6, 0, 'f', 1).arg(nReplaced));
    printFigure("replace_all_100k_ms", nOursNs / 1e6);
    printFigure("replace_qstring_ms", nQtNs / 1e6, 2);
    std::_Exit(0);
}

int childFindNext(int argc, char** argv)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    QByteArray arrBytes = makeMixedText(FindBytes - 32, FindLines);
    arrBytes += '\n';
    arrBytes += FindNeedle;
    CHighlightEdit* pEdit = openEditor(app, arrBytes);
    const int nExpected = pEdit->document()->characterCount() - 1 - int(qstrlen(FindNeedle));

    QElapsedTimer timer;
    timer.start();
    const bool bFound = pEdit->findText(FindNeedle, false);
    const qint64 nFirstNs = timer.nsecsElapsed();
    const bool bRight = bFound && pEdit->textCursor().selectionStart() == nExpected;
    // Again from the start, the document unchanged.
    pEdit->moveCursor(QTextCursor::Start);
    timer.restart();
    pEdit->findText(FindNeedle, false);
    const qint64 nAgainNs = timer.nsecsElapsed();

    const QString strText = QString::fromUtf8(arrBytes);
    timer.restart();
    const int nPlain = strText.indexOf(QLatin1String(FindNeedle));
    const qint64 nQtNs = timer.nsecsElapsed();
    if (!bRight || nPlain < 0) {
        note("find next: the needle was not found where it is");
        return 1;
    }
    printFigure("find_next_worst_ms", nFirstNs / 1e6, 2);
    printFigure("find_next_again_ms", nAgainNs / 1e6, 2);
    printFigure("find_indexof_ms", nQtNs / 1e6, 2);
    std::_Exit(0);
}

int childFormatJson(int argc, char** argv, const QString& strDefDir)
{
    BenchApp app(argc, argv);
    BenchEnv env;
    const QByteArray arrJson = makeJson(JsonBytes);
    const CHighlightMgt mgt(strDefDir, nullptr);
    // Showing and highlighting one line of megabytes is a matter of its own
    // (and slow): the editor stays hidden and the event loop does not run
    // before the measurement, so no highlighting pass starts.
    auto* pEdit = new CHighlightEdit;
    pEdit->loadContent(arrJson, false);
    pEdit->setLanguage(mgt.getHighlightByName("JSON"));

    QElapsedTimer timer;
    timer.start();
    const bool bDone = pEdit->formatting();
    const qint64 nOursNs = timer.nsecsElapsed();
    const int nLines = pEdit->blockCount();

    timer.restart();
    const QByteArray arrQt = QJsonDocument::fromJson(arrJson).toJson(QJsonDocument::Indented);
    const qint64 nQtNs = timer.nsecsElapsed();
    // The part of ours that only lays the text out.
    const QString strJson = QString::fromUtf8(arrJson);
    QString strOut;
    timer.restart();
    formatJson(strJson, strOut);
    const qint64 nLayoutNs = timer.nsecsElapsed();

    pEdit->undo();
    if (!bDone || pEdit->blockCount() != 1 || arrQt.isEmpty()) {
        note("format json: not formatted, or not undone in one step");
        return 1;
    }
    // What the editor's document takes to hold that many lines at all, as
    // replacing the text without undo would cost.
    timer.restart();
    pEdit->setPlainText(strOut);
    const qint64 nSetNs = timer.nsecsElapsed();
    note(QString("  format json: %1 MB into %2 lines").arg(arrJson.size() / 1e6, 0, 'f', 1).arg(nLines));
    printFigure("format_json_10mb_ms", nOursNs / 1e6);
    printFigure("format_json_qt_ms", nQtNs / 1e6);
    printFigure("format_json_layout_ms", nLayoutNs / 1e6);
    printFigure("format_json_setplaintext_ms", nSetNs / 1e6);
    std::_Exit(0);
}
