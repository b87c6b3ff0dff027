// The file side of the code editor: decoding, line endings, the text to save,
// codec switching and reloading from disk.
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

class TestEditorFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lineEndings_data();
    void lineEndings();
    void saveConvertsBreaks_data();
    void saveConvertsBreaks();
    void nulBytesSurviveUnchanged();
    void specialSpacesSurvive();
    void keepModifiedLoad();
    void detectedCodecIsRemembered();
    void setTextCodecRereadsSameBytes();
    void setTextCodecWithoutByteOrderMark_data();
    void setTextCodecWithoutByteOrderMark();
    void reloadKeepsLineAndScroll();
    void contextRefreshAsksAndUsesCodec();
    void reloadOfMissingFileReports();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestEditorFile::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestEditorFile::cleanup()
{
    m_pEnv.reset();
}

QString TestEditorFile::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arr);
    return strPath;
}

void TestEditorFile::lineEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("blocks");
    QTest::newRow("cr only") << QByteArray("a\rb\rc") << 2 << 3;
    QTest::newRow("mixed crlf and lf") << QByteArray("a\r\nb\nc\r\n") << 0 << 4;
    QTest::newRow("lf") << QByteArray("a\nb\n") << 1 << 3;
    QTest::newRow("none") << QByteArray("single line") << 0 << 1;
    QTest::newRow("empty") << QByteArray() << 0 << 1;
    QTest::newRow("after a nul byte") << QByteArray("x\0y\nz", 5) << 1 << 2;
}

void TestEditorFile::lineEndings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, mode);
    QFETCH(int, blocks);
    CHighlightEdit edit;
    edit.setReturnFormat(CHighlightEdit::ReturnOSX);
    edit.loadContent(bytes, false);
    QCOMPARE(edit.returnFormat(), mode);
    QCOMPARE(edit.blockCount(), blocks);
}

void TestEditorFile::saveConvertsBreaks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("saved");
    QTest::newRow("cr file stays cr") << QByteArray("a\rb\r") << -1 << "a\rb\r";
    QTest::newRow("mixed becomes crlf") << QByteArray("a\r\nb\nc") << -1 << "a\r\nb\r\nc";
    QTest::newRow("to unix") << QByteArray("a\r\nb\r\n") << 1 << "a\nb\n";
    QTest::newRow("to osx") << QByteArray("a\nb\n") << 2 << "a\rb\r";
    QTest::newRow("to windows") << QByteArray("a\rb") << 0 << "a\r\nb";
}

void TestEditorFile::saveConvertsBreaks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, mode);
    QFETCH(QString, saved);
    CHighlightEdit edit;
    edit.loadContent(bytes, false);
    if (mode >= 0)
        edit.setReturnFormat(mode);
    QCOMPARE(edit.getTextForSave(), saved);
}

void TestEditorFile::nulBytesSurviveUnchanged()
{
    const QByteArray arrBytes("head\0middle\0\ntail \xe4\xb8\xad\xe6\x96\x87\n", 25);
    CHighlightEdit edit;
    edit.loadContent(arrBytes, false);
    QCOMPARE(edit.codecName(), QString("UTF-8"));
    QCOMPARE(edit.getTextForSave().toUtf8(), arrBytes);
}

void TestEditorFile::specialSpacesSurvive()
{
    // A non-breaking space and a line separator are characters of the file,
    // not a space and a line break.
    const QByteArray arrBytes("a\xc2\xa0" "b\xe2\x80\xa8" "c\n");
    CHighlightEdit edit;
    edit.loadContent(arrBytes, false);
    QCOMPARE(edit.getTextForSave().toUtf8(), arrBytes);
}

void TestEditorFile::keepModifiedLoad()
{
    CHighlightEdit edit;
    edit.insertPlainText("typed");
    QVERIFY(edit.isModified());
    edit.loadContent("loaded", true);
    QTRY_VERIFY(edit.isModified());
    QCOMPARE(edit.toPlainText(), QString("loaded"));

    CHighlightEdit other;
    other.insertPlainText("typed");
    other.loadContent("loaded", false);
    QTest::qWait(30);
    QVERIFY(!other.isModified());
    QVERIFY(!other.document()->isUndoAvailable());
}

void TestEditorFile::detectedCodecIsRemembered()
{
    const QByteArray arrSjis = QTextCodec::codecForName("Shift_JIS")->fromUnicode(
        QString::fromUtf8("日本語のテキスト"));
    CHighlightEdit edit;
    edit.loadContent(arrSjis, false);
    const QString strCodec = edit.codecName();
    QVERIFY(!strCodec.isEmpty());
    QCOMPARE(edit.toPlainText(), QTextCodec::codecForName(strCodec.toLatin1())->toUnicode(arrSjis));
    // A later load reuses it instead of detecting again.
    edit.loadContent("plain", false);
    QCOMPARE(edit.codecName(), strCodec);
}

