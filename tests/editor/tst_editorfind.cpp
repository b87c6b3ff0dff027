// The find engine: its matching rules, the code editor's find, replace and
// replace all with their signals, and Replace All agreeing with repeated
// Replace.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/CTextFinder.h"

#include <QtTest>

namespace {
// Options as a short code: w whole word, c match case, r expression, u up,
// n no wrap (p: Find Previous).
void setOptions(const QString& strCode)
{
    g_pSettings->m_bFindMatchWholeWord = strCode.contains('w');
    g_pSettings->m_bFindMatchCase = strCode.contains('c');
    g_pSettings->m_bFindUseRegularExpression = strCode.contains('r');
    g_pSettings->m_bFindSearchUp = strCode.contains('u');
    g_pSettings->m_bFindWrapSearch = !strCode.contains('n');
}

CTextFinder::Options finderOptions(const QString& strCode)
{
    CTextFinder::Options options;
    options.bWholeWord = strCode.contains('w');
    options.bMatchCase = strCode.contains('c');
    options.bRegExp = strCode.contains('r');
    return options;
}

QString raw(QString str)
{
    return str.replace('\n', QChar::ParagraphSeparator);
}

// Records the engine's signals by name, in order.
QStringList* recordSignals(CHighlightEdit& edit, QStringList& lst)
{
    QObject::connect(&edit, &CHighlightEdit::findToTop, [&lst] { lst << "top"; });
    QObject::connect(&edit, &CHighlightEdit::findToBottom, [&lst] { lst << "bottom"; });
    QObject::connect(&edit, &CHighlightEdit::cannotFound, [&lst] { lst << "cannot"; });
    QObject::connect(&edit, &CHighlightEdit::replaceNum,
                     [&lst](int n) { lst << QString("replaced %1").arg(n); });
    return &lst;
}
} // namespace

class TestEditorFind : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void finderRules_data();
    void finderRules();
    void findSignals_data();
    void findSignals();
    void replaceSelectsFirstThenReplaces();
    void replaceAllResult_data();
    void replaceAllResult();
    void replaceAllAgreesWithRepeatedReplace_data();
    void replaceAllAgreesWithRepeatedReplace();
    void farMatchesFollowEdits();
    void farFindDownAgreesWithFinder_data();
    void farFindDownAgreesWithFinder();

private:
    std::unique_ptr<TestEnv> m_pEnv;
};

void TestEditorFind::init()
{
    m_pEnv = std::make_unique<TestEnv>();
}

void TestEditorFind::cleanup()
{
    m_pEnv.reset();
}

void TestEditorFind::finderRules_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<QString>("strOptions");
    QTest::addColumn<int>("nFrom");
    QTest::addColumn<int>("nStart");
    QTest::addColumn<int>("nLength");
    QTest::newRow("first candidate of a block decides") << "xab ab\nab" << "ab" << "w" << 0 << 7 << 2;
    QTest::newRow("underscore separates words") << "_a_" << "a" << "w" << 0 << 1 << 1;
    QTest::newRow("letters beyond ASCII join words") << "éa a" << "a" << "w" << 0 << -1 << 0;
    QTest::newRow("digits join words") << "1a a" << "a" << "w" << 0 << -1 << 0;
    QTest::newRow("case ignored") << "Foo foo" << "foo" << "" << 0 << 0 << 3;
    QTest::newRow("case matched") << "Foo foo" << "foo" << "c" << 0 << 4 << 3;
    QTest::newRow("empty expression matches passed over") << "abxx" << "x*" << "r" << 0 << 2 << 2;
    QTest::newRow("caret at block starts only") << "ab\nab" << "^b" << "r" << 0 << -1 << 0;
    QTest::newRow("caret on a later block") << "ab\nab" << "^a" << "r" << 1 << 3 << 1;
    QTest::newRow("invalid expression") << "a(b" << "(" << "r" << 0 << -1 << 0;
    QTest::newRow("up from a block's end finds it") << "ab ab\ncd" << "ab" << "u" << 5 << 3 << 2;
    QTest::newRow("up from the very end") << "ab" << "ab" << "u" << 2 << 0 << 2;
    QTest::newRow("up expression from a block's end") << "ab\ncd" << "b" << "ru" << 2 << 1 << 1;
    QTest::newRow("up first candidate decides") << "ab\nab xab" << "ab" << "wu" << 9 << 0 << 2;
    QTest::newRow("up misses what starts after") << "ab ab" << "ab" << "u" << 2 << 0 << 2;
}

