// The code editor's editing aids: key handling (real key events to a shown
// editor), comment toggling by language, validation and formatting.
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "util/JsonFormat.h"

#include <QtTest>

namespace {
// Key tokens: "Tab", "S-Tab" (Shift+Tab), "Enter", "S-Enter", "C-Enter" and
// "A-(" press those keys; anything else is typed.
void press(QWidget* pWidget, const QString& strKeys)
{
    const QMap<QString, QPair<int, Qt::KeyboardModifiers>> mapKeys = {
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},
        {"S-Tab", {Qt::Key_Backtab, Qt::ShiftModifier}},
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},
        {"S-Enter", {Qt::Key_Return, Qt::ShiftModifier}},
        {"C-Enter", {Qt::Key_Return, Qt::ControlModifier}},
        {"A-(", {Qt::Key_ParenLeft, Qt::AltModifier}}};
    for (const QString& strKey : strKeys.split(' ', Qt::SkipEmptyParts)) {
        if (mapKeys.contains(strKey))
            QTest::keyClick(pWidget, Qt::Key(mapKeys[strKey].first), mapKeys[strKey].second);
        else
            QTest::keyClicks(pWidget, strKey);
    }
}

void select(QPlainTextEdit& edit, int nAnchor, int nPosition)
{
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(nAnchor);
    cursor.setPosition(nPosition, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

// The text as it is: toPlainText() turns non-breaking spaces into spaces.
QString rawText(const QPlainTextEdit& edit)
{
    return edit.document()->toRawText().replace(QChar::ParagraphSeparator, '\n');
}

QPair<int, int> selection(const QPlainTextEdit& edit)
{
    return {edit.textCursor().anchor(), edit.textCursor().position()};
}
} // namespace

class TestEditorAids : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keys_data();
    void keys();
    void toggleComment_data();
    void toggleComment();
    void verify_data();
    void verify();
    void jsonFormattingKeepsData();
    void largeJsonFormatsInOneStep();
    void formattingLeavesOtherTextAlone_data();
    void formattingLeavesOtherTextAlone();
    void formattingKeepsLine();

private:
    void setLanguage(CHighlightEdit& edit, const QString& strName);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<CHighlightMgt> m_pMgt;
    QTemporaryDir m_dirDefs;
};

void TestEditorAids::initTestCase()
{
    m_pMgt = std::make_unique<CHighlightMgt>(SCRB_HIGHLIGHTER_DIR, nullptr);
}

void TestEditorAids::init()
{
    m_pEnv = std::make_unique<TestEnv>();
}

void TestEditorAids::cleanup()
{
    m_pEnv.reset();
}

void TestEditorAids::setLanguage(CHighlightEdit& edit, const QString& strName)
{
    QVariantMap mapDef = m_pMgt->getHighlightByName(strName);
    if (mapDef.isEmpty()) { // a name no shipped definition has
        QFile file(m_dirDefs.filePath(strName + ".xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QString("<language name=\"%1\" extensions=\"*.x\"/>").arg(strName).toUtf8());
        file.close();
        mapDef = CHighlightMgt::loadHighlight(file.fileName());
    }
    edit.setLanguage(mapDef);
    QCOMPARE(edit.getLanguage(), strName);
}

