// The background highlighter in a code editor: passes colour every block as
// the lexer says, selection marks, edits during passes, language changes,
// and closing editors while passes run.
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "highlight/BlockLexer.h"
#include "highlight/CLineSnapshot.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/CTextDocument.h"
#include "highlight/CTextMirror.h"
#include "highlight/CThreadHighlighter.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

namespace {

// Editors whose every block the tests inspect: results are applied to all
// blocks, also those far from the view.
void applyEverywhere(CHighlightEdit& edit)
{
    edit.textDocument()->setDeferOffscreen(false);
}

bool waitIdle(CHighlightEdit& edit, int nTimeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    int nQuiet = 0;
    while (timer.elapsed() < nTimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        nQuiet = edit.highlighter()->isBusy() ? 0 : nQuiet + 1;
        if (nQuiet >= 3)
            return true;
        QThread::msleep(1);
    }
    return false;
}

QString describe(const QVector<QTextLayout::FormatRange>& lst)
{
    QStringList lstParts;
    for (const QTextLayout::FormatRange& range : lst) {
        lstParts << QString("%1+%2:%3")
                        .arg(range.start)
                        .arg(range.length)
                        .arg(range.format.foreground().color().name());
    }
    return lstParts.join(' ');
}

QVector<QTextLayout::FormatRange> rangesOf(const QTextBlock& block, bool bMarks)
{
    QVector<QTextLayout::FormatRange> lst;
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (CTextDocument::isSelectionMark(range) == bMarks)
            lst.append(range);
    }
    return lst;
}

// The first block whose colours differ from lexing the current text from
// the top (-1 when all agree).
int firstWrongBlock(CHighlightEdit& edit, const QVariantMap& mapDef)
{
    CSyntaxRules rules;
    rules.setDefinition(mapDef);
    int nPrev = -1;
    for (QTextBlock block = edit.document()->firstBlock(); block.isValid(); block = block.next()) {
        const LexResult result = lexBlock(rules, block.text(), nPrev);
        if (describe(rangesOf(block, false)) != describe(result.lstRanges))
            return block.blockNumber();
        nPrev = result.nState;
    }
    return -1;
}

QString sampleCode(int nLines)
{
    const QStringList lstTemplate = {
        "#include <vector>", "/* block comment", "   still comment */", "int main(int argc, char** argv)",
        "{", "    const char* s = \"a \\\"quoted\\\" string\"; // trailing", "    return 0x1F + 3.5e2;",
        "}", "", "class Foo : public Bar { public: void run(); };"};
    QStringList lst;
    for (int i = 0; i < nLines; ++i)
        lst << lstTemplate.at(i % lstTemplate.size());
    return lst.join('\n');
}

} // namespace

class TestThreadHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void mirrorSplitsLikeTheDocument_data();
    void mirrorSplitsLikeTheDocument();
    void passColoursEveryBlock();
    void commentStateFollowsEdits();
    void selectionMarks();
    void selectionChangeAloneEmitsOnlyMarks();
    void typingDuringPassLeavesNoOldRange();
    void largeReplacementResyncs();
    void highlightingLeavesNoPendingChange();
    void offscreenBlocksColouredWhenShown();
    void emptyDefinition();
    void languageChangeRecolours();
    void closingDuringPass();
    void stressEditsLanguagesAndClosing();
    void editPassStartsAtTheChangeAndStops();
    void incrementalPassesMatchFromTheTop();
    void interruptedSelectionStillMarksEveryBlock();
    void slowPatternWaitsForNobody();

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<CHighlightMgt> m_pMgt;
    QVariantMap m_mapCpp;
};

void TestThreadHighlighter::initTestCase()
{
    m_pMgt = std::make_unique<CHighlightMgt>(SCRB_HIGHLIGHTER_DIR, nullptr);
    m_mapCpp = m_pMgt->getHighlightByName("C++");
    QVERIFY(!m_mapCpp.isEmpty());
}

