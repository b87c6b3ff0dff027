// The interface language follows the system locale; each locale runs in a
// child process because the system locale is read once per process.
#include <QProcess>
#include <QtTest>

class TestStartupLocale : public QObject
{
    Q_OBJECT
private slots:
    void interfaceFollowsLocale_data();
    void interfaceFollowsLocale();
};

void TestStartupLocale::interfaceFollowsLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("menus");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("qtCancel");
    QTest::newRow("english") << "en_US.UTF-8" << "" << "File|Edit|Format|View|Help"
                             << "Open..." << "Cancel";
    QTest::newRow("japanese") << "ja_JP.UTF-8" << "lang_ja_jp.qm,qt_ja_jp.qm,qtbase_ja_jp.qm"
                              << QString::fromUtf8("ファイル|編集|書式|表示|ヘルプ")
                              << QString::fromUtf8("開く...") << QString::fromUtf8("キャンセル");
    QTest::newRow("chinese") << "zh_CN.UTF-8" << "lang_zh_cn.qm,qt_zh_cn.qm"
                             << QString::fromUtf8("文件|编辑|格式|视图|帮助")
                             << QString::fromUtf8("打开...") << QString::fromUtf8("取消");
}

void TestStartupLocale::interfaceFollowsLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, loaded);
    QFETCH(QString, menus);
    QFETCH(QString, open);
    QFETCH(QString, qtCancel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    env.remove("LANGUAGE");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(SCRB_STARTUP_PROBE, QStringList());
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitCode(), 0);
    const QStringList lstLines = QString::fromUtf8(probe.readAllStandardOutput()).split('\n');
    QVERIFY2(lstLines.size() >= 4, qPrintable(lstLines.join('\n')));
    QCOMPARE(lstLines.at(0), "LOADED:" + loaded);
    QCOMPARE(lstLines.at(1), "MENUS:" + menus);
    QCOMPARE(lstLines.at(2), "OPEN:" + open);
    QCOMPARE(lstLines.at(3), "QT:" + qtCancel);
}

QTEST_GUILESS_MAIN(TestStartupLocale)
#include "tst_startup_locale.moc"
