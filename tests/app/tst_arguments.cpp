#include "app/Arguments.h"

#include <QtTest>

class TestArguments : public QObject
{
    Q_OBJECT
private slots:
    void buildLists_data();
    void buildLists();
    void splitMessage_data();
    void splitMessage();
    void quotedListSplitsBackToPlainList();
};

void TestArguments::buildLists_data()
{
    QTest::addColumn<QStringList>("raw");
    QTest::addColumn<QStringList>("plain");
    QTest::addColumn<QStringList>("quoted");
    QTest::newRow("two files") << QStringList{"a", "b"} << QStringList{"a", "b"}
                               << QStringList{"\"a\"", "\"b\""};
    QTest::newRow("already quoted kept") << QStringList{"\"x y\""} << QStringList{"\"x y\""}
                                         << QStringList{"\"x y\""};
    QTest::newRow("blank dropped, trimmed")
        << QStringList{"  ", "", " /p/f.txt "} << QStringList{"/p/f.txt"}
        << QStringList{"\"/p/f.txt\""};
    QTest::newRow("none") << QStringList{} << QStringList{} << QStringList{};
}

void TestArguments::buildLists()
{
    QFETCH(QStringList, raw);
    QFETCH(QStringList, plain);
    QFETCH(QStringList, quoted);
    QStringList lstPlain, lstQuoted;
    buildArgumentLists(raw, lstPlain, lstQuoted);
    QCOMPARE(lstPlain, plain);
    QCOMPARE(lstQuoted, quoted);
    QCOMPARE(lstQuoted.join(' ').isEmpty(), raw.join("").trimmed().isEmpty());
}

void TestArguments::splitMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("quoted with space") << "\"/a b/c.txt\" \"/d.txt\""
                                       << QStringList{"/a b/c.txt", "/d.txt"};
    QTest::newRow("unquoted") << "/x /y" << QStringList{"/x", "/y"};
    QTest::newRow("single space") << " " << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blank inside quotes dropped") << "\"  \" a" << QStringList{"a"};
    QTest::newRow("non-ascii") << QString::fromUtf8("\"/tmp/日本 語.txt\"")
                               << QStringList{QString::fromUtf8("/tmp/日本 語.txt")};
    QTest::newRow("quote mid-word groups") << "a\"b c\"d" << QStringList{"ab cd"};
}

void TestArguments::splitMessage()
{
    QFETCH(QString, message);
    QFETCH(QStringList, args);
    QCOMPARE(splitArgumentMessage(message), args);
}

void TestArguments::quotedListSplitsBackToPlainList()
{
    const QStringList lstRaw = {"/home/u/my notes.txt", QString::fromUtf8("/tmp/中文 文件.md"), "plain"};
    QStringList lstPlain, lstQuoted;
    buildArgumentLists(lstRaw, lstPlain, lstQuoted);
    QCOMPARE(splitArgumentMessage(lstQuoted.join(' ')), lstPlain);
}

QTEST_GUILESS_MAIN(TestArguments)
#include "tst_arguments.moc"