void TestEditorAids::keys_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nAnchor");
    QTest::addColumn<int>("nPosition");
    QTest::addColumn<QString>("strKeys");
    QTest::addColumn<QString>("strResult");
    QTest::addColumn<int>("nResultAnchor");
    QTest::addColumn<int>("nResultPosition");
    QTest::newRow("Tab over three lines") << "a\nb\nc" << 0 << 5 << "Tab" << "\ta\n\tb\n\tc" << 0 << 8;
    QTest::newRow("Tab up over two lines") << "a\nb" << 3 << 1 << "Tab" << "\ta\n\tb" << 5 << 0;
    QTest::newRow("Tab within a line") << "abc" << 0 << 2 << "Tab" << "\tc" << 1 << 1;
    QTest::newRow("Shift+Tab on six spaces") << "      a\n      b" << 0 << 15 << "S-Tab"
                                             << "  a\n  b" << 0 << 7;
    QTest::newRow("Shift+Tab on tab and spaces") << "\t  a\nb" << 0 << 6 << "S-Tab" << "  a\nb" << 0 << 5;
    QTest::newRow("Shift+Tab on unindented lines") << "a\nb" << 0 << 3 << "S-Tab" << "a\nb" << 0 << 3;
    QTest::newRow("bracket pair") << "" << 0 << 0 << "(" << "()" << 1 << 1;
    QTest::newRow("closing typed anyway") << "" << 0 << 0 << "( )" << "())" << 2 << 2;
    QTest::newRow("quotes pair") << "" << 0 << 0 << "\" '" << "\"''\"" << 2 << 2;
    QTest::newRow("Enter between braces") << "  if (x) {}" << 10 << 10 << "Enter"
                                          << "  if (x) {\n  \t\n  }" << 14 << 14;
    QTest::newRow("Enter keeps indentation") << "    a" << 5 << 5 << "Enter" << "    a\n    " << 10 << 10;
    QTest::newRow("Shift+Enter breaks the line") << "a{" << 2 << 2 << "S-Enter" << "a{\n\t\n" << 4 << 4;
    // Other modifiers leave the key to the base editor.
    QTest::newRow("Ctrl+Enter") << "  x {" << 5 << 5 << "C-Enter" << "  x {" << 5 << 5;
    QTest::newRow("Alt+(") << "  x {" << 5 << 5 << "A-(" << "  x {(" << 6 << 6;
}

void TestEditorAids::keys()
{
    QFETCH(QString, strText);
    QFETCH(int, nAnchor);
    QFETCH(int, nPosition);
    QFETCH(QString, strKeys);
    CHighlightEdit edit;
    edit.setPlainText(strText);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    select(edit, nAnchor, nPosition);
    press(&edit, strKeys);
    QTEST(edit.toPlainText(), "strResult");
    QTEST(selection(edit).first, "nResultAnchor");
    QTEST(selection(edit).second, "nResultPosition");
    if (!strKeys.contains(' ')) { // one key, one undo step
        edit.undo();
        QCOMPARE(edit.toPlainText(), strText);
    }

    // A read-only editor takes none of it.
    edit.setPlainText(strText);
    edit.setReadOnly(true);
    select(edit, nAnchor, nPosition);
    press(&edit, strKeys);
    QCOMPARE(edit.toPlainText(), strText);
}

void TestEditorAids::toggleComment_data()
{
    QTest::addColumn<QString>("strLanguage");
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nAnchor");
    QTest::addColumn<int>("nPosition");
    QTest::addColumn<QString>("strResult");
    QTest::addColumn<int>("nResultAnchor");
    QTest::addColumn<int>("nResultPosition");
    QTest::newRow("whole lines") << "C++" << "a;\n  b;" << 0 << 7 << "//a;\n//  b;" << 0 << 11;
    QTest::newRow("whole lines again") << "C++" << "//a;\n//  b;" << 0 << 11 << "a;\n  b;" << 0 << 7;
    QTest::newRow("cursor at the start") << "C++" << "a;\nb;" << 5 << 0 << "//a;\n//b;" << 9 << 0;
    QTest::newRow("part of a line") << "C++" << "int a = 1;" << 4 << 5 << "int /*a*/ = 1;" << 4 << 9;
    QTest::newRow("part of a line again") << "C++" << "int /*a*/ = 1;" << 4 << 9 << "int a = 1;" << 4 << 5;
    QTest::newRow("indented comment") << "C++" << "    // x" << 0 << 8 << " x" << 0 << 2;
    QTest::newRow("only line markers") << "Python" << "a = 1" << 0 << 1 << "#a = 1" << 0 << 6;
    QTest::newRow("only block markers") << "CSS" << "a{}\nb{}" << 0 << 7 << "/*a{}\nb{}*/" << 0 << 11;
    QTest::newRow("markers overlapping") << "C++" << "/*/" << 0 << 3 << "///*/" << 0 << 5;
}

