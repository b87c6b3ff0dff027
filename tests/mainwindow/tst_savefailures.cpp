// Saving where it cannot succeed: a full disk, a read-only folder, a file
// marked read-only, a folder that has vanished. Each gives a message that
// names the file and the reason; the document stays modified and the file
// on disk keeps every byte it had. Small file systems of its own are mounted
// where the test runs in its own namespaces (see own-mounts.sh).
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/mount.h>

class TestSaveFailures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void saveFails_data();
    void saveFails();

private:
    bool mountTmpfs(const QString& strFolder, const char* szOptions);
    static QByteArray bytesOf(const QString& strPath);
    static void write(const QString& strPath, const QByteArray& arr);

    std::unique_ptr<TestEnv> m_pEnv;
    QTemporaryDir m_dir;
    QStringList m_lstMounts;
    MainWindow* m_pWindow = nullptr;
};

bool TestSaveFailures::mountTmpfs(const QString& strFolder, const char* szOptions)
{
    if (!QDir().mkpath(strFolder))
        return false;
    const QByteArray arrFolder = QFile::encodeName(strFolder);
    if (::mount("tmpfs", arrFolder.constData(), "tmpfs", 0, szOptions) != 0)
        return false;
    m_lstMounts.append(strFolder);
    return true;
}

QByteArray TestSaveFailures::bytesOf(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestSaveFailures::write(const QString& strPath, const QByteArray& arr)
{
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(arr), qint64(arr.size()));
}

void TestSaveFailures::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestSaveFailures::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pWindow = new MainWindow;
    m_pWindow->resize(800, 600);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
}

void TestSaveFailures::cleanup()
{
    delete m_pWindow;
    m_pEnv.reset();
    while (!m_lstMounts.isEmpty())
        ::umount2(QFile::encodeName(m_lstMounts.takeLast()).constData(), MNT_DETACH);
}

void TestSaveFailures::saveFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("size");     // of the text
    QTest::addColumn<bool>("saveAs");  // to a new name in the folder
    QTest::newRow("full disk") << "full disk" << 40000 << false;
    QTest::newRow("full disk, large text saved in the background") << "full disk" << 1200000 << false;
    QTest::newRow("read-only folder, new name") << "read-only folder" << 100 << true;
    QTest::newRow("read-only folder, same name") << "read-only folder" << 100 << false;
    QTest::newRow("file made read-only") << "read-only file" << 100 << false;
    QTest::newRow("large file made read-only") << "read-only file" << 1200000 << false;
    QTest::newRow("folder vanished") << "vanished" << 100 << false;
    QTest::newRow("folder vanished, new name") << "vanished" << 100 << true;
}

void TestSaveFailures::saveFails()
{
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(bool, saveAs);
    const QString strFolder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    const bool bMounts = kind == "full disk" || kind == "read-only folder";
    // Room for the file once, not for a second copy beside it.
    const QByteArray arrOptions = "size=" + QByteArray::number((size * 3 / 2) / 4096 * 4096 + 8192);
    if (bMounts && !mountTmpfs(strFolder, arrOptions.constData()))
        QSKIP("cannot mount a file system of its own here (run through own-mounts.sh)");
    QVERIFY(QDir().mkpath(strFolder));
    const QString strPath = QDir(strFolder).filePath("doc.txt");
    const QByteArray arrOld = QByteArray("line one\r\n").repeated(size / 10);
    write(strPath, arrOld);

    QVERIFY(m_pWindow->openFile(strPath));
    auto* pEditor = qobject_cast<CHighlightEdit*>(m_pWindow->findChild<CTabWidget*>()->currentWidget());
    QVERIFY(pEditor);
    QTRY_VERIFY(!pEditor->isLoading());
    QTest::keyClicks(pEditor, "edited ");
    QVERIFY(pEditor->document()->isModified());

    if (kind == "read-only folder")
        QVERIFY(::mount(nullptr, QFile::encodeName(strFolder).constData(), nullptr,
                        MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    else if (kind == "read-only file")
        QVERIFY(QFile::setPermissions(strPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    else if (kind == "vanished")
        QVERIFY(QDir(strFolder).removeRecursively());
    const QStringList lstBefore = QDir(strFolder).entryList(QDir::AllEntries | QDir::Hidden);

    const QString strTarget = saveAs ? QDir(strFolder).filePath("new name.txt") : strPath;
    ModalDriver driver;
    if (saveAs)
        driver.chooseFile(strTarget);
    driver.answer(QMessageBox::Ok);
    auto* pAction = m_pWindow->findChild<QAction*>(saveAs ? "actionSave_As" : "actionSave");
    QVERIFY(pAction);
    pAction->trigger();
    QTRY_COMPARE(driver.pending(), 0);
    const ModalDriver::Seen& message = driver.seen().constLast();
    QCOMPARE(message.strTitle, saveAs ? QString("Fail to open file") : QString("Fail to save file"));
    QVERIFY2(message.strText.contains(strTarget), qPrintable(message.strText));
    // The second line says why.
    QVERIFY2(message.strText.split('\n').size() == 2 && !message.strText.split('\n').at(1).isEmpty(),
             qPrintable(message.strText));

    QVERIFY(pEditor->document()->isModified());
    QCOMPARE(pEditor->filePath(), strPath);
    QCOMPARE(bytesOf(strPath), kind == "vanished" ? QByteArray("<missing>") : arrOld);
    QVERIFY(!QFileInfo::exists(QDir(strFolder).filePath("new name.txt")));
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(strFolder).entryList(QDir::AllEntries | QDir::Hidden), lstBefore);
}

QTEST_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