void TestEditorFile::setTextCodecRereadsSameBytes()
{
    const QByteArray arrEuc = QTextCodec::codecForName("EUC-JP")->fromUnicode(
        QString::fromUtf8("日本語\n二行目"));
    CHighlightEdit edit;
    edit.loadContent(arrEuc, false);
    QCOMPARE(edit.codecName(), QString("EUC-JP"));
    const QString strText = edit.toPlainText();

    edit.document()->setModified(false);
    QVERIFY(!edit.setTextCodec("EUC-JP")); // current codec: nothing happens
    QCOMPARE(edit.toPlainText(), strText);

    QVERIFY(edit.setTextCodec("Shift_JIS"));
    QCOMPARE(edit.codecName(), QString("Shift_JIS"));
    QCOMPARE(edit.toPlainText(), QTextCodec::codecForName("Shift_JIS")->toUnicode(arrEuc));
    QVERIFY(!edit.isModified());

    QVERIFY(!edit.setTextCodec("no-such-codec"));
    QCOMPARE(edit.codecName(), QString("Shift_JIS"));
}

void TestEditorFile::setTextCodecWithoutByteOrderMark_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::newRow("unchanged file") << true;
    QTest::newRow("text in memory") << false;
}

void TestEditorFile::setTextCodecWithoutByteOrderMark()
{
    // UTF-16 read as windows-1252: the same bytes, no mark in front, and the
    // line breaks are those of the new reading ("\r\0\n\0" holds no "\r\n").
    QFETCH(bool, fromFile);
    const QByteArray arrUtf16("\xff\xfe" "a\0\r\0\n\0b\0", 10);
    CHighlightEdit edit;
    if (fromFile)
        edit.setFilePath(writeFile("utf16.txt", arrUtf16));
    edit.loadContent(arrUtf16, false);
    QCOMPARE(edit.codecName(), QString("UTF-16"));
    QCOMPARE(edit.returnFormat(), int(CHighlightEdit::ReturnWindows));
    QVERIFY(edit.setTextCodec("windows-1252"));
    QVERIFY(!edit.toPlainText().startsWith(QString::fromLatin1("\xff\xfe")));
    QCOMPARE(edit.returnFormat(), int(CHighlightEdit::ReturnUnix));
    // Back again: the file's characters and line breaks, when it is unchanged.
    QVERIFY(edit.setTextCodec("UTF-16LE"));
    if (fromFile) {
        QCOMPARE(edit.toPlainText(), QString("a\nb"));
        QCOMPARE(edit.returnFormat(), int(CHighlightEdit::ReturnWindows));
    }
}

void TestEditorFile::reloadKeepsLineAndScroll()
{
    QStringList lst;
    for (int i = 0; i < 400; ++i)
        lst << QString("line %1").arg(i);
    const QString strPath = writeFile("long.txt", lst.join('\n').toUtf8());
    CHighlightEdit edit;
    edit.resize(300, 200);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setFilePath(strPath);
    QVERIFY(edit.reloadFile());
    QVERIFY(edit.jumpToLine(250));
    const int nScroll = edit.verticalScrollBar()->value();
    QVERIFY(nScroll > 0);
    writeFile("long.txt", (lst.join('\n') + "\nappended").toUtf8());
    QVERIFY(edit.reloadFile());
    QCOMPARE(edit.textCursor().blockNumber(), 249);
    QCOMPARE(edit.verticalScrollBar()->value(), nScroll);
    QCOMPARE(edit.blockCount(), 401);
}

void TestEditorFile::contextRefreshAsksAndUsesCodec()
{
    const QString strPath = writeFile("euc.txt", QTextCodec::codecForName("EUC-JP")->fromUnicode(
                                                     QString::fromUtf8("日本語の内容\n二行目")));
    CHighlightEdit edit;
    edit.setFilePath(strPath);
    QVERIFY(edit.reloadFile());
    const QString strOriginal = edit.toPlainText();
    QCOMPARE(edit.codecName(), QString("EUC-JP"));
    QVERIFY(strOriginal.startsWith(QString::fromUtf8("日本語の内容")));

    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText("edit");
    ModalDriver driver;
    driver.answer(QMessageBox::Cancel);
    edit.onRefresh();
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().at(0).strTitle, QString("File Modified"));
    QVERIFY(edit.toPlainText().endsWith("edit"));

    driver.answer(QMessageBox::Yes);
    edit.onRefresh();
    QCOMPARE(edit.toPlainText(), strOriginal); // read in its codec, not as UTF-8
    QCOMPARE(edit.textCursor().position(), 0);
    QVERIFY(!edit.isModified());
}

void TestEditorFile::reloadOfMissingFileReports()
{
    CHighlightEdit edit;
    edit.setPlainText("kept");
    edit.setFilePath(m_pDir->filePath("gone.txt"));
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QVERIFY(!edit.reloadFile());
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().at(0).strTitle, QString("Fail to open file"));
    QCOMPARE(driver.seen().at(0).strText, QString("Fail to open file(%1).").arg(m_pDir->filePath("gone.txt")));
    QCOMPARE(edit.toPlainText(), QString("kept"));
}

QTEST_MAIN(TestEditorFile)
#include "tst_editorfile.moc"
