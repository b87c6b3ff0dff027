// Applying highlighting results to a document: versions, the two kinds of
// ranges, and no trace in the text, undo stack or modified flag.
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

namespace {
QTextLayout::FormatRange syntax(int nStart, int nLength, const char* szColor)
{
    QTextLayout::FormatRange range;
    range.start = nStart;
    range.length = nLength;
    range.format.setForeground(QColor(szColor));
    return range;
}

QStringList describe(const QTextBlock& block)
{
    QStringList lst;
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        lst << QString("%1%2+%3")
                   .arg(CTextDocument::isSelectionMark(range) ? "mark:" : "syn:")
                   .arg(range.start)
                   .arg(range.length);
    }
    return lst;
}
} // namespace

class TestTextDocument : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void versionCountsChanges();
    void olderResultsFollowTheirBlock_data();
    void olderResultsFollowTheirBlock();
    void resultsOlderThanRememberedAreLost();
    void eachKindReplacesOnlyItself();
    void highlightingLeavesNoTrace();
    void clearAdditionalFormats();
    void outOfRangeBlockIgnored();
    void knownListIsNotAppliedAgain();
    void wholeReplacementKeepsFirstBlockUnknown();

private:
    std::unique_ptr<CTextDocument> m_pDoc;
};

void TestTextDocument::init()
{
    m_pDoc = std::make_unique<CTextDocument>();
    m_pDoc->setPlainText("first\nsecond\nthird");
}

void TestTextDocument::versionCountsChanges()
{
    const uint nVer = m_pDoc->version();
    QTextCursor(m_pDoc.get()).insertText("x");
    QCOMPARE(m_pDoc->version(), nVer + 1);
    m_pDoc->onHighlightBlock(m_pDoc->version(), 0, {syntax(0, 1, "red")});
    QCOMPARE(m_pDoc->version(), nVer + 1); // applying formats is not a change
}

void TestTextDocument::olderResultsFollowTheirBlock_data()
{
    // An edit made after a result was computed: where the result for the
    // block that was "third" lands (-1: nowhere, the edit replaced it).
    QTest::addColumn<int>("editBlock");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<int>("landsOn");
    QTest::newRow("edit below") << 3 << "x" << 2;
    QTest::newRow("edit of the block") << 2 << "x" << -1;
    QTest::newRow("lines inserted above") << 0 << "a\nb\n" << 4;
    QTest::newRow("lines joined above") << 0 << QString() << 1;
    QTest::newRow("joined with the line before") << 1 << QString() << -1;
}

void TestTextDocument::olderResultsFollowTheirBlock()
{
    QFETCH(int, editBlock);
    QFETCH(QString, inserted);
    QFETCH(int, landsOn);
    m_pDoc->setPlainText("first\nsecond\nthird\nfourth");
    const uint nOld = m_pDoc->version();
    QTextCursor cursor(m_pDoc->findBlockByNumber(editBlock));
    if (inserted.isNull()) {
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.deleteChar(); // joined with the next block
    } else {
        cursor.insertText(inserted);
    }
    m_pDoc->onHighlightBlock(nOld, 2, {syntax(0, 2, "red")});
    for (QTextBlock block = m_pDoc->firstBlock(); block.isValid(); block = block.next()) {
        const bool bColoured = !describe(block).isEmpty();
        QCOMPARE(bColoured, block.blockNumber() == landsOn);
    }
}

void TestTextDocument::resultsOlderThanRememberedAreLost()
{
    const uint nOld = m_pDoc->version();
    QTextCursor cursor(m_pDoc->findBlockByNumber(2));
    for (int i = 0; i < 2500; ++i) {
        cursor.insertText("x");
        cursor.deletePreviousChar();
    }
    m_pDoc->onHighlightBlock(nOld, 0, {syntax(0, 5, "red")});
    QVERIFY(describe(m_pDoc->firstBlock()).isEmpty());
    QVERIFY(m_pDoc->takeLostResults());
    QVERIFY(!m_pDoc->takeLostResults());
}

void TestTextDocument::eachKindReplacesOnlyItself()
{
    const uint nVer = m_pDoc->version();
    const QTextBlock block = m_pDoc->findBlockByNumber(1);
    m_pDoc->onHighlightSelected(nVer, 1, {CThreadHighlighter::selectionMark(1, 2)});
    m_pDoc->onHighlightBlock(nVer, 1, {syntax(0, 3, "red"), syntax(2, 2, "blue")});
    QCOMPARE(describe(block), (QStringList{"syn:0+3", "syn:2+2", "mark:1+2"}));
    m_pDoc->onHighlightBlock(nVer, 1, {syntax(4, 1, "red")});
    QCOMPARE(describe(block), (QStringList{"syn:4+1", "mark:1+2"}));
    m_pDoc->onHighlightSelected(nVer, 1,
                                {CThreadHighlighter::selectionMark(0, 3), CThreadHighlighter::selectionMark(3, 3)});
    QCOMPARE(describe(block), (QStringList{"syn:4+1", "mark:0+3", "mark:3+3"}));
    m_pDoc->onHighlightSelected(nVer, 1, {});
    QCOMPARE(describe(block), QStringList{"syn:4+1"});
    QCOMPARE(describe(m_pDoc->firstBlock()), QStringList());
}

