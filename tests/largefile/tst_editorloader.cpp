// Opening in the background: the document ends up holding exactly the
// file's text (also when the first lines were decoded with another codec
// than the whole), read-only until then, coloured as lexing from the top
// says; cancelling and closing during a load leave nothing running.
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"
#include "highlight/BlockLexer.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"
#include "largefile/CEditorLoader.h"
#include "largefile/CFileLoader.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {

QByteArray manyLines(int nLines, const char* szBreak, const QByteArray& arrTail = QByteArray())
{
    QByteArray arr;
    for (int i = 0; i < nLines; ++i)
        arr += "int value" + QByteArray::number(i) + " = \"text\"; /* note */" + szBreak;
    return arr + arrTail;
}

// Loads the file into the editor and waits for the end.
bool load(CHighlightEdit& edit, const QString& strPath)
{
    auto* pLoader = new CEditorLoader(&edit);
    QSignalSpy spyDone(pLoader, &CEditorLoader::finished);
    pLoader->start(strPath);
    return spyDone.wait(60000);
}

} // namespace

class TestEditorLoader : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void documentHoldsTheFile_data();
    void documentHoldsTheFile();
    void readOnlyUntilLoaded();
    void longLinesLoadSplit();
    void colouredAsFromTheTop();
    void cancelAndCloseDuringLoad();
    void missingFileFails();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestEditorLoader::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestEditorLoader::cleanup()
{
    m_pEnv.reset();
}

QString TestEditorLoader::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arr);
    return strPath;
}

void TestEditorLoader::documentHoldsTheFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("mode");
    QTest::newRow("small, no preview") << manyLines(10, "\n") << int(CHighlightEdit::ReturnUnix);
    QTest::newRow("crlf, preview then the rest") << manyLines(20000, "\r\n")
                                                 << int(CHighlightEdit::ReturnWindows);
    QTest::newRow("cr only") << manyLines(20000, "\r") << int(CHighlightEdit::ReturnOSX);
    // The first lines are plain ASCII, a Latin-1 byte near the end: the
    // whole text is read in another codec than the preview was.
    QTest::newRow("codec changes after the preview")
        << manyLines(20000, "\n", "caf\xE9\n") << int(CHighlightEdit::ReturnUnix);
    QTest::newRow("UTF-8 with a mark and CJK")
        << "\xEF\xBB\xBF" + manyLines(20000, "\r\n", "\xE4\xB8\xAD\xE6\x96\x87\xEF\xBB\xBF\r\n")
        << int(CHighlightEdit::ReturnWindows);
}

void TestEditorLoader::documentHoldsTheFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, mode);
    const QString strPath = writeFile("data.txt", bytes);
    CHighlightEdit edit;
    edit.resize(400, 300);
    edit.show();
    QVERIFY(load(edit, strPath));
    // What a plain load of the same bytes gives.
    CHighlightEdit plain;
    plain.loadContent(bytes, false);
    QCOMPARE(edit.codecName(), plain.codecName());
    QCOMPARE(edit.returnFormat(), mode);
    QCOMPARE(edit.blockCount(), plain.blockCount());
    QCOMPARE(edit.textSnapshot(), plain.textSnapshot());
    // Saved unchanged, a UTF-8 file is what it was (its mark aside).
    if (edit.codecName() == "UTF-8") {
        const QByteArray arrUnmarked = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        QCOMPARE(encodeForSave(edit.textSnapshot(), edit.returnFormat(), edit.standIns()), arrUnmarked);
    }
    QVERIFY(!edit.isModified());
    QVERIFY(!edit.document()->isUndoAvailable());
    QCOMPARE(edit.textCursor().position(), 0);
}