void TestThreadHighlighter::init()
{
    m_pEnv = std::make_unique<TestEnv>();
}

void TestThreadHighlighter::cleanup()
{
    m_pEnv.reset();
}

void TestThreadHighlighter::mirrorSplitsLikeTheDocument_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("lf") << "a\nb\n";
    QTest::newRow("crlf") << "a\r\nb\r\n\r\nc";
    QTest::newRow("cr") << "a\rb\r";
    QTest::newRow("mixed") << "a\r\n\rb\n\r\nc";
    QTest::newRow("separators") << QString("a%1b%2c%3d").arg(QChar(QChar::ParagraphSeparator))
                                       .arg(QChar(QChar::LineSeparator)).arg(QChar(0xFDD0));
}

void TestThreadHighlighter::mirrorSplitsLikeTheDocument()
{
    QFETCH(QString, text);
    QTextDocument doc;
    doc.setPlainText(text);
    CTextMirror mirror;
    mirror.reset(text);
    QCOMPARE(mirror.count(), doc.blockCount());
    for (int i = 0; i < doc.blockCount(); ++i)
        QCOMPARE(mirror.line(i), doc.findBlockByNumber(i).text());
}

void TestThreadHighlighter::passColoursEveryBlock()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(3000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    QCOMPARE(edit.getLanguage(), QString("C++"));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    QVERIFY(!rangesOf(edit.document()->findBlockByNumber(2999), false).isEmpty());
}

void TestThreadHighlighter::commentStateFollowsEdits()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent("int a;\nint b;\nint c;\n\"s\"", false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    QTextCursor cursor(edit.document());
    cursor.insertText("/* open\n");
    QVERIFY(waitIdle(edit));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    // Every later line is now inside the comment.
    QCOMPARE(describe(rangesOf(edit.document()->findBlockByNumber(3), false)).endsWith("0+6:#008000"), true);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(" */ int d;");
    QVERIFY(waitIdle(edit));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    edit.undo();
    edit.undo();
    QVERIFY(waitIdle(edit));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
}

void TestThreadHighlighter::selectionMarks()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent("Foo foo FOO\nfo.o a.c abc\nfoofoo", false);
    QVERIFY(waitIdle(edit));
    auto marks = [&](int nBlock) {
        return describe(rangesOf(edit.document()->findBlockByNumber(nBlock), true));
    };
    edit.highlighter()->setSelectedText("foo");
    QVERIFY(waitIdle(edit));
    QCOMPARE(marks(0), QString("0+3:#000000 4+3:#000000 8+3:#000000"));
    QCOMPARE(marks(2), QString("0+3:#000000 3+3:#000000")); // no overlaps
    QVERIFY(marks(1).isEmpty());

    edit.highlighter()->setSelectedText(" a.c ");
    QVERIFY(waitIdle(edit));
    QCOMPARE(marks(1), QString("4+5:#000000")); // spaces kept; the dot is not a wildcard
    QVERIFY(marks(0).isEmpty());

    edit.highlighter()->setSelectedText(" ab ");
    QVERIFY(waitIdle(edit));
    for (int i = 0; i < 3; ++i)
        QVERIFY(marks(i).isEmpty());

    // A selection over a line break holds a paragraph separator: no marks.
    QTextCursor cursor(edit.document());
    cursor.setPosition(8);
    cursor.setPosition(14, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QVERIFY(edit.getSelectedText().contains(QChar(QChar::ParagraphSeparator)));
    QVERIFY(waitIdle(edit));
    for (int i = 0; i < 3; ++i)
        QVERIFY(marks(i).isEmpty());

    // Selecting in the editor hands the text over.
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QVERIFY(waitIdle(edit));
    QCOMPARE(marks(2), QString("0+3:#000000 3+3:#000000"));
    const QTextLayout::FormatRange mark = rangesOf(edit.document()->firstBlock(), true).value(0);
    QCOMPARE(mark.format.background().color(), QColor(0x9B, 0xFF, 0x9B, 0xDD));
}