void TestEditorFind::finderRules()
{
    QFETCH(QString, strText);
    QFETCH(QString, strFind);
    QFETCH(QString, strOptions);
    QFETCH(int, nFrom);
    const CTextFinder finder(strFind, finderOptions(strOptions));
    const CTextFinder::Hit hit = strOptions.contains('u') ? finder.findUp(raw(strText), nFrom)
                                                          : finder.findDown(raw(strText), nFrom);
    QTEST(hit.nStart, "nStart");
    QTEST(hit.nLength, "nLength");
}

void TestEditorFind::findSignals_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nCursor");
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<QString>("strOptions");
    QTest::addColumn<QStringList>("lstSignals");
    QTest::addColumn<int>("nSelStart"); // -1: the cursor stays
    QTest::newRow("wrap to the match above") << "foo bar" << 4 << "foo" << "" << QStringList {"bottom"} << 0;
    QTest::newRow("no wrap") << "foo bar" << 4 << "foo" << "n" << QStringList {"cannot"} << -1;
    QTest::newRow("from the start without match")
        << "foo" << 0 << "x" << "" << QStringList {"bottom", "cannot"} << -1;
    QTest::newRow("wrap to the match below") << "foo bar" << 0 << "bar" << "u" << QStringList {"top"} << 4;
    QTest::newRow("up from a line start finds the line above")
        << "ab\ncd" << 3 << "ab" << "u" << QStringList {} << 0;
    QTest::newRow("nothing anywhere, from the middle")
        << "foo bar" << 2 << "x" << "" << QStringList {"cannot", "bottom", "cannot"} << -1;
    QTest::newRow("previous turns up into down") << "x a x" << 2 << "x" << "unp" << QStringList {} << 4;
}

void TestEditorFind::findSignals()
{
    QFETCH(QString, strText);
    QFETCH(int, nCursor);
    QFETCH(QString, strFind);
    QFETCH(QString, strOptions);
    QFETCH(int, nSelStart);
    setOptions(strOptions);
    CHighlightEdit edit;
    edit.setPlainText(strText);
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(nCursor);
    edit.setTextCursor(cursor);
    QStringList lst;
    recordSignals(edit, lst);
    const bool bPrevious = strOptions.contains('p');
    QCOMPARE(bPrevious ? edit.findPrevious(strFind, false) : edit.findText(strFind, false),
             nSelStart >= 0);
    QTEST(lst, "lstSignals");
    QCOMPARE(g_pSettings->m_bFindSearchUp, strOptions.contains('u'));
    if (nSelStart >= 0) {
        QCOMPARE(edit.textCursor().selectionStart(), nSelStart);
        QCOMPARE(edit.textCursor().selectedText(), strFind);
    } else {
        QCOMPARE(edit.textCursor().position(), nCursor);
        QVERIFY(!edit.textCursor().hasSelection());
    }
}

void TestEditorFind::replaceSelectsFirstThenReplaces()
{
    setOptions("");
    CHighlightEdit edit;
    edit.setPlainText("a b a");
    QVERIFY(edit.replaceText("a", "cc"));
    QCOMPARE(edit.toPlainText(), QString("a b a"));
    QCOMPARE(edit.textCursor().selectionStart(), 0);
    QVERIFY(edit.replaceText("a", "cc"));
    QCOMPARE(edit.toPlainText(), QString("cc b a"));
    QCOMPARE(edit.textCursor().selectionStart(), 5);
    // A selection that is no match is only passed over.
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(3);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QVERIFY(edit.replaceText("a", "cc"));
    QCOMPARE(edit.toPlainText(), QString("cc b a"));
    QCOMPARE(edit.textCursor().selectionStart(), 5);
}

