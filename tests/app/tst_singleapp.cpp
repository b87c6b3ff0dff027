// The single-instance channel between real processes. Each case runs its
// processes with a private temporary folder, which isolates their channel
// from any other editor on the machine.
#include "app/Startup.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <signal.h>
#include <unistd.h>

class TestSingleApp : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void twoQuickSendersArriveInOrder();
    void keyNamesUserAndDisplay_data();
    void keyNamesUserAndDisplay();
    void otherDisplayHasItsOwnChannel();
    void editorHandsOffQuotedArguments_data();
    void editorHandsOffQuotedArguments();
    void fullBlockDropsMessageInsteadOfOverwriting();
    void killedOwnerIsReplacedByNextStart();
    void editorStartedAfterKillShowsWindow();

private:
    QProcessEnvironment environment() const;
    QProcess* startReceiver(int nSeconds = 30);
    QString runPeer(const QStringList& lstArgs);
    QStringList messages(QProcess* pProcess);

    std::unique_ptr<QTemporaryDir> m_pDir;
    QList<QProcess*> m_lstProcesses;
    QMap<QProcess*, QByteArray> m_mapOutput;
    QString m_strDisplay; // DISPLAY of the peers started next, when set
};

void TestSingleApp::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
}

void TestSingleApp::cleanup()
{
    for (QProcess* pProcess : qAsConst(m_lstProcesses)) {
        pProcess->terminate();
        if (!pProcess->waitForFinished(3000)) {
            pProcess->kill();
            pProcess->waitForFinished(3000);
        }
        delete pProcess;
    }
    m_lstProcesses.clear();
    m_mapOutput.clear();
    m_strDisplay.clear();
    // Segments of killed processes outlive them: one clean owner that ends
    // at once takes over whatever is left and releases it.
    runPeer({"receive", "0"});
}

QProcessEnvironment TestSingleApp::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", m_pDir->path());
    env.insert("HOME", m_pDir->path());
    env.insert("XDG_CONFIG_HOME", m_pDir->path() + "/config");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    if (!m_strDisplay.isEmpty()) {
        env.remove("WAYLAND_DISPLAY");
        env.insert("DISPLAY", m_strDisplay);
    }
    return env;
}

QProcess* TestSingleApp::startReceiver(int nSeconds)
{
    auto* pProcess = new QProcess;
    m_lstProcesses.append(pProcess);
    pProcess->setProcessEnvironment(environment());
    connect(pProcess, &QProcess::readyReadStandardOutput, this,
            [this, pProcess]() { m_mapOutput[pProcess] += pProcess->readAllStandardOutput(); });
    pProcess->start(SCRB_PEER_BINARY, {"receive", QString::number(nSeconds)});
    return pProcess;
}

QString TestSingleApp::runPeer(const QStringList& lstArgs)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(SCRB_PEER_BINARY, lstArgs);
    if (!process.waitForFinished(10000))
        return "TIMEOUT";
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList TestSingleApp::messages(QProcess* pProcess)
{
    QStringList lstMessages;
    const QStringList lstLines = QString::fromUtf8(m_mapOutput.value(pProcess)).split('\n');
    for (const QString& strLine : lstLines) {
        if (strLine.startsWith("MSG:"))
            lstMessages.append(strLine.mid(4));
    }
    return lstMessages;
}

void TestSingleApp::twoQuickSendersArriveInOrder()
{
    QProcess* pReceiver = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(m_mapOutput.value(pReceiver).startsWith("READY"), 10000);
    QCOMPARE(runPeer({"send", "first"}), QString("SENT"));
    QCOMPARE(runPeer({"send", "second"}), QString("SENT"));
    QTRY_COMPARE_WITH_TIMEOUT(messages(pReceiver), (QStringList{"first", "second"}), 5000);
}

void TestSingleApp::keyNamesUserAndDisplay_data()
{
    QTest::addColumn<QStringList>("vars"); // NAME=value
    QTest::addColumn<QString>("suffix");   // after the user's key
    QTest::newRow("x display") << QStringList{"DISPLAY=:0"} << "__0";
    QTest::newRow("screens share") << QStringList{"DISPLAY=:0.1"} << "__0";
    QTest::newRow("remote display") << QStringList{"DISPLAY=host.example:10.0"} << "_host_example_10";
    QTest::newRow("wayland first") << QStringList{"DISPLAY=:1", "WAYLAND_DISPLAY=wayland-0"} << "_wayland_0";
    QTest::newRow("login session") << QStringList{"XDG_SESSION_ID=c7"} << "_c7";
    QTest::newRow("none") << QStringList{} << "";
}

void TestSingleApp::keyNamesUserAndDisplay()
{
    QFETCH(QStringList, vars);
    QFETCH(QString, suffix);
    QProcessEnvironment env;
    for (const QString& strVar : vars)
        env.insert(strVar.section('=', 0, 0), strVar.section('=', 1));
    QCOMPARE(singleInstanceKey(env), "scrb_uniqe_2016_" + QString::number(getuid()) + suffix);
}

void TestSingleApp::otherDisplayHasItsOwnChannel()
{
    m_strDisplay = ":71";
    QProcess* pReceiver = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(m_mapOutput.value(pReceiver).startsWith("READY"), 10000);
    m_strDisplay = ":72";
    QCOMPARE(runPeer({"send", "elsewhere"}), QString("OWNER"));
    m_strDisplay = ":71.0";
    QCOMPARE(runPeer({"send", "here"}), QString("SENT"));
    QTRY_COMPARE_WITH_TIMEOUT(messages(pReceiver), QStringList{"here"}, 5000);
}