void TestThreadHighlighter::selectionChangeAloneEmitsOnlyMarks()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(200).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    const QString strBefore = describe(rangesOf(edit.document()->findBlockByNumber(5), false));
    QSignalSpy spySyntax(edit.highlighter(), &CThreadHighlighter::blockFormatChanged);
    QSignalSpy spyMarks(edit.highlighter(), &CThreadHighlighter::selectedChanged);
    edit.highlighter()->setSelectedText("comment");
    QVERIFY(waitIdle(edit));
    QCOMPARE(spySyntax.count(), 0);
    QCOMPARE(spyMarks.count(), 200);
    QCOMPARE(describe(rangesOf(edit.document()->findBlockByNumber(5), false)), strBefore);
    QVERIFY(!rangesOf(edit.document()->findBlockByNumber(1), true).isEmpty());
}

void TestThreadHighlighter::typingDuringPassLeavesNoOldRange()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(20000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QSignalSpy spy(edit.highlighter(), &CThreadHighlighter::blockFormatChanged);
    QRandomGenerator rng(7);
    for (int i = 0; i < 30; ++i) {
        // Let a pass get going, then change a line far down and another
        // near the top while it runs.
        QTest::qWait(5);
        QTextCursor cursor(edit.document()->findBlockByNumber(int(rng.bounded(20000))));
        cursor.insertText(i % 3 == 0 ? "\"" : (i % 3 == 1 ? "/*" : "*/ x = 1;"));
        QTextCursor(edit.document()->findBlockByNumber(int(rng.bounded(50)))).insertText("int ");
    }
    QVERIFY(waitIdle(edit));
    QVERIFY(spy.count() > 0);
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
}

void TestThreadHighlighter::largeReplacementResyncs()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(9000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    // Thousands of lines change at once: the highlighter takes the whole text.
    QTextCursor cursor(edit.document()->findBlockByNumber(100));
    cursor.setPosition(edit.document()->findBlockByNumber(7000).position(), QTextCursor::KeepAnchor);
    cursor.insertText(sampleCode(3000).replace("int", "/*int"));
    // Taken before the worker has seen the change, read after it has.
    const CLineSnapshot snapshot = edit.saveSnapshot();
    const QString strExpected = edit.document()->toRawText();
    QVERIFY(waitIdle(edit));
    QCOMPARE(snapshot.rawText(), strExpected);
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    edit.undo();
    QVERIFY(waitIdle(edit));
    QCOMPARE(edit.blockCount(), 9000);
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
}

