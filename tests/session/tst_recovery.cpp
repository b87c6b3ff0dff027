// Recovery files: written off the window's thread from a copy taken in
// slices, removed when no longer needed, and found again after a run died.
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "session/CDocumentSnapshot.h"
#include "session/CRecovery.h"
#include "session/CRecoveryWriter.h"

#include <QDir>
#include <QHostInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void writerKeepsTextAndOrder();
    void snapshotOfOneMoment();
    void editedTextRecoveredAfterDeath();
    void liveRunIsNotAnOrphan();
    void savedOrClosedLeavesNothing();

private:
    // Makes a run folder look like the folder of a run whose process died.
    void killRun(const QString& strRunFolder);
    static QString runFolder(const QString& strRecovery);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestRecovery::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestRecovery::cleanup()
{
    m_pEnv.reset();
}

QString TestRecovery::runFolder(const QString& strRecovery)
{
    const QStringList lst = QDir(strRecovery).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return lst.size() == 1 ? QDir(strRecovery).filePath(lst.first()) : QString();
}

void TestRecovery::killRun(const QString& strRunFolder)
{
    // No process has the largest id the kernel hands out.
    QFile pidMax("/proc/sys/kernel/pid_max");
    QVERIFY(pidMax.open(QIODevice::ReadOnly));
    const QByteArray arrPid = pidMax.readAll().trimmed();
    QFile lock(QDir(strRunFolder).filePath(CRecovery::LockName));
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(arrPid + "\nscrb\n" + QHostInfo::localHostName().toUtf8() + "\n");
}

void TestRecovery::writerKeepsTextAndOrder()
{
    const QString strBase = m_pDir->filePath("1");
    CRecoveryWriter writer;
    QString strText = QString::fromUtf8("first") + QChar(QChar::ParagraphSeparator) + QString::fromUtf8("ü\u2028x");
    writer.write(strBase, strText, "{}");
    writer.flush();
    QFile text(CRecoveryWriter::textPath(strBase));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("f\0i\0r\0s\0t\0\n\0\xfc\0\x28\x20x\0", 18));
    QVERIFY(QFile::exists(CRecoveryWriter::metaPath(strBase)));
    // A removal asked after a write wins, however the thread runs.
    for (int i = 0; i < 50; ++i) {
        writer.write(strBase, strText, "{}");
        writer.remove(strBase);
    }
    writer.flush();
    QVERIFY(!QFile::exists(CRecoveryWriter::textPath(strBase)));
    QVERIFY(!QFile::exists(CRecoveryWriter::metaPath(strBase)));
}

void TestRecovery::snapshotOfOneMoment()
{
    QTextDocument doc;
    QString strLine(1000, 'x');
    QStringList lstLines;
    for (int i = 0; i < 3 * CDocumentSnapshot::SliceChars / 1000; ++i)
        lstLines << strLine + QString::number(i);
    doc.setPlainText(lstLines.join('\n'));
    CDocumentSnapshot snapshot(&doc);
    QSignalSpy spyDone(&snapshot, &CDocumentSnapshot::finished);
    QSignalSpy spyAbandoned(&snapshot, &CDocumentSnapshot::abandoned);
    snapshot.start();
    QTRY_COMPARE(spyDone.count(), 1);
    QCOMPARE(spyDone.at(0).at(0).toString(), doc.toRawText());

    // An edit while copying: that copy is dropped.
    snapshot.start();
    QTextCursor(&doc).insertText("edit");
    QCOMPARE(spyAbandoned.count(), 1);
    QTest::qWait(50);
    QCOMPARE(spyDone.count(), 1);
}

void TestRecovery::editedTextRecoveredAfterDeath()
{
    const QString strRecovery = m_pDir->filePath("recovery");
    {
        CRecovery recovery(strRecovery);
        QVERIFY(recovery.isActive());
        CHighlightEdit edit;
        edit.setFilePath("/somewhere/notes.txt");
        edit.setReturnFormat(CHighlightEdit::ReturnUnix);
        recovery.track(&edit);
        edit.setPlainText("line one\nline two");
        edit.setModified(true);
        edit.appendPlainText("typed");
        const QString strRun = runFolder(strRecovery);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(strRun).filePath("1.json")), 3 * CRecovery::DelayMs);
        recovery.flush();
        // The run dies here: its files stay, its lock is stale.
        const QString strCopy = strRecovery + "/dead-run";
        QDir().mkpath(strCopy);
        for (const QString& strName : QDir(strRun).entryList(QDir::Files))
            QFile::copy(QDir(strRun).filePath(strName), QDir(strCopy).filePath(strName));
        killRun(strCopy);
        edit.setModified(false);
    }
    QFile junk(strRecovery + "/dead-run/2.json"); // a description without its text
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("{\"path\":\"x\"}");
    junk.close();

    CRecovery next(strRecovery);
    QCOMPARE(next.orphans().size(), 1);
    QCOMPARE(next.damagedOrphans(), 1);
    const CRecoveredDocument doc = next.orphans().first();
    QCOMPARE(doc.strPath, QString("/somewhere/notes.txt"));
    QCOMPARE(doc.strText, QString("line one\nline two\ntyped"));
    QCOMPARE(doc.nReturnFormat, int(CHighlightEdit::ReturnUnix));
    next.releaseOrphans();
    QVERIFY(!QDir(strRecovery + "/dead-run").exists());
}

void TestRecovery::liveRunIsNotAnOrphan()
{
    const QString strRecovery = m_pDir->filePath("recovery");
    CRecovery first(strRecovery);
    CHighlightEdit edit;
    first.track(&edit);
    edit.setPlainText("unsaved");
    edit.setModified(true);
    edit.insertPlainText("x");
    const QString strRun = runFolder(strRecovery);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(strRun).filePath("1.json")), 3 * CRecovery::DelayMs);
    CRecovery second(strRecovery); // another window of the same user, running
    QVERIFY(second.orphans().isEmpty());
    QVERIFY(QFile::exists(QDir(strRun).filePath("1.json")));
}

void TestRecovery::savedOrClosedLeavesNothing()
{
    const QString strRecovery = m_pDir->filePath("recovery");
    CRecovery recovery(strRecovery);
    auto* pEdit = new CHighlightEdit;
    recovery.track(pEdit);
    pEdit->setPlainText("text");
    pEdit->setModified(true);
    pEdit->insertPlainText("x");
    const QString strEntry = QDir(runFolder(strRecovery)).filePath("1.json");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(strEntry), 3 * CRecovery::DelayMs);
    pEdit->setModified(false); // saved
    recovery.flush();
    QVERIFY(!QFile::exists(strEntry));
    pEdit->insertPlainText("y");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(strEntry), 3 * CRecovery::DelayMs);
    delete pEdit; // closed without saving
    recovery.flush();
    QVERIFY(!QFile::exists(strEntry));
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
