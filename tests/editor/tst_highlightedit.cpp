// The code editor widget: gutter, zoom, status text, jumping to lines.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/CLineNumberArea.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

namespace {
QString lines(int n)
{
    QStringList lst;
    for (int i = 1; i <= n; ++i)
        lst << QString("line %1").arg(i);
    return lst.join('\n');
}

QWheelEvent ctrlWheel(QWidget* pWidget, int nDelta)
{
    const QPointF pt = pWidget->rect().center();
    return QWheelEvent(pt, pWidget->mapToGlobal(pt.toPoint()), QPoint(), QPoint(0, nDelta),
                       Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
}
} // namespace

class TestHighlightEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gutterWidensAtTenAndHundredLines();
    void gutterFontFollowsTextSize();
    void ctrlWheelZoomsAllEditors_data();
    void ctrlWheelZoomsAllEditors();
    void plainWheelScrolls();
    void statusText();
    void jumpToLine_data();
    void jumpToLine();
    void gutterBoldOverSelection();
    void titleOfUntitled();
    void textInFixedPitchFromTheStart();

private:
    // Darkest grey level drawn in the gutter row of a line (255 = nothing).
    int gutterInk(CHighlightEdit& edit, int nLine);
    std::unique_ptr<TestEnv> m_pEnv;
};

void TestHighlightEdit::init()
{
    m_pEnv = std::make_unique<TestEnv>();
}

void TestHighlightEdit::cleanup()
{
    m_pEnv.reset();
}

void TestHighlightEdit::gutterWidensAtTenAndHundredLines()
{
    CHighlightEdit edit;
    QFont fnt = edit.font();
    fnt.setFamily("Courier New");
    fnt.setPixelSize(static_cast<int>(g_pSettings->m_nTextFontSize * 0.8));
    const int nNine = QFontMetrics(fnt).horizontalAdvance('9');
    QVERIFY(nNine > 0);

    edit.setPlainText(lines(9));
    const int nOneDigit = edit.lineNumberAreaWidth();
    edit.appendPlainText("line 10");
    QCOMPARE(edit.blockCount(), 10);
    QCOMPARE(edit.lineNumberAreaWidth(), nOneDigit + nNine);
    edit.setPlainText(lines(99));
    QCOMPARE(edit.lineNumberAreaWidth(), nOneDigit + nNine);
    edit.appendPlainText("line 100");
    QCOMPARE(edit.lineNumberAreaWidth(), nOneDigit + 2 * nNine);
    // The text starts right of the gutter.
    QCOMPARE(edit.viewport()->geometry().left() - edit.contentsRect().left(),
             edit.lineNumberAreaWidth());
}

void TestHighlightEdit::gutterFontFollowsTextSize()
{
    g_pSettings->setTextFontSize(15);
    CHighlightEdit edit;
    edit.setPlainText("x");
    QFont fnt12 = edit.font();
    fnt12.setFamily("Courier New");
    fnt12.setPixelSize(12);
    // Even part 14 plus one digit at pixel size 12.
    QCOMPARE(edit.lineNumberAreaWidth(), 14 + QFontMetrics(fnt12).horizontalAdvance('9'));
    QCOMPARE(edit.font().pixelSize(), 15);
}

void TestHighlightEdit::ctrlWheelZoomsAllEditors_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("size");
    QTest::newRow("one notch down") << 12 << -120 << 8;
    QTest::newRow("clamped at 3") << 5 << -120 << 3;
    QTest::newRow("clamped at 100") << 98 << 120 << 100;
    QTest::newRow("small delta truncates toward zero") << 12 << -29 << 12;
    QTest::newRow("half notch up") << 12 << 60 << 14;
}

void TestHighlightEdit::ctrlWheelZoomsAllEditors()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, size);
    g_pSettings->setTextFontSize(start);
    CHighlightEdit edit;
    CHighlightEdit other;
    connect(g_pSettings, &CSettings::textFontSizeChanged, &other, &CHighlightEdit::onTextFontSize);
    QCOMPARE(edit.font().pixelSize(), start);
    QWheelEvent event = ctrlWheel(edit.viewport(), delta);
    QApplication::sendEvent(edit.viewport(), &event);
    QCOMPARE(edit.font().pixelSize(), size);
    QCOMPARE(other.font().pixelSize(), size);
    QCOMPARE(g_pSettings->m_nTextFontSize, size);
    m_pEnv->reloadSettings(); // it was saved
    QCOMPARE(g_pSettings->m_nTextFontSize, size);
}