void TestThreadHighlighter::highlightingLeavesNoPendingChange()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.resize(400, 300);
    edit.show();
    edit.loadContent(sampleCode(20000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    // Formats set on blocks never laid out must not leave a document change
    // behind that the next keystroke would report as changing everything.
    QSignalSpy spy(edit.document(), &QTextDocument::contentsChange);
    QTextCursor(edit.document()->findBlockByNumber(10000)).insertText("x");
    QCOMPARE(spy.count(), 1);
    QVERIFY2(spy.at(0).at(1).toInt() <= 1 && spy.at(0).at(2).toInt() <= 2,
             qPrintable(QString("change of %1 removed / %2 added characters")
                            .arg(spy.at(0).at(1).toInt()).arg(spy.at(0).at(2).toInt())));
}

void TestThreadHighlighter::offscreenBlocksColouredWhenShown()
{
    CHighlightEdit edit;
    edit.resize(500, 300);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.loadContent(sampleCode(20000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    CTextDocument* pDoc = edit.textDocument();
    // Far from the view nothing was applied; near it everything was.
    QVERIFY(pDoc->needsFormats(15000));
    QVERIFY(rangesOf(pDoc->findBlockByNumber(15003), false).isEmpty());
    QVERIFY(!pDoc->needsFormats(3));
    QVERIFY(!rangesOf(pDoc->findBlockByNumber(3), false).isEmpty());

    // Showing those lines brings their colours, as lexing from the top says.
    QVERIFY(edit.jumpToLine(15001));
    QTest::qWait(20);
    QVERIFY(waitIdle(edit));
    CSyntaxRules rules;
    rules.setDefinition(m_mapCpp);
    int nPrev = -1;
    for (QTextBlock block = pDoc->firstBlock(); block.isValid(); block = block.next()) {
        const LexResult result = lexBlock(rules, block.text(), nPrev);
        nPrev = result.nState;
        if (block.blockNumber() >= 14998 && block.blockNumber() <= 15003) {
            QVERIFY2(!pDoc->needsFormats(block.blockNumber()), qPrintable(QString::number(block.blockNumber())));
            QCOMPARE(describe(rangesOf(block, false)), describe(result.lstRanges));
        }
    }
    // Selection marks follow the same way.
    edit.highlighter()->setSelectedText("comment");
    QVERIFY(waitIdle(edit));
    QVERIFY(!rangesOf(pDoc->findBlockByNumber(15001), true).isEmpty());
}

void TestThreadHighlighter::emptyDefinition()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent("int x = 1; // not a comment \"str\"", false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    edit.setLanguage(QVariantMap());
    QVERIFY(waitIdle(edit));
    QVERIFY(edit.getLanguage().isEmpty());
    QCOMPARE(edit.highlighter()->singleComment(), QString());
    QCOMPARE(describe(rangesOf(edit.document()->firstBlock(), false)),
             QString("8+1:#0000ff 6+1:#ffaa00 11+2:#ffaa00 28+5:#008000"));
}

void TestThreadHighlighter::languageChangeRecolours()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent("# heading\nint x; // c", false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    const QVariantMap mapPython = m_pMgt->getHighlightByName("Python");
    edit.clearAdditionalFormats();
    edit.setLanguage(mapPython);
    QVERIFY(waitIdle(edit));
    QCOMPARE(edit.getLanguage(), QString("Python"));
    QCOMPARE(firstWrongBlock(edit, mapPython), -1);
}

void TestThreadHighlighter::closingDuringPass()
{
    for (int i = 0; i < 5; ++i) {
        auto* pEdit = new CHighlightEdit;
        applyEverywhere(*pEdit);
        pEdit->loadContent(sampleCode(50000).toUtf8(), false);
        pEdit->setLanguage(m_mapCpp);
        QCoreApplication::processEvents();
        QTest::qWait(i * 3);
        delete pEdit; // the pass stops at its next check; nothing is left running
    }
    QCoreApplication::processEvents();
}

void TestThreadHighlighter::stressEditsLanguagesAndClosing()
{
    const QVariantMap arrDefs[] = {m_mapCpp, m_pMgt->getHighlightByName("HTML"), QVariantMap(),
                                   m_pMgt->getHighlightByName("Python")};
    QRandomGenerator rng(42);
    QList<CHighlightEdit*> lstEditors;
    for (int nStep = 0; nStep < 400; ++nStep) {
        if (lstEditors.size() < 3 || rng.bounded(20) == 0) {
            auto* pEdit = new CHighlightEdit;
            applyEverywhere(*pEdit);
            pEdit->loadContent(sampleCode(500 + int(rng.bounded(3000))).toUtf8(), false);
            pEdit->setLanguage(arrDefs[rng.bounded(4)]);
            lstEditors.append(pEdit);
        }
        CHighlightEdit* pEdit = lstEditors.at(int(rng.bounded(lstEditors.size())));
        QTextCursor cursor(pEdit->document()->findBlockByNumber(int(rng.bounded(pEdit->blockCount()))));
        switch (rng.bounded(6)) {
        case 0: cursor.insertText("int x = \"a\";\n/* "); break;
        case 1:
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 3);
            cursor.removeSelectedText();
            break;
        case 2: pEdit->setLanguage(arrDefs[rng.bounded(4)]); break;
        case 3: pEdit->highlighter()->setSelectedText(rng.bounded(2) ? "int" : "comment"); break;
        case 4:
            if (lstEditors.size() > 1) {
                lstEditors.removeOne(pEdit);
                delete pEdit;
            }
            break;
        default: pEdit->undo(); break;
        }
        QCoreApplication::processEvents();
        if (nStep % 50 == 0)
            QThread::msleep(5);
    }
    // A shown editor that applies results only near its view, scrolled about
    // while it is edited.
    CHighlightEdit shown;
    shown.resize(400, 300);
    shown.show();
    shown.loadContent(sampleCode(8000).toUtf8(), false);
    shown.setLanguage(m_mapCpp);
    for (int nStep = 0; nStep < 150; ++nStep) {
        shown.jumpToLine(1 + int(rng.bounded(shown.blockCount())));
        if (rng.bounded(3) == 0)
            shown.textCursor().insertText(rng.bounded(2) ? "/*" : "*/ \"");
        if (rng.bounded(10) == 0)
            shown.highlighter()->setSelectedText("int");
        QCoreApplication::processEvents();
    }
    QVERIFY(waitIdle(shown));
    QTest::qWait(20);
    QVERIFY(waitIdle(shown));
    {
        CSyntaxRules rules;
        rules.setDefinition(m_mapCpp);
        const int nFirst = shown.cursorForPosition(QPoint(0, 0)).blockNumber();
        const int nLast = shown.cursorForPosition(QPoint(0, shown.viewport()->height() - 1)).blockNumber();
        int nPrev = -1;
        for (QTextBlock block = shown.document()->firstBlock(); block.isValid() && block.blockNumber() <= nLast;
             block = block.next()) {
            const LexResult result = lexBlock(rules, block.text(), nPrev);
            nPrev = result.nState;
            if (block.blockNumber() >= nFirst)
                QCOMPARE(describe(rangesOf(block, false)), describe(result.lstRanges));
        }
    }

    // Whatever happened, each remaining editor settles on the right colours.
    for (CHighlightEdit* pEdit : qAsConst(lstEditors)) {
        QVERIFY(waitIdle(*pEdit));
        const QString strLanguage = pEdit->getLanguage();
        const QVariantMap mapDef = strLanguage.isEmpty() ? QVariantMap() : m_pMgt->getHighlightByName(strLanguage);
        QCOMPARE(firstWrongBlock(*pEdit, mapDef), -1);
    }
    qDeleteAll(lstEditors);
}

void TestThreadHighlighter::editPassStartsAtTheChangeAndStops()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(20000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QVERIFY(waitIdle(edit));
    QSignalSpy spy(edit.highlighter(), &CThreadHighlighter::blockFormatChanged);
    // A word typed far down: only that line is lexed again.
    QTextCursor(edit.document()->findBlockByNumber(15003)).insertText("int ");
    QVERIFY(waitIdle(edit));
    QVERIFY2(spy.count() <= 2, qPrintable(QString::number(spy.count())));
    QCOMPARE(spy.at(0).at(1).toInt(), 15003);
    // Opening a comment changes the states of the lines after it: lexing
    // goes on to where the next comment closes it again.
    spy.clear();
    QTextCursor(edit.document()->findBlockByNumber(19983)).insertText("/* ");
    QVERIFY(waitIdle(edit));
    QVERIFY2(spy.count() >= 8 && spy.count() < 100, qPrintable(QString::number(spy.count())));
    QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
}

void TestThreadHighlighter::incrementalPassesMatchFromTheTop()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(6000).toUtf8(), false);
    edit.setLanguage(m_mapCpp);
    QRandomGenerator rng(2024);
    const char* const arrInserts[] = {"/*", "*/", "\"", "// x \\", "\n", "int a;\n/* b\n", "'"};
    // Texts for saving taken along the way must stay what they were.
    QList<QPair<CLineSnapshot, QString>> lstSnapshots;
    for (int nRound = 0; nRound < 12; ++nRound) {
        // Edits land while passes run, sometimes a moment apart, so that
        // passes stop at every stage; then everything must settle right.
        for (int nEdit = 0; nEdit < 25; ++nEdit) {
            QTextCursor cursor(edit.document()->findBlockByNumber(int(rng.bounded(edit.blockCount()))));
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor,
                                int(rng.bounded(qMax(1, cursor.block().length() - 1))));
            switch (rng.bounded(4)) {
            case 0:
                cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                                    1 + int(rng.bounded(40)));
                cursor.removeSelectedText();
                break;
            case 1: edit.undo(); break;
            default: cursor.insertText(arrInserts[rng.bounded(7)]); break;
            }
            if (rng.bounded(3) == 0)
                QTest::qWait(int(rng.bounded(4)));
            else
                QCoreApplication::processEvents();
            if (nEdit % 8 == 0)
                lstSnapshots.append({edit.saveSnapshot(), edit.document()->toRawText()});
        }
        QVERIFY(waitIdle(edit));
        QCOMPARE(firstWrongBlock(edit, m_mapCpp), -1);
    }
    for (const auto& snapshot : qAsConst(lstSnapshots))
        QCOMPARE(snapshot.first.rawText(), snapshot.second);
}

