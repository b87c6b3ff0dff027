// The directory gatherer thread: what a batch holds, the order of batches
// when the root changes during a walk, aborting, stopping, tear-down.
#include "browser/CFileInfoGatherer.h"

#include "TreeMaker.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What the gatherer reports, collected on the GUI thread (QSignalSpy would
// record in the worker thread).
class Recorder : public QObject
{
public:
    explicit Recorder(CFileInfoGatherer* pGatherer)
    {
        connect(pGatherer, &CFileInfoGatherer::newListOfFiles2, this,
                [this](const QString& strDir, const QFileInfoList& lst) {
                    QStringList lstNames;
                    for (const QFileInfo& info : lst)
                        lstNames << info.fileName();
                    lstNames.sort();
                    m_lstDirs << strDir;
                    m_lstNames << lstNames;
                });
        connect(pGatherer, &CFileInfoGatherer::directoryLoaded, this,
                [this](const QString& strDir) { m_lstLoaded << strDir; });
    }
    QStringList m_lstDirs;          // one per batch
    QList<QStringList> m_lstNames; // the entries of each batch, sorted
    QStringList m_lstLoaded;
};

QStringList deepTree(int nDepth)
{
    QStringList lst;
    QString strPath;
    for (int i = 0; i < nDepth; ++i)
        lst << (strPath += QString("d%1/").arg(i)) + "f.txt";
    return lst;
}
} // namespace

class TestFileInfoGatherer : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_pDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_pDir->isValid());
    }
    void emptyRootListsDrivesThenTheirTopLevel();
    void batchFilters_data();
    void batchFilters();
    void unreadableFolderGivesEmptyBatch();
    void newRootDuringDeepWalk();
    void abortBetweenFoldersEndsTheWalk();
    void walkSkipsLinksPipesAndLoops();
    void stopWhenIdleAndDestroyWhileListing();

private:
    QString path(const QString& strName) const { return m_pDir->filePath(strName); }
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestFileInfoGatherer::emptyRootListsDrivesThenTheirTopLevel()
{
    CFileInfoGatherer gatherer;
    gatherer.setRecursive(false);
    Recorder rec(&gatherer);
    gatherer.fetch(QString()); // drives not listed: nothing
    QTRY_VERIFY(!gatherer.isRunning());
    gatherer.setListDrives(true);
    gatherer.fetch(QString());
    const QString strDrive = CFileInfoGatherer::driveName(QDir::drives().first());
    QTRY_COMPARE(rec.m_lstLoaded, (QStringList {QString(), strDrive}));
    QCOMPARE(rec.m_lstDirs, rec.m_lstLoaded);
    QCOMPARE(rec.m_lstNames.at(0).size(), QDir::drives().size());
    QCOMPARE(rec.m_lstNames.at(1),
             QDir(strDrive).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                      | QDir::NoDotAndDotDot, QDir::Name));
}

void TestFileInfoGatherer::batchFilters_data()
{
    QTest::addColumn<bool>("bSkipHidden");
    QTest::addColumn<bool>("bDirsOnly");
    QTest::addColumn<QStringList>("lstExpected");
    QTest::newRow("all") << false << false << QStringList {".hid", ".hiddir", "a.txt", "sub"};
    QTest::newRow("hidden skipped") << true << false << QStringList {"a.txt", "sub"};
    QTest::newRow("folders only") << false << true << QStringList {".hiddir", "sub"};
}

void TestFileInfoGatherer::batchFilters()
{
    QFETCH(bool, bSkipHidden);
    QFETCH(bool, bDirsOnly);
    QFETCH(QStringList, lstExpected);
    QVERIFY(makeTree(m_pDir->path(), {".hid", ".hiddir/", "a.txt", "sub/inner.txt"}));
    CFileInfoGatherer gatherer;
    gatherer.setSkipHidden(bSkipHidden);
    gatherer.setDirsOnly(bDirsOnly);
    gatherer.setRecursive(false);
    Recorder rec(&gatherer);
    gatherer.fetch(m_pDir->path());
    QTRY_COMPARE(rec.m_lstLoaded, QStringList {m_pDir->path()});
    QCOMPARE(rec.m_lstNames, QList<QStringList> {lstExpected}); // never "." or ".."
}

