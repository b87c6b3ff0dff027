// Shared helpers: size texts, the order of directory entries, button style
// sheets.
#include "util/TextSearch.h"
#include "util/TextShaping.h"
#include "util/Utils.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <sys/stat.h>

class TestUtils : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void formatFileSize_data();
    void formatFileSize();
    void fileInfoLessThan_data();
    void fileInfoLessThan();
    void sortAgreesWithOrder();
    void buttonStyles_data();
    void buttonStyles();
    void findTextAgreesWithQt_data();
    void findTextAgreesWithQt();
    void shapingNeeded_data();
    void shapingNeeded();

private:
    QString path(const QString& strName) const { return m_dir.filePath(strName); }
    QTemporaryDir m_dir;
};

void TestUtils::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(m_dir.isValid());
    QDir dir(m_dir.path());
    for (const char* szDir : {"zeta", "Beta", "alpha_dir"})
        QVERIFY(dir.mkdir(szDir));
    for (const char* szFile : {"alpha", "beta.txt", "Alpha.md"}) {
        QFile file(path(szFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(path("missing"), path("broken")));
    QVERIFY(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
}

void TestUtils::formatFileSize_data()
{
    QTest::addColumn<qint64>("nBytes");
    QTest::addColumn<QString>("strText");
    QTest::newRow("zero") << qint64(0) << "0 B";
    QTest::newRow("negative") << qint64(-5) << "-5 B";
    QTest::newRow("1023") << qint64(1023) << "1,023 B";
    QTest::newRow("1024") << qint64(1024) << "1 KB";
    QTest::newRow("KB truncated") << qint64(2047) << "1 KB";
    QTest::newRow("largest KB") << qint64(1048575) << "1,023 KB";
    QTest::newRow("1 MB") << qint64(1048576) << "1.0 MB";
    QTest::newRow("1.5 MB") << qint64(1572864) << "1.5 MB";
    QTest::newRow("1 GB") << (qint64(1) << 30) << "1.00 GB";
    QTest::newRow("1 TB") << (qint64(1) << 40) << "1.000 TB";
    QTest::newRow("2048 TB") << (qint64(1) << 51) << "2,048.000 TB";
}

void TestUtils::formatFileSize()
{
    QFETCH(qint64, nBytes);
    QFETCH(QString, strText);
    QCOMPARE(::formatFileSize(nBytes), strText);
}

void TestUtils::fileInfoLessThan_data()
{
    QTest::addColumn<QString>("strA");
    QTest::addColumn<QString>("strB");
    QTest::addColumn<bool>("bLess");
    QTest::newRow("folder before file") << "zeta" << "alpha" << true;
    QTest::newRow("file after folder") << "alpha" << "zeta" << false;
    QTest::newRow("names ignore case") << "alpha" << "beta.txt" << true;
    QTest::newRow("folders ignore case") << "alpha_dir" << "Beta" << true;
    QTest::newRow("same name, other case") << "alpha" << "Alpha.md" << true;
    QTest::newRow("broken link after folder") << "broken" << "zeta" << false;
    QTest::newRow("folder before broken link") << "zeta" << "broken" << true;
    QTest::newRow("pipe among files") << "beta.txt" << "pipe" << true;
    QTest::newRow("root before folder") << "/" << "zeta" << true;
    QTest::newRow("irreflexive") << "alpha" << "alpha" << false;
}

void TestUtils::fileInfoLessThan()
{
    QFETCH(QString, strA);
    QFETCH(QString, strB);
    QFETCH(bool, bLess);
    const QFileInfo a(strA.startsWith('/') ? strA : path(strA));
    const QFileInfo b(strB.startsWith('/') ? strB : path(strB));
    QCOMPARE(::fileInfoLessThan(a, b), bLess);
}

void TestUtils::sortAgreesWithOrder()
{
    QFileInfoList lst = QDir(m_dir.path()).entryInfoList(QDir::AllEntries | QDir::System
                                                         | QDir::NoDotAndDotDot);
    lst << QFileInfo("/");
    std::reverse(lst.begin(), lst.end());
    sortFileInfoList(lst);
    QVERIFY(std::is_sorted(lst.begin(), lst.end(), ::fileInfoLessThan));
    QStringList lstNames;
    for (const QFileInfo& info : qAsConst(lst))
        lstNames << (info.isRoot() ? info.absoluteFilePath() : info.fileName());
    QCOMPARE(lstNames, (QStringList {"/", "alpha_dir", "Beta", "zeta", "alpha", "Alpha.md",
                                     "beta.txt", "broken", "pipe"}));
}

void TestUtils::buttonStyles_data()
{
    QTest::addColumn<QString>("strStyle");
    QTest::addColumn<QString>("strExpected"); // a part of the sheet; empty: unchanged
    QTest::newRow("green") << "green" << "stop:0 #90dfa2,stop:1.0 #84d494";
    QTest::newRow("blue") << "blue" << "background-color:#4097ce77";
    QTest::newRow("yellow") << "yellow" << "border:1px outset #fedd71";
    QTest::newRow("step_blue") << "step_blue" << "color:#1a3e66";
    QTest::newRow("step_yellow") << "step_yellow" << "background-color:#fece34";
    QTest::newRow("unknown") << "purple" << QString();
    QTest::newRow("case matters") << "Green" << QString();
}

void TestUtils::buttonStyles()
{
    QFETCH(QString, strStyle);
    QFETCH(QString, strExpected);
    QPushButton button;
    const QString strBefore = "QPushButton{color:red;}";
    button.setStyleSheet(strBefore);
    setButtonStyle(&button, strStyle);
    if (strExpected.isEmpty())
        QCOMPARE(button.styleSheet(), strBefore);
    else
        QVERIFY2(button.styleSheet().contains(strExpected), qPrintable(button.styleSheet()));
    setButtonStyle(nullptr, strStyle);
}

void TestUtils::findTextAgreesWithQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    const QString strX = QString(21, 'x');
    QTest::newRow("ascii") << strX + "Needle and NEEDLE" << "needle";
    QTest::newRow("kelvin sign") << strX + QString::fromUtf8("a\u212Aelvin kelvin") << "Kelvin";
    QTest::newRow("long s") << strX + QString::fromUtf8("\u017Fun sun") << "SUN";
    QTest::newRow("first beyond ascii") << strX + QString::fromUtf8("stra\u00DFe STRA\u1E9EE") << QString::fromUtf8("\u00DFe");
    QTest::newRow("final sigma") << QString::fromUtf8("\u039F\u0394\u039F\u03A3 \u03BF\u03B4\u03BF\u03C2") << QString::fromUtf8("\u03C3");
    QTest::newRow("dotted and dotless i") << strX + QString::fromUtf8("\u0131\u0130Ii") << "i";
    QTest::newRow("pair first") << strX + QString::fromUtf8("\U00010400y\U00010428") << QString::fromUtf8("\U00010428");
    QTest::newRow("after a pair") << strX + QString::fromUtf8("\U00010400Y") << "y";
    QTest::newRow("lone surrogates") << strX + QString(QChar(0xD801)) + "a" + QChar(0xDC28) + "A" << "a";
    QTest::newRow("cjk") << QString::fromUtf8("\u4E2D\u6587").repeated(20) + QString::fromUtf8("\u6D4B\u8BD5") << QString::fromUtf8("\u6D4B\u8BD5");
    QTest::newRow("cut short at the end") << strX + "Needl" << "needle";
    QTest::newRow("longer than the text") << "ab" << "abc";
}

void TestUtils::findTextAgreesWithQt()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    // From every offset, so that matches fall on every place of a block of
    // eight characters.
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int nFrom = 0; nFrom <= text.size(); ++nFrom) {
            const QString strRest = text.mid(nFrom);
            QCOMPARE(findText(strRest.constData(), strRest.size(), find, cs), strRest.indexOf(find, 0, cs));
        }
    }
}

