// The saver thread: the bytes written are the snapshot's, breaks converted;
// a failed write leaves nothing behind.
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"
#include "largefile/CFileSaver.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestFileSaver : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void writesSnapshotWithBreaks_data();
    void writesSnapshotWithBreaks();
    void failureLeavesFileAndReports();
    void snapshotNotAddingUpIsRefused_data();
    void piecesMakeTheText_data();
    void piecesMakeTheText();
    void snapshotNotAddingUpIsRefused();

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestFileSaver::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestFileSaver::cleanup()
{
    m_pEnv.reset();
}

void TestFileSaver::writesSnapshotWithBreaks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("windows") << int(CHighlightEdit::ReturnWindows) << QByteArray("a\r\nb\r\n\xC3\xA9");
    QTest::newRow("unix") << int(CHighlightEdit::ReturnUnix) << QByteArray("a\nb\n\xC3\xA9");
    QTest::newRow("osx") << int(CHighlightEdit::ReturnOSX) << QByteArray("a\rb\r\xC3\xA9");
}

void TestFileSaver::writesSnapshotWithBreaks()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, expected);
    CHighlightEdit edit;
    edit.loadContent("a\r\nb\n\xC3\xA9", false);
    const QString strPath = m_pDir->filePath("out.txt");
    CFileSaver saver(strPath, edit.saveSnapshot(), mode, edit.standIns(), 7);
    saver.start();
    QVERIFY(saver.wait(10000));
    QVERIFY(saver.succeeded());
    QCOMPARE(saver.version(), 7u);
    QCOMPARE(read(strPath), expected);
}

void TestFileSaver::failureLeavesFileAndReports()
{
    CFileSaver saver(m_pDir->filePath("missing/out.txt"), CLineSnapshot("text"), 1, CStandIns(), 0);
    saver.start();
    QVERIFY(saver.wait(10000));
    QVERIFY(!saver.succeeded());
    QVERIFY(!saver.errorString().isEmpty());
    QVERIFY(!QFile::exists(m_pDir->filePath("missing/out.txt")));
}

void TestFileSaver::snapshotNotAddingUpIsRefused_data()
{
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("chars");
    QTest::addColumn<bool>("refused");
    // "a\nbc" is two blocks and four characters with the separator.
    QTest::newRow("adds up") << 2 << 4 << false;
    QTest::newRow("block missing") << 3 << 4 << true;
    QTest::newRow("characters missing") << 2 << 5 << true;
}

void TestFileSaver::snapshotNotAddingUpIsRefused()
{
    QFETCH(int, blocks);
    QFETCH(int, chars);
    QFETCH(bool, refused);
    CLineTable lines;
    lines.reset("a\nbc");
    const QString strPath = m_pDir->filePath("out.txt");
    CFileSaver saver(strPath, CLineSnapshot(lines, {}, blocks, chars), CHighlightEdit::ReturnUnix,
                     CStandIns(), 0);
    saver.start();
    QVERIFY(saver.wait(10000));
    QCOMPARE(saver.refused(), refused);
    QCOMPARE(saver.succeeded(), !refused);
    QCOMPARE(QFile::exists(strPath), !refused);
    if (!refused)
        QCOMPARE(read(strPath), QByteArray("a\nbc"));
}

void TestFileSaver::piecesMakeTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pieceChars");
    const QString strPair = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two units
    QTest::newRow("empty") << QString() << 4;
    QTest::newRow("empty lines") << "\n\r\n\r" << 2;
    QTest::newRow("pairs at every cut") << QString("a" + strPair.repeated(9) + "\nb" + strPair) << 2;
    QTest::newRow("pairs, odd pieces") << QString(strPair.repeated(7) + "\n" + strPair) << 3;
    QTest::newRow("long line") << QString("x").repeated(70000) + "\ny" << 64 * 1024;
}

void TestFileSaver::piecesMakeTheText()
{
    QFETCH(QString, text);
    QFETCH(int, pieceChars);
    CLineTable lines;
    lines.reset(text);
    // A changed line is held apart from the text.
    lines.replace(0, 0, {lines.line(0) + QString::fromUtf8("\xC3\xA9")});
    QString strJoined;
    QVERIFY(lines.forEachPiece(pieceChars, [&](const QString& strPiece) {
        if (strPiece.isEmpty() || strPiece.size() > pieceChars + 1 || strPiece.back().isHighSurrogate())
            return false;
        strJoined += strPiece;
        return true;
    }));
    QCOMPARE(strJoined, lines.rawText());
}

QTEST_MAIN(TestFileSaver)
#include "tst_filesaver.moc"