void TestTextDocument::highlightingLeavesNoTrace()
{
    m_pDoc->setModified(false);
    m_pDoc->clearUndoRedoStacks();
    const QString strText = m_pDoc->toPlainText();
    for (int i = 0; i < 3; ++i) {
        m_pDoc->onHighlightBlock(m_pDoc->version(), i, {syntax(0, 2, "red")});
        m_pDoc->onHighlightSelected(m_pDoc->version(), i, {CThreadHighlighter::selectionMark(1, 1)});
    }
    QVERIFY(!m_pDoc->isModified());
    QVERIFY(!m_pDoc->isUndoAvailable());
    QCOMPARE(m_pDoc->toPlainText(), strText);
    QCOMPARE(m_pDoc->firstBlock().charFormat(), QTextCharFormat());
}

void TestTextDocument::clearAdditionalFormats()
{
    const uint nVer = m_pDoc->version();
    m_pDoc->onHighlightBlock(nVer, 0, {syntax(0, 2, "red")});
    m_pDoc->onHighlightSelected(nVer, 2, {CThreadHighlighter::selectionMark(0, 2)});
    m_pDoc->clearAdditionalFormats();
    for (int i = 0; i < 3; ++i)
        QVERIFY(describe(m_pDoc->findBlockByNumber(i)).isEmpty());
}

void TestTextDocument::outOfRangeBlockIgnored()
{
    m_pDoc->onHighlightBlock(m_pDoc->version(), 7, {syntax(0, 2, "red")});
    m_pDoc->onHighlightBlock(m_pDoc->version(), -1, {syntax(0, 2, "red")});
    for (int i = 0; i < 3; ++i)
        QVERIFY(describe(m_pDoc->findBlockByNumber(i)).isEmpty());
}

void TestTextDocument::knownListIsNotAppliedAgain()
{
    m_pDoc->onHighlightBlock(m_pDoc->version(), 1, {syntax(0, 2, "red")}, 77);
    QCOMPARE(describe(m_pDoc->findBlockByNumber(1)), QStringList{"syn:0+2"});
    // The same hash claims the block shows that list already.
    m_pDoc->onHighlightBlock(m_pDoc->version(), 1, {syntax(0, 4, "red")}, 77);
    QCOMPARE(describe(m_pDoc->findBlockByNumber(1)), QStringList{"syn:0+2"});
    // After the block changed, nothing is known about it any more.
    QTextCursor(m_pDoc->findBlockByNumber(1)).insertText("x");
    m_pDoc->onHighlightBlock(m_pDoc->version(), 1, {syntax(0, 4, "red")}, 77);
    QCOMPARE(describe(m_pDoc->findBlockByNumber(1)), QStringList{"syn:0+4"});
    // Other blocks keep what is known of them, also when blocks shift.
    m_pDoc->onHighlightBlock(m_pDoc->version(), 2, {syntax(0, 1, "red")}, 99);
    QTextCursor(m_pDoc->firstBlock()).insertText("new line\n");
    m_pDoc->onHighlightBlock(m_pDoc->version(), 3, {syntax(0, 3, "red")}, 99);
    QCOMPARE(describe(m_pDoc->findBlockByNumber(3)), QStringList{"syn:0+1"});
    m_pDoc->clearAdditionalFormats();
    m_pDoc->onHighlightBlock(m_pDoc->version(), 3, {syntax(0, 3, "red")}, 99);
    QCOMPARE(describe(m_pDoc->findBlockByNumber(3)), QStringList{"syn:0+3"});
}

void TestTextDocument::wholeReplacementKeepsFirstBlockUnknown()
{
    const quint64 nEmpty = 1; // the hash of an empty list
    m_pDoc->onHighlightBlock(m_pDoc->version(), 0, {syntax(0, 3, "red")}, 5);
    m_pDoc->onHighlightBlock(m_pDoc->version(), 2, {syntax(0, 3, "red")}, 5);
    // Removing all text keeps the first block (and its formats).
    QTextCursor cursor(m_pDoc.get());
    cursor.select(QTextCursor::Document);
    cursor.insertText("one\ntwo\nthree");
    m_pDoc->onHighlightBlock(m_pDoc->version(), 0, {}, nEmpty);
    QVERIFY(describe(m_pDoc->firstBlock()).isEmpty());
    for (int i = 1; i < 3; ++i)
        QVERIFY(describe(m_pDoc->findBlockByNumber(i)).isEmpty());
}

QTEST_MAIN(TestTextDocument)
#include "tst_textdocument.moc"
