// The platform layer's "show in file manager": which call would be made,
// and the fallback to opening the folder.
#include "util/CPlatformStarter.h"
#include "util/Platform.h"

#include <QDBusMessage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records what would be started instead of starting it.
class RecordingStarter : public CPlatformStarter
{
public:
    bool callSessionBus(const QDBusMessage& msg, std::function<void(bool)> fnReplied) override
    {
        m_lstCalls.append(msg);
        m_fnReplied = fnReplied;
        return m_bBus;
    }
    bool openUrl(const QUrl& url) override
    {
        m_lstUrls.append(url);
        return m_bOpens;
    }

    bool m_bBus = true;
    bool m_bOpens = true;
    QList<QDBusMessage> m_lstCalls;
    QList<QUrl> m_lstUrls;
    std::function<void(bool)> m_fnReplied;
};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showItemsCall();
    void fallback_data();
    void fallback();
    void emptyPathStartsNothing();

private:
    RecordingStarter m_starter;
    QTemporaryDir m_dir;
};

void TestPlatform::init()
{
    m_starter = RecordingStarter();
    setPlatformStarter(&m_starter);
}

void TestPlatform::cleanup()
{
    setPlatformStarter(nullptr);
}

void TestPlatform::showItemsCall()
{
    const QString strPath = m_dir.filePath("a b#c.html");
    QVERIFY(showInExplorer(strPath));
    QCOMPARE(m_starter.m_lstCalls.size(), 1);
    const QDBusMessage& msg = m_starter.m_lstCalls.first();
    QCOMPARE(msg.service(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(msg.path(), QString("/org/freedesktop/FileManager1"));
    QCOMPARE(msg.interface(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(msg.member(), QString("ShowItems"));
    QCOMPARE(msg.arguments().size(), 2);
    // A URI, with the characters a URI cannot hold escaped.
    const QStringList lstUris = msg.arguments().at(0).toStringList();
    QCOMPARE(lstUris.size(), 1);
    QCOMPARE(lstUris.first(), QUrl::fromLocalFile(strPath).toString(QUrl::FullyEncoded));
    QVERIFY(lstUris.first().contains("a%20b%23c.html"));
    QCOMPARE(QUrl(lstUris.first()).toLocalFile(), strPath);
    QCOMPARE(msg.arguments().at(1).toString(), QString());
    QVERIFY(m_starter.m_lstUrls.isEmpty());
}

void TestPlatform::fallback_data()
{
    QTest::addColumn<bool>("bBus");
    QTest::addColumn<int>("nReply"); // -1 no reply yet, 0 failed, 1 succeeded
    QTest::addColumn<bool>("bOpens");
    QTest::addColumn<bool>("bStarted");
    QTest::addColumn<bool>("bFolderOpened");
    QTest::newRow("no session bus") << false << -1 << true << true << true;
    QTest::newRow("no bus, no opener") << false << -1 << false << false << true;
    QTest::newRow("bus call pending") << true << -1 << true << true << false;
    QTest::newRow("file manager shows it") << true << 1 << true << true << false;
    QTest::newRow("no file manager service") << true << 0 << true << true << true;
}

void TestPlatform::fallback()
{
    QFETCH(bool, bBus);
    QFETCH(int, nReply);
    QFETCH(bool, bOpens);
    QFETCH(bool, bStarted);
    QFETCH(bool, bFolderOpened);
    m_starter.m_bBus = bBus;
    m_starter.m_bOpens = bOpens;
    const QString strPath = m_dir.filePath("sub/page.html");
    QCOMPARE(showInExplorer(strPath), bStarted);
    if (nReply >= 0)
        m_starter.m_fnReplied(nReply == 1);
    QCOMPARE(m_starter.m_lstUrls.size(), bFolderOpened ? 1 : 0);
    if (bFolderOpened)
        QCOMPARE(m_starter.m_lstUrls.first(), QUrl::fromLocalFile(m_dir.filePath("sub")));
}

void TestPlatform::emptyPathStartsNothing()
{
    QVERIFY(!showInExplorer(QString()));
    QVERIFY(m_starter.m_lstCalls.isEmpty());
    QVERIFY(m_starter.m_lstUrls.isEmpty());
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