void TestFileInfoGatherer::unreadableFolderGivesEmptyBatch()
{
    QStringList lstFolders {path("missing")};
    if (geteuid() != 0) { // permissions do not stop root
        QVERIFY(makeTree(m_pDir->path(), {"locked/secret.txt"}));
        QVERIFY(QFile::setPermissions(path("locked"), QFileDevice::Permissions()));
        lstFolders << path("locked");
    }
    CFileInfoGatherer gatherer;
    Recorder rec(&gatherer);
    for (const QString& strFolder : lstFolders) {
        gatherer.fetch(strFolder);
        QTRY_VERIFY(rec.m_lstLoaded.contains(strFolder));
    }
    QCOMPARE(rec.m_lstDirs, lstFolders);
    for (const QStringList& lst : qAsConst(rec.m_lstNames))
        QVERIFY(lst.isEmpty());
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                              | QFileDevice::WriteOwner);
}

void TestFileInfoGatherer::newRootDuringDeepWalk()
{
    QStringList lstOld = deepTree(20);
    for (int i = 0; i < 1000; ++i)
        lstOld << QString("d0/big%1.txt").arg(i);
    QVERIFY(makeTree(path("old"), lstOld));
    QVERIFY(makeTree(path("new"), {"n1/x.txt", "n2/"}));
    CFileInfoGatherer gatherer;
    Recorder rec(&gatherer);
    gatherer.fetch(path("old"));
    QTRY_VERIFY(!rec.m_lstLoaded.isEmpty());
    gatherer.fetch(path("new"));
    QTRY_VERIFY(!gatherer.isRunning());
    QTRY_COMPARE(rec.m_lstLoaded.last(), path("new/n2"));
    // The old walk ended early with the batch it was gathering; the new
    // root was listed from scratch after it.
    const int nFirstNew = rec.m_lstDirs.indexOf(path("new"));
    QVERIFY(nFirstNew >= 1 && nFirstNew < 20);
    for (const QString& strDir : rec.m_lstDirs.mid(0, nFirstNew))
        QVERIFY(strDir.startsWith(path("old")));
    QCOMPARE(rec.m_lstDirs.mid(nFirstNew),
             (QStringList {path("new"), path("new/n1"), path("new/n2")}));
}

void TestFileInfoGatherer::abortBetweenFoldersEndsTheWalk()
{
    QVERIFY(makeTree(m_pDir->path(), deepTree(30)));
    CFileInfoGatherer gatherer;
    Recorder rec(&gatherer);
    // Arrives while the worker pauses after the first folder.
    connect(&gatherer, &CFileInfoGatherer::directoryLoaded, this, [&] { gatherer.abort(); });
    gatherer.fetch(m_pDir->path());
    QTRY_VERIFY(!rec.m_lstLoaded.isEmpty());
    QTRY_VERIFY(!gatherer.isRunning());
    QCoreApplication::processEvents();
    QVERIFY2(rec.m_lstLoaded.size() <= 2, qPrintable(rec.m_lstLoaded.join('\n')));
}

void TestFileInfoGatherer::walkSkipsLinksPipesAndLoops()
{
    QVERIFY(makeTree(m_pDir->path(), {"a/b/c.txt", "file.txt"}));
    QVERIFY(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
    QVERIFY(QFile::link(path("nowhere"), path("dangling")));
    QVERIFY(QFile::link(path("a"), path("a/b/back-up")));
    CFileInfoGatherer gatherer;
    Recorder rec(&gatherer);
    gatherer.fetch(m_pDir->path());
    QTRY_VERIFY(!gatherer.isRunning());
    QTRY_COMPARE(rec.m_lstDirs, (QStringList {m_pDir->path(), path("a"), path("a/b")}));
    QCOMPARE(rec.m_lstNames.at(0), (QStringList {"a", "dangling", "file.txt", "pipe"}));
}

void TestFileInfoGatherer::stopWhenIdleAndDestroyWhileListing()
{
    QStringList lst;
    for (int i = 0; i < 1000; ++i)
        lst << QString("file%1.txt").arg(i);
    QVERIFY(makeTree(m_pDir->path(), lst));
    CFileInfoGatherer idle;
    idle.stop();
    QVERIFY(!idle.isRunning());
    Recorder rec(&idle);
    idle.fetch(m_pDir->path()); // still works after a stop
    QTRY_COMPARE(rec.m_lstNames.value(0).size(), lst.size());
    for (int nRound = 0; nRound < 3; ++nRound) {
        auto pGatherer = std::make_unique<CFileInfoGatherer>();
        pGatherer->fetch(m_pDir->path());
        QTest::qWait(nRound * 5);
        pGatherer.reset(); // neither blocks long nor crashes (sanitizers watch)
    }
}

QTEST_MAIN(TestFileInfoGatherer)
#include "tst_fileinfogatherer.moc"