void TestThreadHighlighter::interruptedSelectionStillMarksEveryBlock()
{
    CHighlightEdit edit;
    applyEverywhere(edit);
    edit.loadContent(sampleCode(40000).toUtf8(), false);
    QVERIFY(waitIdle(edit));
    for (int nDelayMs : {0, 1, 3}) {
        edit.highlighter()->setSelectedText(nDelayMs % 2 ? "int" : "return");
        QThread::msleep(nDelayMs);
        // An edit's stop arrives while the selection pass runs, its request
        // for a pass only after the GUI thread was busy for a while.
        edit.highlighter()->stopThread();
        QThread::msleep(40);
        edit.highlighter()->rehighlight();
        QVERIFY(waitIdle(edit));
        int nUnmarked = 0;
        for (QTextBlock block = edit.document()->firstBlock(); block.isValid(); block = block.next()) {
            const bool bHasWord = block.text().contains(nDelayMs % 2 ? "int" : "return");
            if (bHasWord && rangesOf(block, true).isEmpty())
                ++nUnmarked;
        }
        QCOMPARE(nUnmarked, 0);
    }
}


// A definition whose pattern needs minutes on a long line (back references
// defeat the matcher): reading the language, typing and closing the editor
// never wait for the match in progress.
void TestThreadHighlighter::slowPatternWaitsForNobody()
{
    QVariantMap mapHighlighting;
    mapHighlighting.insert("reg_exp", QStringList {"(.*)(.*)(.*)\\1\\2\\3x"});
    QVariantMap mapDef;
    mapDef.insert("language", QVariantMap {{"name", "Slow"}});
    mapDef.insert("highlighting", mapHighlighting);
    auto* pEdit = new CHighlightEdit;
    pEdit->setPlainText(QString(6000, 'a'));
    pEdit->setLanguage(mapDef);
    QPointer<CThreadHighlighter> pHighlighter = pEdit->highlighter();
    QTRY_VERIFY(pHighlighter->isRunning());
    QCOMPARE(pEdit->getLanguage(), QString("Slow"));
    QTest::keyClicks(pEdit, "bc");
    QCOMPARE(pEdit->document()->firstBlock().text().left(2), QString("bc"));
    // Still inside the first match: none of the above waited for it.
    QVERIFY(pHighlighter->isRunning());
    delete pEdit;
    QVERIFY(pHighlighter);
    QVERIFY(pHighlighter->isRunning());
}

QTEST_MAIN(TestThreadHighlighter)
#include "tst_threadhighlighter.moc"