void TestEditorAids::toggleComment()
{
    QFETCH(QString, strLanguage);
    QFETCH(QString, strText);
    QFETCH(int, nAnchor);
    QFETCH(int, nPosition);
    CHighlightEdit edit;
    setLanguage(edit, strLanguage);
    edit.setPlainText(strText);
    select(edit, nAnchor, nAnchor);
    QVERIFY(!edit.canToggleComment());
    QVERIFY(!edit.toggleComment());
    QCOMPARE(edit.toPlainText(), strText);
    select(edit, nAnchor, nPosition);
    QVERIFY(edit.canToggleComment());
    QVERIFY(edit.toggleComment());
    QTEST(edit.toPlainText(), "strResult");
    QTEST(selection(edit).first, "nResultAnchor");
    QTEST(selection(edit).second, "nResultPosition");
    edit.undo();
    QCOMPARE(edit.toPlainText(), strText);
}

void TestEditorAids::verify_data()
{
    QTest::addColumn<QString>("strLanguage");
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strComplaint"); // the start of the warning; empty: valid
    QTest::newRow("HTML well formed") << "HTML" << "<html><p>a<br/></p></html>" << "";
    QTest::newRow("HTML not well formed") << "HTML" << "<html>\n<p>a<br></p>\n</html>" << "Line 2, Column ";
    QTest::newRow("XML") << "XML" << "<a>\n  <b></a>" << "Line 2, Column ";
    QTest::newRow("SVG") << "SVG" << "<svg xmlns=\"http://www.w3.org/2000/svg\"/>" << "";
    QTest::newRow("JSON") << "JSON" << "{\"a\": [1]}" << "";
    QTest::newRow("JSON trailing comma") << "JSON" << "{\n  \"é\": 1,\n}" << "Line 3, ";
    QTest::newRow("lower-case xml") << "xml" << "<a>" << "";
    QTest::newRow("other language") << "C++" << "<a>" << "";
}

void TestEditorAids::verify()
{
    QFETCH(QString, strLanguage);
    QFETCH(QString, strText);
    QFETCH(QString, strComplaint);
    CHighlightEdit edit;
    setLanguage(edit, strLanguage);
    edit.setPlainText(strText);
    QCOMPARE(edit.canVerify(), QStringList({"HTML", "XML", "SVG", "JSON"}).contains(strLanguage));
    ModalDriver driver;
    if (!strComplaint.isEmpty())
        driver.answer(QMessageBox::Ok);
    QCOMPARE(edit.verifyValid(), strComplaint.isEmpty());
    QCOMPARE(driver.pending(), 0);
    if (!strComplaint.isEmpty()) {
        QCOMPARE(driver.seen().value(0).strTitle, QString("Fail to verify valid"));
        QVERIFY2(driver.seen().value(0).strText.startsWith(strComplaint),
                 qPrintable(driver.seen().value(0).strText));
    }
}

void TestEditorAids::jsonFormattingKeepsData()
{
    const QString strText = QString::fromUtf8(
        "{\"z\":12345678901234567890,\"a\":[1.0,1e3],\"a\":\"\\u00e9\",\"s\":\"non\u00a0breaking\"}");
    CHighlightEdit edit;
    setLanguage(edit, "JSON");
    edit.setPlainText(strText);
    QVERIFY(edit.canFormat());
    QVERIFY(edit.formatting());
    QCOMPARE(rawText(edit).replace(QChar::Nbsp, '~'),
             QString("{\n    \"z\": 12345678901234567890,\n    \"a\": [\n        1.0,\n        1e3\n"
                     "    ],\n    \"a\": \"\\u00e9\",\n    \"s\": \"non~breaking\"\n}\n"));
    QVERIFY(edit.isModified());
    edit.undo();
    QCOMPARE(rawText(edit), strText);
    QVERIFY(!edit.document()->isUndoAvailable());
}

