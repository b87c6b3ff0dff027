#include "util/SaveFile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

class TestSaveFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void replacesContent();
    void keepsPermissions();
    void writesThroughSymbolicLink();
    void failedWriteLeavesOldFileIntact();
    void missingFolderFails();

private:
    static QByteArray read(const QString& strPath);
    static void write(const QString& strPath, const QByteArray& arr);
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestSaveFile::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
}

QByteArray TestSaveFile::read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestSaveFile::write(const QString& strPath, const QByteArray& arr)
{
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(arr);
}

void TestSaveFile::replacesContent()
{
    const QString strPath = m_pDir->filePath("a.txt");
    write(strPath, "a much longer old content\n");
    QVERIFY(saveFileAtomically(strPath, "new"));
    QCOMPARE(read(strPath), QByteArray("new"));
    QVERIFY(saveFileAtomically(m_pDir->filePath("fresh.txt"), "created"));
    QCOMPARE(read(m_pDir->filePath("fresh.txt")), QByteArray("created"));
    QCOMPARE(QDir(m_pDir->path()).entryList(QDir::Files).size(), 2); // no temporary left over
}

void TestSaveFile::keepsPermissions()
{
    const QString strPath = m_pDir->filePath("script.sh");
    write(strPath, "#!/bin/sh\n");
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                     | QFile::ReadGroup | QFile::ExeGroup;
    QVERIFY(QFile::setPermissions(strPath, perms));
    QVERIFY(saveFileAtomically(strPath, "#!/bin/sh\necho hi\n"));
    QCOMPARE(QFileInfo(strPath).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             perms);
}

void TestSaveFile::writesThroughSymbolicLink()
{
    QDir(m_pDir->path()).mkdir("real");
    const QString strTarget = m_pDir->filePath("real/target.txt");
    const QString strLink = m_pDir->filePath("link.txt");
    const QString strLink2 = m_pDir->filePath("link2.txt");
    write(strTarget, "old");
    QVERIFY(QFile::link(strTarget, strLink));
    QVERIFY(QFile::link(strLink, strLink2)); // a link to a link
    QVERIFY(saveFileAtomically(strLink2, "through two links"));
    QVERIFY(QFileInfo(strLink).isSymLink());
    QVERIFY(QFileInfo(strLink2).isSymLink());
    QCOMPARE(read(strTarget), QByteArray("through two links"));
}

void TestSaveFile::failedWriteLeavesOldFileIntact()
{
    const QString strPath = m_pDir->filePath("precious.txt");
    const QByteArray arrOld(4000, 'o');
    write(strPath, arrOld);
    // A file-size limit makes the write fail halfway, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limOld {};
    getrlimit(RLIMIT_FSIZE, &limOld);
    rlimit limSmall = limOld;
    limSmall.rlim_cur = 8192;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limSmall) == 0);
    QString strError;
    const bool bSaved = saveFileAtomically(strPath, QByteArray(100000, 'n'), &strError);
    setrlimit(RLIMIT_FSIZE, &limOld);
    QVERIFY(!bSaved);
    QVERIFY(!strError.isEmpty());
    QCOMPARE(read(strPath), arrOld);
    QCOMPARE(QDir(m_pDir->path()).entryList(QDir::Files), QStringList{"precious.txt"});
}

void TestSaveFile::missingFolderFails()
{
    QVERIFY(!saveFileAtomically(m_pDir->filePath("no/such/folder/x.txt"), "x"));
}

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