void TestEditorLoader::readOnlyUntilLoaded()
{
    const QString strPath = writeFile("big.txt", manyLines(60000, "\n"));
    CHighlightEdit edit;
    auto* pLoader = new CEditorLoader(&edit);
    QSignalSpy spyProgress(pLoader, &CEditorLoader::progress);
    QSignalSpy spyDone(pLoader, &CEditorLoader::finished);
    pLoader->start(strPath);
    QVERIFY(edit.isLoading());
    QVERIFY(edit.isReadOnly());
    QVERIFY(edit.getTitle().endsWith("%)"));
    QVERIFY(spyDone.wait(60000));
    // Reading, decoding and building are reported on the way, never back.
    QVERIFY(spyProgress.count() > 1);
    for (int i = 1; i < spyProgress.count(); ++i)
        QVERIFY(spyProgress.at(i).at(0).toInt() >= spyProgress.at(i - 1).at(0).toInt());
    QCOMPARE(spyProgress.last().at(0).toInt(), 100);
    QVERIFY(!edit.isLoading());
    QVERIFY(!edit.isReadOnly());
    QVERIFY(!edit.getTitle().endsWith("%)"));
    QVERIFY(!CEditorLoader::of(&edit));
}

void TestEditorLoader::longLinesLoadSplit()
{
    QByteArray arr = manyLines(3000, "\n");
    arr += QByteArray(25000, 'x') + "\n";
    const QString strPath = writeFile("long.txt", arr);
    CHighlightEdit edit;
    edit.setLongLineLimit(10000);
    QVERIFY(load(edit, strPath));
    QVERIFY(edit.isSplitView());
    QVERIFY(edit.isReadOnly()); // the split view stays read-only
    QCOMPARE(edit.blockCount(), 3000 + 3 + 1);
    QCOMPARE(encodeForSave(edit.textSnapshot(), edit.returnFormat()), arr);
}

void TestEditorLoader::colouredAsFromTheTop()
{
    const CHighlightMgt mgt(QCoreApplication::applicationDirPath() + "/highlighter", nullptr);
    const QVariantMap mapCpp = mgt.getHighlightByName("C++");
    QVERIFY(!mapCpp.isEmpty());
    QByteArray arr = "/* opened before the preview ends\n";
    arr += manyLines(8000, "\n") + "*/ int after = 1;\n" + manyLines(100, "\n");
    const QString strPath = writeFile("code.cpp", arr);
    CHighlightEdit edit;
    edit.textDocument()->setDeferOffscreen(false);
    edit.setLanguage(mapCpp);
    QVERIFY(load(edit, strPath));
    QTRY_VERIFY_WITH_TIMEOUT(!edit.highlighter()->isBusy(), 30000);
    QTest::qWait(50);
    QTRY_VERIFY_WITH_TIMEOUT(!edit.highlighter()->isBusy(), 30000);
    CSyntaxRules rules;
    rules.setDefinition(mapCpp);
    int nPrev = -1;
    for (QTextBlock block = edit.document()->firstBlock(); block.isValid(); block = block.next()) {
        const LexResult result = lexBlock(rules, block.text(), nPrev);
        nPrev = result.nState;
        QCOMPARE(block.layout()->formats().size(), result.lstRanges.size());
    }
}

void TestEditorLoader::cancelAndCloseDuringLoad()
{
    const QString strPath = writeFile("big.txt", manyLines(80000, "\n"));
    for (int nDelayMs : {0, 5, 30, 120}) {
        auto* pEdit = new CHighlightEdit;
        QPointer<CEditorLoader> pLoader = new CEditorLoader(pEdit);
        QSignalSpy spyCancelled(pLoader, &CEditorLoader::cancelled);
        pLoader->start(strPath);
        QTest::qWait(nDelayMs);
        if (pLoader) { // not already done
            pLoader->cancel();
            QCOMPARE(spyCancelled.count(), 1);
        }
        QTest::qWait(10);
        delete pEdit; // waits for a decode still running
    }
    // Closed without cancelling, in the middle of a fill.
    auto* pEdit = new CHighlightEdit;
    auto* pLoader = new CEditorLoader(pEdit);
    pLoader->start(strPath);
    QTRY_VERIFY(pEdit->blockCount() > 1);
    delete pEdit;
    QTest::qWait(20);
}

void TestEditorLoader::missingFileFails()
{
    CHighlightEdit edit;
    auto* pLoader = new CEditorLoader(&edit);
    QSignalSpy spyFailed(pLoader, &CEditorLoader::failed);
    pLoader->start(m_pDir->filePath("none.txt"));
    QVERIFY(spyFailed.wait(10000));
    QVERIFY(!edit.isLoading());
}

QTEST_MAIN(TestEditorLoader)
#include "tst_editorloader.moc"