// A text long enough to be laid out in one piece beside Qt's check.
void TestEditorAids::largeJsonFormatsInOneStep()
{
    QString strText = "[";
    for (int i = 0; i < 3000; ++i)
        strText += QString("%1{\"id\":%2,\"v\":[1.0,\"\\u00e9\"],\"id\":null}").arg(i ? "," : "").arg(i);
    strText += "]";
    QString strExpected;
    QVERIFY(formatJson(strText, strExpected));
    CHighlightEdit edit;
    setLanguage(edit, "JSON");
    edit.setPlainText(strText);
    QVERIFY(edit.formatting());
    QCOMPARE(rawText(edit), strExpected);
    QVERIFY(edit.isModified());
    edit.undo();
    QCOMPARE(rawText(edit), strText);
    QVERIFY(!edit.isModified());
    QVERIFY(!edit.document()->isUndoAvailable());
    edit.redo();
    QCOMPARE(rawText(edit), strExpected);

    // Not JSON: reported, and the text stays as it is.
    const QString strBroken = strText.left(strText.size() - 1) + ",]";
    edit.setPlainText(strBroken);
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QVERIFY(!edit.formatting());
    QCOMPARE(driver.seen().size(), 1);
    QVERIFY(driver.seen().value(0).strText.startsWith("Line 1, Column"));
    QCOMPARE(rawText(edit), strBroken);
    QVERIFY(!edit.isModified());
}

void TestEditorAids::formattingLeavesOtherTextAlone_data()
{
    QTest::addColumn<QString>("strLanguage");
    QTest::addColumn<QString>("strText");
    QTest::addColumn<bool>("bResult");
    QTest::addColumn<int>("nWarnings");
    QTest::newRow("invalid JSON") << "JSON" << "{\"a\":}" << false << 1;
    QTest::newRow("HTML") << "HTML" << "<p>a</p>" << true << 0;
    QTest::newRow("lower-case xml") << "xml" << "<a><b/></a>" << true << 0;
    QTest::newRow("already laid out") << "JSON" << "[\n    1\n]\n" << true << 0;
}

void TestEditorAids::formattingLeavesOtherTextAlone()
{
    QFETCH(QString, strLanguage);
    QFETCH(QString, strText);
    CHighlightEdit edit;
    setLanguage(edit, strLanguage);
    edit.setPlainText(strText);
    QCOMPARE(edit.canFormat(), strLanguage == "JSON");
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QTEST(edit.formatting(), "bResult");
    QTEST(int(driver.seen().size()), "nWarnings");
    QCOMPARE(edit.toPlainText(), strText);
    QVERIFY(!edit.isModified());
}

void TestEditorAids::formattingKeepsLine()
{
    CHighlightEdit edit;
    setLanguage(edit, "XML");
    edit.setPlainText("<a>\n<b>\n<c/>\n</b>\n</a>");
    select(edit, 9, 9); // line 3
    QVERIFY(edit.formatting());
    QCOMPARE(edit.toPlainText(), QString("<a>\n    <b>\n        <c/>\n    </b>\n</a>\n"));
    QCOMPARE(edit.textCursor().blockNumber(), 2);
    QCOMPARE(edit.textCursor().positionInBlock(), 0);
    QVERIFY(edit.isModified());

    setLanguage(edit, "JSON");
    edit.setPlainText("[\n\n\n\n\n1]");
    select(edit, 5, 5); // line 5, beyond the lines to come
    QVERIFY(edit.formatting());
    QCOMPARE(edit.textCursor().position(), 0);
}

QTEST_MAIN(TestEditorAids)
#include "tst_editoraids.moc"