void TestSingleApp::editorHandsOffQuotedArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("two files") << QStringList{"a", "b"} << "\"a\" \"b\"";
    QTest::newRow("no arguments") << QStringList{} << " ";
    QTest::newRow("spaces and non-ascii")
        << QStringList{QString::fromUtf8("/home/u/日本 語/ファイル.txt"), "/x y.txt"}
        << QString::fromUtf8("\"/home/u/日本 語/ファイル.txt\" \"/x y.txt\"");
    QTest::newRow("already quoted") << QStringList{"\"q r\""} << "\"q r\"";
}

void TestSingleApp::editorHandsOffQuotedArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QProcess* pReceiver = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(m_mapOutput.value(pReceiver).startsWith("READY"), 10000);

    QProcess editor;
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    editor.setProcessEnvironment(env);
    editor.start(SCRB_BINARY, args);
    QVERIFY(editor.waitForFinished(15000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages(pReceiver), QStringList{message}, 5000);
}

void TestSingleApp::fullBlockDropsMessageInsteadOfOverwriting()
{
    QProcess* pReceiver = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(m_mapOutput.value(pReceiver).startsWith("READY"), 10000);
    // Hold the receiver still so that it cannot empty the block in between.
    ::kill(static_cast<pid_t>(pReceiver->processId()), SIGSTOP);
    const QString strFirst = runPeer({"send-bytes", "65000"});
    const QString strSecond = runPeer({"send-bytes", "600"});
    const QString strThird = runPeer({"send", "fits"});
    ::kill(static_cast<pid_t>(pReceiver->processId()), SIGCONT);
    QCOMPARE(strFirst, QString("SENT"));
    QCOMPARE(strSecond, QString("DROPPED"));
    QCOMPARE(strThird, QString("SENT"));
    QTRY_COMPARE_WITH_TIMEOUT(messages(pReceiver).size(), 2, 5000);
    QCOMPARE(messages(pReceiver).at(0), QString(65000, 'x'));
    QCOMPARE(messages(pReceiver).at(1), QString("fits"));
}

void TestSingleApp::killedOwnerIsReplacedByNextStart()
{
    QProcess* pFirst = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(m_mapOutput.value(pFirst).startsWith("READY"), 10000);
    QCOMPARE(runPeer({"send", "to first"}), QString("SENT"));
    ::kill(static_cast<pid_t>(pFirst->processId()), SIGKILL);
    QVERIFY(pFirst->waitForFinished(5000));

    QProcess* pSecond = startReceiver();
    QTRY_VERIFY_WITH_TIMEOUT(!m_mapOutput.value(pSecond).isEmpty(), 10000);
    QVERIFY2(m_mapOutput.value(pSecond).startsWith("READY"), m_mapOutput.value(pSecond));
    QCOMPARE(runPeer({"send", "to second"}), QString("SENT"));
    // Whatever the dead owner left unread is not replayed to its successor.
    QTRY_COMPARE_WITH_TIMEOUT(messages(pSecond), QStringList{"to second"}, 5000);
}

void TestSingleApp::editorStartedAfterKillShowsWindow()
{
    if (qgetenv("DISPLAY").isEmpty())
        QSKIP("needs an X server (run under xvfb-run)");
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    auto startEditor = [&]() {
        auto* pProcess = new QProcess;
        m_lstProcesses.append(pProcess);
        pProcess->setProcessEnvironment(env);
        pProcess->start(SCRB_BINARY, QStringList());
        return pProcess;
    };
    QString strLastX;
    auto windowShown = [&strLastX]() {
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-root", "-tree"});
        xwininfo.waitForFinished(5000);
        const QByteArray arrOut = xwininfo.readAllStandardOutput();
        strLastX = QString::fromLocal8Bit(xwininfo.readAllStandardError()).trimmed();
        return arrOut.contains("\"Scribo\"");
    };
    const auto describe = [&](QProcess* pEditor) {
        return QString("editor %1, exit %2, stderr: %3; xwininfo: %4")
            .arg(pEditor->state() == QProcess::Running ? "running" : "not running")
            .arg(pEditor->exitCode())
            .arg(QString::fromLocal8Bit(pEditor->readAllStandardError()).trimmed(), strLastX);
    };
    QProcess* pFirst = startEditor();
    QTRY_VERIFY2_WITH_TIMEOUT(windowShown(), qPrintable(describe(pFirst)), 30000);
    ::kill(static_cast<pid_t>(pFirst->processId()), SIGKILL);
    QVERIFY(pFirst->waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(!windowShown() && strLastX.isEmpty(), 10000);

    QProcess* pSecond = startEditor();
    QTRY_VERIFY2_WITH_TIMEOUT(windowShown(), qPrintable(describe(pSecond)), 30000);
    QCOMPARE(pSecond->state(), QProcess::Running);
    // And it now receives what later starts hand over.
    QCOMPARE(runPeer({"send", "hello"}), QString("SENT"));
}

QTEST_GUILESS_MAIN(TestSingleApp)
#include "tst_singleapp.moc"