void TestEditorFind::replaceAllResult_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<QString>("strReplace");
    QTest::addColumn<QString>("strOptions");
    QTest::addColumn<QString>("strResult");
    QTest::newRow("a by aa") << "aaa" << "a" << "aa" << "" << "aaaaaa";
    QTest::newRow("a by aa, up") << "aaa" << "a" << "aa" << "u" << "aaaaaa";
    QTest::newRow("one line, up") << "a a a" << "a" << "b" << "u" << "b b b";
    QTest::newRow("line breaks in the replacement") << "a a" << "a" << "x\ny" << "" << "x\ny x\ny";
    QTest::newRow("nothing found") << "abc" << "x" << "y" << "" << "abc";
    QTest::newRow("several lines") << "ba\nca\nda" << "a" << "bb" << "" << "bbb\ncbb\ndbb";
}

void TestEditorFind::replaceAllResult()
{
    QFETCH(QString, strText);
    QFETCH(QString, strFind);
    QFETCH(QString, strReplace);
    QFETCH(QString, strOptions);
    QFETCH(QString, strResult);
    setOptions(strOptions);
    CHighlightEdit edit;
    edit.setPlainText(strText);
    QStringList lst;
    recordSignals(edit, lst);
    QSignalSpy spyChange(edit.document(), &QTextDocument::contentsChange);
    const int nCount = strText.count(strFind);
    QCOMPARE(edit.replaceAllText(strFind, strReplace), nCount > 0);
    QCOMPARE(edit.toPlainText(), strResult);
    QCOMPARE(lst, (QStringList {"cannot", QString("replaced %1").arg(nCount)}));
    QCOMPARE(g_pSettings->m_bFindWrapSearch, !strOptions.contains('n'));
    // One change for the highlighter, one undo step, no match selected.
    QCOMPARE(spyChange.count(), nCount > 0 ? 1 : 0);
    QVERIFY(!edit.textCursor().hasSelection());
    edit.undo();
    QCOMPARE(edit.toPlainText(), strText);
    QVERIFY(!edit.document()->isUndoAvailable());
}

void TestEditorFind::replaceAllAgreesWithRepeatedReplace_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<QString>("strReplace");
    QTest::addColumn<QString>("strOptions");
    QTest::newRow("match runs into a replacement") << "aab\nxaab" << "ab" << "b" << "";
    QTest::newRow("word start after a replacement") << "aa a\naaa" << "\\ba" << " " << "r";
    QTest::newRow("caret after emptied start") << "aaa\nbaa" << "^a" << "" << "r";
    QTest::newRow("dollar") << "aa\naa" << "a$" << "b" << "r";
    QTest::newRow("greedy") << "aaa ba" << "a+" << "b" << "r";
    QTest::newRow("look-ahead") << "abab\nab" << "a(?=b)" << "x" << "r";
    QTest::newRow("separators in the find text") << "-a-a\n-a" << "-a" << "-" << "w";
    QTest::newRow("first candidate decides") << "ab ab xab ab\nab" << "ab" << "X" << "w";
    QTest::newRow("whole word expression") << "a_b ab\nb" << "a?b" << "c" << "rw";
    QTest::newRow("case") << "Foo\nfoo FOO" << "foo" << "bar" << "c";
    QTest::newRow("empty lines") << "\n\na\n" << "a" << "" << "";
}

void TestEditorFind::replaceAllAgreesWithRepeatedReplace()
{
    QFETCH(QString, strText);
    QFETCH(QString, strFind);
    QFETCH(QString, strReplace);
    QFETCH(QString, strOptions);
    for (const QString& strDirection : {QString(), QString("u")}) {
        setOptions(strOptions + strDirection + "n");
        CHighlightEdit all;
        all.setPlainText(strText);
        QSignalSpy spyCount(&all, &CHighlightEdit::replaceNum);
        all.replaceAllText(strFind, strReplace);

        // The same by hand: from the start (the end, up), Replace until
        // nothing more is found.
        CHighlightEdit steps;
        steps.setPlainText(strText);
        QTextCursor cursor = steps.textCursor();
        int nCount = 0;
        for (bool bMore = steps.findText(strFind, true, &cursor); bMore; ++nCount)
            bMore = steps.replaceText(strFind, strReplace, &cursor);
        QVERIFY2(all.toPlainText() == steps.toPlainText(),
                 qPrintable(strDirection + ": " + all.toPlainText() + " / " + steps.toPlainText()));
        QCOMPARE(spyCount.value(0).value(0).toInt(), nCount);
    }
}

