// An editor lays its text out without a shaper until a character needs one;
// typing or pasting such a character turns shaping on, a new whole text
// decides again.
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "largefile/CTextShaping.h"

#include <QtTest>

namespace {
bool shapes(const CHighlightEdit& edit)
{
    return !(edit.font().styleStrategy() & QFont::PreferNoShaping);
}

// Key presses carrying each character, as an input method sends them.
void typeText(QWidget* pWidget, const QString& strText)
{
    for (const QChar ch : strText) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(pWidget, &press);
    }
}
} // namespace

class TestTextShaping : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_pEnv = std::make_unique<TestEnv>(); }
    void cleanup() { m_pEnv.reset(); }
    void typedCharacterTurnsShapingOn();
    void wholeTextDecidesAgain_data();
    void wholeTextDecidesAgain();

private:
    std::unique_ptr<TestEnv> m_pEnv;
};

void TestTextShaping::typedCharacterTurnsShapingOn()
{
    CHighlightEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QVERIFY(!shapes(edit));
    QTest::keyClicks(&edit, "plain text");
    QCoreApplication::processEvents();
    QVERIFY(!shapes(edit));
    typeText(&edit, QString::fromUtf8("\u0633\u0644\u0627\u0645"));
    QCOMPARE(edit.toPlainText().right(4), QString::fromUtf8("\u0633\u0644\u0627\u0645"));
    QTRY_VERIFY(shapes(edit));
    QCOMPARE(edit.textShaping()->isShaping(), true);
    edit.undo(); // shaping stays on for the document
    QCoreApplication::processEvents();
    QVERIFY(shapes(edit));
}

void TestTextShaping::wholeTextDecidesAgain_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("shaping");
    QTest::newRow("plain") << QByteArray("a\nb\n") << false;
    QTest::newRow("combining mark") << QByteArray("cafe\xCC\x81\n") << true;
    // Long enough for the document to be built in one piece.
    QTest::newRow("long plain") << QByteArray("line\n").repeated(20000) << false;
    QTest::newRow("long, emoji at the end") << QByteArray("line\n").repeated(20000) + "\xF0\x9F\x98\x80" << true;
}

void TestTextShaping::wholeTextDecidesAgain()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, shaping);
    CHighlightEdit edit;
    edit.loadContent("\xD8\xB3\n", false); // Arabic: shaping on
    QVERIFY(shapes(edit));
    edit.loadContent(bytes, false);
    QCoreApplication::processEvents();
    QCOMPARE(shapes(edit), shaping);
}

QTEST_MAIN(TestTextShaping)
#include "tst_textshaping.moc"