void TestHighlightEdit::plainWheelScrolls()
{
    CHighlightEdit edit;
    edit.resize(300, 200);
    edit.setPlainText(lines(500));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const int nSize = edit.font().pixelSize();
    QWheelEvent event(QPointF(50, 50), edit.viewport()->mapToGlobal(QPoint(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit.viewport(), &event);
    QVERIFY(edit.verticalScrollBar()->value() > 0);
    QCOMPARE(edit.font().pixelSize(), nSize);
}

void TestHighlightEdit::statusText()
{
    CHighlightEdit edit;
    edit.setPlainText("first line\nsecond line\nthird");
    QCOMPARE(edit.getStatusText(), QString("row: 1, col: 0, sel: 0"));
    QTextCursor cursor(edit.document());
    cursor.setPosition(edit.document()->findBlockByNumber(1).position() + 3);
    cursor.setPosition(edit.document()->findBlockByNumber(2).position() + 4, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    // From "ond line" through the paragraph break to "th": 8 + 1 + 4.
    QCOMPARE(edit.getStatusText(), QString("row: 3, col: 4, sel: 13"));
}

void TestHighlightEdit::jumpToLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("block");
    QTest::newRow("zero") << 0 << false << 2;
    QTest::newRow("negative") << -4 << false << 2;
    QTest::newRow("past the end") << 51 << false << 2;
    QTest::newRow("first") << 1 << true << 0;
    QTest::newRow("last") << 50 << true << 49;
}

void TestHighlightEdit::jumpToLine()
{
    QFETCH(int, line);
    QFETCH(bool, ok);
    QFETCH(int, block);
    CHighlightEdit edit;
    edit.setPlainText(lines(50));
    QTextCursor cursor(edit.document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    edit.setTextCursor(cursor);
    const int nBefore = edit.textCursor().position();
    QCOMPARE(edit.jumpToLine(line), ok);
    QCOMPARE(edit.textCursor().blockNumber(), block);
    if (ok)
        QCOMPARE(edit.textCursor().positionInBlock(), 0);
    else
        QCOMPARE(edit.textCursor().position(), nBefore);
    QVERIFY(!edit.centerOnScroll());
}

int TestHighlightEdit::gutterInk(CHighlightEdit& edit, int nLine)
{
    auto* pGutter = edit.findChild<CLineNumberArea*>();
    const QImage img = pGutter->grab().toImage();
    const QTextBlock block = edit.document()->findBlockByNumber(nLine - 1);
    const QRect rcBlock = edit.cursorRect(QTextCursor(block));
    // Numbers sit 5 pixels below their line's top; sample the upper middle of
    // the digits, which no neighbouring number reaches.
    const int nGlyph = static_cast<int>(g_pSettings->m_nTextFontSize * 0.8);
    int nDarkest = 255;
    for (int y = rcBlock.top() + 7; y < qMin(img.height(), rcBlock.top() + 5 + nGlyph * 2 / 3); ++y) {
        for (int x = 0; x < img.width(); ++x)
            nDarkest = qMin(nDarkest, qGray(img.pixel(x, y)));
    }
    return nDarkest;
}

void TestHighlightEdit::gutterBoldOverSelection()
{
    g_pSettings->setTextFontSize(20);
    CHighlightEdit edit;
    edit.resize(400, 400);
    edit.setPlainText(lines(8));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    // Marked numbers are drawn in #888, the others in #ccc.
    const auto isMarked = [&](int nLine) { return gutterInk(edit, nLine) < 0xaa; };

    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    edit.setTextCursor(cursor);
    QVERIFY(isMarked(2));
    QVERIFY(!isMarked(1));
    QVERIFY(!isMarked(3));

    cursor.setPosition(edit.document()->findBlockByNumber(5).position() + 2);
    cursor.setPosition(edit.document()->findBlockByNumber(2).position() + 1, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    for (int nLine = 1; nLine <= 8; ++nLine)
        QCOMPARE(isMarked(nLine), nLine >= 3 && nLine <= 6);
}

void TestHighlightEdit::titleOfUntitled()
{
    CHighlightEdit edit;
    QCOMPARE(edit.getTitle(), QString("Untitled"));
    edit.insertPlainText("x");
    QCOMPARE(edit.getTitle(), QString("Untitled*"));
    edit.setFilePath("/some/where/notes.TXT");
    QCOMPARE(edit.getTitle(), QString("notes.TXT*"));
    QCOMPARE(edit.fileSuffix(), QString("txt"));
}

void TestHighlightEdit::textInFixedPitchFromTheStart()
{
    // The text is drawn in the document's font, which must be the fixed one
    // before any zoom.
    CHighlightEdit edit;
    edit.setPlainText("iiii\nMMMM");
    const QFont fntText = edit.document()->defaultFont();
    QVERIFY(QFontInfo(fntText).fixedPitch());
    QCOMPARE(fntText.pixelSize(), g_pSettings->m_nTextFontSize);
    const QFontMetrics fm(fntText);
    QCOMPARE(fm.horizontalAdvance("iiii"), fm.horizontalAdvance("MMMM"));
}

QTEST_MAIN(TestHighlightEdit)
#include "tst_highlightedit.moc"