void TestEditorFind::farMatchesFollowEdits()
{
    // Far beyond the blocks read directly: the whole-text copy is used, and
    // it must follow every edit.
    setOptions("w");
    QStringList lst;
    for (int i = 0; i < 20000; ++i)
        lst << QString("line %1 xneedle").arg(i);
    lst << "needle end";
    CHighlightEdit edit;
    edit.setPlainText(lst.join('\n'));
    const int nNeedle = edit.toPlainText().lastIndexOf("needle end");
    QVERIFY(edit.findText("needle", false));
    QCOMPARE(edit.textCursor().selectionStart(), nNeedle);
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(0);
    cursor.insertText("12");
    edit.setTextCursor(cursor);
    QVERIFY(edit.findText("needle", false));
    QCOMPARE(edit.textCursor().selectionStart(), nNeedle + 2);
    // Up from the end, past a failing candidate on every line.
    g_pSettings->m_bFindSearchUp = true;
    QVERIFY(edit.findText("0 xneedle", true));
    QCOMPARE(edit.textCursor().selectionStart(), 7);
    QVERIFY(edit.replaceAllText("needle", "pin"));
    QCOMPARE(edit.toPlainText().count("pin"), 1);
}

void TestEditorFind::farFindDownAgreesWithFinder_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("edited");
    for (bool bEdited : {false, true}) {
        const char* szEdited = bEdited ? " after edits" : "";
        QTest::newRow(qPrintable(QString("any case%1").arg(szEdited))) << "" << "needle" << bEdited;
        QTest::newRow(qPrintable(QString("match case%1").arg(szEdited))) << "c" << "needle" << bEdited;
        QTest::newRow(qPrintable(QString("whole word%1").arg(szEdited))) << "w" << "needle" << bEdited;
        QTest::newRow(qPrintable(QString("absent%1").arg(szEdited))) << "" << "pin" << bEdited;
    }
}

void TestEditorFind::farFindDownAgreesWithFinder()
{
    // Far down a loaded file (CR LF breaks), where the editor searches the
    // highlighter's lines rather than a copy of the text.
    QFETCH(QString, options);
    QFETCH(QString, find);
    QFETCH(bool, edited);
    setOptions(options + "n");
    QByteArray arrText;
    for (int i = 0; i < 8000; ++i)
        arrText += QByteArray("filler line ") + QByteArray::number(i) + "\r\n";
    arrText += "a xNEEDLE\r\n\r\nNEEDLE_b needle\r\nneedle end";
    CHighlightEdit edit;
    edit.loadContent(arrText, false);
    if (edited) {
        // Edits near the end the highlighter has taken, and one it has not.
        QTextCursor cursor(edit.document()->findBlockByNumber(8001));
        cursor.insertText("pi\nn needl");
        QTest::qWait(50);
        cursor.insertText("e");
        QTextCursor(edit.document()).insertText("x\n");
    }
    const QString strRaw = edit.document()->toRawText();
    const int nExpected = CTextFinder(find, finderOptions(options)).findDown(strRaw, 0).nStart;
    edit.moveCursor(QTextCursor::Start);
    QCOMPARE(edit.findText(find, false), nExpected >= 0);
    if (nExpected >= 0) {
        QCOMPARE(edit.textCursor().selectionStart(), nExpected);
        QCOMPARE(edit.textCursor().selectedText(), strRaw.mid(nExpected, find.size()));
    }
}

QTEST_MAIN(TestEditorFind)
#include "tst_editorfind.moc"