void TestUtils::shapingNeeded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("needs");
    QTest::newRow("code") << "int main() { return 0; }\t// ok" << false;
    QTest::newRow("Latin-1 and extended") << QString::fromUtf8("caf\u00E9 \u0151 \u1EA1") << false;
    QTest::newRow("combining acute") << QString::fromUtf8("cafe\u0301") << true;
    QTest::newRow("Greek and Cyrillic") << QString::fromUtf8("\u03B1\u03B2 \u0436\u0438") << false;
    QTest::newRow("Cyrillic combining") << QString::fromUtf8("\u0430\u0483") << true;
    QTest::newRow("Arabic") << QString::fromUtf8("\u0633\u0644\u0627\u0645") << true;
    QTest::newRow("Hebrew") << QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD") << true;
    QTest::newRow("Devanagari") << QString::fromUtf8("\u0928\u092E\u0938\u094D\u0924\u0947") << true;
    QTest::newRow("Thai") << QString::fromUtf8("\u0E2A\u0E27\u0E31\u0E2A") << true;
    QTest::newRow("CJK, kana, Hangul syllables") << QString::fromUtf8("\u4E2D\u6587 \u3072\u3089 \uD55C\uAE00\u3002") << false;
    QTest::newRow("kana voicing mark") << QString::fromUtf8("\u304B\u3099") << true;
    QTest::newRow("full-width forms") << QString::fromUtf8("\uFF21\uFF22") << false;
    QTest::newRow("emoji") << QString::fromUtf8("\U0001F600") << true;
    QTest::newRow("zero-width joiner") << QString::fromUtf8("a\u200Db") << true;
    // Pages partly free are answered character by character.
    QTest::newRow("last combining mark of its page") << QString::fromUtf8("\u036F") << true;
    QTest::newRow("hexagram after CJK extension A") << QString::fromUtf8("\u4DBF\u4DC0") << true;
    QTest::newRow("end of Yi") << QString::fromUtf8("\uA4CF\u0370") << false;
    QTest::newRow("first of Lisu") << QString::fromUtf8("\uA4D0") << true;
    QTest::newRow("arrows and box drawing") << QString::fromUtf8("\u2192 \u2500\u253C \u20AC") << false;
}

void TestUtils::shapingNeeded()
{
    QFETCH(QString, text);
    QTEST(textNeedsShaping(text.constData(), text.size()), "needs");
}

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
