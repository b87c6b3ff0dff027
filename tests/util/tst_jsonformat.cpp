// The JSON re-indenter: QJsonDocument's indented layout, white space the only
// change, and text that is not JSON refused.
#include "util/JsonFormat.h"

#include <QJsonDocument>
#include <QtTest>

namespace {
// The text without the white space between tokens.
QString tokensOf(const QString& str)
{
    QString strTokens;
    bool bInString = false;
    for (int i = 0; i < str.size(); ++i) {
        const QChar ch = str.at(i);
        if (bInString && ch == '\\') {
            strTokens += ch;
            strTokens += str.at(++i);
            continue;
        }
        if (ch == '"')
            bInString = !bInString;
        if (bInString || !QString(" \t\r\n").contains(ch))
            strTokens += ch;
    }
    return strTokens;
}
} // namespace

class TestJsonFormat : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void sameLayoutAsQt();
    void refused_data();
    void refused();
    void everyCutShortTextRefused();
};

void TestJsonFormat::layout_data()
{
    QTest::addColumn<QString>("strIn");
    QTest::addColumn<QString>("strOut");
    QTest::newRow("members in order, duplicates kept")
        << R"({"b":1,"a":[true,null],"b":"x"})"
        << "{\n    \"b\": 1,\n    \"a\": [\n        true,\n        null\n    ],\n    \"b\": \"x\"\n}\n";
    QTest::newRow("empty containers on one line")
        << R"({ "o" : { } , "a":[ ],"n":[[],{}]})"
        << "{\n    \"o\": {},\n    \"a\": [],\n    \"n\": [\n        [],\n        {}\n    ]\n}\n";
    QTest::newRow("numbers as written")
        << "[12345678901234567890,1.0,1e3,-0,1E+2,-1.5e-3]"
        << "[\n    12345678901234567890,\n    1.0,\n    1e3,\n    -0,\n    1E+2,\n    -1.5e-3\n]\n";
    QTest::newRow("strings as written")
        << R"(["\u00e9","a\/b","\"{[,:]}\"","tab	in"])"
        << "[\n    \"\\u00e9\",\n    \"a\\/b\",\n    \"\\\"{[,:]}\\\"\",\n    \"tab\tin\"\n]\n";
    QTest::newRow("spellings QJsonDocument accepts") << R"([1.,.5,"\x"])"
                                                     << "[\n    1.,\n    .5,\n    \"\\x\"\n]\n";
    QTest::newRow("layout of other white space replaced")
        << "\r\n\t{\r\n\t\t\"k\":\t[ 1 ]\r\n}\r\n  "
        << "{\n    \"k\": [\n        1\n    ]\n}\n";
    QTest::newRow("byte-order mark kept") << QString(QChar(0xfeff)) + "[1]"
                                          << QString(QChar(0xfeff)) + "[\n    1\n]\n";
    QTest::newRow("lone value") << " \"s\" " << "\"s\"\n";
}

void TestJsonFormat::layout()
{
    QFETCH(QString, strIn);
    QFETCH(QString, strOut);
    QString strFormatted = "untouched";
    QVERIFY(formatJson(strIn, strFormatted));
    QCOMPARE(strFormatted, strOut);
    QCOMPARE(tokensOf(strFormatted), tokensOf(strIn));
    QString strAgain;
    QVERIFY(formatJson(strFormatted, strAgain));
    QCOMPARE(strAgain, strFormatted);
}

void TestJsonFormat::sameLayoutAsQt()
{
    // Where Qt's writer changes nothing (sorted unique keys, small integers,
    // plain strings, no empty containers) both lay the text out alike.
    const QByteArray arrJson = R"({"a":[1,{"b":"two","c":[3,4]}],"d":{"e":null,"f":false},"g":-7})";
    QString strOurs;
    QVERIFY(formatJson(QString::fromUtf8(arrJson), strOurs));
    QCOMPARE(strOurs, QString::fromUtf8(QJsonDocument::fromJson(arrJson).toJson(QJsonDocument::Indented)));
}

void TestJsonFormat::refused_data()
{
    QTest::addColumn<QString>("strIn");
    const QStringList lstBad = {"",           "  \n ",       "[1,]",        R"({"a" 1})",
                                R"({"a":1,})", "[1 2]",       "[1]x",        "{1:2}",
                                R"(["abc])",  "[tru]",       "[01]",        "[-]",
                                "[1e]",       R"(["\u12"])", "[1]\f",       R"({"a":})",
                                "]",          "[}",          R"({"a":1]})", "[\"a\\"};
    for (const QString& str : lstBad)
        QTest::newRow(qPrintable(str)) << str;
    QTest::newRow("deeper than 1024") << QString(1025, '[') + QString(1025, ']');
}

void TestJsonFormat::refused()
{
    QFETCH(QString, strIn);
    QString strOut = "untouched";
    QVERIFY(!formatJson(strIn, strOut));
    QCOMPARE(strOut, QString("untouched"));
}

void TestJsonFormat::everyCutShortTextRefused()
{
    const QString strJson = R"({"k":[1,-2.5e3,"s\"\u0041",{"t":true,"f":false,"n":null}],"e":{}})";
    QString strOut;
    QVERIFY(formatJson(strJson, strOut));
    QVERIFY(formatJson(QString(1024, '[') + QString(1024, ']'), strOut));
    for (int n = 0; n < strJson.size(); ++n)
        QVERIFY2(!formatJson(strJson.left(n), strOut), qPrintable(strJson.left(n)));
}

QTEST_APPLESS_MAIN(TestJsonFormat)
#include "tst_jsonformat.moc"
