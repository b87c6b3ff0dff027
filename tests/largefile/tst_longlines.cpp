// Long lines: where they are split, the read-only view that never saves the
// split form, Format and "Open for editing anyway" from its bar.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"
#include "largefile/CLongLineBar.h"
#include "largefile/CLongLineView.h"
#include "largefile/LongLines.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"
#include "util/JsonFormat.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// JSON with every white space outside strings removed: what formatting must
// leave unchanged.
QString solid(const QString& strJson)
{
    QString strOut;
    bool bInString = false;
    for (int i = 0; i < strJson.size(); ++i) {
        const QChar ch = strJson.at(i);
        if (bInString) {
            strOut += ch;
            if (ch == '\\' && i + 1 < strJson.size())
                strOut += strJson.at(++i);
            else if (ch == '"')
                bInString = false;
        } else if (!QString(" \t\r\n").contains(ch)) {
            strOut += ch;
            bInString = ch == '"';
        }
    }
    return strOut;
}

QByteArray longJson(int nItems)
{
    QByteArray arr = "{\"list\": [";
    for (int i = 0; i < nItems; ++i)
        arr += QString("%1{\"n\":%2,\"s\":\"a \\\" [x], {y}\"}").arg(i ? "," : "").arg(i).toUtf8();
    return arr + "], \"empty\": {}, \"none\": []}";
}

} // namespace

class TestLongLines : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void split_data();
    void split();
    void splitViewSavesSourceText();
    void windowSaveNeverWritesSplitForm();
    void formatGivesFormattedOriginal();
    void openAnywayGivesOriginalEditable();

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestLongLines::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestLongLines::cleanup()
{
    m_pEnv.reset();
}

void TestLongLines::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("longest");
    QTest::addColumn<QString>("split");
    QTest::newRow("short lines stay") << "abc\r\nde\rf" << 3 << 3 << "abc\r\nde\rf";
    QTest::newRow("one long line") << "abcdefg" << 3 << 7 << "abc\ndef\ng";
    QTest::newRow("exact multiple") << "abcdef\nxy" << 3 << 6 << "abc\ndef\nxy";
    QTest::newRow("crlf counts as one break") << "abcd\r\nabcd" << 2 << 4 << "ab\ncd\r\nab\ncd";
    const QString strPair = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    QTest::newRow("pair kept whole") << "ab" + strPair + "c" << 3 << 5
                                     << "ab" + strPair + "\nc";
    QTest::newRow("paragraph separator breaks")
        << QString("abc%1abc").arg(QChar(QChar::ParagraphSeparator)) << 3 << 3
        << QString("abc%1abc").arg(QChar(QChar::ParagraphSeparator));
}

void TestLongLines::split()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(int, longest);
    QFETCH(QString, split);
    QCOMPARE(LongLines::longestLine(text), longest);
    QCOMPARE(LongLines::split(text, limit), split);
}

void TestLongLines::splitViewSavesSourceText()
{
    CHighlightEdit edit;
    edit.setLongLineLimit(100);
    const QByteArray arrFile = "short\r\n" + QByteArray(450, 'x') + "\r\nend";
    edit.loadContent(arrFile, false);
    QVERIFY(edit.isSplitView());
    QVERIFY(edit.isReadOnly());
    QCOMPARE(edit.blockCount(), 7); // short, five pieces, end
    QCOMPARE(encodeForSave(edit.textSnapshot(), edit.returnFormat()), arrFile);
    QCOMPARE(edit.getTextForSave().toUtf8(), arrFile);

    // Another codec reads the same bytes: still split, still saving the lines.
    QVERIFY(edit.setTextCodec("ISO-8859-1"));
    QVERIFY(edit.isSplitView());
    QCOMPARE(encodeForSave(edit.textSnapshot(), edit.returnFormat()), arrFile);

    // A file without long lines ends the split view and its read-only state.
    edit.loadContent("a\nb", false);
    QVERIFY(!edit.isSplitView());
    QVERIFY(!edit.isReadOnly());

    // A preview that is read-only of itself stays so.
    edit.setReadOnly(true);
    edit.loadContent(arrFile, false);
    edit.leaveSplitView();
    QVERIFY(edit.isReadOnly());
}

void TestLongLines::windowSaveNeverWritesSplitForm()
{
    g_pSettings->m_nLongLineLimit = 1000;
    const QString strPath = m_pDir->filePath("one.json");
    const QByteArray arrFile = longJson(300);
    {
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(arrFile);
    }
    MainWindow window;
    QVERIFY(window.openFile(strPath));
    auto* pEdit = qobject_cast<CHighlightEdit*>(window.findChild<CTabWidget*>()->currentWidget());
    QVERIFY(pEdit && pEdit->isSplitView());
    QVERIFY(pEdit->blockCount() > 5);
    QVERIFY(window.on_actionSave_triggered());
    QTRY_VERIFY(!pEdit->isModified());
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), arrFile);
}

void TestLongLines::formatGivesFormattedOriginal()
{
    CHighlightEdit edit;
    edit.setFilePath(m_pDir->filePath("data.json"));
    edit.setLongLineLimit(200);
    CLongLineView view(&edit);
    const QByteArray arrFile = longJson(50);
    edit.loadContent(arrFile, false);
    QVERIFY(edit.isSplitView());
    QVERIFY(view.bar());
    QTRY_VERIFY(view.bar()->formatButton()->isVisibleTo(view.bar()));
    view.bar()->formatButton()->click();
    QVERIFY(!edit.isSplitView());
    QVERIFY(!edit.isReadOnly());
    QVERIFY(edit.isModified());
    const QString strShown = edit.toPlainText();
    QString strFormatted;
    QVERIFY(formatJson(QString::fromUtf8(arrFile), strFormatted));
    QCOMPARE(strShown, strFormatted);
    QCOMPARE(solid(strShown), solid(QString::fromUtf8(arrFile)));
    QVERIFY(strShown.count('\n') > 100);
    QTRY_VERIFY(!view.bar());
}

void TestLongLines::openAnywayGivesOriginalEditable()
{
    CHighlightEdit edit;
    edit.setFilePath(m_pDir->filePath("data.txt"));
    edit.setLongLineLimit(200);
    CLongLineView view(&edit);
    edit.loadContent(longJson(50), false);
    QTRY_VERIFY(view.bar()->isVisible() || !view.bar()->formatButton()->isVisibleTo(view.bar()));
    QVERIFY(!view.bar()->formatButton()->isVisibleTo(view.bar())); // not JSON by name
    view.bar()->openButton()->click();
    QVERIFY(!edit.isSplitView());
    QVERIFY(!edit.isReadOnly());
    QVERIFY(!edit.isModified());
    QCOMPARE(edit.blockCount(), 1);
    QCOMPARE(edit.toPlainText().toUtf8(), longJson(50));
}

QTEST_MAIN(TestLongLines)
#include "tst_longlines.moc"
